// A stored curve compared field by field, so that a failure names the field.
#pragma once

#include "model/fittingrecord.h"

#include <gtest/gtest.h>

#include <cstring>

// Every field but the score, which the page may work out again, and the padding bytes.
inline void expectSameCurve(const CurveParams& a, const CurveParams& b) {
    EXPECT_EQ(a.gainAt50, b.gainAt50);
    EXPECT_EQ(a.threshold1, b.threshold1);
    EXPECT_EQ(a.threshold1IsOutput, b.threshold1IsOutput);
    EXPECT_EQ(a.ratio1, b.ratio1);
    EXPECT_EQ(a.threshold2, b.threshold2);
    EXPECT_EQ(a.threshold2IsOutput, b.threshold2IsOutput);
    EXPECT_EQ(a.ratio2, b.ratio2);
    EXPECT_EQ(a.maxOutput, b.maxOutput);
    EXPECT_EQ(a.complete, b.complete);
    EXPECT_EQ(std::memcmp(a.padding, b.padding, sizeof a.padding), 0);
}
