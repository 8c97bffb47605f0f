// Looking is not editing on the curve page: stored user curves come back from the
// real window exactly, however often the page, the ear and the graphs' frequencies
// change, and typed cells are stored as typed beside the untouched ones.
#include "curves/curvepagetest.h"
#include "testsupport/curveexpect.h"

#include <QStatusBar>

#include <cstring>
#include <functional>

namespace {

constexpr int k250 = 0, k500 = 1, k2000 = 3, k3000 = 4;
constexpr int kLeftEar = 1;
constexpr float E = kEmptyValue;

struct StoredCurve {
    int ear;
    int frequency;
    CurveParams curve;
};

// Fractional gains and levels, output thresholds, thresholds off the scale (135, 25),
// the right ear at 4 kHz (threshold 1 at 73, no ratio 1, threshold 2 as the
// output level 71o, ratio 2 1.2), and a score and padding no page writes.
const StoredCurve kStored[] = {
    {kRightEar, k1000, {12.5f, 52.5f, 1, 2.25f, 80, 0, 3, 105.5f, 4.25f, 1, {}}},
    {kRightEar, k4000, {17, 73, 0, E, 54, 1, 1.2f, 110, 121, 0, {}}},
    {kRightEar, k2000, {-9.5f, 135, 0, 2.5f, 61.5f, 0, 1.5f, 120, 7.75f, 1, {}}},
    {kLeftEar, k500, {-9.5f, 25, 0, 1.5f, 61.5f, 0, E, 125.5f, 121, 0, {9, 8, 7}}},
    {kLeftEar, k3000, {30, 20, 1, 0.5f, 95, 1, 2, 130, 3.5f, 1, {}}},
    {kLeftEar, k250, {-20, 30, 0, 20, 130, 0, 0.1f, 30, 0.25f, 1, {}}},
};

void expectSameBytes(const CurveParams& a, const CurveParams& b) {
    expectSameCurve(a, b);
    EXPECT_EQ(a.rmsError, b.rmsError);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
}

class CurveStoreTest : public CurvePageTest {
  protected:
    void SetUp() override {
        CurvePageTest::SetUp();
        leavePage();
        for (const StoredCurve& s : kStored)
            fitting.aidSettings[s.ear][s.frequency].curve = s.curve;
        fitting.leftRangeLow = k500;
        fitting.leftRangeHigh = k3000;
    }

    static void chooseFrequencies(const char* combo, int frequency) {
        click("SpeedButton3");
        choose(combo, frequency);
    }

    // What a clinician does who only looks: every page, both ears, other frequencies.
    static void lookEverywhere() {
        showCurvePage();
        click("ToggleEarButton");
        click("ToggleEarButton");
        click("ToggleEarButton");
        click("OverviewButton");
        chooseFrequencies("RightEarLeftFreqComboBox", k2000);
        chooseFrequencies("LeftEarLeftFreqComboBox", k250);
        showCurvePage();
        click("ToggleEarButton");
        click("SpeedButton4");
        showCurvePage();
        chooseFrequencies("RightEarLeftFreqComboBox", k1000);
        chooseFrequencies("LeftEarLeftFreqComboBox", k500);
        showCurvePage();
        click("ToggleEarButton");
    }
};

TEST_F(CurveStoreTest, StoredCurvesComeBackExactlyAfterLookingAndSaving) {
    const std::string path = files.file("LOOKED.TAV");
    writePatientFile(path, fitting);
    load(path);
    lookEverywhere();
    saveAs(path);
    FittingRecord saved{};
    LegacyImage legacy{};
    readPatientFile(path, saved, legacy, "");
    for (const StoredCurve& s : kStored) {
        SCOPED_TRACE(testing::Message() << "ear " << s.ear << " frequency " << s.frequency);
        expectSameBytes(saved.aidSettings[s.ear][s.frequency].curve, s.curve);
    }
    // Texts settle at the first showing: the right ear's 4 kHz column shows the same
    // texts each time, and the curve is neither complete nor drawn.
    leavePage();
    showCurvePage();
    const QStringList first = column(5);
    click("ToggleEarButton");
    click("ToggleEarButton");
    EXPECT_EQ(column(5), first);
    EXPECT_EQ(first, (QStringList{"17", "73", "", "71o", "1.2", "110", ""}));
    EXPECT_EQ(fmCurveEdit->curve(4).complete, 0);
    EXPECT_EQ(column(2), (QStringList{"13", "65o", "2.3", "80", "3.0", "106", column(2)[6]}));
}

// Typed cells are stored as typed; the untouched ones of the same curve keep their
// stored values, with more digits than they show. The score stored is the one the
// grid shows for a complete curve, else the one stored.
TEST_F(CurveStoreTest, TypedCellsAreStoredAsTypedBesideUntouchedOnes) {
    const struct {
        const char* what;
        bool leftEar;
        int column;
        int row;
        const char* keys;
        int ear;
        int frequency;
        CurveParams expected;
        const char* note;
    } cases[] = {
        {"a gain beside an output threshold 1",
         false,
         2,
         kRowGain,
         "20",
         kRightEar,
         k1000,
         {20, 45, 1, 2.25f, 80, 0, 3, 105.5f, 4.25f, 1, {}},
         ""},
        {"threshold 2 as an output level without ratio 1",
         false,
         5,
         kRowThreshold2,
         "71o",
         kRightEar,
         k4000,
         {17, 73, 0, E, E, 1, 1.2f, 110, 121, 0, {}},
         "Right graph, 4000 Hz (user), Comp. Threshold 2: an output level needs Comp. Ratio 1."},
        {"a maximum output on the left ear",
         true,
         5,
         kRowMaxOutput,
         "118",
         kLeftEar,
         k3000,
         {30, 20, 1, 0.5f, 95, 1, 2, 118, 3.5f, 1, {}},
         ""},
        {"ratio 2 x copies ratio 1 as stored",
         true,
         2,
         kRowRatio2,
         "x",
         kLeftEar,
         k500,
         {-9.5f, 25, 0, 1.5f, 61.5f, 0, 1.5f, 125.5f, 121, 1, {9, 8, 7}},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const FittingRecord before = fitting;
        showCurvePage();
        if (c.leftEar)
            click("ToggleEarButton");
        fmWinMain->statusBar()->clearMessage();
        type(c.column, c.row, c.keys);
        pressEnter();
        EXPECT_EQ(fmWinMain->statusBar()->currentMessage(), c.note);
        const CurveParams drawn = fmCurveEdit->curve(c.column - 1);
        leavePage();
        const CurveParams& stored = fitting.aidSettings[c.ear][c.frequency].curve;
        expectSameCurve(stored, c.expected);
        EXPECT_EQ(stored.rmsError, drawn.complete ? drawn.rmsError : c.expected.rmsError);
        // Every other curve of the record is as it was.
        FittingRecord others = fitting;
        others.aidSettings[c.ear][c.frequency].curve = before.aidSettings[c.ear][c.frequency].curve;
        EXPECT_EQ(std::memcmp(&others.aidSettings, &before.aidSettings, sizeof others.aidSettings),
                  0);
        // Stored and shown again, it stays.
        lookEverywhere();
        leavePage();
        expectSameCurve(stored, c.expected);
        fitting = before;
    }
}

// The pointer read-out describes the graph under it; when that graph changes, the
// read-out is emptied.
TEST_F(CurveStoreTest, TheReadOutIsClearedWhenTheGraphChanges) {
    const std::string path = files.file("OTHER.TAV");
    writePatientFile(path, fitting);
    const struct {
        const char* way;
        std::function<void()> act;
    } cases[] = {
        {"Switch ears", [] { click("ToggleEarButton"); }},
        {"the page shown again", [] { leavePage(), showCurvePage(); }},
        {"other frequencies",
         [] { chooseFrequencies("RightEarRightFreqComboBox", k3000), showCurvePage(); }},
        {"New", [] { trigger("New1"), showCurvePage(); }},
        {"another patient", [&] { load(path), showCurvePage(); }},
    };
    showCurvePage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        for (const char* box : {"LeftCurveGraphBox", "RightCurveGraphBox"}) {
            auto* graph = find<QWidget>(box);
            QMouseEvent move(QEvent::MouseMove, QPointF(50, 60),
                             graph->mapToGlobal(QPointF(50, 60)), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(graph, &move);
        }
        EXPECT_EQ(find<QLabel>("IOLabel1")->text(), "I: 50; O: 106");
        EXPECT_EQ(find<QLabel>("IOLabel2")->text(), "I: 50; O: 106");
        script.setNextAnswer(DialogAnswer::No); // New or Load: the changes are not kept
        c.act();
        EXPECT_EQ(find<QLabel>("IOLabel1")->text(), "");
        EXPECT_EQ(find<QLabel>("IOLabel2")->text(), "");
    }
}

} // namespace
