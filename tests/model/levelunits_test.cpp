// The two units of a loudness level: a stored dB SPL level shown in dB HL and back,
// exact at both ends of the 32-bit range, at the first and last frequency, and safe
// for an index outside the table.
#include "model/levelunits.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(LevelUnits, StoredLevelsShowInEitherUnitAndComeBack) {
    const struct {
        int32_t stored;
        int frequency;
        bool showInHL;
        long long shown;
    } cases[] = {
        {40, 0, true, 25},
        {40, 0, false, 40},
        {50, 1, true, 44},
        {70, 2, true, 70},
        {100, 3, true, 97},
        {133, 4, true, 130},
        {-10, 5, true, -10},
        {-10, 5, false, -10},
        {INT32_MIN, 1, true, -2147483654LL},
        {INT32_MAX, 0, true, 2147483632LL},
        {100, 6, true, 100},
        {100, -1, true, 100}, // no frequency: no correction
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stored) + " at index " + std::to_string(c.frequency));
        EXPECT_EQ(shownLevel(c.stored, c.frequency, c.showInHL), c.shown);
        EXPECT_EQ(storedLevel(c.shown, c.frequency, c.showInHL), c.stored);
    }
}

TEST(LevelUnits, UnitsAreNamedWithoutBlanks) {
    EXPECT_EQ(std::string(unitName(true)), "dB HL");
    EXPECT_EQ(std::string(unitName(false)), "dB SPL");
}

} // namespace
