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
    std::string error; // why the file is no patient file; empty for one that is

    bool readable() const { return error.empty(); }
};

// Whether a name ends in ".TAV" in any case.
bool hasPatientExtension(std::string_view fileName);

// Every patient-file name under the folder, at any depth, in no set order. Links to
// files are taken; links to folders are not followed, so a link that leads back up
// cannot make the search go round. Folders that may not be read are passed over.
// Raises FileError when the folder itself cannot be read. Stops early when `stop`
// becomes true.
std::vector<std::filesystem::path> findPatientFiles(const std::string& folder,
                                                    const std::atomic<bool>& stop);

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
// `found` for each as it is read. Stops between two files once `stop` is true.
// Raises FileError when the folder itself cannot be read.
void scanPatientFolder(const std::string& folder, const ScanCallback& found,
                       const std::atomic<bool>& stop);

// All the listings of a folder, sorted by folder and then file name.
std::vector<PatientListing> listPatientFolder(const std::string& folder);

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
