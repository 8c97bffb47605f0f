#include "cli/commands.h"
#include "cli/help.h"
#include "cli/json.h"
#include "cli/optionvalues.h"
#include "cli/recordjson.h"
#include "model/aiddatabase.h"
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"

#include <ostream>

int readPatientForCli(const std::string& path, FittingRecord& record, std::ostream& err,
                      PatientFileKind* kind) {
    LegacyImage legacy{};
    PatientFileKind read;
    std::size_t size = 0;
    try {
        read = readPatientFile(path, record, legacy, todayTestDate(systemDateSeparator()), &size);
    } catch (const FileError& e) {
        err << e.what() << '\n';
        return kExitFailure;
    }
    if (read == PatientFileKind::Unsupported) {
        err << unsupportedFileReason(size, path) << '\n';
        return kExitUnsupported;
    }
    if (kind)
        *kind = read;
    return kExitOk;
}

namespace {

// show FILE --version N (or --version N FILE): the kept version instead of the file,
// which need not be there any more.
int readKeptVersion(const Args& args, FittingRecord& record, std::ostream& err) {
    const bool optionFirst = args[0] == "--version";
    const std::string& file = optionFirst ? args[2] : args[0];
    const std::optional<int> number = parseWholeNumber(args[optionFirst ? 1 : 2], 1, 1000000000);
    if (!number || file.starts_with("-")) {
        err << commandUsage("show") << '\n';
        return kExitFailure;
    }
    const HistoryRead history = readHistory(file);
    for (const std::string& problem : history.problems)
        err << problem << '\n';
    const KeptVersion* version = keptVersionForCli(history, *number, err);
    if (!version)
        return kExitFailure;
    record = version->record;
    return kExitOk;
}

} // namespace

int runShow(const Args& args, std::ostream& out, std::ostream& err) {
    const bool kept = args.size() == 3 && (args[0] == "--version" || args[1] == "--version");
    if (args.size() != 1 && !kept) {
        err << commandUsage("show") << '\n';
        return kExitFailure;
    }
    FittingRecord record{};
    PatientFileKind kind = PatientFileKind::Current;
    const int code =
        kept ? readKeptVersion(args, record, err) : readPatientForCli(args[0], record, err, &kind);
    if (code != kExitOk)
        return code;
    JsonWriter json;
    json.beginObject();
    json.key("kind").utf8(kind == PatientFileKind::Current ? "Current" : "Older");
    json.key("record");
    writeRecordJson(json, record);
    json.endObject();
    out << json.text() << '\n';
    return kExitOk;
}

int runShowDb(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << commandUsage("show-db") << '\n';
        return kExitFailure;
    }
    // Only a missing file gives the defaults; one that is there but cannot be read is
    // an error naming it, rather than an empty database shown as if it were the file.
    AidDatabase database{};
    const AidDatabaseLoad load = loadAidDatabase(args[0], database);
    if (load.source == AidDatabaseSource::Unreadable) {
        err << load.reason << '\n';
        return kExitFailure;
    }
    JsonWriter json;
    writeDatabaseJson(json, database);
    out << json.text() << '\n';
    return kExitOk;
}
