// File > Patients... through the real main window, with scripted dialogs.
#include "app/patientlist.h"
#include "app/patientlistmodel.h"
#include "model/inifile.h"
#include "model/patientfile.h"
#include "model/settings.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using Kind = ScriptedDialogService::Kind;

// What the list says of BROKEN.TAV, a file of 40 bytes.
const QString kBrokenReason =
    QStringLiteral("Not a patient file: it is 40 bytes long, and TAVIK reads patient files of "
                   "1372 bytes and older ones of 3118 bytes");

class PatientListTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        patient(files.path() / "A.TAV", "M\xFCller", "Hans", "H-77");
        patient(files.path() / "east" / "b.tav", "Novak", "Ida", "N-12");
        patient(files.path() / "east" / "west" / "C.TAV", "Lee", "Zo\xEB", "L-5");
        writeBytes(files.file("BROKEN.TAV"), std::vector<uint8_t>(40, 1));
        document.dataPath = files.path().string() + "/";
    }

    void TearDown() override {
        TfmPatientList::setFolderChooser({});
        TfmPatientList::setFolderLister({});
        ProgramFixture::TearDown();
    }

    static void patient(const fs::path& path, const char* last, const char* first, const char* id) {
        FittingRecord record{};
        resetFitting(record, "09/10/2024");
        writeText(record.lastName, last);
        writeText(record.firstName, first);
        writeText(record.patientId, id);
        fs::create_directories(path.parent_path());
        writePatientFile(path.string(), record);
    }

    // Ctrl+Shift+P on the main window, then waits for the whole folder to be read.
    TfmPatientList* openList() {
        QTest::keyClick(fmWinMain, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        settle();
        auto* list = fmWinMain->findChild<TfmPatientList*>();
        EXPECT_NE(list, nullptr);
        if (list) {
            EXPECT_TRUE(QTest::qWaitFor([list] { return !list->scanning(); }, 20000));
        }
        return list;
    }

    static QTableView* table(TfmPatientList* list) {
        return list->findChild<QTableView*>(QStringLiteral("PatientListTable"));
    }
    static QLineEdit* filter(TfmPatientList* list) {
        return list->findChild<QLineEdit*>(QStringLiteral("FilterEdit"));
    }
    static QString status(TfmPatientList* list) {
        return list->findChild<QLabel*>(QStringLiteral("PatientListStatusLabel"))->text();
    }
    // The last-name column of the rows shown, top to bottom.
    static QStringList lastNames(TfmPatientList* list) {
        QStringList names;
        const QAbstractItemModel* model = table(list)->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, PatientListModel::LastName).data().toString();
        return names;
    }
    static void selectRowWithName(TfmPatientList* list, const QString& lastName) {
        const int row = int(lastNames(list).indexOf(lastName));
        ASSERT_GE(row, 0) << lastName.toStdString();
        table(list)->selectRow(row);
    }

    TempDir files;
};

TEST_F(PatientListTest, ListFillsWithEveryFileOfTheDataFolderAndItsSubFolders) {
    TfmPatientList* list = openList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(lastNames(list),
              (QStringList{"Lee", QStringLiteral("Müller"), "Novak", kBrokenReason}));
    EXPECT_EQ(status(list), QStringLiteral("3 patient files, 1 that cannot be opened"));

    const QAbstractItemModel* model = table(list)->model();
    const auto cell = [&](int row, int column) {
        return model->index(row, column).data().toString();
    };
    EXPECT_EQ(cell(0, PatientListModel::FirstName), QStringLiteral("Zoë"));
    EXPECT_EQ(cell(0, PatientListModel::PatientId), "L-5");
    EXPECT_EQ(cell(0, PatientListModel::Folder), "east/west");
    EXPECT_EQ(cell(2, PatientListModel::FileName), "b.tav");
    EXPECT_EQ(cell(2, PatientListModel::TestDate), "09/10/2024");
    EXPECT_EQ(cell(2, PatientListModel::RightAid), "ITE");
    // The broken file is greyed; the readable ones take the table's colour.
    EXPECT_TRUE(model->index(3, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(model->index(0, 0).data(Qt::ForegroundRole).isValid());

    table(list)->sortByColumn(PatientListModel::PatientId, Qt::DescendingOrder);
    EXPECT_EQ(lastNames(list),
              (QStringList{"Novak", "Lee", QStringLiteral("Müller"), kBrokenReason}));
}

// Names sort as they are searched, accents and case aside, the text itself breaking
// a tie: Müller beside Muller, Édouard among the e's, Østergaard among the o's.
TEST(PatientListSort, NamesSortWithoutRegardToAccentsOrCase) {
    const std::pair<const char*, const char*> names[] = {
        {"M\xFCller", "\xD6sten"},
        {"Muller", "Zo\xEB"},
        {"\xC9"
         "douard",
         "adam"},
        {"\xD8stergaard", "\xC9mile"},
        {"Zimmer", "Ulla"},
        {"Adams", "Bob"},
        {"adams", "bobby"},
    };
    PatientListModel model;
    std::vector<PatientListing> listings;
    for (const auto& [last, first] : names) {
        PatientListing listing;
        listing.lastName = last;
        listing.firstName = first;
        listing.clinician = first;
        listings.push_back(listing);
    }
    model.append(std::move(listings));
    PatientFilterProxy proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(PatientListModel::kSortRole);
    const struct {
        int column;
        Qt::SortOrder order;
        QStringList lastNames;
    } cases[] = {
        {PatientListModel::LastName,
         Qt::AscendingOrder,
         {"Adams", "adams", QStringLiteral("Édouard"), "Muller", QStringLiteral("Müller"),
          QStringLiteral("Østergaard"), "Zimmer"}},
        {PatientListModel::LastName,
         Qt::DescendingOrder,
         {"Zimmer", QStringLiteral("Østergaard"), QStringLiteral("Müller"), "Muller",
          QStringLiteral("Édouard"), "adams", "Adams"}},
        {PatientListModel::FirstName,
         Qt::AscendingOrder,
         {QStringLiteral("Édouard"), "Adams", "adams", QStringLiteral("Østergaard"),
          QStringLiteral("Müller"), "Zimmer", "Muller"}},
        {PatientListModel::Clinician,
         Qt::DescendingOrder,
         {"Muller", "Zimmer", QStringLiteral("Müller"), QStringLiteral("Østergaard"), "adams",
          "Adams", QStringLiteral("Édouard")}},
    };
    for (const auto& c : cases) {
        proxy.sort(c.column, c.order);
        QStringList shown;
        for (int row = 0; row < proxy.rowCount(); ++row)
            shown << proxy.index(row, PatientListModel::LastName).data().toString();
        EXPECT_EQ(shown, c.lastNames) << c.column << ' ' << c.order;
    }
}

// Dates (month/day/year) sort by year, then month, then day; each ear's aid has its
// own column.
TEST(PatientListSort, DatesSortByYearMonthAndDayAndEachEarShowsItsOwnAid) {
    const struct {
        const char* lastName;
        const char* birthDate;
        int32_t rightAid;
        int32_t leftAid;
    } rows[] = {
        {"Ash", "03/12/1950", 0, 3},
        {"Bell", "12/03/1950", 2, 1},
        {"Cole", "01/31/1949", 3, 0},
        {"Dunn", "11/02/1950", 1, 2},
    };
    PatientListModel model;
    std::vector<PatientListing> listings;
    for (const auto& r : rows) {
        PatientListing listing;
        listing.lastName = r.lastName;
        listing.birthDate = r.birthDate;
        listing.rightAidStyle = r.rightAid;
        listing.leftAidStyle = r.leftAid;
        listings.push_back(listing);
    }
    model.append(std::move(listings));
    PatientFilterProxy proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(PatientListModel::kSortRole);
    proxy.sort(PatientListModel::BirthDate, Qt::AscendingOrder);
    QStringList shown;
    for (int row = 0; row < proxy.rowCount(); ++row) {
        const auto cell = [&](int column) { return proxy.index(row, column).data().toString(); };
        shown << cell(PatientListModel::LastName) + ' ' + cell(PatientListModel::RightAid) + '/' +
                     cell(PatientListModel::LeftAid);
    }
    EXPECT_EQ(shown, (QStringList{"Cole CIC/BTE", "Ash BTE/CIC", "Dunn ITE/ITC", "Bell ITC/ITE"}));
}

TEST_F(PatientListTest, TypingFindsByNameOrIdWhateverTheAccentsAndCase) {
    TfmPatientList* list = openList();
    ASSERT_NE(list, nullptr);
    const std::pair<QString, QStringList> cases[] = {
        {"muller", {QStringLiteral("Müller")}},
        {QStringLiteral("MÜL"), {QStringLiteral("Müller")}},
        {"zoe", {"Lee"}},
        {"n-1", {"Novak"}},
        {"hans h-7", {QStringLiteral("Müller")}},
        {"e", {"Lee", QStringLiteral("Müller")}},
        {"xyz", {}},
        {"", {"Lee", QStringLiteral("Müller"), "Novak", kBrokenReason}},
    };
    for (const auto& [typed, expected] : cases) {
        filter(list)->clear();
        QTest::keyClicks(filter(list), typed);
        settle();
        EXPECT_EQ(lastNames(list), expected) << typed.toStdString();
    }
}

TEST_F(PatientListTest, EnterOpensThePatientAfterTheUnsavedChangesQuestion) {
    auto* lastName = find<QLineEdit>("EditLastName");
    QTest::keyClicks(lastName, "Draft");
    settle();
    ASSERT_TRUE(document.modified);

    TfmPatientList* list = openList();
    ASSERT_NE(list, nullptr);
    QTest::keyClicks(filter(list), "novak");
    settle();
    script.setNextAnswer(DialogAnswer::Cancel);
    QTest::keyClick(filter(list), Qt::Key_Return);
    settle();
    ASSERT_EQ(script.shownOf(Kind::Confirm).size(), 1u);
    EXPECT_EQ(script.shownOf(Kind::Confirm)[0].text, kUnsavedChangesText);
    EXPECT_TRUE(list->isVisible()) << "Cancel keeps the list and the document";
    EXPECT_EQ(lastName->text(), "Draft");

    script.setNextAnswer(DialogAnswer::No);
    QTest::keyClick(table(list), Qt::Key_Enter);
    settle();
    EXPECT_EQ(script.shownOf(Kind::Confirm).size(), 2u);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(lastName->text(), "Novak");
    EXPECT_EQ(title(), "TAVIK 1.0a - B.TAV");
    EXPECT_EQ(document.dataPath, files.path().string() + "/east/");
}

// Loading a patient moves the data folder to that patient's folder; the list keeps
// the folder chosen for it, and shows the data folder only while none was chosen.
TEST_F(PatientListTest, ThePatientListKeepsItsOwnFolderAfterALoad) {
    const std::string root = files.path().string() + "/";
    const std::string east = root + "east/";
    const struct {
        const char* name;
        std::optional<std::string> patientFolder;
        QStringList expected;
        QString status;
    } cases[] = {
        {"no folder chosen", std::nullopt, {"Lee", "Novak"}, "2 patient files"},
        {"the whole folder chosen",
         root,
         {"Lee", QStringLiteral("Müller"), "Novak", kBrokenReason},
         "3 patient files, 1 that cannot be opened"},
        {"the deepest folder chosen", root + "east/west/", {"Lee"}, "1 patient file"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        fs::remove(startDir.file(kSettingsFileName));
        if (row.patientFolder)
            writeProfileString(startDir.file(kSettingsFileName), kSettingsSection,
                               kPatientFolderKey, *row.patientFolder);
        document.dataPath = root;
        script.setNextFileName(QString::fromStdString(east + "b.tav"));
        trigger("Load1");
        settle();
        ASSERT_EQ(document.dataPath, east);
        trigger("Patients1");
        auto* list = fmWinMain->findChild<TfmPatientList*>();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([list] { return !list->scanning(); }, 20000));
        EXPECT_EQ(lastNames(list), row.expected);
        EXPECT_EQ(status(list), row.status);
        list->close();
        settle();
    }
}

TEST_F(PatientListTest, ABrokenFileSaysWhyAndIsNotOpened) {
    TfmPatientList* list = openList();
    ASSERT_NE(list, nullptr);
    // The reason runs on over the columns up to the aids; a patient's name does not.
    const QStringList names = lastNames(list);
    const int brokenRow = int(names.indexOf(kBrokenReason));
    ASSERT_GE(brokenRow, 0);
    EXPECT_EQ(table(list)->columnSpan(brokenRow, PatientListModel::LastName), 8);
    EXPECT_EQ(table(list)->columnSpan(int(names.indexOf("Novak")), PatientListModel::LastName), 1);
    // Sorted the other way, the span moves with the row.
    table(list)->sortByColumn(PatientListModel::LastName, Qt::DescendingOrder);
    settle();
    const int sortedRow = int(lastNames(list).indexOf(kBrokenReason));
    EXPECT_NE(sortedRow, brokenRow);
    EXPECT_EQ(table(list)->columnSpan(sortedRow, PatientListModel::LastName), 8);
    EXPECT_EQ(table(list)->columnSpan(brokenRow, PatientListModel::LastName), 1);
    selectRowWithName(list, kBrokenReason);
    QTest::keyClick(table(list), Qt::Key_Return);
    settle();
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(script.shown().empty());
    EXPECT_EQ(title(), "TAVIK 1.0a");
    EXPECT_EQ(status(list), QStringLiteral("BROKEN.TAV cannot be opened: ") + kBrokenReason);
}

TEST_F(PatientListTest, FolderButtonReadsTheChosenFolderAndKeepsItAsDataPath) {
    {
        std::ofstream ini(startDir.file(kSettingsFileName), std::ios::binary);
        ini << "; clinic\n[Information]\nDataPath=/old/\nColour = blue\n"
               "[Recent Files]\nFile1=/x/A.TAV\n";
    }
    document.dataPath = files.path().string() + "/";
    TfmPatientList* list = openList();
    ASSERT_NE(list, nullptr);
    const QString east = QString::fromStdString((files.path() / "east").string());
    TfmPatientList::setFolderChooser([east](QWidget*, const QString&) { return east; });
    QTest::mouseClick(list->findChild<QAbstractButton*>(QStringLiteral("FolderButton")),
                      Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([list] { return !list->scanning(); }, 20000));
    EXPECT_EQ(lastNames(list), (QStringList{"Lee", "Novak"}));
    EXPECT_EQ(document.dataPath, east.toStdString() + "/");
    std::ifstream ini(startDir.file(kSettingsFileName));
    std::stringstream text;
    text << ini.rdbuf();
    const std::string kept = east.toStdString() + "/";
    EXPECT_EQ(text.str(), "; clinic\n[Information]\nDataPath=" + kept +
                              "\nColour = blue\nPatientFolder=" + kept +
                              "\n[Recent Files]\nFile1=/x/A.TAV\n");

    TfmPatientList::setFolderChooser([](QWidget*, const QString&) { return std::nullopt; });
    QTest::mouseClick(list->findChild<QAbstractButton*>(QStringLiteral("FolderButton")),
                      Qt::LeftButton);
    EXPECT_EQ(list->folder(), east + "/") << "a cancelled choice keeps the folder";
}

// A find that leaves out the row chosen chooses the first row it shows, which Enter
// then opens; a folder without patients is counted in the plural.
TEST_F(PatientListTest, AFindChoosesItsFirstRowAndAnEmptyFolderCountsNone) {
    TfmPatientList* list = openList();
    ASSERT_NE(list, nullptr);
    selectRowWithName(list, "Novak");
    QTest::keyClicks(filter(list), "e");
    settle();
    ASSERT_EQ(lastNames(list), (QStringList{"Lee", QStringLiteral("Müller")}));
    EXPECT_EQ(table(list)->currentIndex().row(), 0);
    EXPECT_EQ(status(list), "3 patient files, 1 that cannot be opened; 2 shown");

    const fs::path empty = files.path() / "empty";
    fs::create_directories(empty);
    const QString emptyFolder = QString::fromStdString(empty.string());
    TfmPatientList::setFolderChooser(
        [emptyFolder](QWidget*, const QString&) { return emptyFolder; });
    QTest::mouseClick(list->findChild<QAbstractButton*>(QStringLiteral("FolderButton")),
                      Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([list] { return !list->scanning(); }, 20000));
    EXPECT_EQ(status(list), "0 patient files");

    TfmPatientList::setFolderChooser(
        [this](QWidget*, const QString&) { return QString::fromStdString(files.path().string()); });
    QTest::mouseClick(list->findChild<QAbstractButton*>(QStringLiteral("FolderButton")),
                      Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([list] { return !list->scanning(); }, 20000));
    QTest::keyClicks(filter(list), "ida");
    settle();
    QTest::keyClick(filter(list), Qt::Key_Return);
    settle();
    EXPECT_EQ(title(), "TAVIK 1.0a - B.TAV");
}

// A folder that cannot be read is counted on its own, not among the files that cannot
// be opened, nor among the patients.
TEST_F(PatientListTest, AFolderThatCannotBeReadIsCountedOnItsOwn) {
    const fs::path locked = files.path() / "east" / "west";
    TfmPatientList::setFolderLister([locked](const fs::path& folder, std::error_code& ec) {
        if (folder == locked) {
            ec = std::make_error_code(std::errc::permission_denied);
            return std::vector<PatientFolderEntry>{};
        }
        return listFolderEntries(folder, ec);
    });
    TfmPatientList* list = openList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(status(list),
              "2 patient files, 1 that cannot be opened, 1 folder that cannot be read");
}

} // namespace
