#include "cli/recordjson.h"

#include "model/textslot.h"

namespace {

void writeLoudness(JsonWriter& json, const int32_t (&levels)[kFrequencyCount][kCategoryCount]) {
    json.beginArray();
    for (const auto& row : levels) {
        json.beginArray();
        for (const int32_t level : row)
            json.value(static_cast<long long>(level));
        json.endArray();
    }
    json.endArray();
}

} // namespace

namespace {

// The eight fields a curve block shares with a database entry, in storage order.
template <class CurveData> void writeCurveDataFields(JsonWriter& json, const CurveData& d) {
    json.key("gainAt50").value(d.gainAt50);
    json.key("threshold1").value(d.threshold1);
    json.key("threshold1IsOutput").value(static_cast<long long>(d.threshold1IsOutput));
    json.key("ratio1").value(d.ratio1);
    json.key("threshold2").value(d.threshold2);
    json.key("threshold2IsOutput").value(static_cast<long long>(d.threshold2IsOutput));
    json.key("ratio2").value(d.ratio2);
    json.key("maxOutput").value(d.maxOutput);
}

} // namespace

void writeCurveFields(JsonWriter& json, const CurveParams& curve) {
    writeCurveDataFields(json, curve);
    json.key("rmsError").value(curve.rmsError);
    json.key("complete").value(static_cast<long long>(curve.complete));
}

void writeRecordJson(JsonWriter& json, const FittingRecord& r) {
    json.beginObject();
    json.key("fileTag").latin1(readText(r.fileTag));
    json.key("lastName").latin1(readText(r.lastName));
    json.key("firstName").latin1(readText(r.firstName));
    json.key("middleInitial").latin1(readText(r.middleInitial));
    json.key("birthDate").latin1(readText(r.birthDate));
    json.key("patientId").latin1(readText(r.patientId));
    json.key("clinician").latin1(readText(r.clinician));
    json.key("testDate").latin1(readText(r.testDate));
    json.key("comments").latin1(readText(r.comments));
    json.key("rightAidStyle").value(static_cast<long long>(r.rightAidStyle));
    json.key("leftAidStyle").value(static_cast<long long>(r.leftAidStyle));
    json.key("binauralFitting").value(static_cast<long long>(r.binauralFitting));
    json.key("leftLevelSource").value(static_cast<long long>(r.leftLevelSource));
    json.key("rightLevelSource").value(static_cast<long long>(r.rightLevelSource));
    json.key("leftRangeLow").value(static_cast<long long>(r.leftRangeLow));
    json.key("leftRangeHigh").value(static_cast<long long>(r.leftRangeHigh));
    json.key("leftLoudness");
    writeLoudness(json, r.leftLoudness);
    json.key("rightRangeLow").value(static_cast<long long>(r.rightRangeLow));
    json.key("rightRangeHigh").value(static_cast<long long>(r.rightRangeHigh));
    json.key("rightLoudness");
    writeLoudness(json, r.rightLoudness);
    json.key("showInHL").value(static_cast<long long>(r.showInHL));
    json.key("aidSettings").beginArray();
    for (const auto& ear : r.aidSettings) {
        json.beginArray();
        for (const AidSetting& s : ear) {
            json.beginObject();
            json.key("curveChoice").value(static_cast<long long>(s.curveChoice));
            json.key("aidChoice").value(static_cast<long long>(s.aidChoice));
            writeCurveFields(json, s.curve);
            json.endObject();
        }
        json.endArray();
    }
    json.endArray();
    json.endObject();
}

void writeDatabaseJson(JsonWriter& json, const AidDatabase& database) {
    json.beginObject();
    json.key("aidLongNames").beginArray();
    for (const auto& name : database.aidLongNames)
        json.latin1(readText(name));
    json.endArray();
    json.key("aidShortNames").beginArray();
    for (const auto& name : database.aidShortNames)
        json.latin1(readText(name));
    json.endArray();
    json.key("aidData").beginArray();
    for (const auto& aid : database.aidData) {
        json.beginArray();
        for (const AidFrequencyData& d : aid) {
            json.beginObject();
            writeCurveDataFields(json, d);
            json.endObject();
        }
        json.endArray();
    }
    json.endArray();
    json.endObject();
}
