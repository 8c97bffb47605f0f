// The two ears of a patient, and their index in the record.
#pragma once

#include <array>
#include <string>

// The ear a page, a prediction, a fit or a report is about.
enum class Ear { Right, Left };

// Both ears, right first, as the pages and `aidSettings` hold them.
inline constexpr std::array<Ear, 2> kEars = {Ear::Right, Ear::Left};

// An ear's index in `aidSettings[ear]`: 0 right, 1 left.
// (The loudness block of the record stores the left ear first; the record's
// accessors take the ear itself, so that order stays in fittingrecord.h.)
constexpr int recordIndex(Ear ear) {
    return ear == Ear::Right ? 0 : 1;
}

// The ear of such an index: 0 right, any other value left.
constexpr Ear earOfIndex(int index) {
    return index == 0 ? Ear::Right : Ear::Left;
}

// The ear's name as headings, notes and screen-reader names give it: "Right Ear" or
// "Left Ear".
inline std::string earHeading(Ear ear) {
    return ear == Ear::Right ? "Right Ear" : "Left Ear";
}

// The ear that is not this one.
constexpr Ear otherEar(Ear ear) {
    return ear == Ear::Right ? Ear::Left : Ear::Right;
}
