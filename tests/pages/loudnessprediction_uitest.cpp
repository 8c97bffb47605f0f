// Predicted levels never go silently out of date, through the real window: a committed
// threshold or UCL predicts its frequency again at once; levels it cannot replace are
// marked, and the curve page, the Overview and the print command name them; a level a
// prediction wrote is never asked about as measured; a UCL below its threshold
// predicts nothing. Expected levels are worked out from the prediction's tables.
#include "pages/loudnesspagetest.h"

#include <QPushButton>

#include <functional>

namespace {

using Kind = ScriptedDialogService::Kind;
using Row = std::array<int32_t, kCategoryCount>;
constexpr int k250 = 0, k500 = 1, k1000 = 2, k2000 = 3, k3000 = 4, k4000 = 5;
constexpr int kThr = 0, kVs = 1, kCss = 3, kUcl = 7;
constexpr int32_t E = kEmptyLevel;
const QColor kOutOfDate(196, 212, 240);
const QColor kGrey(230, 230, 230);

class LoudnessPredictionTest : public LoudnessPageFixture {
  protected:
    void SetUp() override {
        LoudnessPageFixture::SetUp();
        click("SpeedButton3");
    }

    // A new patient on the loudness page with the ear's level source chosen.
    static void newPatient(Ear ear, int source) {
        document.modified = false;
        trigger("New1");
        chooseSource(ear, source);
    }
    static Row stored(Ear ear, int frequency) {
        Row row;
        std::copy(std::begin(earLoudness(fitting, ear)[frequency]),
                  std::end(earLoudness(fitting, ear)[frequency]), row.begin());
        return row;
    }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    static std::string description(Ear ear, int column, int row) {
        return grid(ear)
            ->item(row, column)
            ->data(Qt::AccessibleDescriptionRole)
            .toString()
            .toStdString();
    }
};

// The scenarios of the slip corrected: each ear, both level sources, a threshold or a
// UCL, committed in each way the clinician leaves a cell.
TEST_F(LoudnessPredictionTest, ACommittedThresholdOrUclPredictsItsFrequencyAgainAtOnce) {
    struct Case {
        const char* way;
        Ear ear;
        int source, frequency;
        const char *thr, *ucl; // dB HL, as first typed
        int column;
        const char* corrected;
        std::function<void()> commit;
        Row expected;         // dB SPL
        const char* shownCss; // the CSS cell's text in the unit the grids show after
    };
    const Case cases[] = {
        // THR 80, UCL 98 dB HL predicted 84 .. 95 dB HL; THR 30 gives 44 .. 91.
        {"Enter",
         Ear::Right,
         2,
         k500,
         "80",
         "98",
         kThr,
         "30",
         [] { press(Qt::Key_Return); },
         {36, 50, 65, 74, 82, 90, 97, 104},
         "68"},
        // THR 35 predicted 47/59/67; THR 40 gives the worked example.
        {"a move down",
         Ear::Left,
         1,
         k1000,
         "35",
         nullptr,
         kThr,
         "40",
         [] { press(Qt::Key_Down); },
         {40, 51, 63, 70, 77, 83, 89, 94},
         "70"},
        {"the unit switch",
         Ear::Right,
         1,
         k250,
         "20",
         nullptr,
         kThr,
         "40",
         [] { click("SelectdBSPL"); },
         {55, 66, 78, 85, 92, 98, 104, 109},
         "85"},
        {"leaving the page",
         Ear::Left,
         2,
         k4000,
         "40",
         "90",
         kUcl,
         "100",
         [] { click("ClientInfoButton"); },
         {40, 52, 65, 73, 80, 88, 94, 100},
         "73"},
        {"a click on another row",
         Ear::Right,
         2,
         k2000,
         "60",
         "105",
         kThr,
         "40",
         [] { clickCell(grid(Ear::Right), kThr, k3000); },
         {43, 56, 70, 79, 87, 95, 102, 108},
         "76"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        newPatient(c.ear, c.source);
        typeInCell(grid(c.ear), kThr, c.frequency, c.thr);
        if (c.ucl)
            typeInCell(grid(c.ear), kUcl, c.frequency, c.ucl);
        click(c.ear == Ear::Right ? "RightInterpolateButton" : "LeftInterpolateButton");
        typeInCell(grid(c.ear), c.column, c.frequency, c.corrected);
        c.commit();
        EXPECT_EQ(stored(c.ear, c.frequency), c.expected);
        click("SpeedButton3");
        EXPECT_EQ(grid(c.ear)->cellText(kCss, c.frequency), c.shownCss);
        EXPECT_EQ(fillOf(grid(c.ear), kVs, c.frequency), kGrey) << "nothing out of date";
        EXPECT_EQ(stored(otherEar(c.ear), c.frequency), Row({E, E, E, E, E, E, E, E}));

        // A commit that changes nothing marks nothing.
        document.modified = false;
        grid(c.ear)->setFocus();
        grid(c.ear)->setCurrentCell(c.frequency, c.column);
        press(Qt::Key_Return);
        EXPECT_FALSE(document.modified);
        click("SelectdBHL");
    }
}

// A file whose levels are not what its thresholds predict: the right ear's 1 KHz still
// holds what THR 35 predicted under THR 40, the left ear's 2 KHz levels were typed by
// hand; the right ear's 3 KHz levels are what its THR 50 predicts.
TEST_F(LoudnessPredictionTest, LevelsAFileHoldsOutOfDateAreMarkedNamedAndAskedAbout) {
    FittingRecord record{};
    resetFitting(record, "01/02/2003");
    record.rightLevelSource = 1;
    record.leftLevelSource = 2;
    record.rightRangeLow = k1000;
    record.rightRangeHigh = k3000;
    const Row right1k = {40, 47, 59, 67, 74, 81, 87, 92},
              right3k = {53, 63, 73, 79, 85, 91, 96, 101},
              left2k = {43, 50, 60, 70, 80, 90, 100, 108};
    std::copy(right1k.begin(), right1k.end(), record.rightLoudness[k1000]);
    std::copy(right3k.begin(), right3k.end(), record.rightLoudness[k3000]);
    std::copy(left2k.begin(), left2k.end(), record.leftLoudness[k2000]);
    loadPatient(record);

    const std::string from35 =
        "Predicted from a threshold of 35 dB HL; press \"Predict intermediate levels\"";
    EXPECT_EQ(fillOf(grid(Ear::Right), kVs, k1000), kOutOfDate);
    EXPECT_EQ(tipOf(grid(Ear::Right), kUcl, k1000), from35);
    EXPECT_EQ(description(Ear::Right, kCss, k1000), from35);
    EXPECT_EQ(fillOf(grid(Ear::Right), kVs, k3000), kGrey);
    EXPECT_EQ(
        tipOf(grid(Ear::Left), kCss, k2000),
        "Not what the threshold and UCL at 2 KHz predict; press \"Predict intermediate levels\"");

    const QString rightNote = "Right Ear: the levels at 1 KHz are not what the threshold "
                              "predicts; see the Loudmap Data page.";
    const QString leftNote = "Left Ear: the levels at 2 KHz are not what the threshold and UCL "
                             "predict; see the Loudmap Data page.";
    click("EditCurveButton");
    EXPECT_EQ(note(), rightNote);
    click("ToggleEarButton");
    EXPECT_EQ(note(), leftNote);
    // Printing asks first: No goes back to the page, Yes goes on to the selection.
    for (const DialogAnswer answer : {DialogAnswer::No, DialogAnswer::Yes}) {
        script.clear();
        script.setNextAnswer(answer);
        click("PrintButton");
        const auto asked = script.shownOf(Kind::Question);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].caption, "Print");
        EXPECT_EQ(asked[0].text, "Left Ear: the levels at 2 KHz are not what the threshold and "
                                 "UCL predict (press \"Predict intermediate levels\" on the "
                                 "Loudmap Data page).\n\nPrint anyway?");
        EXPECT_EQ(script.shownOf(Kind::Modal).size(), answer == DialogAnswer::Yes ? 1u : 0u);
    }
    click("OverviewButton");
    EXPECT_EQ(note(), "Levels not what the thresholds predict: Right Ear 1 KHz; Left Ear 2 KHz. "
                      "See the Loudmap Data page.");
    EXPECT_TRUE(find<QWidget>("ShownLoudnessMap")
                    ->accessibleDescription()
                    .contains("; levels at 1 KHz not what the threshold predicts."));

    // What the file holds is not called measured; Yes replaces it.
    click("SpeedButton3");
    script.clear();
    script.setNextAnswer(DialogAnswer::Yes);
    click("RightInterpolateButton");
    const auto asked = script.shownOf(Kind::Question);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text,
              "The levels at 1 KHz are not what the threshold predicts. Replace them?");
    EXPECT_EQ(stored(Ear::Right, k1000), Row({40, 51, 63, 70, 77, 83, 89, 94}));
    EXPECT_EQ(stored(Ear::Right, k3000), right3k);
    EXPECT_EQ(fillOf(grid(Ear::Right), kVs, k1000), kGrey);
}

// Levels typed at 2 KHz, then the ear switched to predicted levels and predicted with
// Yes: from then on they are predicted levels, whatever the clinician does next.
TEST_F(LoudnessPredictionTest, ALevelAPredictionWroteIsNeverAskedAboutAsMeasured) {
    newPatient(Ear::Right, 0);
    const char* rightRow[] = {"50", "58", "66", "72", "80", "88", "96", "104"}; // dB HL
    const char* leftRow[] = {"35", "44", "52", "61", "70", "79", "86", "95"};
    for (int c = 0; c < kCategoryCount; ++c) {
        typeInCell(grid(Ear::Right), c, k2000, rightRow[c]);
        typeInCell(grid(Ear::Left), c, k500, leftRow[c]);
    }
    press(Qt::Key_Return);
    chooseSource(Ear::Right, 1);
    script.setNextAnswer(DialogAnswer::Yes);
    click("RightInterpolateButton");
    ASSERT_EQ(script.shownOf(Kind::Question).size(), 1u);
    EXPECT_EQ(stored(Ear::Right, k2000), Row({53, 63, 73, 79, 85, 91, 96, 101}));

    script.clear();
    typeInCell(grid(Ear::Right), kThr, k2000, "60");
    press(Qt::Key_Return);
    EXPECT_EQ(stored(Ear::Right, k2000), Row({63, 72, 80, 86, 91, 96, 100, 104}));
    click("RightInterpolateButton");
    // A while on measured levels does not make them measured.
    chooseSource(Ear::Right, 0);
    chooseSource(Ear::Right, 1);
    typeInCell(grid(Ear::Right), kThr, k2000, "50");
    press(Qt::Key_Return);
    click("RightInterpolateButton");
    EXPECT_EQ(stored(Ear::Right, k2000), Row({53, 63, 73, 79, 85, 91, 96, 101}));
    EXPECT_TRUE(script.shownOf(Kind::Question).empty());

    // The left ear's typed levels are in the way of its new threshold: they stay, marked.
    chooseSource(Ear::Left, 2);
    typeInCell(grid(Ear::Left), kThr, k500, "45");
    press(Qt::Key_Return);
    EXPECT_EQ(note(), "Left Ear, 500 Hz: the levels are not what the threshold and UCL predict, "
                      "but some count as measured, so they were not predicted again. Press "
                      "\"Predict intermediate levels\" to replace them.");
    EXPECT_EQ(stored(Ear::Left, k500), Row({51, 50, 58, 67, 76, 85, 92, 101}));
    EXPECT_EQ(fillOf(grid(Ear::Left), kCss, k500), kOutOfDate);
    EXPECT_EQ(description(Ear::Left, kVs, k500),
              "Not what the threshold and UCL at 500 Hz predict; press \"Predict intermediate "
              "levels\"");
    script.setNextAnswer(DialogAnswer::Yes);
    click("LeftInterpolateButton");
    EXPECT_EQ(script.shownOf(Kind::Question).size(), 1u);
    EXPECT_EQ(stored(Ear::Left, k500), Row({51, 61, 72, 79, 85, 91, 96, 101}));
}

TEST_F(LoudnessPredictionTest, AUclBelowItsThresholdPredictsNothingThereAndSaysWhy) {
    newPatient(Ear::Right, 2);
    typeInCell(grid(Ear::Right), kThr, k2000, "40");
    typeInCell(grid(Ear::Right), kUcl, k2000, "100");
    typeInCell(grid(Ear::Right), kThr, k4000, "60");
    typeInCell(grid(Ear::Right), kUcl, k4000, "10"); // a slip for 108
    press(Qt::Key_Return);
    const QString refused =
        "Right Ear, 4 KHz: the UCL is below the threshold, so no levels are predicted there.";
    EXPECT_EQ(note(), refused);
    click("RightInterpolateButton");
    EXPECT_EQ(note(), refused);
    EXPECT_EQ(stored(Ear::Right, k2000), Row({43, 55, 68, 76, 83, 91, 97, 103}));
    EXPECT_EQ(stored(Ear::Right, k4000), Row({60, E, E, E, E, E, E, 10}));

    // Corrected, the UCL predicts at once; slipped again, the levels stay, out of date.
    typeInCell(grid(Ear::Right), kUcl, k4000, "108");
    press(Qt::Key_Return);
    EXPECT_EQ(stored(Ear::Right, k4000), Row({60, 70, 80, 86, 91, 97, 103, 108}));
    typeInCell(grid(Ear::Right), kUcl, k4000, "10");
    press(Qt::Key_Return);
    EXPECT_EQ(stored(Ear::Right, k4000), Row({60, 70, 80, 86, 91, 97, 103, 10}));
    EXPECT_EQ(fillOf(grid(Ear::Right), kVs, k4000), kOutOfDate);
    EXPECT_EQ(tipOf(grid(Ear::Right), kVs, k4000),
              "Not predicted again: the UCL at 4 KHz is below the threshold");
}

} // namespace
