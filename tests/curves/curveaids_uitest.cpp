// One aid per ear and choices kept as stored, through the real window: choosing an
// aid sets it at all six frequencies of the ear, a file of several aids per ear or of
// choices outside the lists is shown and written back as it was until the clinician
// chooses, and the status bar says what the lists cannot show.
#include "curves/curvepagetest.h"

#include "curves/earaids.h"
#include "model/textslot.h"
#include "overview/overviewchart.h"

namespace {

constexpr int kLeftEar = 1;

QString statusText() {
    return fmWinMain->statusBar()->currentMessage();
}

std::array<int32_t, kFrequencyCount> aidsOf(const FittingRecord& r, int ear) {
    std::array<int32_t, kFrequencyCount> aids{};
    for (int f = 0; f < kFrequencyCount; ++f)
        aids[static_cast<std::size_t>(f)] = r.aidSettings[ear][f].aidChoice;
    return aids;
}

class CurveAidsTest : public CurvePageTest {
  protected:
    // HA-1 and HA-2 are linear below 90 dB with a gain of their own at each frequency;
    // the left ear's graphs are at 1 and 4 KHz.
    void SetUp() override {
        CurvePageTest::SetUp();
        for (int f = 0; f < kFrequencyCount; ++f) {
            aidDatabase.aidData[0][f] = {31.0f + f, 90, 0, 2, 100, 0, 2, 130};
            aidDatabase.aidData[1][f] = {11.0f + f, 90, 0, 2, 100, 0, 2, 130};
        }
        leavePage();
        fitting.leftRangeLow = k1000;
        fitting.leftRangeHigh = k4000;
    }

    static void showLeftEar() {
        showCurvePage();
        click("ToggleEarButton");
    }

    static QString aidShown(const char* combo) { return find<QComboBox>(combo)->currentText(); }
};

TEST_F(CurveAidsTest, ChoosingAnAidSetsItAtAllSixFrequenciesOfThatEar) {
    for (int f = 0; f < kFrequencyCount; ++f)
        fitting.aidSettings[kRightEar][f].aidChoice = f % 2 == 0 ? 4 : 5;
    showLeftEar();
    choose("LeftSideHAidCombo", 1);
    EXPECT_EQ(aidsOf(fitting, kLeftEar), (std::array<int32_t, 6>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(aidsOf(fitting, kRightEar), (std::array<int32_t, 6>{4, 5, 4, 5, 4, 5}))
        << "the other ear keeps its aids";

    // The Overview's gain chart plots HA-2 at every frequency: its gain for average
    // speech is the gain at 50 dB, 11 to 16 dB.
    const GainTable table = gainTable(fitting, aidDatabase, Ear::Left);
    for (int f = 0; f < kFrequencyCount; ++f) {
        ASSERT_TRUE(table.curve[2][1][f].has_value()) << f;
        EXPECT_DOUBLE_EQ(*table.curve[2][1][f], 11.0 + f) << f;
    }
    EXPECT_EQ(table.oneAid, "HA-2");
    EXPECT_EQ(table.aidsByFrequency, "");

    // Another pair of graph frequencies shows the same aid in both lists.
    leavePage();
    fitting.leftRangeLow = 1;
    showLeftEar();
    EXPECT_EQ(aidShown("LeftSideHAidCombo"), "HA-2");
    EXPECT_EQ(aidShown("RightSideHAidCombo"), "HA-2");
    EXPECT_EQ(cell(3, 0), "12") << "HA-2's curve at 500 Hz";
    EXPECT_EQ(cell(6, 0), "16") << "HA-2's curve at 4 KHz";
}

TEST_F(CurveAidsTest, AFileOfSeveralAidsPerEarIsShownAndKeptAsStoredUntilTheClinicianChooses) {
    const std::array<int32_t, 6> stored{0, 1, 2, 2, 4, 5};
    for (int f = 0; f < kFrequencyCount; ++f)
        fitting.aidSettings[kLeftEar][f].aidChoice = stored[static_cast<std::size_t>(f)];
    const std::string path = files.file("MIXED.TAV");
    saveAs(path);
    load(path);
    showLeftEar();
    EXPECT_EQ(aidShown("LeftSideHAidCombo"), "HA-3") << "the aid stored at 1 KHz";
    EXPECT_EQ(aidShown("RightSideHAidCombo"), "HA-6") << "the aid stored at 4 KHz";
    const QString note = "The left ear holds more than one aid: HA-1 at 250 Hz; HA-2 at 500 Hz; "
                         "HA-3 at 1 KHz and 2 KHz; HA-5 at 3 KHz; HA-6 at 4 KHz. Choosing an aid "
                         "sets it at all six frequencies.";
    EXPECT_EQ(statusText(), note);

    // Looking, switching ears and saving write the aids back as they were.
    click("ToggleEarButton");
    EXPECT_NE(statusText(), note) << "the right ear holds one aid";
    click("ToggleEarButton");
    trigger("Save1");
    FittingRecord saved{};
    LegacyImage legacy{};
    ASSERT_EQ(readPatientFile(path, saved, legacy, "01/01/2000"), PatientFileKind::Current);
    EXPECT_EQ(aidsOf(saved, kLeftEar), stored);
    EXPECT_FALSE(document.modified);

    choose("RightSideHAidCombo", 3);
    EXPECT_EQ(aidsOf(fitting, kLeftEar), (std::array<int32_t, 6>{3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(aidShown("LeftSideHAidCombo"), "HA-4");
    EXPECT_EQ(statusText(), "") << "the note goes with the choice";
    EXPECT_TRUE(document.modified);
}

// The left ear's 1 KHz levels are what a threshold of 35 dB HL predicted, under a
// threshold of 40, its 500 Hz and 3 KHz levels were typed, and the ear holds two aids:
// the status bar names both, neither note hiding the other.
TEST_F(CurveAidsTest, OutOfDateLevelsAndSeveralAidsAreNamedTogether) {
    fitting.leftLevelSource = 1;
    const int32_t levels[kCategoryCount] = {40, 47, 59, 67, 74, 81, 87, 92};
    std::copy(std::begin(levels), std::end(levels), fitting.leftLoudness[k1000]);
    for (int f = 0; f < kFrequencyCount; ++f)
        fitting.aidSettings[kLeftEar][f].aidChoice = f < 3 ? 4 : 1;
    fmClientInfo->loadPatientPage(); // the page shown keeps the level source set here
    showLeftEar();
    EXPECT_EQ(
        statusText(),
        "Left Ear: the levels at 500 Hz, 1 KHz and 3 KHz are not what the "
        "threshold predicts; see the Loudmap Data page. The left ear holds more than one aid: "
        "HA-5 at 250 Hz, 500 Hz and 1 KHz; HA-2 at 2 KHz, 3 KHz and 4 KHz. "
        "Choosing an aid sets it at all six frequencies.");
    choose("LeftSideHAidCombo", 2);
    EXPECT_EQ(statusText(), "Left Ear: the levels at 500 Hz, 1 KHz and 3 KHz are not what the "
                            "threshold predicts; see the Loudmap Data page.")
        << "the levels stay out of date when the aid is chosen";
    click("ToggleEarButton");
    EXPECT_EQ(statusText(), "") << "the right ear's levels are as predicted, its aid one";
}

// The right ear's graphs are at 1 KHz and 4 KHz.
TEST_F(CurveAidsTest, ChoicesOutsideTheListsShowTheFirstEntryAndStayInTheFile) {
    const struct {
        int32_t curveLeft, curveRight, aid;
        const char* note;
    } cases[] = {
        {6, 2, 0,
         "Left graph (1 KHz): curve choice 6 is not in the list and shows as No Curve; the file "
         "keeps it until you choose."},
        {3, -1, 0,
         "Right graph (4 KHz): curve choice -1 is not in the list and shows as No Curve; the "
         "file keeps it until you choose."},
        {4, 5, 2147483647,
         "Left graph (1 KHz): aid choice 2147483647 is not in the list and shows as HA-1; the "
         "file keeps it until you choose. Right graph (4 KHz): aid choice 2147483647 is not in "
         "the list and shows as HA-1; the file keeps it until you choose."},
    };
    for (const auto& c : cases) {
        fitting.aidSettings[kRightEar][k1000].curveChoice = c.curveLeft;
        fitting.aidSettings[kRightEar][k4000].curveChoice = c.curveRight;
        storeEarAid(fitting, Ear::Right, c.aid);
        showCurvePage();
        EXPECT_EQ(statusText(), c.note);
        EXPECT_EQ(find<QComboBox>("LeftSideCurveCombo")->currentIndex(),
                  c.curveLeft == 6 ? 0 : c.curveLeft);
        EXPECT_EQ(find<QComboBox>("RightSideCurveCombo")->currentIndex(),
                  c.curveRight == -1 ? 0 : c.curveRight);
        EXPECT_EQ(aidShown("LeftSideHAidCombo"), "HA-1");
        click("ToggleEarButton");
        click("ToggleEarButton");
        leavePage();
        EXPECT_EQ(fitting.aidSettings[kRightEar][k1000].curveChoice, c.curveLeft) << c.note;
        EXPECT_EQ(fitting.aidSettings[kRightEar][k4000].curveChoice, c.curveRight) << c.note;
        EXPECT_EQ(aidsOf(fitting, kRightEar)[2], c.aid) << c.note;
    }

    // A shape chosen replaces the stored value at its graph's frequency only.
    showCurvePage();
    choose("LeftSideCurveCombo", 1);
    choose("LeftSideCurveCombo", 0);
    leavePage();
    EXPECT_EQ(fitting.aidSettings[kRightEar][k1000].curveChoice, 0);
    EXPECT_EQ(fitting.aidSettings[kRightEar][k4000].curveChoice, 5);
    EXPECT_EQ(aidsOf(fitting, kRightEar)[5], 2147483647);
}

} // namespace
