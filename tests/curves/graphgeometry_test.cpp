#include "curves/graphgeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(GraphGeometry, BackgroundTruncatesAndCurveBoxesRound) {
    const GraphFrame left = graphFrame(GraphSide::Left), right = graphFrame(GraphSide::Right);
    EXPECT_EQ((std::array{left.left, left.top, left.right, left.bottom}),
              (std::array{30, 25, 280, 275}));
    EXPECT_EQ(right.left, 323);
    const struct {
        double level;
        int leftX, rightX, y;     // background, 2.5 pixels per dB
        int boxX, boxY;           // 250 x 250 curve box
        int smallBoxX, smallBoxY; // 100 x 100 curve box
    } cases[] = {
        {30, 30, 323, 275, 0, 250, 0, 100},
        {130, 280, 573, 25, 250, 0, 100, 0},
        {31, 32, 325, 272, 3, 248, 1, 99},
        {29, 27, 320, 277, -2, 253, 0, 101},    // -1 + 0.5 cuts toward zero
        {54.8f, 91, 384, 213, 62, 188, 25, 75}, // the float lies just below 54.8
        {131, 282, 575, 22, 253, -2, 101, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(backgroundX(left, c.level), c.leftX) << c.level;
        EXPECT_EQ(backgroundX(right, c.level), c.rightX) << c.level;
        EXPECT_EQ(backgroundY(left, c.level), c.y) << c.level;
        EXPECT_EQ(curveBoxX(250, c.level), c.boxX) << c.level;
        EXPECT_EQ(curveBoxY(250, c.level), c.boxY) << c.level;
        EXPECT_EQ(curveBoxX(100, c.level), c.smallBoxX) << c.level;
        EXPECT_EQ(curveBoxY(100, c.level), c.smallBoxY) << c.level;
    }
    // Every whole level lands exactly on its pixel, however the frame is sized.
    for (int height = 1; height < 700; ++height) {
        const GraphFrame frame{0, 0, height, height};
        for (int v = 30; v <= 130; ++v)
            ASSERT_EQ(backgroundY(frame, v), (100 * height - (v - 30) * height) / 100)
                << v << " " << height;
    }
}

TEST(GraphGeometry, PointerReadOutSpansTheBoxFrom30To130) {
    const struct {
        int x, y, width, height;
        const char* text;
    } cases[] = {
        {0, 0, 250, 250, "I: 30; O: 130"},
        {249, 249, 250, 250, "I: 130; O: 30"},
        {125, 125, 250, 250, "I: 80; O: 80"},
        {1, 1, 250, 250, "I: 30; O: 130"},   // 0.4 and 99.6 rounded
        {2, 2, 250, 250, "I: 31; O: 129"},   // 0.8 and 99.2
        {-5, 300, 250, 250, "I: 29; O: 11"}, // dragged outside: -1.5 and -19.5 cut to -1, -19
        {50, 50, 100, 200, "I: 80; O: 105"},
        {10, 10, 0, 0, "I: 30; O: 30"}, // a box without size divides by nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(readOutText(pointerReadOut(c.x, c.y, c.width, c.height)), c.text) << c.x;
}

TEST(GraphGeometry, FrequencyCaptionOfAnyIndex) {
    EXPECT_EQ(graphFrequencyText(4), "3000 Hz");
    EXPECT_EQ(graphFrequencyText(6), "250 Hz");
    EXPECT_EQ(graphFrequencyText(-1), "250 Hz");
}

TargetState bandsOnSide(GraphSide side, int32_t vs, int32_t css, int32_t csl, int32_t ucl) {
    TargetState targets{};
    const int32_t levels[kBandCount] = {vs, css, csl, ucl};
    std::copy(std::begin(levels), std::end(levels), targets.bandLevels[sideIndex(side)]);
    return targets;
}

TEST(GraphGeometry, BandsNeedBothLevelsAndStopAtTheTopOfTheGraph) {
    using enum LoudnessBand;
    // VS 50, CSS 70, CSL 90, UCL 100 lie on rows 225, 175, 125 and 100; 130 on row 25.
    const BandArea loudToTop{Loud, {31, 25, 279, 126}};
    const BandArea comfortable{Comfortable, {31, 125, 279, 176}};
    const BandArea soft{Soft, {31, 175, 279, 226}};
    const PixelRect top{31, 25, 279, 26};
    const struct {
        int32_t vs, css, csl, ucl;
        std::vector<BandArea> bands;
        bool uclExceeds;
    } cases[] = {
        {-99, 70, -99, 100, {}, false},
        {50, -99, 90, 131, {loudToTop}, true},
        {50, 70, -99, 131, {soft}, false},
        {50, 70, 90, 130, {loudToTop, comfortable, soft}, false},
        {140, 150, 160, 170, {{Loud, top}, {Comfortable, top}, {Soft, top}}, true},
        // A level from a damaged file far below the graph ends at the frame's bottom.
        {INT32_MIN, 70, -99, -99, {{Soft, {31, 175, 279, 276}}}, false},
    };
    for (const auto& c : cases) {
        const GraphBackground plan = planGraphBackground(
            bandsOnSide(GraphSide::Left, c.vs, c.css, c.csl, c.ucl), 0, false, GraphSide::Left);
        EXPECT_EQ(plan.bands, c.bands) << c.vs << " " << c.css << " " << c.csl << " " << c.ucl;
        EXPECT_EQ(plan.uclExceeds, c.uclExceeds) << c.ucl;
    }
    const GraphBackground right = planGraphBackground(
        bandsOnSide(GraphSide::Right, 50, 70, 90, 100), 0, false, GraphSide::Right);
    ASSERT_EQ(right.bands.size(), 3u);
    EXPECT_EQ(right.bands[0].area, (PixelRect{324, 100, 572, 126}));
}

// Bands end at the frame's top and bottom lines however far off the scale a level
// lies, on the screen's graphs and on paper; bands of levels inside 30..130 keep
// their places, and a band wholly outside the frame is left out.
TEST(GraphGeometry, BandsEndAtTheFrameLines) {
    using enum LoudnessBand;
    const GraphFrame screenRight = graphFrame(GraphSide::Right); // 323..573 x 25..275
    const GraphFrame paperLeft = {363, 3560, 2254, 5743};        // left plot on A4 at 600 dpi
    const struct {
        const char* what;
        GraphFrame frame;
        int32_t levels[kBandCount]; // VS, CSS, CSL, UCL
        std::vector<BandArea> bands;
    } cases[] = {
        {"whole scale",
         screenRight,
         {30, 70, 90, 130},
         {{Loud, {324, 25, 572, 126}},
          {Comfortable, {324, 125, 572, 176}},
          {Soft, {324, 175, 572, 276}}}},
        {"UCL 1100",
         screenRight,
         {40, 70, 90, 1100},
         {{Loud, {324, 25, 572, 126}},
          {Comfortable, {324, 125, 572, 176}},
          {Soft, {324, 175, 572, 251}}}},
        {"VS -50",
         screenRight,
         {-50, 70, 90, -99},
         {{Comfortable, {324, 125, 572, 176}}, {Soft, {324, 175, 572, 276}}}},
        {"soft band wholly below", screenRight, {-50, 29, -99, -99}, {}},
        {"soft band down to 29", screenRight, {29, 40, -99, -99}, {{Soft, {324, 250, 572, 276}}}},
        {"loud band wholly above", screenRight, {-99, -99, 131, 1100}, {}},
        {"levels that do not rise",
         screenRight,
         {70, 50, -99, -99},
         {{Soft, {324, 225, 572, 176}}}},
        {"paper: UCL 1100", paperLeft, {-99, -99, 90, 1100}, {{Loud, {364, 3560, 2253, 4434}}}},
        {"paper: VS -50", paperLeft, {-50, 70, -99, -99}, {{Soft, {364, 4869, 2253, 5744}}}},
        {"paper: UCL 130", paperLeft, {-99, -99, 120, 130}, {{Loud, {364, 3560, 2253, 3779}}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bandAreas(c.frame, c.levels), c.bands) << c.what;
}

// The left graph at 4000 Hz and the right one at 1000 Hz, with different targets on
// each side; the screen reads targets as stored, the report as whole dB.
TEST(GraphGeometry, SpeechMarksFollowTheStyleTheSideAndHowTargetsAreRead) {
    using enum TargetReading;
    const struct {
        int32_t style;
        GraphSide side;
        TargetReading reading;
        int inputs[3];
        int columns[3];
        int targetRows[3]; // -1: no target
    } cases[] = {
        {3, GraphSide::Left, Exact, {38, 53, 76}, {50, 87, 145}, {-1, 182, -1}},
        {9, GraphSide::Left, Exact, {32, 47, 70}, {35, 72, 130}, {-1, 182, -1}}, // unknown style:
                                                                                 // BTE
        {0, GraphSide::Right, Exact, {32, 53, 76}, {328, 380, 438}, {213, 348, 141}},
        {0, GraphSide::Right, WholeDb, {32, 53, 76}, {328, 380, 438}, {215, -1, 142}}, // 0.6 cuts
                                                                                       // to 0
    };
    TargetState targets{};
    targets.graphFrequency[0] = 5;
    targets.graphFrequency[1] = 2;
    const float left[3] = {0, 67, 0}, right[3] = {54.8f, 0.6f, 83.4f};
    std::copy(std::begin(left), std::end(left), targets.targetLevels[0]);
    std::copy(std::begin(right), std::end(right), targets.targetLevels[1]);
    for (const auto& c : cases) {
        const auto marks = speechMarks(graphFrame(c.side), targets, c.side, c.style, c.reading);
        for (int k = 0; k < 3; ++k) {
            const SpeechMark& mark = marks[k];
            EXPECT_EQ(mark.input, c.inputs[k]) << c.style << " " << sideIndex(c.side) << " " << k;
            EXPECT_EQ(mark.x, c.columns[k]) << c.style << " " << sideIndex(c.side) << " " << k;
            EXPECT_EQ(mark.hasTarget, c.targetRows[k] != -1) << sideIndex(c.side) << " " << k;
            if (mark.hasTarget) {
                EXPECT_EQ(mark.targetY, c.targetRows[k]) << sideIndex(c.side) << " " << k;
            }
        }
    }
    EXPECT_TRUE(planGraphBackground(targets, 3, false, GraphSide::Left).cic);
    EXPECT_FALSE(planGraphBackground(targets, 2, false, GraphSide::Left).cic);
    // A frequency index outside 0..5 takes 250 Hz.
    targets.graphFrequency[0] = 7;
    EXPECT_EQ(planGraphBackground(targets, 2, false, GraphSide::Left).speech[2].input, 67);
}

TEST(GraphGeometry, TextsCentredOnAFrameOfOddWidthCutTheHalfUnit) {
    const struct {
        GraphFrame frame;
        int textWidth;
        int left;
    } cases[] = {
        {{30, 25, 280, 275}, 101, 105}, // 30 + 125 - 50
        {{363, 0, 2254, 1}, 101, 1258}, // 363 + 945.5 - 50 = 1258.5
        {{0, 0, 3, 1}, 10, -3},         // 1.5 - 5 = -3.5, cut toward zero
        {{100, 0, 101, 1}, 0, 100},     // 100.5
    };
    for (const auto& c : cases)
        EXPECT_EQ(centredTextLeft(c.frame, c.textWidth), c.left)
            << c.frame.left << " " << c.frame.right;
}

TEST(GraphGeometry, CurveSegmentsOfCurvesThatNeverReach30OrShootFarOutOfTheBox) {
    // Output x - 200 never reaches 30 dB: nothing to draw.
    EXPECT_TRUE(
        curveSegments(CurveParams{-200, 60, 0, 1, 130, 0, 1, 130, 0, 1, {}}, 250, 250).empty());
    // A ratio near 0 sends the outputs towards the float range's end: the pixels
    // saturate instead of overflowing.
    const std::vector<PixelSegment> steep =
        curveSegments(CurveParams{0, 50, 0, 1e-38f, 130, 0, 1, 3e38f, 0, 1, {}}, 250, 250);
    ASSERT_EQ(steep.size(), 100u);
    EXPECT_EQ(steep.front(), (PixelSegment{0, 250, 3, 248}));
    EXPECT_EQ(steep.back().y2, std::numeric_limits<int32_t>::min());
}

} // namespace
