// Undo and Redo through the real window: every kind of change to the patient, the
// modified mark after undoing back to the file, and Ctrl+Z inside an open cell.
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include <functional>

namespace {

using Kind = ScriptedDialogService::Kind;

class UndoTest : public ProgramFixture {
  protected:
    // A patient whose ears differ: the right ear predicts from its thresholds, the
    // left is measured; each frequency holds its own levels.
    void loadPatient() {
        FittingRecord record{};
        resetFitting(record, "01/02/2003");
        writeText(record.lastName, "Jones");
        record.rightLevelSource = 1;
        record.rightAidStyle = 2;
        record.showInHL = 0;
        for (int f = 0; f < kFrequencyCount; ++f) {
            record.rightLoudness[f][0] = 40.0f + 5 * f;
            for (int c = 0; c < kCategoryCount; ++c)
                record.leftLoudness[f][c] = 30.0f + 7 * c + 2 * f;
        }
        path = files.file("JONES.TAV");
        writePatientFile(path, record);
        script.setNextFileName(QString::fromStdString(path));
        click("LoadFileSpeedButton");
    }

    std::vector<uint8_t> savedBytes() {
        trigger("Save1");
        return readBytes(path);
    }

    static QString shownPage() {
        for (const Page& page : fmWinMain->pages()) {
            if (page.isShown())
                return page.form->objectName();
        }
        return {};
    }

    static void choose(const char* comboName, int index) {
        auto* combo = find<QComboBox>(comboName);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        settle();
    }

    static void enterInCell(const char* gridName, int column, int row, const QString& keys) {
        auto* grid = find<DataGrid>(gridName);
        typeInCell(grid, column, row, keys);
        QTest::keyClick(grid->cellEditor(), Qt::Key_Return);
        settle();
    }

    TempDir files;
    std::string path;
};

struct Edit {
    const char* label; // the step as the Edit menu names it
    const char* page;  // the page Undo goes back to
    const char* field; // and the field it makes current
    std::function<void()> make;
    const char* ear = nullptr; // the curve page's ear Undo shows, where it matters
};

TEST_F(UndoTest, EachChangeUndoesToTheFileAndRedoesToTheChange) {
    const Edit edits[] = {
        {"First Name", "fmClientInfo", "EditFirstName",
         [] {
             auto* edit = find<QLineEdit>("EditFirstName");
             edit->setFocus();
             QTest::keyClicks(edit, "Ann");
             QTest::keyClick(edit, Qt::Key_Return);
         }},
        {"Left Ear hearing aid type", "fmClientInfo", "LeftHATypeComboBox",
         [] { choose("LeftHATypeComboBox", 3); }},
        {"Left Ear level source", "fmClientInfo", "LLLeftEar3", [] { click("LLLeftEar3"); }},
        {"Left Ear, 1 KHz, C", "fmPage2", "LeftEarLOUDMAPDataGrid",
         [] {
             click("SpeedButton3");
             enterInCell("LeftEarLOUDMAPDataGrid", 4, 2, "71");
         }},
        {"Predict intermediate levels", "fmPage2", "RightInterpolateButton",
         [] {
             click("SpeedButton3");
             click("RightInterpolateButton");
         }},
        {"unit", "fmPage2", "SelectdBHL",
         [] {
             click("SpeedButton3");
             click("SelectdBHL");
         }},
        {"Left Ear, Display Frequencies, Right Graph", "fmPage2", "LeftEarRightFreqComboBox",
         [] {
             click("SpeedButton3");
             choose("LeftEarRightFreqComboBox", 5);
         }},
        {"curve choice", "fmCurveEdit", "RightSideCurveCombo",
         [] {
             trigger("IOCurves1");
             choose("RightSideCurveCombo", 2);
         }},
        // On the left ear, with the right ear shown when Undo is chosen.
        {"Left Ear, Right graph, 3000 Hz (user), Comp. Ratio 1", "fmCurveEdit", "DataEntryGrid",
         [] {
             trigger("IOCurves1");
             click("ToggleEarButton");
             enterInCell("DataEntryGrid", 5, 2, "2.5");
             click("ToggleEarButton");
         },
         " LEFT EAR"},
        {"aid choice", "fmCurveEdit", "LeftSideHAidCombo",
         [] {
             trigger("IOCurves1");
             choose("LeftSideHAidCombo", 4);
         }},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.label);
        loadPatient();
        const std::vector<uint8_t> before = readBytes(path);
        edit.make();
        settle();
        EXPECT_EQ(find<QAction>("Undo1")->text(), QStringLiteral("&Undo ") + edit.label);
        const std::vector<uint8_t> after = savedBytes();
        ASSERT_NE(after, before);

        click("NewFileSpeedButton"); // another page shown when Undo is chosen
        loadPatient();
        edit.make();
        trigger("Overview1");
        trigger("Undo1");
        EXPECT_EQ(shownPage(), edit.page);
        QWidget* focus = QApplication::focusWidget(); // a grid's cell editor is its child
        while (focus && focus->objectName() != edit.field)
            focus = focus->parentWidget();
        EXPECT_NE(focus, nullptr);
        if (edit.ear)
            EXPECT_EQ(find<QLabel>("EarLabel")->text(), edit.ear);
        EXPECT_FALSE(document.modified);
        EXPECT_EQ(savedBytes(), before);
        EXPECT_EQ(find<QAction>("Redo1")->text(), QStringLiteral("&Redo ") + edit.label);
        trigger("Redo1");
        EXPECT_EQ(savedBytes(), after);
    }
}

TEST_F(UndoTest, UndoingBackToTheFileClearsTheMarkAndExitAsksNothing) {
    loadPatient();
    auto* lastName = find<QLineEdit>("EditLastName");
    QTest::keyClicks(lastName, "s");
    QTest::keyClick(lastName, Qt::Key_Tab);
    click("SpeedButton3");
    enterInCell("RightEarLOUDMAPDataGrid", 0, 5, "66");
    settle();
    EXPECT_EQ(modifiedPanel(), " Modified");

    trigger("Undo1");
    trigger("Undo1");
    EXPECT_EQ(lastName->text(), "Jones");
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(modifiedPanel(), "");
    EXPECT_FALSE(find<QAction>("Undo1")->isEnabled());
    EXPECT_EQ(find<QAction>("Redo1")->text(), "&Redo Last Name");
    EXPECT_TRUE(closeProgram());
    EXPECT_TRUE(script.shownOf(Kind::Confirm).empty());
}

// Save keeps the steps; New starts afresh. Return in a field, or a level typed again
// as the cell held it, changes nothing.
TEST_F(UndoTest, SaveKeepsTheHistoryNewClearsItAndRetypingMarksNothing) {
    loadPatient();
    auto* lastName = find<QLineEdit>("EditLastName");
    QTest::keyClick(lastName, Qt::Key_Return);
    settle();
    EXPECT_EQ(notifications.count, 0);
    click("SpeedButton3");
    enterInCell("LeftEarLOUDMAPDataGrid", 7, 5, "89");
    settle();
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(modifiedPanel(), "");
    EXPECT_FALSE(find<QAction>("Undo1")->isEnabled());

    enterInCell("LeftEarLOUDMAPDataGrid", 7, 5, "90");
    savedBytes();
    EXPECT_EQ(find<QAction>("Undo1")->text(), "&Undo Left Ear, 4 KHz, UCL");
    click("NewFileSpeedButton");
    EXPECT_FALSE(find<QAction>("Undo1")->isEnabled());
    EXPECT_EQ(find<QAction>("Undo1")->text(), "&Undo");
}

// As in a spreadsheet: the keys typed into the open cell go first, then the levels
// committed before it.
TEST_F(UndoTest, CtrlZInAnOpenCellUndoesItsTypingFirst) {
    loadPatient();
    click("SpeedButton3");
    enterInCell("LeftEarLOUDMAPDataGrid", 2, 0, "47");
    auto* grid = find<DataGrid>("LeftEarLOUDMAPDataGrid");
    typeInCell(grid, 3, 1, "9");
    QLineEdit* editor = grid->cellEditor();
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), "53");
    EXPECT_EQ(fitting.leftLoudness[0][2], 47.0f);

    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_EQ(fitting.leftLoudness[0][2], 44.0f);
    EXPECT_EQ(fitting.leftLoudness[1][3], 53.0f);
    EXPECT_EQ(grid->cellText(2, 0), "44");
    EXPECT_EQ(grid->currentColumn(), 2);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_FALSE(document.modified);
}

// Undo chosen from the menu while a field still holds typing not yet left: the typing
// is a step of its own, taken back first, and the change before it stays.
TEST_F(UndoTest, UndoFromTheMenuTakesBackTypingNotYetLeftAsAStepOfItsOwn) {
    loadPatient();
    choose("LeftHATypeComboBox", 3);
    auto* firstName = find<QLineEdit>("EditFirstName");
    firstName->setFocus();
    QTest::keyClicks(firstName, "Ann");
    trigger("Undo1");
    EXPECT_EQ(firstName->text(), "");
    EXPECT_EQ(find<QComboBox>("LeftHATypeComboBox")->currentIndex(), 3);
    EXPECT_EQ(fitting.leftAidStyle, 3);
    EXPECT_EQ(find<QAction>("Redo1")->text(), "&Redo First Name");
    trigger("Redo1");
    EXPECT_EQ(firstName->text(), "Ann");
}

// A text the page refused never reached the record: Ctrl+Z in its cell puts back
// the value stored there, clears the note and leaves the history as it was.
TEST_F(UndoTest, CtrlZOnARefusedTextPutsTheStoredValueBack) {
    struct Case {
        const char* pageAction;
        const char* grid;
        int column;
        int row;
        const char* first; // a value stored in the cell before, or none
        const char* typed;
        const char* stored; // the cell's text again after Ctrl+Z
    };
    const Case cases[] = {
        {"LOUDMAPData1", "LeftEarLOUDMAPDataGrid", 6, 4, nullptr, "200", "80"},
        {"LOUDMAPData1", "RightEarLOUDMAPDataGrid", 0, 1, nullptr, "-30", "45"},
        {"IOCurves1", "DataEntryGrid", 5, 2, "2.5", "99", "2.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grid);
        loadPatient();
        trigger(c.pageAction);
        if (c.first)
            enterInCell(c.grid, c.column, c.row, c.first);
        const std::vector<uint8_t> before = savedBytes();
        const QString undoText = find<QAction>("Undo1")->text();
        enterInCell(c.grid, c.column, c.row, c.typed);
        auto* grid = find<DataGrid>(c.grid);
        ASSERT_EQ(grid->cellText(c.column, c.row), c.typed);
        ASSERT_FALSE(fmWinMain->statusBar()->currentMessage().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        settle();
        EXPECT_EQ(grid->cellText(c.column, c.row), c.stored);
        EXPECT_EQ(fmWinMain->statusBar()->currentMessage(), "");
        EXPECT_FALSE(document.modified);
        EXPECT_EQ(find<QAction>("Undo1")->text(), undoText);
        EXPECT_EQ(savedBytes(), before);
    }
}

} // namespace
