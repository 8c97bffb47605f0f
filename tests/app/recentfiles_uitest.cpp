// Recent files in the File menu and patient files dropped on the window, through the
// real main window.
#include "app/recentfiles.h"
#include "testsupport/programfixture.h"

#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class RecentFilesTest : public ProgramFixture {
  protected:
    // Saves the current document under a new name with the last name given.
    std::string saveAs(const std::string& name, const char* lastName) {
        auto* edit = find<QLineEdit>("EditLastName");
        edit->selectAll();
        QTest::keyClicks(edit, lastName);
        const std::string path = startDir.file(name);
        script.setNextFileName(QString::fromStdString(path));
        trigger("SaveAs1");
        return path;
    }

    static QMenu* fileMenu() { return fmWinMain->menuBar()->actions().front()->menu(); }
    static void openFileMenu() { emit fileMenu()->aboutToShow(); }
    static QAction* entry(int n) {
        return fmWinMain->findChild<QAction*>(QStringLiteral("RecentFile%1").arg(n));
    }
    static QString lastName() { return find<QLineEdit>("EditLastName")->text(); }
    static void pressAlt(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        settle();
    }
};

TEST_F(RecentFilesTest, FilesUsedShowNewestFirstAndAMissingOneIsGreyedAndRemoved) {
    const std::string adams = saveAs("adams.tav", "Adams");
    const std::string baker = saveAs("BAKER.TAV", "Baker");
    openFileMenu();
    EXPECT_EQ(entry(1)->text(), "&1 BAKER.TAV");
    EXPECT_EQ(entry(1)->toolTip().toStdString(), baker);
    EXPECT_EQ(entry(1)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_1));
    EXPECT_EQ(entry(2)->text(), "&2 ADAMS.TAV");
    EXPECT_EQ(entry(2)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_2));
    EXPECT_FALSE(entry(3)->isVisible());
    EXPECT_FALSE(find<QAction>("RemoveMissingFiles1")->isVisible());

    // Alt+2 opens Adams after the unsaved-changes question; the list turns round.
    find<QLineEdit>("EditLastName")->setText("Changed");
    markModified();
    script.setNextAnswer(DialogAnswer::No);
    pressAlt(Qt::Key_2);
    EXPECT_EQ(script.shownOf(ScriptedDialogService::Kind::Confirm).size(), 1u);
    EXPECT_EQ(title(), "TAVIK 1.0a - ADAMS.TAV");
    EXPECT_EQ(lastName(), "Adams");
    openFileMenu();
    EXPECT_EQ(entry(1)->text(), "&1 ADAMS.TAV");

    std::filesystem::remove(baker);
    openFileMenu();
    EXPECT_FALSE(entry(2)->isEnabled());
    EXPECT_EQ(entry(2)->text(), "&2 BAKER.TAV (file not found)");
    EXPECT_EQ(entry(2)->toolTip().toStdString(), baker + ": file not found");
    ASSERT_TRUE(find<QAction>("RemoveMissingFiles1")->isVisible());
    trigger("RemoveMissingFiles1");
    EXPECT_FALSE(entry(2)->isVisible());
    EXPECT_FALSE(find<QAction>("RemoveMissingFiles1")->isVisible());
    EXPECT_EQ(entry(1)->toolTip().toStdString(), adams);
}

TEST_F(RecentFilesTest, AFileGoneSinceTheMenuWasShownIsOfferedForRemoval) {
    const std::string gone = saveAs("GONE.TAV", "Gone");
    saveAs("KEPT.TAV", "Kept");
    std::filesystem::remove(gone);
    script.setNextAnswer(DialogAnswer::Yes);
    pressAlt(Qt::Key_2);
    const auto questions = script.shownOf(ScriptedDialogService::Kind::Question);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].text.contains(QString::fromStdString(gone)));
    EXPECT_EQ(title(), "TAVIK 1.0a - KEPT.TAV") << "nothing was opened";
    EXPECT_FALSE(entry(2)->isVisible()) << "removed after Yes";
}

TEST_F(RecentFilesTest, TheListIsKeptInTheSettingsFileBesideDataPath) {
    const std::string first = saveAs("FIRST.TAV", "First");
    const std::string second = saveAs("SECOND.TAV", "Second");
    ASSERT_TRUE(closeProgram());
    std::stringstream ini;
    ini << std::ifstream(startDir.file("TAVIK.INI")).rdbuf();
    EXPECT_EQ(ini.str(), "[Information]\nDataPath=" + startDir.path().string() +
                             "/\n\n[Recent]\nFile1=" + second + "\nFile2=" + first + "\n");
    restartProgram();
    EXPECT_EQ(fmWinMain->recentFiles().files(), (RecentList{second, first}));
}

// A data folder that cannot be written (its name holds a line break) is reported,
// and the recent files are still kept.
TEST_F(RecentFilesTest, ASettingThatCannotBeWrittenDoesNotLoseTheRecentFiles) {
    const std::string first = saveAs("FIRST.TAV", "First");
    document.dataPath = "/clinic/a\nb/";
    ASSERT_TRUE(closeProgram());
    const auto errors = script.shownOf(ScriptedDialogService::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].text.contains("DataPath")) << errors[0].text.toStdString();
    std::stringstream ini;
    ini << std::ifstream(startDir.file("TAVIK.INI")).rdbuf();
    EXPECT_EQ(ini.str(), "[Recent]\nFile1=" + first + "\n");
}

// A drag enter and a drop, as the window system delivers them to the widget under
// the cursor; true when the drag was accepted.
bool dragAndDrop(QWidget* target, const QMimeData& data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction) << "the file stays where it is";
    return drop.isAccepted();
}

QMimeData* files(const QList<QUrl>& urls) {
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

TEST_F(RecentFilesTest, APatientFileDroppedOnTheWindowOpensAfterTheQuestion) {
    const std::string jones = saveAs("jones.tav", "Jones");
    trigger("New1");
    auto* field = find<QLineEdit>("EditLastName");
    QTest::keyClicks(field, "Unsaved");
    settle();

    const std::unique_ptr<QMimeData> data(
        files({QUrl::fromLocalFile(QString::fromStdString(jones))}));
    script.setNextAnswer(DialogAnswer::Cancel);
    EXPECT_TRUE(dragAndDrop(field, *data));
    settle();
    EXPECT_EQ(lastName(), "Unsaved") << "Cancel keeps the document";
    EXPECT_EQ(title(), "TAVIK 1.0a");

    script.setNextAnswer(DialogAnswer::No);
    EXPECT_TRUE(dragAndDrop(field, *data));
    settle();
    EXPECT_EQ(script.shownOf(ScriptedDialogService::Kind::Confirm).size(), 2u);
    EXPECT_EQ(title(), "TAVIK 1.0a - JONES.TAV");
    EXPECT_EQ(lastName(), "Jones") << "opened, not dropped into the field as text";
}

TEST_F(RecentFilesTest, OtherDropsAreRefused) {
    const std::string patient = saveAs("P.TAV", "Patient");
    const std::string text = startDir.file("notes.txt");
    std::ofstream(text) << "x";
    const struct {
        const char* name;
        QList<QUrl> urls;
    } cases[] = {
        {"two patient files",
         {QUrl::fromLocalFile(QString::fromStdString(patient)),
          QUrl::fromLocalFile(QString::fromStdString(patient))}},
        {"another kind of file", {QUrl::fromLocalFile(QString::fromStdString(text))}},
        {"a folder named like a patient file",
         {QUrl::fromLocalFile(QString::fromStdString(startDir.path().string()) + "/X.TAV/")}},
        {"not a local file", {QUrl(QStringLiteral("https://example.org/P.TAV"))}},
    };
    std::filesystem::create_directory(startDir.file("X.TAV"));
    trigger("New1");
    for (const auto& c : cases) {
        const std::unique_ptr<QMimeData> data(files(c.urls));
        for (QWidget* target : {static_cast<QWidget*>(fmWinMain),
                                static_cast<QWidget*>(find<QLineEdit>("EditLastName"))})
            EXPECT_FALSE(dragAndDrop(target, *data)) << c.name;
        settle();
        EXPECT_EQ(title(), "TAVIK 1.0a") << c.name;
    }
}

} // namespace
