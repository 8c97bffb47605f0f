// The main window's keys and reach: the standard keys of the File menu, named in the
// menu and doing its commands wherever the focus is, and a page area that scrolls
// the control with the focus into view when the window is smaller than the page.
#include "app/helprequests.h"
#include "app/helpviewer.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include <filesystem>
#include <functional>

namespace {

using WindowKeysTest = ProgramFixture;

// The keys a menu item names: the text after the tab of its caption, or else its
// shortcut, as the menu shows them.
QString keysShown(const QAction* action) {
    const QString text = action->text();
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab >= 0 ? text.mid(tab + 1) : action->shortcut().toString(QKeySequence::NativeText);
}

void press(const QKeySequence& keys) {
    const QKeyCombination key = keys[0];
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

FittingRecord fileRecord(const std::string& path) {
    FittingRecord record{};
    LegacyImage legacy{};
    readPatientFile(path, record, legacy, "01/02/2003");
    return record;
}

std::string lastNameInFile(const std::string& path) {
    return std::filesystem::exists(path) ? readText(fileRecord(path).lastName) : "";
}

TEST_F(WindowKeysTest, EachStandardKeyIsNamedInItsMenuAndDoesItsCommand) {
    const std::string saved = startDir.file("KEYS.TAV");
    const std::string other = startDir.file("OTHER.TAV");
    FittingRecord baker{};
    resetFitting(baker, "01/02/2003");
    writeText(baker.lastName, "Baker");
    writePatientFile(other, baker);
    const auto lastName = [] { return find<QLineEdit>("EditLastName")->text(); };

    // Each case starts on a patient "Jones", typed and not saved.
    const struct {
        const char* action;
        const char* shown;
        QKeySequence key;
        std::function<void(ScriptedDialogService&)> answers;
        std::function<bool()> done;
    } cases[] = {
        {"New1", "Ctrl+N", QKeySequence(Qt::CTRL | Qt::Key_N),
         [](auto& s) { s.setNextAnswer(DialogAnswer::No); }, [&] { return lastName() == ""; }},
        {"Load1", "Ctrl+O", QKeySequence(Qt::CTRL | Qt::Key_O),
         [&](auto& s) {
             s.setNextAnswer(DialogAnswer::No);
             s.setNextFileName(QString::fromStdString(other));
         },
         [&] { return lastName() == "Baker"; }},
        {"Save1", "Ctrl+S", QKeySequence(Qt::CTRL | Qt::Key_S),
         [&](auto& s) { s.setNextFileName(QString::fromStdString(saved)); },
         [&] { return lastNameInFile(saved) == "Jones"; }},
        {"SaveAs1", "Ctrl+Shift+S", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         [&](auto& s) { s.setNextFileName(QString::fromStdString(saved)); },
         [&] { return lastNameInFile(saved) == "Jones"; }},
        {"Exit1", "Alt+X, Ctrl+Q", QKeySequence(Qt::CTRL | Qt::Key_Q),
         [](auto& s) { s.setNextAnswer(DialogAnswer::No); },
         [] { return !fmWinMain->isVisible(); }},
        {"Exit1", "Alt+X, Ctrl+Q", QKeySequence(Qt::ALT | Qt::Key_X),
         [](auto& s) { s.setNextAnswer(DialogAnswer::No); },
         [] { return !fmWinMain->isVisible(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key.toString().toStdString());
        restartProgram();
        std::filesystem::remove(saved);
        EXPECT_EQ(keysShown(find<QAction>(c.action)), c.shown);
        EXPECT_TRUE(find<QAction>(c.action)->shortcuts().contains(c.key));
        QTest::keyClicks(find<QLineEdit>("EditLastName"), "Jones");
        settle();
        c.answers(script);
        press(c.key);
        EXPECT_TRUE(c.done());
    }
}

// A key typed while a grid cell is being edited saves what the cell shows.
TEST_F(WindowKeysTest, SaveKeyInAnOpenCellEditorStoresTheCellFirst) {
    trigger("LOUDMAPData1");
    auto* grid = find<DataGrid>("LeftEarLOUDMAPDataGrid");
    typeInCell(grid, 0, 2, "45"); // 1 kHz threshold, dB HL
    ASSERT_EQ(QApplication::focusWidget(), grid->cellEditor());
    const std::string saved = startDir.file("CELL.TAV");
    script.setNextFileName(QString::fromStdString(saved));
    press(QKeySequence(Qt::CTRL | Qt::Key_S));
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(fileRecord(saved).leftLoudness[2][0], 45) << "1 kHz: HL and SPL agree";
}

// F1 stays the help key everywhere; the Help menu names it on the item that opens
// the same topic.
TEST_F(WindowKeysTest, TheHelpMenuNamesF1ForTheTopicOfThePageShown) {
    setApplicationHelpFile(QFileInfo(QStringLiteral(TAVIK_PROGRAM_PATH)).absolutePath() +
                           "/TAVIK.HLP");
    trigger("IOCurves1");
    EXPECT_EQ(keysShown(find<QAction>("PageHelp1")), "F1");
    trigger("PageHelp1");
    ASSERT_NE(helpViewer(), nullptr);
    EXPECT_EQ(helpViewer()->currentTopic(), "1031");
}

TEST_F(WindowKeysTest, APageLargerThanTheWindowScrollsToTheControlWithTheFocus) {
    auto* area = find<QScrollArea>("PageScrollArea");
    trigger("IOCurves1");
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0) << "the page fits: nothing scrolls";
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);

    // The window keeps its size; a wide panel docked beside the page area and a tall
    // status bar leave the area smaller than the page, as a large font scale on a
    // small screen does.
    auto* dock = new QDockWidget(fmWinMain);
    auto* filler = new QWidget(dock);
    filler->setFixedSize(380, 10);
    dock->setWidget(filler);
    fmWinMain->addDockWidget(Qt::RightDockWidgetArea, dock);
    fmWinMain->statusBar()->setFixedHeight(250);
    settle();
    // Each control the clinician tabs to comes into view, on the curve page and on the
    // patient page; what cannot take the focus (the curve page's input axis) lies
    // within the area that scrolls.
    const std::pair<const char*, const char*> controls[] = {
        {"IOCurves1", "ToggleEarButton"},
        {"IOCurves1", "PrintButton"},
        {"PatientInformation1", "EditID"},
        {"PatientInformation1", "EditTestDate"}};
    for (const auto& [page, name] : controls) {
        SCOPED_TRACE(name);
        trigger(page);
        settle();
        auto* control = find<QWidget>(name);
        const auto inView = [&] {
            const QRect place(control->mapTo(area->viewport(), QPoint(0, 0)), control->size());
            return area->viewport()->rect().contains(place);
        };
        // Scrolled to the far end from the control, so that it lies out of view.
        for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
            bar->setValue(0);
        if (inView()) {
            for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
                bar->setValue(bar->maximum());
        }
        ASSERT_FALSE(inView()) << "the control lies beyond the small window";
        control->setFocus(Qt::TabFocusReason);
        settle();
        EXPECT_TRUE(inView());
    }
    trigger("IOCurves1");
    settle();
    const QWidget* axis = find<QWidget>("Label1");
    const QRect axisPlace(axis->mapTo(area->widget(), QPoint(0, 0)), axis->size());
    EXPECT_TRUE(area->widget()->rect().contains(axisPlace));

    // Another page comes into view from its top-left corner.
    trigger("PatientInformation1");
    EXPECT_EQ(area->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(area->verticalScrollBar()->value(), 0);
}

} // namespace
