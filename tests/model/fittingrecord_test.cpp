#include "model/document.h"
#include "model/fittingrecord.h"
#include "model/textslot.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(NewRecord, HoldsTheNewDefaults) {
    FittingRecord r;
    std::memset(&r, 0x5A, sizeof r);
    resetFitting(r, "07/04/2007");

    EXPECT_EQ(readText(r.fileTag), "TAVIKWIN1");
    EXPECT_EQ(readText(r.testDate), "07/04/2007");
    for (const std::string& text :
         {readText(r.lastName), readText(r.firstName), readText(r.middleInitial),
          readText(r.birthDate), readText(r.patientId), readText(r.clinician),
          readText(r.comments)})
        EXPECT_EQ(text, "");
    EXPECT_EQ(r.rightAidStyle, 1);
    EXPECT_EQ(r.leftAidStyle, 1);
    EXPECT_EQ(r.binauralFitting, 0);
    EXPECT_EQ(r.rightLevelSource, 0);
    EXPECT_EQ(r.leftLevelSource, 0);
    EXPECT_EQ(r.rightRangeLow, 1);
    EXPECT_EQ(r.rightRangeHigh, 4);
    EXPECT_EQ(r.leftRangeLow, 1);
    EXPECT_EQ(r.leftRangeHigh, 4);
    EXPECT_EQ(r.showInHL, 1);
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            EXPECT_EQ(r.rightLoudness[f][c], -99);
            EXPECT_EQ(r.leftLoudness[f][c], -99);
        }
    }
    for (const auto& ear : r.aidSettings) {
        for (const AidSetting& s : ear) {
            EXPECT_EQ(s.curveChoice, 0);
            EXPECT_EQ(s.aidChoice, 0);
            for (float v : {s.curve.gainAt50, s.curve.threshold1, s.curve.ratio1,
                            s.curve.threshold2, s.curve.ratio2, s.curve.maxOutput})
                EXPECT_EQ(v, -99.0f);
            EXPECT_EQ(s.curve.threshold1IsOutput, 0);
            EXPECT_EQ(s.curve.threshold2IsOutput, 0);
            EXPECT_EQ(s.curve.rmsError, 0.0f);
            EXPECT_EQ(s.curve.complete, 0);
        }
    }
    // Everything not named above is zero, the padding included.
    EXPECT_EQ(r.padding[0] | r.padding[1] | r.padding[2], 0);
    EXPECT_EQ(r.fileTag[10], 0);
    EXPECT_EQ(r.aidSettings[1][5].curve.padding[2], 0);
}

TEST(NewRecord, EmptyFloatHasTheStoredBitPattern) {
    uint32_t bits;
    std::memcpy(&bits, &kEmptyValue, sizeof bits);
    EXPECT_EQ(bits, 0xC2C60000u);
}

TEST(TestDate, IsMonthFirstWithTheGivenSeparator) {
    EXPECT_EQ(formatTestDate(2007, 7, 4, '/'), "07/04/2007");
    EXPECT_EQ(formatTestDate(2026, 12, 7, '.'), "12.07.2026");
    EXPECT_EQ(todayTestDate('/').size(), 10u);
}

TEST(ModifiedFlag, OnlyTheFirstChangeNotifies) {
    DocumentState state;
    int notifications = 0;
    state.onModifiedChanged = [&] { ++notifications; };
    markModified(state);
    markModified(state);
    EXPECT_TRUE(state.modified);
    EXPECT_EQ(notifications, 1);
    state.modified = false; // a save
    markModified(state);
    EXPECT_EQ(notifications, 2);
}

TEST(TextSlot, ReadsStopAtNulOrAtTheSlotEnd) {
    char slot[6] = {'a', 'b', '\0', 'x', 'y', 'z'};
    EXPECT_EQ(readText(slot), "ab");
    char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(readText(full), "abcd");
}

TEST(TextSlot, StoresAreCutAndLeaveTheBytesAfterTheNul) {
    char slot[6] = {'1', '2', '3', '4', '5', '6'};
    writeText(slot, "ab");
    EXPECT_EQ(std::string(slot, 6), std::string("ab\0"
                                                "456",
                                                6));
    writeText(slot, "abcdefghij");
    EXPECT_EQ(std::string(slot, 6), std::string("abcde\0", 6));
}

TEST(TextSlot, Latin1DecodesToUtf8) {
    const std::string latin1 = "M\xfcller \xe9\xff";
    EXPECT_EQ(latin1ToUtf8(latin1), "M\xc3\xbcller \xc3\xa9\xc3\xbf");
}

} // namespace

namespace {

TEST(TestDate, SystemSeparatorIsOneADateSlotCanHold) {
    const char separator = systemDateSeparator();
    EXPECT_TRUE(separator == '/' || separator == '.' || separator == '-') << separator;
}

} // namespace
