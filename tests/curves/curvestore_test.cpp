// What the curve page stores of a user column: the typed cells as typed, every other
// value as the record held it, and the rules that couple the cells.
#include "curves/curvetext.h"
#include "curves/usercurvestore.h"
#include "testsupport/curveexpect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

constexpr float E = kEmptyValue;

TEST(StoreTypedCells, TypedCellsAsTypedTheRestAsStored) {
    const struct {
        const char* what;
        CurveParams stored;
        std::string shown[kCurveParameterRows];
        TypedCells typed;
        CurveParams expected;
    } cases[] = {
        {"a typed gain beside an untouched output threshold 1 keeps its output level",
         {12.5f, 52.5f, 1, 2.25f, 80, 0, 3, 105.5f, 6.5f, 1, {}},
         {"20", "65o", "2.3", "80", "3.0", "106"},
         {true, false, false, false, false, false},
         {20, 45, 1, 2.25f, 80, 0, 3, 105.5f, 6.5f, 1, {}}},
        {"threshold 1 typed as an output level less the stored gain, not the one shown",
         {12.5f, 40, 0, 2.25f, 80, 0, 3, 105.5f, 6.5f, 1, {}},
         {"13", "65o", "2.3", "80", "3.0", "106"},
         {false, true, false, false, false, false},
         {12.5f, 52.5f, 1, 2.25f, 80, 0, 3, 105.5f, 6.5f, 1, {}}},
        {"an empty ratio 2 follows a typed ratio 1",
         {-9.5f, 61.5f, 0, 1.5f, 61.5f, 0, E, 120, 6.5f, 0, {}},
         {"-10", "62", "2", "", "", "120"},
         {false, false, true, false, false, false},
         {-9.5f, 61.5f, 0, 2, 61.5f, 0, 2, 120, 6.5f, 1, {}}},
        {"a typed ratio 1 leaves a ratio 2 of its own",
         {20, 45, 0, 2, 60, 0, 3, 110, 6.5f, 1, {}},
         {"20", "45", "1.5", "60", "3.0", "110"},
         {false, false, true, false, false, false},
         {20, 45, 0, 1.5f, 60, 0, 3, 110, 6.5f, 1, {}}},
        {"threshold 2 typed at the top of the grid's range, threshold 1 at the bottom",
         {20, 45, 0, 2, 60, 0, 3, 110, 6.5f, 1, {}},
         {"20", "30", "2.0", "130", "3.0", "110"},
         {false, true, false, true, false, false},
         {20, 30, 0, 2, 130, 0, 3, 110, 6.5f, 1, {}}},
        {"a missing second stage, shown empty, stays missing beside a typed gain",
         {20, 45, 0, 2, E, 0, E, 110, 6.5f, 0, {}},
         {"25", "45", "2.0", "", "", "110"},
         {true, false, false, false, false, false},
         {25, 45, 0, 2, E, 0, E, 110, 6.5f, 0, {}}},
        {"threshold 2 as an output level without ratio 1 stays missing, never exchanged",
         {17, 73, 0, E, 30, 0, 1.2f, 110, 6.5f, 0, {}},
         {"17", "73", "", "71o", "1.2", "110"},
         {false, false, false, true, false, false},
         {17, 73, 0, E, E, 1, 1.2f, 110, 6.5f, 0, {}}},
        {"threshold 2 typed as an output level lies on the stored first segment",
         {20, 45, 0, 2, 60, 0, 3, 110, 6.5f, 1, {}},
         {"20", "45", "2.0", "80o", "3.0", "110"},
         {false, false, false, true, false, false},
         {20, 45, 0, 2, 75, 1, 3, 110, 6.5f, 1, {}}},
        {"x in threshold 2 copies threshold 1 as stored",
         {-9.5f, 61.5f, 0, 1.5f, 90, 0, 2.5f, 120, 6.5f, 1, {}},
         {"-10", "62", "1.5", "x", "2.5", "120"},
         {false, false, false, true, false, false},
         {-9.5f, 61.5f, 0, 1.5f, 61.5f, 0, 2.5f, 120, 6.5f, 1, {}}},
        {"a typed threshold above threshold 2 exchanges the stages with their ratios",
         {25, 40, 0, 1.5f, 50, 0, 2.5f, 115, 6.5f, 1, {}},
         {"25", "70", "1.5", "50", "2.5", "115"},
         {false, true, false, false, false, false},
         {25, 50, 0, 2.5f, 70, 0, 1.5f, 115, 6.5f, 1, {}}},
        {"stored stages in the wrong order stay so beside a typed gain",
         {-9.5f, 135, 0, 2.5f, 61.5f, 0, 1.5f, 120, 6.5f, 1, {}},
         {"-9", "135", "2.5", "62", "1.5", "120"},
         {true, false, false, false, false, false},
         {-9, 135, 0, 2.5f, 61.5f, 0, 1.5f, 120, 6.5f, 1, {}}},
        {"an untouched output threshold 2 keeps its level on the first segment of a new gain",
         {20, 45, 0, 2, 75, 1, 3, 110, 6.5f, 1, {}},
         {"10", "45", "2.0", "80o", "3.0", "110"},
         {true, false, false, false, false, false},
         {10, 45, 0, 2, 95, 1, 3, 110, 6.5f, 1, {}}},
        {"a maximum output emptied leaves the curve incomplete",
         {30, 50, 0, 2, 70, 0, 3, 115, 6.5f, 1, {}},
         {"30", "50", "2.0", "70", "3.0", ""},
         {false, false, false, false, false, true},
         {30, 50, 0, 2, 70, 0, 3, E, 6.5f, 0, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CurveParams stored = storeTypedCells(c.stored, c.shown, c.typed);
        expectSameCurve(stored, c.expected);
        EXPECT_EQ(stored.rmsError, 6.5f) << "the page sets the score";
    }
}

// Nothing typed: the bytes the file held, also a score, flags and padding no page
// would write.
TEST(StoreTypedCells, AColumnNobodyTypedIntoKeepsItsBytes) {
    CurveParams stored{12.5f, 135, 7, 0.05f, 25, -3, NAN, 1e9f, NAN, 1, {}};
    stored.padding[0] = 0x5a;
    const std::string shown[kCurveParameterRows] = {"13", "135", "0.05", "25", "", "1e9"};
    const CurveParams kept = storeTypedCells(stored, shown, TypedCells{});
    EXPECT_EQ(std::memcmp(&kept, &stored, sizeof stored), 0);
}

TEST(Threshold2Note, NamesWhatAnOutputLevelNeeds) {
    const struct {
        std::string shown[kCurveParameterRows];
        const char* note;
    } cases[] = {
        {{"17", "73", "", "71o", "1.2", "110"}, "an output level needs Comp. Ratio 1."},
        {{"17", "", "2.0", "71o", "", "110"}, "an output level needs Comp. Threshold 1."},
        {{"17", "", "", "71o", "", ""},
         "an output level needs Comp. Threshold 1 and Comp. Ratio 1."},
        {{"17", "73", "0.5", "71o", "1.2", "110"}, ""},
        {{"", "73", "", "71o", "1.2", "110"}, ""}, // no gain: the number is an input level
        {{"17", "73", "", "o", "1.2", "110"}, ""}, // the same as threshold 1
        {{"17", "73", "", "71", "1.2", "110"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(threshold2Note(c.shown), c.note) << c.shown[0] << " " << c.shown[1];
}

} // namespace
