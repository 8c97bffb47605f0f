// tavik-cli list: the patient files under a folder, as the patient list shows them.
#include "cli/listcommand.h"

#include "cli/csv.h"
#include "cli/help.h"
#include "cli/json.h"
#include "model/fileio.h"
#include "model/patientscan.h"
#include "model/safetext.h"
#include "model/textslot.h"

#include <algorithm>
#include <ctime>
#include <ostream>

namespace {

// "2026-12-07T09:30:00Z".
std::string isoTime(int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

// The columns of both forms, in their order; the texts as UTF-8.
struct Column {
    const char* name;
    std::string (*value)(const PatientListing&);
};

const Column kColumns[] = {
    {"lastName", [](const PatientListing& l) { return latin1ToUtf8(l.lastName); }},
    {"firstName", [](const PatientListing& l) { return latin1ToUtf8(l.firstName); }},
    {"patientId", [](const PatientListing& l) { return latin1ToUtf8(l.patientId); }},
    {"birthDate", [](const PatientListing& l) { return latin1ToUtf8(l.birthDate); }},
    {"testDate", [](const PatientListing& l) { return latin1ToUtf8(l.testDate); }},
    {"clinician", [](const PatientListing& l) { return latin1ToUtf8(l.clinician); }},
    {"rightAidStyle",
     [](const PatientListing& l) { return std::string(aidStyleName(l.rightAidStyle)); }},
    {"leftAidStyle",
     [](const PatientListing& l) { return std::string(aidStyleName(l.leftAidStyle)); }},
};
constexpr std::size_t kRecordColumns = std::size(kColumns);

std::string listJson(const std::vector<PatientListing>& listings) {
    JsonWriter json;
    json.beginArray();
    for (const PatientListing& listing : listings) {
        json.beginObject();
        json.key("file").utf8(utf8FileName(listing.fileName));
        json.key("folder").utf8(utf8FileName(listing.folder));
        json.key("lastChange").utf8(isoTime(listing.modifiedTime));
        if (!listing.readable()) {
            json.key("error").utf8(listing.error);
        } else {
            for (const Column& column : kColumns)
                json.key(column.name).utf8(column.value(listing));
        }
        json.endObject();
    }
    json.endArray();
    return json.text() + '\n';
}

std::string listCsv(const std::vector<PatientListing>& listings) {
    std::string out;
    for (const Column& column : kColumns)
        out += std::string(column.name) + ',';
    out += "file,folder,lastChange,error\r\n";
    for (const PatientListing& listing : listings) {
        for (const Column& column : kColumns)
            out += (listing.readable() ? csvField(column.value(listing)) : std::string()) + ',';
        out += csvField(utf8FileName(listing.fileName)) + ',' +
               csvField(utf8FileName(listing.folder)) + ',' + isoTime(listing.modifiedTime) + ',' +
               csvField(listing.error) + "\r\n";
    }
    return out;
}

} // namespace

int runList(const Args& args, std::ostream& out, std::ostream& err) {
    return runListWith(args, out, err, {});
}

// The list is written whole even where a folder could not be read; the exit code
// then says that it may be incomplete.
int runListWith(const Args& args, std::ostream& out, std::ostream& err,
                const PatientFolderLister& lister) {
    static_assert(kRecordColumns == 8);
    std::string folder;
    bool csv = false;
    for (const std::string& arg : args) {
        if (arg == "--csv" && !csv) {
            csv = true;
        } else if (folder.empty() && !arg.empty() && !arg.starts_with("--")) {
            folder = arg;
        } else {
            err << commandUsage("list") << '\n';
            return kExitFailure;
        }
    }
    if (folder.empty()) {
        err << commandUsage("list") << '\n';
        return kExitFailure;
    }
    std::vector<PatientListing> listings;
    try {
        listings = listPatientFolder(folder, lister);
    } catch (const FileError& e) {
        err << e.what() << '\n';
        return kExitFailure;
    }
    out << (csv ? listCsv(listings) : listJson(listings));
    const bool complete = std::ranges::none_of(listings, &PatientListing::isFolder);
    return complete ? kExitOk : kExitFailure;
}
