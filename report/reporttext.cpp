#include "report/reporttext.h"

#include "curves/curvefit.h"
#include "model/numbers.h"
#include "model/textslot.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTableInputFrom = 50;
constexpr int kTableInputStep = 5;
constexpr float kRmsFailed = 121.0f;

std::string padLeft(std::string text, int width) {
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string utf8FromSlot(const char* slot, std::size_t width) {
    return latin1ToUtf8(readTextSlot(slot, width));
}

template <std::size_t N> std::string utf8FromSlot(const char (&slot)[N]) {
    return utf8FromSlot(slot, N);
}

const char* earName(Ear ear) {
    return ear == Ear::Right ? "Right" : "Left";
}

int32_t reportAidStyle(const PrintData& data) {
    const int32_t style = data.printEar == Ear::Right ? data.rightAidStyle : data.leftAidStyle;
    return aidStyleOrFirst(style);
}

// Rows 1 to 8 of one plot in the parameter table.
std::array<std::string, 8> parameterColumn(const CurveParams& curve, float gain60) {
    std::array<std::string, 8> rows;
    if (curve.complete != 1)
        return rows;
    rows[0] = paddedInt(curve.gainAt50, 5);
    rows[1] = paddedInt(curve.threshold1, 5);
    rows[2] = paddedOneDecimal(curve.ratio1, 5);
    rows[3] = paddedInt(curve.threshold2, 5);
    rows[4] = paddedOneDecimal(curve.ratio2, 5);
    rows[5] = paddedInt(curve.maxOutput, 5);
    if (gain60 != kNoGainAt60)
        rows[6] = paddedInt(gain60, 5);
    rows[7] = curve.rmsError == kRmsFailed ? "Error" : paddedOneDecimal(curve.rmsError, 5);
    return rows;
}

} // namespace

PrintData makePrintData(const FittingRecord& record, const std::string& currentFileName, Ear ear,
                        const TargetState& targets, const CurveParams (&curves)[kCurveCount],
                        const std::string& printDate) {
    PrintData data;
    data.printEar = ear;
    data.printTargets = targets;
    std::copy(std::begin(curves), std::end(curves), std::begin(data.printCurves));
    data.lastName = utf8FromSlot(record.lastName);
    data.firstName = utf8FromSlot(record.firstName);
    data.middleInitial = utf8FromSlot(record.middleInitial);
    data.comments = utf8FromSlot(record.comments);
    data.rightAidStyle = record.rightAidStyle;
    data.leftAidStyle = record.leftAidStyle;
    data.currentFileName = currentFileName;
    data.printDate = printDate;
    data.patientId = utf8FromSlot(record.patientId);
    data.birthDate = utf8FromSlot(record.birthDate);
    data.testDate = utf8FromSlot(record.testDate);
    data.clinician = utf8FromSlot(record.clinician);
    data.binauralFitting = record.binauralFitting;
    data.levelSource = earLevelSource(record, ear);
    return data;
}

void setPlotLabels(PrintData& data, const std::array<std::string, 6>& controls, int choice) {
    const auto c = static_cast<std::size_t>(std::clamp(choice, 0, kReportChoiceCount - 1));
    data.leftPlotLabel = controls[c];
    data.rightPlotLabel = controls[c + 3];
}

std::string formatPrintDate(int year, int month, int day,
                            const std::array<std::string, 12>& monthNames) {
    const std::string monthText = month >= 1 && month <= 12
                                      ? monthNames[static_cast<std::size_t>(month - 1)]
                                      : formatInt(month);
    std::string yearText = formatInt(year);
    if (year >= 0 && yearText.size() < 4)
        yearText.insert(0, 4 - yearText.size(), '0');
    return monthText + " " + formatInt(day) + ", " + yearText;
}

bool reportHasCurve(const CurveParams (&curves)[kCurveCount], int choice) {
    if (choice < 0 || choice >= kReportChoiceCount)
        return false;
    return curves[choice].complete == 1 || curves[choice + kReportChoiceCount].complete == 1;
}

std::string pairCaption(const std::array<std::string, 6>& controls, int choice) {
    const auto c = static_cast<std::size_t>(std::clamp(choice, 0, kReportChoiceCount - 1));
    return controls[c] + "\\" + controls[c + kReportChoiceCount];
}

std::string noCurveToPrintNote(const std::vector<std::string>& captions) {
    if (captions.empty())
        return {};
    std::string note = "No curve to print in " + captions.front();
    for (std::size_t i = 1; i < captions.size(); ++i)
        note += " or " + captions[i];
    return note + ".";
}

std::string reportDocumentName(const PrintData& data) {
    std::string ear = earName(data.printEar);
    ear[0] = static_cast<char>(ear[0] - 'A' + 'a');
    return "TAVIK report, " + ear + " ear, " + data.leftPlotLabel + "\\" + data.rightPlotLabel;
}

HeaderTexts headerTexts(const PrintData& data) {
    HeaderTexts h;
    h.title = kReportTitle;
    h.printed = "Printed: " + data.printDate;
    h.name = "Name: " + data.lastName;
    if (!data.lastName.empty())
        h.name += ", ";
    h.name += data.firstName + " " + data.middleInitial;
    h.fileName = "Filename: " + data.currentFileName;
    h.ear = std::string("Ear: ") + earName(data.printEar);
    h.aidType = std::string("Hearing Aid Type: ") + aidStyleNames[reportAidStyle(data)];
    h.leftPlot = "Left Plot: " + data.leftPlotLabel;
    h.rightPlot = "Right Plot: " + data.rightPlotLabel;
    h.comments = data.comments;
    return h;
}

IdentityTexts identityTexts(const PrintData& data, int choice) {
    IdentityTexts t;
    t.patientId = "Patient ID: " + data.patientId;
    t.birthDate = "Birth Date: " + data.birthDate;
    t.testDate = "Test Date: " + data.testDate;
    t.clinician = "Clinician: " + data.clinician;
    t.fitting = "Fitting: " + fittingTypeText(data.binauralFitting);
    if (data.binauralFitting == 1)
        t.fitting += " (targets 5 dB lower)";
    t.levels = "Levels: " + levelSourceText(data.levelSource);
    if (choice == kAidReport) {
        t.aids = "Aids: " + data.aidLongNames[0] + "\\" + data.aidLongNames[1];
    }
    return t;
}

std::string paddedInt(double value, int width) {
    return padLeft(formatInt(truncToInt(value)), width);
}

std::string paddedOneDecimal(double value, int width) {
    return padLeft(formatFixed(value, 1), width);
}

float gainAt60(const CurveParams& curve) {
    if (curve.complete != 1)
        return kNoGainAt60;
    return curveOutput(curve, 60.0f) - 60.0f;
}

float octaveDistance(int leftHz, int rightHz) {
    const auto logBase = [](long double base, long double x) -> long double {
        return base == 0 ? 0.0L : std::log(x) / std::log(base);
    };
    return static_cast<float>((logBase(10, rightHz) - logBase(10, leftHz)) / logBase(10, 2));
}

std::array<InputOutputRow, kInputOutputRows> inputOutputRows(const CurveParams& left,
                                                             const CurveParams& right) {
    std::array<InputOutputRow, kInputOutputRows> rows;
    for (int row = 0; row < kInputOutputRows; ++row) {
        const int input = kTableInputFrom + row * kTableInputStep;
        InputOutputRow& r = rows[static_cast<std::size_t>(row)];
        r.input = formatInt(input);
        if (left.complete == 1)
            r.left = paddedInt(curveOutput(left, static_cast<float>(input)), 3);
        if (right.complete == 1)
            r.right = paddedInt(curveOutput(right, static_cast<float>(input)), 3);
    }
    return rows;
}

ParameterTableTexts parameterTable(const CurveParams& left, const CurveParams& right,
                                   int32_t leftFrequencyIndex, int32_t rightFrequencyIndex) {
    ParameterTableTexts t;
    const float leftGain = gainAt60(left);
    const float rightGain = gainAt60(right);
    t.left = parameterColumn(left, leftGain);
    t.right = parameterColumn(right, rightGain);
    if (leftGain == kNoGainAt60 || rightGain == kNoGainAt60)
        return t;
    const float octaves = octaveDistance(frequencyHz[frequencyIndexOrFirst(leftFrequencyIndex)],
                                         frequencyHz[frequencyIndexOrFirst(rightFrequencyIndex)]);
    if (octaves == 0.0f) {
        t.slope = "ERROR";
        return t;
    }
    const long double slope =
        (static_cast<long double>(rightGain) - static_cast<long double>(leftGain)) / octaves;
    t.slope = paddedOneDecimal(static_cast<double>(slope), 5);
    t.slopeIsValue = true;
    return t;
}
