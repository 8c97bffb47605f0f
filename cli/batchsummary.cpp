#include "cli/batchsummary.h"

#include "curves/earaids.h"
#include "curves/targets.h"
#include "model/safetext.h"
#include "model/textslot.h"
#include "report/reporttext.h"

namespace {

constexpr float kRmsFailed = 121.0f;

template <std::size_t N> std::string slotText(const char (&slot)[N]) {
    return latin1ToUtf8(readText(slot));
}

// An RMS error: "" for a curve that is not complete, "Error" where none could be
// computed, otherwise one decimal as the report prints it.
std::string rmsText(const CurveParams& curve) {
    if (curve.complete != 1)
        return "";
    if (curve.rmsError == kRmsFailed)
        return "Error";
    return paddedOneDecimal(curve.rmsError, 0);
}

// A target with one decimal; "" for 0, which means there is none.
std::string targetText(float target) {
    return target == 0.0f ? "" : paddedOneDecimal(target, 0);
}

void appendCurves(SummaryRow& row, const EarCurves& page) {
    // The targets hold a graph frequency outside 0..5 as 0 already.
    for (int side = 0; side < kSideCount; ++side)
        row.push_back(std::to_string(frequencyHz[page.targets.graphFrequency[side]]));
    for (const int control :
         {kLeftSideCurveCombo, kLeftSideHAidCombo, kRightSideCurveCombo, kRightSideHAidCombo})
        row.push_back(latin1ToUtf8(page.controls[static_cast<std::size_t>(control)]));
    for (const CurveParams& curve : page.curves)
        row.push_back(rmsText(curve));
    for (int side = 0; side < kSideCount; ++side) {
        for (int level = 0; level < 3; ++level)
            row.push_back(targetText(page.targets.targetLevels[side][level]));
    }
}

} // namespace

const SummaryRow& summaryHeader() {
    static const SummaryRow header = {
        "file",
        "pdf",
        "last name",
        "first name",
        "patient ID",
        "birth date",
        "test date",
        "clinician",
        "ear",
        "aid style",
        "level source",
        "fitting",
        "left Hz",
        "right Hz",
        "left curve",
        "left aid",
        "right curve",
        "right aid",
        "left fitted RMS",
        "left user RMS",
        "left aid RMS",
        "right fitted RMS",
        "right user RMS",
        "right aid RMS",
        "left soft target",
        "left average target",
        "left loud target",
        "right soft target",
        "right average target",
        "right loud target",
        "error",
        "aids by frequency",
    };
    return header;
}

namespace {

std::size_t errorColumn() {
    return summaryHeader().size() - 2;
}

} // namespace

SummaryRow earSummaryRow(const EarSummary& where, const FittingRecord& record,
                         const AidDatabase& database, Ear ear, const EarCurves& page) {
    const int32_t style = ear == Ear::Right ? record.rightAidStyle : record.leftAidStyle;
    SummaryRow row = {
        utf8FileName(where.file),
        utf8FileName(where.pdf),
        slotText(record.lastName),
        slotText(record.firstName),
        slotText(record.patientId),
        slotText(record.birthDate),
        slotText(record.testDate),
        slotText(record.clinician),
        ear == Ear::Right ? "right" : "left",
        aidStyleNames[aidStyleOrFirst(style)],
        levelSourceText(earLevelSource(record, ear)),
        fittingTypeText(record.binauralFitting),
    };
    appendCurves(row, page);
    row.push_back(where.error);
    row.push_back(latin1ToUtf8(aidsByFrequency(record, database, ear)));
    return row;
}

SummaryRow failedFileRow(const std::string& file, const std::string& error) {
    SummaryRow row(summaryHeader().size());
    row.front() = utf8FileName(file);
    row[errorColumn()] = error;
    return row;
}

std::string csvLine(const SummaryRow& row) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            line += ',';
        line += csvField(row[i]);
    }
    return line + "\r\n";
}
