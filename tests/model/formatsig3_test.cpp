#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Sig3Case {
    float value;
    int decimals;
    const char* text;
};

TEST(FormatSig3, RoundsTheExactFloatOnceAtTheCoarserPlace) {
    const Sig3Case cases[] = {
        {2.25f, 1, "2.3"}, // exactly half: away from zero
        {-2.25f, 1, "-2.3"},
        {2.2459f, 1, "2.2"}, // no second rounding through 2.25
        {1.15f, 1, "1.1"},   // the float is 1.14999997...
        {0.05f, 1, "0.1"},   // the float is 0.0500000007...
        {12.34f, 1, "12.3"},
        {65.4f, 0, "65"},
        {3.0f, 1, "3.0"},
        {99.96f, 1, "100.0"}, // the carry adds a digit
        {999.5f, 0, "1000"},
        {1234.0f, 0, "1230"}, // digits past the third significant one are zeros
        {123456789.0f, 0, "123000000"},
        {9996.0f, 1, "10000.0"},
        {0.0123456f, 4, "0.0123"},
        {0.0123456f, 6, "0.012300"},
        {-3.7f, 0, "-4"},
        {0.0f, 1, "0.0"},
        {-0.04f, 1, "0.0"}, // rounds to zero: no minus sign
        {-0.4f, 0, "0"},
        {-0.0f, 0, "0"},
        {-99.0f, 0, "-99"},
    };
    for (const Sig3Case& c : cases)
        EXPECT_EQ(formatSig3(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

TEST(FormatSig3, ValuesThatAreNoNumberGiveNoText) {
    EXPECT_EQ(formatSig3(std::numeric_limits<float>::quiet_NaN(), 1), "");
    EXPECT_EQ(formatSig3(std::numeric_limits<float>::infinity(), 0), "");
    EXPECT_EQ(formatSig3(std::numeric_limits<float>::max(), 0).size(), 39u);
}

} // namespace
