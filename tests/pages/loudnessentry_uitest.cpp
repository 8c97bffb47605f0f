// Loudness levels a clinician can trust, through the real window: levels no
// audiometer gives are refused where they are typed and never reach the record,
// levels from files are kept and marked, and a prediction asks before it replaces
// measured levels.
#include "model/patientfile.h"
#include "pages/loudnesspagetest.h"

#include <cstring>

namespace {

constexpr int k250 = 0, k500 = 1, k1000 = 2, k2000 = 3, k4000 = 5;
constexpr int kThr = 0, kVs = 1, kS = 2, kCss = 3, kC = 4, kLok = 6, kUcl = 7;
constexpr int32_t E = kEmptyLevel;

class LoudnessEntryTest : public LoudnessPageFixture {
  protected:
    void SetUp() override {
        LoudnessPageFixture::SetUp();
        // Different levels on each ear and frequency, in dB SPL.
        fitting.rightLoudness[k1000][kUcl] = 100;
        fitting.rightLoudness[k250][kThr] = 40;
        fitting.leftLoudness[k2000][kVs] = 63;
        fitting.leftLoudness[k4000][kThr] = 35;
        markSaved(); // as a file holding them would be
        click("SpeedButton3");
    }

    // The page is still shown in dB HL, its editor on the cell with the text typed.
    static void expectStillInCell(Ear ear, int column, int row, const char* typed) {
        EXPECT_TRUE(fmPage2->isVisible());
        EXPECT_EQ(fitting.showInHL, 1);
        EXPECT_TRUE(find<QAbstractButton>("SelectdBHL")->isChecked());
        EXPECT_EQ(std::pair(grid(ear)->currentColumn(), grid(ear)->currentRow()),
                  std::pair(column, row));
        ASSERT_NE(grid(ear)->cellEditor(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), grid(ear)->cellEditor());
        EXPECT_EQ(grid(ear)->cellEditor()->text(), typed);
    }
};

TEST_F(LoudnessEntryTest, ATextThatIsNoLevelKeepsTheClinicianInItsCellWhateverTheWayOut) {
    TempDir files;
    const std::string saved = files.file("kept.TAV");
    struct Case {
        const char* way;
        Ear ear;
        int column, row;
        const char* typed;
        std::function<void()> leave;
        const char* note;
        std::size_t errors = 0, confirms = 0; // message boxes: Save says so in one too
    };
    const Case cases[] = {
        {"Enter", Ear::Right, kUcl, k1000, "45100",
         [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
         "Right Ear, 1 KHz, UCL: 45100 dB HL is no level an audiometer gives. Type a level "
         "from -10 to 130 dB HL, or leave the cell empty."},
        {"a click on another cell", Ear::Left, kThr, k250, "131",
         [] { clickCell(grid(Ear::Left), kThr, k500); },
         "Left Ear, 250 Hz, THR: 131 dB HL is no level an audiometer gives. Type a level from "
         "-10 to 130 dB HL, or leave the cell empty."},
        {"Tab", Ear::Right, kS, k500, "5-5",
         [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); },
         "Right Ear, 500 Hz, S: \"5-5\" is not a whole number."},
        {"another page", Ear::Right, kS, k500, "-", [] { click("ClientInfoButton"); },
         "Right Ear, 500 Hz, S: \"-\" is not a whole number."},
        {"the unit switch", Ear::Left, kThr, k2000, "-11", [] { click("SelectdBSPL"); },
         "Left Ear, 2 KHz, THR: -11 dB HL is no level"},
        {"a prediction", Ear::Left, kThr, k4000, "999", [] { click("LeftInterpolateButton"); },
         "Left Ear, 4 KHz, THR: 999 dB HL"},
        {"Save", Ear::Right, kC, k4000, "1234567890123456789", [] { trigger("Save1"); },
         "Right Ear, 4 KHz, C: 1234567890123456789 dB HL", 1},
        {"Exit, saving first", Ear::Left, kThr, k1000, "200",
         [this] {
             script.setNextAnswer(DialogAnswer::Yes);
             fmWinMain->close();
         },
         "Left Ear, 1 KHz, THR: 200 dB HL", 1, 1},
        {"New", Ear::Right, kLok, k500, "-99", [] { trigger("New1"); },
         "Right Ear, 500 Hz, LOK: -99 dB HL"},
    };
    fitting.leftLevelSource = 1; // the left prediction button is enabled; THR only
    click("ClientInfoButton");
    click("SpeedButton3");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        document.currentFilePath = saved;
        document.modified = true;
        script.clear();
        typeInCell(grid(c.ear), c.column, c.row, c.typed);
        // Moving here committed the cell the case before emptied.
        const FittingRecord before = fitting;
        c.leave();
        settle();
        EXPECT_TRUE(note().startsWith(QString::fromLatin1(c.note))) << note().toStdString();
        expectStillInCell(c.ear, c.column, c.row, c.typed);
        EXPECT_EQ(std::memcmp(&before, &fitting, sizeof fitting), 0) << "the record is untouched";
        EXPECT_FALSE(std::filesystem::exists(saved));
        EXPECT_TRUE(fmWinMain->isVisible());
        EXPECT_EQ(script.shownOf(ScriptedDialogService::Kind::Confirm).size(), c.confirms);
        EXPECT_EQ(script.shownOf(ScriptedDialogService::Kind::Error).size(), c.errors);
        grid(c.ear)->cellEditor()->clear();
    }
}

// Both ends of the range are taken, in either unit; an emptied cell clears its level.
TEST_F(LoudnessEntryTest, BothEndsOfTheRangeAreTakenInEitherUnit) {
    typeInCell(grid(Ear::Right), kUcl, k250, "130");
    typeInCell(grid(Ear::Right), kThr, k1000, "-10");
    typeInCell(grid(Ear::Right), kUcl, k1000, "");
    click("SelectdBSPL");
    typeInCell(grid(Ear::Left), kThr, k250, "5");
    typeInCell(grid(Ear::Left), kThr, k500, "136");
    click("ClientInfoButton");
    EXPECT_EQ(fitting.rightLoudness[k250][kUcl], 145);
    EXPECT_EQ(fitting.rightLoudness[k1000][kThr], -10);
    EXPECT_EQ(fitting.rightLoudness[k1000][kUcl], E);
    EXPECT_EQ(fitting.leftLoudness[k250][kThr], 5);
    EXPECT_EQ(fitting.leftLoudness[k500][kThr], 136);
}

TEST_F(LoudnessEntryTest, ClosingWithoutSavingStoresNoRefusedText) {
    typeInCell(grid(Ear::Right), kUcl, k1000, "45100");
    script.setNextAnswer(DialogAnswer::No);
    EXPECT_TRUE(closeProgram());
    EXPECT_EQ(fitting.rightLoudness[k1000][kUcl], 100);
}

TEST_F(LoudnessEntryTest, LevelsFromAFileAreKeptAsStoredAndMarked) {
    fitting.rightLoudness[k1000][kUcl] = 45100;
    fitting.rightLoudness[k250][kThr] = INT32_MIN;
    fitting.leftLoudness[k500][kC] = INT32_MAX;
    fitting.leftLoudness[k2000][kCss] = 50; // lower than VS (63 dB SPL, 60 dB HL)
    fmPage2->loadLoudnessPage();
    EXPECT_EQ(grid(Ear::Right)->cellText(kUcl, k1000), "45100");
    EXPECT_EQ(grid(Ear::Right)->cellText(kThr, k250), "-2147483663");
    EXPECT_EQ(grid(Ear::Left)->cellText(kC, k500), "2147483641");

    const FittingRecord before = fitting;
    click("SelectdBSPL");
    EXPECT_EQ(grid(Ear::Right)->cellText(kThr, k250), "-2147483648");
    click("SelectdBHL");
    click("ClientInfoButton");
    EXPECT_EQ(std::memcmp(&before, &fitting, sizeof fitting), 0) << "nothing changed unasked";

    click("SpeedButton3");
    EXPECT_EQ(fillOf(grid(Ear::Right), kUcl, k1000), QColor(255, 196, 196));
    EXPECT_EQ(tipOf(grid(Ear::Right), kUcl, k1000),
              "Outside -10 to 130 dB HL, the levels an audiometer gives");
    EXPECT_EQ(fillOf(grid(Ear::Left), kCss, k2000), QColor(255, 222, 173));
    EXPECT_EQ(tipOf(grid(Ear::Left), kCss, k2000), "Lower than VS (60 dB HL) at 2 KHz");

    // Marks follow what is typed: the VS typed lower than the CSS marks the VS no more
    // but the S typed after it, in grey where the level is predicted.
    typeInCell(grid(Ear::Left), kVs, k2000, "40");
    EXPECT_EQ(tipOf(grid(Ear::Left), kCss, k2000), "");
    QTest::keyClick(grid(Ear::Left)->cellEditor(), Qt::Key_Right);
    QTest::keyClicks(grid(Ear::Left)->cellEditor(), "30");
    EXPECT_EQ(tipOf(grid(Ear::Left), kS, k2000), "Lower than VS (40 dB HL) at 2 KHz");
    EXPECT_EQ(grid(Ear::Left)->cellEditor()->accessibleDescription(),
              "Lower than VS (40 dB HL) at 2 KHz");
    EXPECT_EQ(grid(Ear::Left)->cellEditor()->text(), "30") << "the mark leaves the text as typed";
    QTest::keyClick(grid(Ear::Left)->cellEditor(), Qt::Key_Return);
    // Predicted now, the grey levels of a row without a threshold are out of date: a
    // mark of their own that says why, over the lower-than mark.
    chooseSource(Ear::Left, 1);
    EXPECT_EQ(fillOf(grid(Ear::Left), kS, k2000), QColor(196, 212, 240));
    EXPECT_EQ(tipOf(grid(Ear::Left), kS, k2000),
              "Nothing to predict these from: no threshold at 2 KHz");
    EXPECT_EQ(fillOf(grid(Ear::Left), kVs, k4000), QColor(196, 212, 240))
        << "4 KHz has a threshold and no levels predicted from it";
    EXPECT_EQ(tipOf(grid(Ear::Left), kUcl, k4000),
              "Not what the threshold at 4 KHz predicts; press \"Predict intermediate levels\"");
}

TEST_F(LoudnessEntryTest, AClickOnAPredictedCellSaysWhyItTakesNothing) {
    fitting.rightLevelSource = 1;
    fitting.leftLevelSource = 2;
    click("ClientInfoButton");
    click("SpeedButton3");
    clickCell(grid(Ear::Right), kCss, k1000);
    EXPECT_EQ(note(), "Right Ear, 1 KHz, CSS is predicted from the threshold; type the threshold "
                      "and press \"Predict intermediate levels\".");
    clickCell(grid(Ear::Left), kVs, k4000);
    EXPECT_EQ(note(), "Left Ear, 4 KHz, VS is predicted from the threshold and UCL; type them "
                      "and press \"Predict intermediate levels\".");
}

// A full 500 Hz row measured, then the ear switched to predicted
// levels and "Predict intermediate levels" pressed.
TEST_F(LoudnessEntryTest, APredictionAsksBeforeItReplacesMeasuredLevels) {
    const char* rightRow[] = {"40", "50", "58", "66", "72", "80", "88", "96"}; // dB HL
    const char* leftRow[] = {"35", "44", "52", "61", "70", "79", "86", "95"};
    struct Case {
        DialogAnswer answer;
        int32_t rightVs; // stored at 500 Hz after the click
        int32_t rightUcl;
    };
    // THR 40 dB HL predicts VS 51, UCL 94 dB HL: 57 and 100 dB SPL at 500 Hz.
    const Case cases[] = {{DialogAnswer::No, 56, 102}, {DialogAnswer::Yes, 57, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer == DialogAnswer::Yes ? "Yes" : "No");
        document.modified = false;
        trigger("New1");
        click("SpeedButton3");
        for (int col = 0; col < kCategoryCount; ++col) {
            typeInCell(grid(Ear::Right), col, k500, rightRow[col]);
            typeInCell(grid(Ear::Left), col, k500, leftRow[col]);
        }
        typeInCell(grid(Ear::Right), kThr, k2000, "20");
        chooseSource(Ear::Right, 1);
        script.clear();
        script.setNextAnswer(c.answer);
        click("RightInterpolateButton");

        const auto questions = script.shownOf(ScriptedDialogService::Kind::Question);
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0].caption, "Confirm");
        EXPECT_EQ(questions[0].text,
                  "The levels at 500 Hz are not what the threshold predicts. Replace them?");
        EXPECT_EQ(fitting.rightLoudness[k500][kThr], 46);
        EXPECT_EQ(fitting.rightLoudness[k500][kVs], c.rightVs);
        EXPECT_EQ(fitting.rightLoudness[k500][kUcl], c.rightUcl);
        EXPECT_EQ(grid(Ear::Right)->cellText(kVs, k500), QString::number(c.rightVs - 6));
        // No predicts nothing, not even where nothing was measured.
        EXPECT_EQ(fitting.rightLoudness[k2000][kVs], c.answer == DialogAnswer::Yes ? 37 : E);
        EXPECT_EQ(fitting.leftLoudness[k500][kVs], 50) << "the other ear is untouched";
        EXPECT_EQ(fitting.leftLoudness[k500][kUcl], 101);

        // A second press asks only while measured levels would still be replaced.
        script.clear();
        script.setNextAnswer(DialogAnswer::No);
        click("RightInterpolateButton");
        EXPECT_EQ(script.shownOf(ScriptedDialogService::Kind::Question).size(),
                  c.answer == DialogAnswer::Yes ? 0u : 1u);
    }
}

TEST_F(LoudnessEntryTest, AFileWhoseGreyLevelsAreAnEarlierPredictionDoesNotAsk) {
    FittingRecord record{};
    resetFitting(record, "01/02/2003");
    record.leftLevelSource = 1;
    record.rightLevelSource = 1;
    record.leftLoudness[k1000][kThr] = 40; // predicted as 51 63 70 77 83 89 94
    const int32_t predictedLeft[] = {40, 51, 63, 70, 77, 83, 89, 94};
    std::copy(std::begin(predictedLeft), std::end(predictedLeft), record.leftLoudness[k1000]);
    record.rightLoudness[k250][kThr] = 55;
    record.rightLoudness[k250][kCss] = 70; // not what THR 55 predicts (85)
    loadPatient(record);

    script.clear();
    click("LeftInterpolateButton");
    EXPECT_TRUE(script.shownOf(ScriptedDialogService::Kind::Question).empty());
    script.setNextAnswer(DialogAnswer::No);
    click("RightInterpolateButton");
    const auto questions = script.shownOf(ScriptedDialogService::Kind::Question);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text,
              "The levels at 250 Hz are not what the threshold predicts. Replace them?");
    EXPECT_EQ(fitting.rightLoudness[k250][kCss], 70);
}

} // namespace
