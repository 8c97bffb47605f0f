// The fitting record of one patient, its parts, and the hearing-aid database.
// These structs are the byte images of the patient file (1372 bytes) and of the
// database file (1364 bytes), so every size and offset is checked at compile time.
#pragma once

#include "model/ear.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "patient and database files are little-endian byte images");

inline constexpr int kEarCount = 2;
inline constexpr int kFrequencyCount = 6;
inline constexpr int kCategoryCount = 8;
inline constexpr int kAidCount = 6;

// -99 marks an empty level or parameter, in integer and in float fields alike.
inline constexpr int32_t kEmptyLevel = -99;
inline constexpr float kEmptyValue = -99.0f;

// Frequencies of index 0..5 in Hz, and the captions the pages show for them.
inline constexpr int frequencyHz[kFrequencyCount] = {250, 500, 1000, 2000, 3000, 4000};
inline constexpr const char* frequencyCaptions[kFrequencyCount] = {"250 Hz", "500 Hz", "1 KHz",
                                                                   "2 KHz",  "3 KHz",  "4 KHz"};
// Loudness categories of index 0..7. "LOK" comes before "UCL".
inline constexpr const char* categoryNames[kCategoryCount] = {"THR", "VS",  "S",   "CSS",
                                                              "C",   "CSL", "LOK", "UCL"};
// Hearing-aid styles of index 0..3.
inline constexpr const char* aidStyleNames[4] = {"BTE", "ITE", "ITC", "CIC"};

// One input/output curve. Its first eight fields match AidFrequencyData.
struct CurveParams {
    float gainAt50;
    float threshold1;
    int32_t threshold1IsOutput;
    float ratio1;
    float threshold2;
    int32_t threshold2IsOutput;
    float ratio2;
    float maxOutput;
    float rmsError;
    uint8_t complete;
    uint8_t padding[3];
};

// What the curve page remembers for one ear at one frequency.
struct AidSetting {
    int32_t curveChoice;
    int32_t aidChoice;
    CurveParams curve;
};

// One hearing aid's curve at one frequency, as held in the database.
struct AidFrequencyData {
    float gainAt50;
    float threshold1;
    int32_t threshold1IsOutput;
    float ratio1;
    float threshold2;
    int32_t threshold2IsOutput;
    float ratio2;
    float maxOutput;
};

struct FittingRecord {
    char fileTag[20];
    char lastName[18];
    char firstName[18];
    char middleInitial[2];
    char birthDate[11];
    char patientId[11];
    char clinician[25];
    char testDate[11];
    char comments[256];
    int32_t rightAidStyle;
    int32_t leftAidStyle;
    int32_t binauralFitting;
    int32_t leftLevelSource;
    int32_t rightLevelSource;
    int32_t leftRangeLow;
    int32_t leftRangeHigh;
    int32_t leftLoudness[kFrequencyCount][kCategoryCount];
    int32_t rightRangeLow;
    int32_t rightRangeHigh;
    int32_t rightLoudness[kFrequencyCount][kCategoryCount];
    uint8_t showInHL;
    uint8_t padding[3];
    AidSetting aidSettings[kEarCount][kFrequencyCount];
};

struct AidDatabase {
    char aidLongNames[kAidCount][25];
    char aidShortNames[kAidCount][10];
    uint8_t padding[2];
    AidFrequencyData aidData[kAidCount][kFrequencyCount];
};

// --- byte image checks ------------------------------------------------------
static_assert(std::is_standard_layout_v<FittingRecord> &&
              std::is_trivially_copyable_v<FittingRecord>);
static_assert(std::is_standard_layout_v<AidDatabase> && std::is_trivially_copyable_v<AidDatabase>);

static_assert(sizeof(CurveParams) == 40);
static_assert(offsetof(CurveParams, gainAt50) == 0);
static_assert(offsetof(CurveParams, threshold1) == 4);
static_assert(offsetof(CurveParams, threshold1IsOutput) == 8);
static_assert(offsetof(CurveParams, ratio1) == 12);
static_assert(offsetof(CurveParams, threshold2) == 16);
static_assert(offsetof(CurveParams, threshold2IsOutput) == 20);
static_assert(offsetof(CurveParams, ratio2) == 24);
static_assert(offsetof(CurveParams, maxOutput) == 28);
static_assert(offsetof(CurveParams, rmsError) == 32);
static_assert(offsetof(CurveParams, complete) == 36);

static_assert(sizeof(AidSetting) == 48);
static_assert(offsetof(AidSetting, curveChoice) == 0);
static_assert(offsetof(AidSetting, aidChoice) == 4);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, gainAt50) == 8);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, threshold1) == 12);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, threshold1IsOutput) == 16);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, ratio1) == 20);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, threshold2) == 24);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, threshold2IsOutput) == 28);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, ratio2) == 32);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, maxOutput) == 36);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, rmsError) == 40);
static_assert(offsetof(AidSetting, curve) + offsetof(CurveParams, complete) == 44);

static_assert(sizeof(AidFrequencyData) == 32);
static_assert(offsetof(AidFrequencyData, gainAt50) == 0);
static_assert(offsetof(AidFrequencyData, threshold1) == 4);
static_assert(offsetof(AidFrequencyData, threshold1IsOutput) == 8);
static_assert(offsetof(AidFrequencyData, ratio1) == 12);
static_assert(offsetof(AidFrequencyData, threshold2) == 16);
static_assert(offsetof(AidFrequencyData, threshold2IsOutput) == 20);
static_assert(offsetof(AidFrequencyData, ratio2) == 24);
static_assert(offsetof(AidFrequencyData, maxOutput) == 28);

static_assert(sizeof(FittingRecord) == 1372);
static_assert(offsetof(FittingRecord, fileTag) == 0);
static_assert(offsetof(FittingRecord, lastName) == 20);
static_assert(offsetof(FittingRecord, firstName) == 38);
static_assert(offsetof(FittingRecord, middleInitial) == 56);
static_assert(offsetof(FittingRecord, birthDate) == 58);
static_assert(offsetof(FittingRecord, patientId) == 69);
static_assert(offsetof(FittingRecord, clinician) == 80);
static_assert(offsetof(FittingRecord, testDate) == 105);
static_assert(offsetof(FittingRecord, comments) == 116);
static_assert(offsetof(FittingRecord, rightAidStyle) == 372);
static_assert(offsetof(FittingRecord, leftAidStyle) == 376);
static_assert(offsetof(FittingRecord, binauralFitting) == 380);
static_assert(offsetof(FittingRecord, leftLevelSource) == 384);
static_assert(offsetof(FittingRecord, rightLevelSource) == 388);
static_assert(offsetof(FittingRecord, leftRangeLow) == 392);
static_assert(offsetof(FittingRecord, leftRangeHigh) == 396);
static_assert(offsetof(FittingRecord, leftLoudness) == 400);
static_assert(offsetof(FittingRecord, rightRangeLow) == 592);
static_assert(offsetof(FittingRecord, rightRangeHigh) == 596);
static_assert(offsetof(FittingRecord, rightLoudness) == 600);
static_assert(offsetof(FittingRecord, showInHL) == 792);
static_assert(offsetof(FittingRecord, padding) == 793);
static_assert(offsetof(FittingRecord, aidSettings) == 796);

static_assert(sizeof(AidDatabase) == 1364);
static_assert(offsetof(AidDatabase, aidLongNames) == 0);
static_assert(offsetof(AidDatabase, aidShortNames) == 150);
static_assert(offsetof(AidDatabase, padding) == 210);
static_assert(offsetof(AidDatabase, aidData) == 212);

// --- record operations ------------------------------------------------------

// The New defaults, with the given text as test date.
void resetFitting(FittingRecord& record, std::string_view testDate);

// Today's date as "mm/dd/yyyy", each "/" replaced by the given separator.
std::string formatTestDate(int year, int month, int day, char separator);
std::string todayTestDate(char separator);

// The date separator of the user's locale, '/' where the locale does not say.
char systemDateSeparator();

// "a", "a and b", "a, b and c".
std::string listWithAnd(const std::vector<std::string>& parts);
// The captions of frequency indices, as listWithAnd joins them: "500 Hz and 2 KHz". An
// index outside the table shows as "?".
std::string frequencyList(const std::vector<int>& frequencies);

// The loudness block, level source and aid style of an ear.
inline int32_t (&earLoudness(FittingRecord& r, Ear ear))[kFrequencyCount][kCategoryCount] {
    return ear == Ear::Right ? r.rightLoudness : r.leftLoudness;
}
inline const int32_t (&earLoudness(const FittingRecord& r,
                                   Ear ear))[kFrequencyCount][kCategoryCount] {
    return ear == Ear::Right ? r.rightLoudness : r.leftLoudness;
}
inline int32_t earLevelSource(const FittingRecord& r, Ear ear) {
    return ear == Ear::Right ? r.rightLevelSource : r.leftLevelSource;
}
inline int32_t earAidStyle(const FittingRecord& r, Ear ear) {
    return ear == Ear::Right ? r.rightAidStyle : r.leftAidStyle;
}
