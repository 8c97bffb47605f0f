// What changed between two kept versions of a patient file, item by item, in the
// words the pages use, so a clinician can see at a glance what a visit changed.
#include "model/levelunits.h"
#include "model/patienthistory.h"
#include "model/patientscan.h"
#include "model/recordtexts.h"
#include "model/textslot.h"

#include <cstring>

namespace {

constexpr const char* kArrow = " \u2192 ";

using Items = std::vector<std::string>;

std::string change(const std::string& what, const std::string& before, const std::string& after) {
    return what + " " + before + kArrow + after;
}

std::string shownText(const std::string& latin1) {
    return latin1.empty() ? "(none)" : latin1ToUtf8(latin1);
}

template <std::size_t N>
void compareText(Items& items, const char* what, const char (&before)[N], const char (&after)[N]) {
    const std::string a = readText(before), b = readText(after);
    if (a != b)
        items.push_back(change(what, shownText(a), shownText(b)));
}

void comparePatient(Items& items, const FittingRecord& a, const FittingRecord& b) {
    compareText(items, "Last name", a.lastName, b.lastName);
    compareText(items, "First name", a.firstName, b.firstName);
    compareText(items, "Middle initial", a.middleInitial, b.middleInitial);
    compareText(items, "Birth date", a.birthDate, b.birthDate);
    compareText(items, "Patient ID", a.patientId, b.patientId);
    compareText(items, "Clinician", a.clinician, b.clinician);
    compareText(items, "Test date", a.testDate, b.testDate);
    if (readText(a.comments) != readText(b.comments))
        items.emplace_back("Comments changed");
    if (a.binauralFitting != b.binauralFitting)
        items.push_back(change("Fitting", fittingTypeText(a.binauralFitting),
                               fittingTypeText(b.binauralFitting)));
}

std::string levelText(int32_t stored, int frequency, bool showInHL) {
    if (stored == kEmptyLevel)
        return "empty";
    return std::to_string(shownLevel(stored, frequency, showInHL));
}

void compareLoudness(Items& items, Ear ear, const FittingRecord& a, const FittingRecord& b) {
    const bool inHL = b.showInHL != 0;
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            const int32_t before = earLoudness(a, ear)[f][c], after = earLoudness(b, ear)[f][c];
            if (before == after)
                continue;
            items.push_back(earHeading(ear) + " " + frequencyCaptions[f] + " " + categoryNames[c] +
                            " " + levelText(before, f, inHL) + kArrow + levelText(after, f, inHL) +
                            " " + unitName(inHL));
        }
    }
}

int32_t rangeLow(const FittingRecord& r, Ear ear) {
    return ear == Ear::Right ? r.rightRangeLow : r.leftRangeLow;
}
int32_t rangeHigh(const FittingRecord& r, Ear ear) {
    return ear == Ear::Right ? r.rightRangeHigh : r.leftRangeHigh;
}

void compareEarChoices(Items& items, Ear ear, const FittingRecord& a, const FittingRecord& b) {
    const std::string heading = earHeading(ear);
    if (earAidStyle(a, ear) != earAidStyle(b, ear))
        items.push_back(change(heading + " aid style", aidStyleName(earAidStyle(a, ear)),
                               aidStyleName(earAidStyle(b, ear))));
    if (earLevelSource(a, ear) != earLevelSource(b, ear))
        items.push_back(change(heading + " levels", levelSourceText(earLevelSource(a, ear)),
                               levelSourceText(earLevelSource(b, ear))));
    if (rangeLow(a, ear) != rangeLow(b, ear) || rangeHigh(a, ear) != rangeHigh(b, ear))
        items.push_back(change(heading + " graph frequencies",
                               frequencyList({rangeLow(a, ear), rangeHigh(a, ear)}),
                               frequencyList({rangeLow(b, ear), rangeHigh(b, ear)})));
}

std::string curveName(int32_t choice) {
    return choice >= 0 && choice < kCurveShapeCount ? curveShapeNames[choice]
                                                    : std::to_string(choice);
}

bool oneAid(const AidSetting (&settings)[kFrequencyCount]) {
    for (const AidSetting& setting : settings) {
        if (setting.aidChoice != settings[0].aidChoice)
            return false;
    }
    return true;
}

// An ear's aid: one item when the ear holds one aid before and after, as the curve
// page stores it; otherwise one item for each frequency whose aid changed.
void compareAids(Items& items, Ear ear, const FittingRecord& a, const FittingRecord& b,
                 const AidNamer& aidName) {
    const auto& before = a.aidSettings[recordIndex(ear)];
    const auto& after = b.aidSettings[recordIndex(ear)];
    if (oneAid(before) && oneAid(after)) {
        if (before[0].aidChoice != after[0].aidChoice)
            items.push_back(change(earHeading(ear) + " aid", aidName(before[0].aidChoice),
                                   aidName(after[0].aidChoice)));
        return;
    }
    for (int f = 0; f < kFrequencyCount; ++f) {
        if (before[f].aidChoice != after[f].aidChoice)
            items.push_back(change(earHeading(ear) + " " + frequencyCaptions[f] + " aid",
                                   aidName(before[f].aidChoice), aidName(after[f].aidChoice)));
    }
}

void compareCurves(Items& items, Ear ear, const FittingRecord& a, const FittingRecord& b) {
    for (int f = 0; f < kFrequencyCount; ++f) {
        const AidSetting& before = a.aidSettings[recordIndex(ear)][f];
        const AidSetting& after = b.aidSettings[recordIndex(ear)][f];
        const std::string where = earHeading(ear) + " " + frequencyCaptions[f];
        if (before.curveChoice != after.curveChoice)
            items.push_back(change(where + " curve", curveName(before.curveChoice),
                                   curveName(after.curveChoice)));
        if (std::memcmp(&before.curve, &after.curve, sizeof(CurveParams)) != 0)
            items.push_back(where + " user curve changed");
    }
}

std::string defaultAidName(int32_t choice) {
    return "aid " + std::to_string(static_cast<long long>(choice) + 1);
}

} // namespace

std::vector<std::string> describeChanges(const FittingRecord& before, const FittingRecord& after,
                                         const AidNamer& aidName) {
    const AidNamer& name = aidName ? aidName : AidNamer(defaultAidName);
    Items items;
    comparePatient(items, before, after);
    if ((before.showInHL != 0) != (after.showInHL != 0))
        items.push_back(
            change("Unit", unitName(before.showInHL != 0), unitName(after.showInHL != 0)));
    for (const Ear ear : kEars) {
        compareEarChoices(items, ear, before, after);
        compareLoudness(items, ear, before, after);
        compareAids(items, ear, before, after, name);
        compareCurves(items, ear, before, after);
    }
    return items;
}
