#include "cli/earoptions.h"

#include "model/fileio.h"
#include "model/safetext.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace {

const char* const kDefaultsUsed = "; using the default aids HA-1 to HA-6, without curves";

// TAVIK.TDB in the current folder, named with the folder so that the clinician sees
// which file it was.
std::string currentFolderDatabase() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (error)
        return kAidDatabaseFileName;
    return (folder / kAidDatabaseFileName).string();
}

bool takesValue(const EarOptionRules& rules, const std::string& arg) {
    return arg == "--ear" || (rules.databaseAllowed && arg == "--db") ||
           std::ranges::find(rules.valueOptions, arg) != rules.valueOptions.end();
}

} // namespace

bool parseEarOptions(const Args& args, const EarOptionRules& rules, EarOptions& options,
                     std::ostream& err) {
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (takesValue(rules, arg) && i + 1 >= args.size()) {
            err << "tavik-cli: " << arg << " needs a value\n" << rules.usage << '\n';
            return false;
        }
        if (arg == "--ear") {
            const std::string& value = args[++i];
            if (options.ear || (value != "right" && value != "left")) {
                err << "tavik-cli: --ear takes right or left, once\n" << rules.usage << '\n';
                return false;
            }
            options.ear = value == "right" ? Ear::Right : Ear::Left;
        } else if (rules.databaseAllowed && arg == "--db") {
            if (options.database) {
                err << "tavik-cli: --db given twice\n" << rules.usage << '\n';
                return false;
            }
            options.database = args[++i];
        } else if (takesValue(rules, arg)) {
            if (!options.values.emplace(arg, args[++i]).second) {
                err << "tavik-cli: " << arg << " given twice\n" << rules.usage << '\n';
                return false;
            }
        } else if (arg.starts_with("-") && arg != "-") {
            err << "tavik-cli: unknown option " << quotedPath(arg) << '\n' << rules.usage << '\n';
            return false;
        } else if (haveFile) {
            err << "tavik-cli: more than one FILE\n" << rules.usage << '\n';
            return false;
        } else {
            options.file = arg;
            haveFile = true;
        }
    }
    if (!haveFile) {
        err << "tavik-cli: no patient FILE given\n" << rules.usage << '\n';
        return false;
    }
    return true;
}

bool readDatabaseForCli(const std::optional<std::string>& path, AidDatabase& database,
                        std::ostream& err) {
    database = AidDatabase{};
    if (path) {
        try {
            applyAidDatabaseImage(readFileHead(*path, kAidDatabaseFileSize), database);
        } catch (const FileError& e) {
            err << e.what() << '\n';
            return false;
        }
        err << "tavik-cli: aid database " << quotedPath(*path) << '\n';
        return true;
    }
    const std::string here = currentFolderDatabase();
    const AidDatabaseLoad load = loadAidDatabase(here, database);
    switch (load.source) {
    case AidDatabaseSource::File:
        err << "tavik-cli: aid database " << quotedPath(here) << '\n';
        break;
    case AidDatabaseSource::Missing:
        err << "tavik-cli: no aid database " << quotedPath(here) << kDefaultsUsed << '\n';
        break;
    case AidDatabaseSource::Unreadable:
        err << "tavik-cli: " << load.reason << kDefaultsUsed << '\n';
        break;
    }
    return true;
}

const char* earName(Ear ear) {
    return ear == Ear::Right ? "right" : "left";
}

int loadEarForCli(const EarOptions& options, LoadedEar& loaded, std::ostream& err) {
    if (const int code = readPatientForCli(options.file, loaded.record, err); code != kExitOk)
        return code;
    if (!readDatabaseForCli(options.database, loaded.database, err))
        return kExitFailure;
    loaded.page = loadEarCurves(loaded.record, loaded.database, options.ear.value_or(Ear::Right));
    return kExitOk;
}
