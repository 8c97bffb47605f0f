// tavik-cli history: the kept versions of a patient file, newest first, with what each
// changed; and a kept version written out as a patient file of its own.
#include "cli/commands.h"
#include "cli/earoptions.h"
#include "cli/help.h"
#include "cli/json.h"
#include "cli/optionvalues.h"
#include "curves/earaids.h"
#include "model/fileio.h"
#include "model/patienthistory.h"
#include "model/safetext.h"
#include "model/textslot.h"

#include <ctime>
#include <optional>
#include <ostream>

namespace {

struct HistoryOptions {
    std::string file;
    bool json = false;
    std::optional<int> restore;
    std::optional<std::string> output;
    std::optional<std::string> database;
};

// The value after an option, or nothing when the arguments end there.
const std::string* valueAfter(const Args& args, std::size_t& i) {
    return i + 1 < args.size() ? &args[++i] : nullptr;
}

bool parseHistoryOptions(const Args& args, HistoryOptions& options, std::ostream& err) {
    bool ok = true;
    for (std::size_t i = 0; i < args.size() && ok; ++i) {
        const std::string& arg = args[i];
        if (arg == "--json" && !options.json) {
            options.json = true;
        } else if (arg == "--restore" && !options.restore) {
            const std::string* value = valueAfter(args, i);
            options.restore = value ? parseWholeNumber(*value, 1, 1000000000) : std::nullopt;
            ok = options.restore.has_value();
        } else if (arg == "-o" && !options.output) {
            const std::string* value = valueAfter(args, i);
            ok = value != nullptr;
            if (ok)
                options.output = *value;
        } else if (arg == "--db" && !options.database) {
            const std::string* value = valueAfter(args, i);
            ok = value != nullptr;
            if (ok)
                options.database = *value;
        } else {
            ok = options.file.empty() && !arg.starts_with("-");
            options.file = arg;
        }
    }
    ok = ok && !options.file.empty() && options.restore.has_value() == options.output.has_value() &&
         !(options.json && options.restore);
    if (!ok)
        err << commandUsage("history") << '\n';
    return ok;
}

// "2026-01-06T09:30:00Z": the time of a save in UTC, the same on every workstation.
std::string utcText(int64_t savedAt) {
    const std::time_t seconds = static_cast<std::time_t>(savedAt);
    std::tm utc{};
    if (!::gmtime_r(&seconds, &utc))
        return std::to_string(savedAt);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::vector<std::string> changesOf(const HistoryRead& history, std::size_t i,
                                   const AidDatabase& database) {
    if (i == 0)
        return {};
    return describeChanges(history.versions[i - 1].record, history.versions[i].record,
                           [&](int32_t choice) { return aidChoiceName(choice, database); });
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : "; ") + item;
    return text;
}

void printText(const HistoryRead& history, const AidDatabase& database, std::ostream& out) {
    for (std::size_t i = history.versions.size(); i-- > 0;) {
        const KeptVersion& v = history.versions[i];
        const std::vector<std::string> changes = changesOf(history, i, database);
        out << (i + 1) << "  " << utcText(v.stamp.savedAt) << "  " << utf8FileName(v.stamp.user)
            << '@' << utf8FileName(v.stamp.host) << "  test date "
            << latin1ToUtf8(readText(v.record.testDate)) << "  "
            << (i == 0            ? "first kept version"
                : changes.empty() ? "no change"
                                  : joined(changes))
            << '\n';
    }
}

void printJson(const HistoryRead& history, const AidDatabase& database, std::ostream& out) {
    JsonWriter json;
    json.beginObject().key("versions").beginArray();
    for (std::size_t i = history.versions.size(); i-- > 0;) {
        const KeptVersion& v = history.versions[i];
        json.beginObject();
        json.key("version").value(static_cast<long long>(i + 1));
        json.key("savedAt").utf8(utcText(v.stamp.savedAt));
        json.key("user").utf8(utf8FileName(v.stamp.user));
        json.key("host").utf8(utf8FileName(v.stamp.host));
        json.key("programVersion").utf8(utf8FileName(v.stamp.programVersion));
        json.key("testDate").latin1(readText(v.record.testDate));
        json.key("changes").beginArray();
        for (const std::string& change : changesOf(history, i, database))
            json.utf8(change);
        json.endArray().endObject();
    }
    json.endArray().key("problems").beginArray();
    for (const std::string& problem : history.problems)
        json.utf8(utf8FileName(problem));
    json.endArray().endObject();
    out << json.text() << '\n';
}

int restoreVersion(const HistoryRead& history, const HistoryOptions& options, std::ostream& out,
                   std::ostream& err) {
    const KeptVersion* version = keptVersionForCli(history, *options.restore, err);
    if (!version)
        return kExitFailure;
    try {
        const std::string problem =
            savePatientWithHistory(*options.output, version->record, stampNow());
        if (!problem.empty())
            err << problem << '\n';
    } catch (const FileError& e) {
        err << e.what() << '\n';
        return kExitFailure;
    }
    out << "Version " << *options.restore << " of " << quotedPath(options.file) << " written to "
        << quotedPath(*options.output) << '\n';
    return kExitOk;
}

} // namespace

const KeptVersion* keptVersionForCli(const HistoryRead& history, int number, std::ostream& err) {
    if (number >= 1 && static_cast<std::size_t>(number) <= history.versions.size())
        return &history.versions[static_cast<std::size_t>(number) - 1];
    err << "There is no version " << number << ": the history holds " << history.versions.size()
        << (history.versions.size() == 1 ? " version" : " versions") << '\n';
    return nullptr;
}

int runHistory(const Args& args, std::ostream& out, std::ostream& err) {
    HistoryOptions options;
    if (!parseHistoryOptions(args, options, err))
        return kExitFailure;
    const HistoryRead history = readHistory(options.file);
    for (const std::string& problem : history.problems)
        err << utf8FileName(problem) << '\n';
    if (history.versions.empty() && history.problems.empty())
        err << "No versions are kept beside " << quotedPath(options.file) << '\n';
    if (options.restore)
        return restoreVersion(history, options, out, err);
    AidDatabase database{};
    if (!readDatabaseForCli(options.database, database, err))
        return kExitFailure;
    if (options.json)
        printJson(history, database, out);
    else
        printText(history, database, out);
    return kExitOk;
}
