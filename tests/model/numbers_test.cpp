// The number helpers at the ends of their ranges, with the values the program's
// texts and files depend on.
#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInf = std::numeric_limits<long double>::infinity();

TEST(TruncToInt, CutsTowardZeroAndSaturatesAtTheEnds) {
    const struct {
        long double value;
        int32_t expected;
    } cases[] = {
        {1.9L, 1},
        {-1.9L, -1},
        {2147483646.9L, 2147483646},
        {2147483647.0L, kMax},
        {2147483647.5L, kMax},
        {1e30L, kMax},
        {kInf, kMax},
        {-2147483647.9L, -2147483647},
        {-2147483648.0L, kMin},
        {-2147483648.9L, kMin},
        {-kInf, kMin},
        {kNaN, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(truncToInt(c.value), c.expected) << static_cast<double>(c.value);
}

TEST(ClampToInt32, KeepsTheRangeAndHoldsItsEnds) {
    EXPECT_EQ(clampToInt32(2147483647LL), kMax);
    EXPECT_EQ(clampToInt32(2147483648LL), kMax);
    EXPECT_EQ(clampToInt32(-2147483648LL), kMin);
    EXPECT_EQ(clampToInt32(-2147483649LL), kMin);
    EXPECT_EQ(clampToInt32(-123LL), -123);
}

TEST(WrappingAdd, WrapsAtBothEndsAndTakingTheCorrectionOffRestores) {
    const struct {
        int32_t a, b, expected;
    } cases[] = {
        {40, 7, 47},      {-5, 3, -2},      {kMax, 1, kMin},          {kMin, -1, kMax},
        {kMax, kMax, -2}, {kMin, -kMax, 1}, {kMin + 2, -7, kMax - 4}, {kMax - 2, 9, kMin + 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wrappingAdd(c.a, c.b), c.expected) << c.a << " + " << c.b;
        EXPECT_EQ(wrappingAdd(c.expected, -c.b), c.a) << c.a << " back";
    }
}

TEST(RoundHalfUp, AddsAHalfThenCutsTowardZero) {
    const struct {
        long double value;
        int32_t expected;
    } cases[] = {
        {2.5L, 3},
        {1.5L, 2},
        {2.4999L, 2},
        {-1.7L, -1},
        {-2.5L, -2},
        {-2.6L, -2},
        {-0.5L, 0},
        {-1.5L, -1},
        {0.0L, 0},
        {-3.2L, -2},
        // Just below a half: the 80-bit sum stays below 1, where a double's would not.
        {0.49999999999999994L, 0},
        {2147483646.5L, kMax},
        {-2147483648.6L, kMin},
        {kNaN, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfUp(c.value), c.expected) << static_cast<double>(c.value);
}

TEST(FormatFixed, RoundsTheExactValueOnceAtTheLastDecimal) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {2.25, 1, "2.3"},
        {-2.25, 1, "-2.3"},
        {0.125, 2, "0.13"},
        {1.005, 2, "1.00"}, // the double is 1.00499999999999989...
        {123.45, 1, "123.5"},
        {123.45f, 1, "123.4"},     // the float is 123.44999694...
        {1234.5678, 2, "1234.57"}, // no limit on significant digits
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {9.96, 1, "10.0"},
        {999.95f, 0, "1000"},
        {-0.04, 1, "0.0"},
        {-0.0, 2, "0.00"},
        {7.0, 3, "7.000"},
        {-99.0, 1, "-99.0"},
        {45.6, -1, "46"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::quiet_NaN(), 1), "");
    EXPECT_EQ(formatFixed(-std::numeric_limits<double>::infinity(), 1), "");
}

TEST(ShortestFloat, ReadsBackAsTheSameFloatAndNoNumberIsNull) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.1f, "0.1"},
        {123.45f, "123.45"},
        {-99.0f, "-99"},
        {3.0f, "3"},
        {16777216.0f, "16777216"},
        {1e20f, "1e+20"},
        {-0.0f, "-0"},
        {1e-45f, "1e-45"},
        {3.4028235e38f, "3.4028235e+38"},
        {std::numeric_limits<float>::quiet_NaN(), "null"},
        {std::numeric_limits<float>::infinity(), "null"},
        {-std::numeric_limits<float>::infinity(), "null"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shortestFloat(c.value), c.text) << c.text;
}

} // namespace
