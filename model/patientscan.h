// The patient files under a folder, each read the way the program loads a patient
// file, for the patient list and `tavik-cli list`.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// One file of the list: what a clinician looks a patient up by, or why the file
// cannot be opened. Texts are Latin-1 as the record holds them.
struct PatientListing {
    std::string path;         // as found under the scanned folder
    std::string fileName;     // "SMITH.TAV"
    std::string folder;       // relative to the scanned folder, "" for the folder itself
    int64_t modifiedTime = 0; // last change, seconds since 1970 (UTC)
    std::string lastName;
    std::string firstName;
    std::string patientId;
    std::string birthDate;
    std::string testDate;
    std::string clinician;
    int32_t rightAidStyle = 0;
    int32_t leftAidStyle = 0;
    std::string error;     // why the file is no patient file; empty for one that is
    bool isFolder = false; // a folder that could not be read (to its end), not a file

    bool readable() const { return error.empty(); }
};

// One entry of a folder as the search sees it.
struct PatientFolderEntry {
    enum class Kind { Folder, LinkToFolder, Other };
    std::string name;
    Kind kind = Kind::Other;
};

// Lists one folder. Sets ec when the folder could not be read, or not to its end;
// the entries read until then are returned. Tests put a folder that fails in place.
using PatientFolderLister = std::function<std::vector<PatientFolderEntry>(
    const std::filesystem::path&, std::error_code& ec)>;

// The system's listing of a folder; a link is told apart by where it leads.
std::vector<PatientFolderEntry> listFolderEntries(const std::filesystem::path& folder,
                                                  std::error_code& ec);

// What a search found: the patient-file names, and the folders that could not be
// read (to their end) with the system's reason.
struct PatientFinding {
    struct Failure {
        std::filesystem::path folder;
        std::string reason;
    };
    std::vector<std::filesystem::path> files;
    std::vector<Failure> unreadableFolders;
};

// Whether a name ends in ".TAV" in any case.
bool hasPatientExtension(std::string_view fileName);

// Every patient-file name under the folder, at any depth, in no set order. Links to
// files are taken; links to folders are not followed, so a link that leads back up
// cannot make the search go round. A folder that cannot be read is named among the
// failures and the search goes on past it. Raises FileError when the folder itself
// cannot be read at all. Stops early when `stop` becomes true. Without a lister the
// system's folders are read.
PatientFinding findPatientFiles(const std::string& folder, const std::atomic<bool>& stop,
                                const PatientFolderLister& list = {});

// Reads one file as Load would, keeping only what the list shows; never raises.
// `freshTestDate` is the date an older file is converted over.
PatientListing readPatientListing(const std::filesystem::path& file,
                                  const std::filesystem::path& root,
                                  std::string_view freshTestDate);

struct ScanProgress {
    std::size_t done;
    std::size_t total;
};
using ScanCallback = std::function<void(PatientListing&& listing, ScanProgress progress)>;

// Finds the patient files under the folder and reads them one by one, calling
// `found` for each as it is read; each folder that could not be read comes first, as
// a listing with isFolder set and the reason as its error. Stops between two files
// once `stop` is true. Raises FileError when the folder itself cannot be read.
void scanPatientFolder(const std::string& folder, const ScanCallback& found,
                       const std::atomic<bool>& stop, const PatientFolderLister& list = {});

// All the listings of a folder, sorted by folder and then file name (a folder that
// could not be read before the files read in it).
std::vector<PatientListing> listPatientFolder(const std::string& folder,
                                              const PatientFolderLister& list = {});

// The start of the error of a folder that could not be read; the system's reason
// follows.
inline constexpr const char* kUnreadableFolderText = "The folder cannot be read: ";

// The name of an aid style as the patient page shows it; a number outside the list
// shows as its first entry.
const char* aidStyleName(int32_t style);

// Latin-1 text as it is searched: lower case, accents taken off ("Müller" gives
// "muller"), ß as "ss", Æ as "ae", Þ as "th". Other bytes stay as they are.
std::string foldForSearch(std::string_view latin1);

// The folded text a listing is found by: last name, first name and ID.
std::string searchKey(const PatientListing& listing);

// Whether every word of the folded query occurs in the folded key. An empty query
// matches everything.
bool matchesSearch(std::string_view key, std::string_view foldedQuery);
