// tavik-cli curves and predict: the curve page's numbers for one ear, and the
// loudness prediction, without the window.
#include "cli/commands.h"
#include "cli/earoptions.h"
#include "cli/help.h"
#include "cli/json.h"
#include "cli/recordjson.h"
#include "curves/curveload.h"
#include "model/prediction.h"
#include "model/predictioncheck.h"

#include <ostream>
#include <type_traits>

namespace {

const char* const kCurvesUsage = commandUsage("curves");
const char* const kPredictUsage = commandUsage("predict");

template <class T, std::size_t N> void writeNumbers(JsonWriter& json, const T (&values)[N]) {
    json.beginArray();
    for (const T value : values) {
        if constexpr (std::is_floating_point_v<T>)
            json.value(value);
        else
            json.value(static_cast<long long>(value));
    }
    json.endArray();
}

template <class T, std::size_t N, std::size_t M>
void writeNumbers(JsonWriter& json, const T (&rows)[N][M]) {
    json.beginArray();
    for (const auto& row : rows)
        writeNumbers(json, row);
    json.endArray();
}

void writeTargets(JsonWriter& json, const TargetState& targets) {
    json.beginObject();
    json.key("graphFrequency");
    writeNumbers(json, targets.graphFrequency);
    json.key("graphLevels");
    writeNumbers(json, targets.graphLevels);
    json.key("bandLevels");
    writeNumbers(json, targets.bandLevels);
    json.key("targetLevels");
    writeNumbers(json, targets.targetLevels);
    json.endObject();
}

void writeEarCurves(JsonWriter& json, const EarCurves& page, Ear ear) {
    json.beginObject();
    json.key("ear").utf8(earName(ear));
    json.key("targets");
    writeTargets(json, page.targets);
    json.key("fitPoints").beginArray();
    for (const FitPoints& side : page.fitPoints) {
        json.beginArray();
        for (const FitPoint& point : side) {
            json.beginObject();
            json.key("input").value(point.input);
            json.key("target").value(point.target);
            json.endObject();
        }
        json.endArray();
    }
    json.endArray();
    json.key("controls").beginArray();
    for (const std::string& text : page.controls)
        json.latin1(text);
    json.endArray();
    json.key("grid").beginArray();
    for (const auto& column : page.grid.cell) {
        json.beginArray();
        for (const std::string& text : column)
            json.latin1(text);
        json.endArray();
    }
    json.endArray();
    json.key("curves").beginArray();
    for (const CurveParams& curve : page.curves) {
        json.beginObject();
        writeCurveFields(json, curve);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace

int runCurves(const Args& args, std::ostream& out, std::ostream& err) {
    EarOptions options;
    if (!parseEarOptions(args, {kCurvesUsage, true, {}}, options, err))
        return kExitFailure;
    LoadedEar loaded;
    if (const int code = loadEarForCli(options, loaded, err); code != kExitOk)
        return code;
    JsonWriter json;
    writeEarCurves(json, loaded.page, options.ear.value_or(Ear::Right));
    out << json.text() << '\n';
    return kExitOk;
}

int runPredict(const Args& args, std::ostream& out, std::ostream& err) {
    EarOptions options;
    if (!parseEarOptions(args, {kPredictUsage, false, {}}, options, err))
        return kExitFailure;
    if (!options.ear) {
        err << "tavik-cli: predict needs --ear right or --ear left\n" << kPredictUsage << '\n';
        return kExitFailure;
    }
    FittingRecord record{};
    if (const int code = readPatientForCli(options.file, record, err); code != kExitOk)
        return code;
    predictLevels(record, *options.ear);
    const std::vector<int> refused =
        refusedFrequencies(earLoudness(record, *options.ear), earLevelSource(record, *options.ear));
    if (!refused.empty())
        err << "tavik-cli: " << refusedPredictionNote(*options.ear, refused) << '\n';
    JsonWriter json;
    json.beginObject();
    json.key("ear").utf8(earName(*options.ear));
    json.key("loudness");
    writeNumbers(json, earLoudness(record, *options.ear));
    json.endObject();
    out << json.text() << '\n';
    return kExitOk;
}
