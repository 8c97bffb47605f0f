// The keys of data entry through the real window: a field the program focuses is
// typed over, and Enter and the arrows commit each number in the cell it was typed
// into, on both loudness grids and both user columns of the curve page.
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QLineEdit>

#include <functional>
#include <variant>
#include <vector>

namespace {

class GridKeysTest : public ProgramFixture {};

using Key = std::variant<const char*, Qt::Key>;

// Digits as typed, then a key that moves on.
void typeKeys(DataGrid* grid, const std::vector<Key>& keys) {
    for (const Key& key : keys) {
        if (std::holds_alternative<Qt::Key>(key))
            QTest::keyClick(grid->cellEditor(), std::get<Qt::Key>(key));
        else
            QTest::keyClicks(grid->cellEditor(), std::get<const char*>(key));
    }
}

struct KeysCase {
    const char* what;
    const char* pageButton;
    const char* grid;
    int column, row;
    std::vector<Key> keys;
    int columnAfter, rowAfter;
};

// The left ear takes every level, the right ear only its thresholds; the curve
// page's user columns are 2 (left graph) and 5 (right graph).
const KeysCase kKeysCases[] = {
    {"left ear, Left while typing",
     "SpeedButton3",
     "LeftEarLOUDMAPDataGrid",
     2,
     3,
     {"100", Qt::Key_Left, "88"},
     1,
     3},
    {"left ear, Right, then Enter",
     "SpeedButton3",
     "LeftEarLOUDMAPDataGrid",
     6,
     5,
     {"97", Qt::Key_Right, "120", Qt::Key_Return},
     7,
     5},
    {"right ear, Enter down the thresholds",
     "SpeedButton3",
     "RightEarLOUDMAPDataGrid",
     0,
     1,
     {"20", Qt::Key_Return, "35", Qt::Key_Enter},
     0,
     3},
    {"left user curve, Enter",
     "EditCurveButton",
     "DataEntryGrid",
     2,
     0,
     {"20", Qt::Key_Return, "50", Qt::Key_Return},
     2,
     2},
    {"right user curve, Left to the left one",
     "EditCurveButton",
     "DataEntryGrid",
     5,
     2,
     {"3", Qt::Key_Left, "1.5"},
     2,
     2},
};

// The program puts the focus on a field as a page or a file is shown: what is typed
// then replaces the field's text rather than joining it.
TEST_F(GridKeysTest, TypingReplacesTheTextOfAFieldTheProgramFocuses) {
    TempDir files;
    FittingRecord other{};
    resetFitting(other, "01/02/2003");
    writeText(other.lastName, "Brown");
    writePatientFile(files.file("other.TAV"), other);
    writeText(fitting.lastName, "Smith");
    fmClientInfo->loadPatientPage();
    const struct {
        const char* what;
        std::function<void()> show;
        const char* field;
    } cases[] = {
        {"the patient page shown again", [] { click("SpeedButton3"), click("ClientInfoButton"); },
         "EditLastName"},
        {"a file loaded",
         [&] {
             script.setNextAnswer(DialogAnswer::No);
             script.setNextFileName(QString::fromStdString(files.file("other.TAV")));
             chooseFromMenu(Qt::Key_F, Qt::Key_L);
             returnToMainWindow();
         },
         "EditLastName"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.show();
        settle();
        auto* field = find<QLineEdit>(c.field);
        ASSERT_TRUE(field->hasFocus());
        const QString before = field->text();
        EXPECT_FALSE(before.isEmpty());
        QTest::keyClicks(field, "Jones");
        EXPECT_EQ(field->text(), "Jones") << "was " << before.toStdString();
    }
}

// Keys as a clinician types them: the numbers stored are the ones meant, never two
// run together.
TEST_F(GridKeysTest, EnterAndTheArrowsCommitEachNumberWhereItWasTyped) {
    fitting.rightLevelSource = 1;
    fitting.leftLevelSource = 0;
    fmClientInfo->loadPatientPage();
    for (const KeysCase& c : kKeysCases) {
        SCOPED_TRACE(c.what);
        click(c.pageButton);
        DataGrid* grid = find<DataGrid>(c.grid);
        typeInCell(grid, c.column, c.row, "");
        typeKeys(grid, c.keys);
        EXPECT_EQ(std::pair(grid->currentColumn(), grid->currentRow()),
                  std::pair(c.columnAfter, c.rowAfter));
        click("ClientInfoButton");
    }
    // Stored in dB SPL: 2 KHz and 500 Hz lie 3 and 6 dB above dB HL, 4 KHz and 1 KHz
    // not at all.
    EXPECT_EQ(fitting.leftLoudness[3][2], 103);
    EXPECT_EQ(fitting.leftLoudness[3][1], 91);
    EXPECT_EQ(fitting.leftLoudness[5][6], 97);
    EXPECT_EQ(fitting.leftLoudness[5][7], 120);
    EXPECT_EQ(fitting.rightLoudness[1][0], 26);
    EXPECT_EQ(fitting.rightLoudness[2][0], 35);
    // The curve page's graphs show 500 Hz and 3 KHz for a new patient.
    const CurveParams& left = fitting.aidSettings[0][1].curve;
    EXPECT_EQ(left.gainAt50, 20.0f);
    EXPECT_EQ(left.threshold1, 50.0f);
    EXPECT_EQ(left.ratio1, 1.5f);
    EXPECT_EQ(fitting.aidSettings[0][4].curve.ratio1, 3.0f);
}

} // namespace
