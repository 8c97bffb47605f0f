// Which aid an ear holds: one aid stored at all six frequencies, or, in a file written
// otherwise, each aid named with its frequencies; choices outside the lists named as
// the curve page shows them.
#include "curves/earaids.h"

#include "model/aiddatabase.h"
#include "model/textslot.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using SixAids = std::array<int32_t, kFrequencyCount>;

AidDatabase namedDatabase() {
    AidDatabase db{};
    defaultAidDatabase(db);
    writeText(db.aidShortNames[0], "Wide");
    writeText(db.aidShortNames[4], "Tiny & Co");
    return db;
}

// The left ear holds the given aids; the right ear aid 3 everywhere.
FittingRecord withLeftAids(const SixAids& aids) {
    FittingRecord r{};
    for (int f = 0; f < kFrequencyCount; ++f) {
        r.aidSettings[1][f].aidChoice = aids[static_cast<std::size_t>(f)];
        r.aidSettings[0][f].aidChoice = 3;
    }
    return r;
}

TEST(EarAids, EachAidIsNamedWithItsFrequenciesWhenTheEarHoldsMoreThanOne) {
    const struct {
        SixAids aids;
        const char* text;
    } cases[] = {
        {{1, 1, 1, 1, 1, 1}, ""},
        {{-3, -3, -3, -3, -3, -3}, ""},
        {{0, 0, 0, 0, 0, 5}, "Wide at 250 Hz, 500 Hz, 1 KHz, 2 KHz and 3 KHz; HA-6 at 4 KHz"},
        {{4, 1, 4, 1, 4, 1},
         "Tiny & Co at 250 Hz, 1 KHz and 3 KHz; HA-2 at 500 Hz, 2 KHz and 4 KHz"},
        {{7, 0, 2, 2, 2, -3},
         "7 (shown as Wide) at 250 Hz; Wide at 500 Hz; HA-3 at 1 KHz, 2 KHz and 3 KHz; -3 (shown "
         "as Wide) at 4 KHz"},
    };
    const AidDatabase db = namedDatabase();
    for (const auto& c : cases) {
        const FittingRecord r = withLeftAids(c.aids);
        EXPECT_EQ(aidsByFrequency(r, db, Ear::Left), c.text) << c.text;
        EXPECT_EQ(aidsByFrequency(r, db, Ear::Right), "") << "the right ear holds aid 3 alone";
    }
}

TEST(EarAids, StoringAnAidSetsAllSixFrequenciesOfThatEarOnly) {
    FittingRecord r = withLeftAids({0, 1, 2, 3, 4, 5});
    storeEarAid(r, Ear::Left, 4);
    for (int f = 0; f < kFrequencyCount; ++f) {
        EXPECT_EQ(r.aidSettings[1][f].aidChoice, 4) << f;
        EXPECT_EQ(r.aidSettings[0][f].aidChoice, 3) << f;
    }
}

// The right ear's graphs at 1 KHz and 4 KHz (or both at 1 KHz); aid 3 at every
// frequency unless the case says otherwise.
TEST(EarAids, TheCurvePageNamesChoicesOutsideTheListsAndAnEarOfSeveralAids) {
    const struct {
        int32_t curveLeft, aidLeft, curveRight, aidRight;
        int rightGraph;
        const char* note;
    } cases[] = {
        {0, 3, 5, 3, 5, ""},
        {6, 3, 0, 3, 5,
         "Left graph (1 KHz): curve choice 6 is not in the list and shows as No Curve; the file "
         "keeps it until you choose."},
        {0, 3, -1, 3, 5,
         "Right graph (4 KHz): curve choice -1 is not in the list and shows as No Curve; the "
         "file keeps it until you choose."},
        {7, 3, 0, 3, 2,
         "Left graph (1 KHz): curve choice 7 is not in the list and shows as No Curve; the file "
         "keeps it until you choose."},
        {0, 3, 0, -3, 5,
         "Right graph (4 KHz): aid choice -3 is not in the list and shows as Wide; the file "
         "keeps it until you choose. The right ear holds more than one aid: HA-4 at 250 Hz, "
         "500 Hz, 1 KHz, 2 KHz and 3 KHz; -3 (shown as Wide) at 4 KHz. Choosing an aid sets it "
         "at all six frequencies."},
        {0, 1, 0, 3, 5,
         "The right ear holds more than one aid: HA-4 at 250 Hz, 500 Hz, 2 KHz, 3 KHz and 4 KHz; "
         "HA-2 at 1 KHz. Choosing an aid sets it at all six frequencies."},
    };
    const AidDatabase db = namedDatabase();
    for (const auto& c : cases) {
        FittingRecord r = withLeftAids({0, 0, 0, 0, 0, 0});
        r.aidSettings[0][2].curveChoice = c.curveLeft;
        r.aidSettings[0][2].aidChoice = c.aidLeft;
        if (c.rightGraph != 2) {
            r.aidSettings[0][c.rightGraph].curveChoice = c.curveRight;
            r.aidSettings[0][c.rightGraph].aidChoice = c.aidRight;
        }
        EXPECT_EQ(storedChoicesNote(r, db, Ear::Right, 2, c.rightGraph), c.note) << c.note;
    }
}

} // namespace
