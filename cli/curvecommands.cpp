// tavik-cli curves and predict: the curve page's numbers for one ear, and the
// loudness prediction, without the window.
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/recordjson.h"
#include "curves/curveload.h"
#include "model/aiddatabase.h"
#include "model/fileio.h"
#include "model/patientfile.h"
#include "pages/prediction.h"

#include <optional>
#include <ostream>
#include <type_traits>

namespace {

constexpr const char* kCurvesUsage =
    "usage: tavik-cli curves FILE [--ear right|left] [--db TAVIK.TDB]";
constexpr const char* kPredictUsage = "usage: tavik-cli predict FILE --ear right|left";

struct Options {
    std::string file;
    std::optional<int> ear; // 0 right, 1 left
    std::optional<std::string> database;
};

const char* earName(int ear) {
    return ear == 0 ? "right" : "left";
}

// FILE and the options, in any order. Returns false after telling err what is wrong.
bool parseOptions(const Args& args, bool databaseAllowed, const char* usage, Options& options,
                  std::ostream& err) {
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--ear" || (databaseAllowed && arg == "--db");
        if (takesValue && i + 1 >= args.size()) {
            err << "tavik-cli: " << arg << " needs a value\n" << usage << '\n';
            return false;
        }
        if (arg == "--ear") {
            const std::string& value = args[++i];
            if (options.ear || (value != "right" && value != "left")) {
                err << "tavik-cli: --ear takes right or left, once\n" << usage << '\n';
                return false;
            }
            options.ear = value == "right" ? 0 : 1;
        } else if (databaseAllowed && arg == "--db") {
            if (options.database) {
                err << "tavik-cli: --db given twice\n" << usage << '\n';
                return false;
            }
            options.database = args[++i];
        } else if (arg.starts_with("-") && arg != "-") {
            err << "tavik-cli: unknown option \"" << arg << "\"\n" << usage << '\n';
            return false;
        } else if (haveFile) {
            err << "tavik-cli: more than one FILE\n" << usage << '\n';
            return false;
        } else {
            options.file = arg;
            haveFile = true;
        }
    }
    if (!haveFile) {
        err << "tavik-cli: no patient FILE given\n" << usage << '\n';
        return false;
    }
    return true;
}

// The database as the program holds it after reading the given file: the file's
// bytes over a zeroed database, however short the file is. Without a file, the
// defaults.
bool readDatabase(const std::optional<std::string>& path, AidDatabase& database,
                  std::ostream& err) {
    database = AidDatabase{};
    if (!path) {
        defaultAidDatabase(database);
        return true;
    }
    try {
        applyAidDatabaseImage(readFileHead(*path, kAidDatabaseFileSize), database);
    } catch (const FileError& e) {
        err << e.what() << '\n';
        return false;
    }
    return true;
}

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

void writeEarCurves(JsonWriter& json, const EarCurves& page, int ear) {
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
    Options options;
    if (!parseOptions(args, true, kCurvesUsage, options, err))
        return kExitFailure;
    FittingRecord record{};
    if (const int code = readPatientForCli(options.file, record, err); code != kExitOk)
        return code;
    AidDatabase database{};
    if (!readDatabase(options.database, database, err))
        return kExitFailure;
    const int ear = options.ear.value_or(0);
    JsonWriter json;
    writeEarCurves(json, loadEarCurves(record, database, ear), ear);
    out << json.text() << '\n';
    return kExitOk;
}

int runPredict(const Args& args, std::ostream& out, std::ostream& err) {
    Options options;
    if (!parseOptions(args, false, kPredictUsage, options, err))
        return kExitFailure;
    if (!options.ear) {
        err << "tavik-cli: predict needs --ear right or --ear left\n" << kPredictUsage << '\n';
        return kExitFailure;
    }
    FittingRecord record{};
    if (const int code = readPatientForCli(options.file, record, err); code != kExitOk)
        return code;
    predictLevels(record, *options.ear);
    JsonWriter json;
    json.beginObject();
    json.key("ear").utf8(earName(*options.ear));
    json.key("loudness");
    writeNumbers(json, earLoudness(record, *options.ear));
    json.endObject();
    out << json.text() << '\n';
    return kExitOk;
}
