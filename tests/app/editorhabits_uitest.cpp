// Habits of a desktop editor through the real window: the print, list and Switch-ears
// keys, the name Save As proposes, what the curve shapes' tips say, one Alt key per
// dialog and status notes read whole.
#include "app/aboutscreen.h"
#include "app/helpviewer.h"
#include "app/patientlist.h"
#include "controls/notestatusbar.h"
#include "controls/statusnote.h"
#include "model/settings.h"
#include "platform/reportpreview.h"
#include "report/selectprint.h"
#include "testsupport/programfixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

using Kind = ScriptedDialogService::Kind;

class EditorHabitsTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        document.dataPath = files.path().string() + "/";
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : fmWinMain, key, modifiers);
        settle();
    }

    static QString shownEar(const char* label) { return find<QLabel>(label)->text(); }

    // The patient list, once it has read its folder.
    static TfmPatientList* patientList() {
        auto* list = fmWinMain->findChild<TfmPatientList*>();
        if (list) {
            EXPECT_TRUE(QTest::qWaitFor([list] { return !list->scanning(); }, 20000));
        }
        return list;
    }

    TempDir files;
};

TEST_F(EditorHabitsTest, CtrlPPrintsOnlyFromTheCurvePageAndCtrlShiftPOpensThePatientList) {
    EXPECT_EQ(find<QAction>("Print1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(find<QAction>("Patients1")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    struct Case {
        const char* page;
        bool prints;
    };
    const Case cases[] = {{"PatientInformation1", false},
                          {"LOUDMAPData1", false},
                          {"HearingAidDatabase1", false},
                          {"IOCurves1", true},
                          {"Overview1", false}};
    for (const Case& c : cases) {
        trigger(c.page);
        const std::size_t before = script.shownOf(Kind::Modal).size();
        EXPECT_EQ(find<QAction>("Print1")->isEnabled(), c.prints) << c.page;
        press(Qt::Key_P, Qt::ControlModifier);
        EXPECT_EQ(script.shownOf(Kind::Modal).size(), before + (c.prints ? 1 : 0)) << c.page;
        EXPECT_EQ(fmWinMain->findChild<TfmPatientList*>(), nullptr) << c.page;
    }
    press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    TfmPatientList* list = patientList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(script.shownOf(Kind::Modal).size(), 1u);
}

TEST_F(EditorHabitsTest, F6SwitchesEarsOnTheCurvePageFromTheGridAndOnTheOverview) {
    trigger("IOCurves1");
    EXPECT_EQ(find<QToolButton>("ToggleEarButton")->toolTip(), "Switch ears (F6)");
    EXPECT_EQ(find<QToolButton>("PrintButton")->toolTip(),
              "Print curves from current ear (Ctrl+P)");
    auto* grid = find<DataGrid>("DataEntryGrid");
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    settle();
    EXPECT_EQ(shownEar("EarLabel"), " RIGHT EAR");
    press(Qt::Key_F6);
    EXPECT_EQ(shownEar("EarLabel"), " LEFT EAR");
    // As with a click, the focus stays in the grid.
    EXPECT_TRUE(grid->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == grid);
    press(Qt::Key_F6);
    EXPECT_EQ(shownEar("EarLabel"), " RIGHT EAR");

    // The curve page's key goes with the page: on the Overview only its own works.
    trigger("Overview1");
    EXPECT_EQ(find<QToolButton>("OverviewEarButton")->toolTip(), "Switch ears (F6)");
    EXPECT_EQ(shownEar("ShownEarLabel"), " RIGHT EAR");
    press(Qt::Key_F6);
    EXPECT_EQ(shownEar("ShownEarLabel"), " LEFT EAR");
    EXPECT_EQ(shownEar("EarLabel"), " RIGHT EAR");
}

TEST_F(EditorHabitsTest, SaveOfANewPatientProposesTheLastNameInThePatientListsFolder) {
    // The list looks in a folder of its own, not in the data folder.
    const std::filesystem::path folder = files.path() / "list";
    std::filesystem::create_directories(folder);
    {
        std::ofstream ini(startDir.file(kSettingsFileName), std::ios::binary);
        ini << "[Information]\nPatientFolder=" << folder.string() << "/\n";
    }
    struct Case {
        const char* what;
        const char* lastName;
        const char* fileThere; // made before the save
        const char* proposed;
    };
    const Case cases[] = {
        {"another patient's file in other capitals", "Smith", "smith.tav", "SMITH-2.TAV"},
        {"characters no file name holds", "Dr. O'Neil/Ruiz?", nullptr, "DR O'NEIL RUIZ.TAV"},
        {"no last name", "", nullptr, ""},
    };
    for (const Case& c : cases) {
        if (c.fileThere)
            writeBytes((folder / c.fileThere).string(), std::vector<uint8_t>(1372, 0));
        // Typed and not yet stored: Save takes the name from the page.
        auto* edit = find<QLineEdit>("EditLastName");
        edit->clear();
        QTest::keyClicks(edit, QString::fromLatin1(c.lastName));
        settle();
        press(Qt::Key_S, Qt::ControlModifier);
        const auto saves = script.shownOf(Kind::Save);
        ASSERT_FALSE(saves.empty()) << c.what;
        EXPECT_EQ(saves.back().request.fileName, QString::fromLatin1(c.proposed)) << c.what;
        EXPECT_EQ(saves.back().request.folder.toStdString(), folder.string() + "/") << c.what;
    }
    // The dialog was cancelled each time: nothing was written, the other file is whole.
    EXPECT_EQ(readBytes((folder / "smith.tav").string()), std::vector<uint8_t>(1372, 0));
    EXPECT_FALSE(std::filesystem::exists(folder / "SMITH.TAV"));
    EXPECT_TRUE(document.currentFilePath.empty());
}

TEST_F(EditorHabitsTest, EveryCurveShapeInBothListsSaysWhatItIs) {
    trigger("IOCurves1");
    for (const char* name : {"LeftSideCurveCombo", "RightSideCurveCombo"}) {
        auto* box = find<QComboBox>(name);
        ASSERT_EQ(box->count(), 6) << name;
        QStringList tips;
        for (int shape = 0; shape < box->count(); ++shape) {
            const QString tip = box->itemData(shape, Qt::ToolTipRole).toString();
            EXPECT_FALSE(tip.isEmpty()) << name << shape;
            EXPECT_FALSE(tips.contains(tip)) << name << shape;
            tips << tip;
        }
        const char* starts[] = {"No fitted curve",
                                "Linear: the same gain at every level (ratio 1)",
                                "Compression from the soft-speech input",
                                "Compression from midway between soft and average",
                                "Compression from the average-speech input",
                                "Compression from midway between average and loud"};
        for (int shape = 0; shape < 6; ++shape)
            EXPECT_TRUE(tips[shape].startsWith(QLatin1String(starts[shape]))) << name << shape;
    }
    // The closed list says what the shape it shows is.
    find<QComboBox>("LeftSideCurveCombo")->setCurrentIndex(4);
    settle();
    EXPECT_TRUE(find<QComboBox>("LeftSideCurveCombo")
                    ->toolTip()
                    .startsWith("Compression from the average-speech input"));
    EXPECT_EQ(find<QComboBox>("RightSideCurveCombo")->toolTip(), "No fitted curve on this graph");
}

// The letter an "&" marks in a caption ("Fol&der..." gives D); none for "&&".
QChar altKeyOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

// Each Alt letter of a window with the captions that claim it: its buttons (not those
// that stand for an action), labels that lead to a field, group boxes and actions.
std::map<QChar, QStringList> altKeys(const QWidget* window) {
    QStringList captions;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const auto* tool = qobject_cast<const QToolButton*>(button);
        if (!tool || !tool->defaultAction())
            captions << button->text();
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy())
            captions << label->text();
    }
    for (const QGroupBox* box : window->findChildren<QGroupBox*>())
        captions << box->title();
    for (const QAction* action : window->findChildren<QAction*>()) {
        if (action->isVisible() && !action->menu())
            captions << action->text();
    }
    std::map<QChar, QStringList> keys;
    for (const QString& caption : captions) {
        if (const QChar key = altKeyOf(caption); !key.isNull())
            keys[key] << caption;
    }
    return keys;
}

QString lettersOf(const std::map<QChar, QStringList>& keys) {
    QString letters;
    for (const auto& [key, captions] : keys)
        letters += key;
    return letters;
}

TEST_F(EditorHabitsTest, NoDialogGivesOneAltKeyToTwoControls) {
    press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    TfmPatientList* list = patientList();
    ASSERT_NE(list, nullptr);
    ReportPreviewDialog preview(
        fmWinMain, 1, [](PrintTarget&, int) {}, true);
    HelpViewer help;
    QMenu* fileMenu = fmWinMain->menuBar()->actions().at(0)->menu();
    ASSERT_NE(fileMenu, nullptr);
    struct Case {
        const char* what;
        const QWidget* window;
        const char* letters; // every Alt letter the window gives, in order
    };
    const Case cases[] = {
        {"Patients", list, "DFO"},
        {"print selection", static_cast<const QWidget*>(fmSelectPrint), "OPV"},
        {"About", static_cast<const QWidget*>(fmAboutScreen), "O"},
        {"preview", &preview, "CIOPW"},
        {"help window", &help, "BCFI"},
        {"File menu", fileMenu, "AHLNPSTX"},
    };
    for (const Case& c : cases) {
        const std::map<QChar, QStringList> keys = altKeys(c.window);
        EXPECT_EQ(lettersOf(keys), QString::fromLatin1(c.letters)) << c.what;
        for (const auto& [key, captions] : keys)
            EXPECT_EQ(captions.size(), 1) << c.what << ": " << captions.join(", ").toStdString();
    }
}

TEST_F(EditorHabitsTest, AStatusNoteTooLongForTheBarWrapsAndStaysInTheBarsTip) {
    auto* bar = qobject_cast<NoteStatusBar*>(fmWinMain->statusBar());
    ASSERT_NE(bar, nullptr);
    const int oneLine = bar->height();
    statusNote(fmWinMain, QStringLiteral("Short"));
    settle();
    EXPECT_EQ(bar->noteLines(), 1);
    EXPECT_EQ(bar->height(), oneLine);
    EXPECT_EQ(bar->toolTip(), "Short");

    QString note = QStringLiteral("Right graph (3 KHz): the user curve's threshold 2 is below");
    while (bar->fontMetrics().horizontalAdvance(note) < 2 * bar->width())
        note += QStringLiteral(" threshold 1 and was stored as missing");
    statusNote(fmWinMain, note);
    settle();
    EXPECT_GE(bar->noteLines(), 2);
    EXPECT_GT(bar->height(), oneLine);
    EXPECT_EQ(bar->toolTip(), note);
    // Gone, the note leaves the bar as it was and stays in its tip.
    bar->clearMessage();
    settle();
    EXPECT_EQ(bar->height(), oneLine);
    EXPECT_EQ(bar->toolTip(), note);
}

} // namespace
