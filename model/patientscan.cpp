#include "model/patientscan.h"

#include "model/document.h"
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"
#include "model/safetext.h"
#include "model/textslot.h"

#include <algorithm>
#include <array>
#include <sys/stat.h>
#include <tuple>

namespace fs = std::filesystem;

namespace {

int64_t modifiedTimeOf(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return 0;
    return static_cast<int64_t>(info.st_mtime);
}

void takeRecordTexts(PatientListing& listing, const FittingRecord& record) {
    listing.lastName = readText(record.lastName);
    listing.firstName = readText(record.firstName);
    listing.patientId = readText(record.patientId);
    listing.birthDate = readText(record.birthDate);
    listing.testDate = readText(record.testDate);
    listing.clinician = readText(record.clinician);
    listing.rightAidStyle = record.rightAidStyle;
    listing.leftAidStyle = record.leftAidStyle;
}

// The Latin-1 letters 0xC0..0xFF without their accents, lower case; the two
// columns of the table are the upper and the lower case letters.
constexpr std::array<const char*, 32> kAccentedLetters = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss"};

void appendFolded(std::string& out, unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        out += static_cast<char>(c - 'A' + 'a');
        return;
    }
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) { // × and ÷ are no letters
        out += static_cast<char>(c);
        return;
    }
    if (c == 0xFF) {
        out += 'y';
        return;
    }
    // The lower-case letters 0xE0..0xFE sit 32 above their capitals; ß (0xDF) has none.
    out += kAccentedLetters[static_cast<std::size_t>((c >= 0xE0 ? c - 0x20 : c) - 0xC0)];
}

} // namespace

bool hasPatientExtension(std::string_view fileName) {
    if (fileName.size() < 4)
        return false;
    std::string extension(fileName.substr(fileName.size() - 4));
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".tav";
}

std::vector<PatientFolderEntry> listFolderEntries(const fs::path& folder, std::error_code& ec) {
    std::vector<PatientFolderEntry> entries;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        auto kind = PatientFolderEntry::Kind::Other;
        if (it->is_symlink(typeError))
            kind = it->is_directory(typeError) ? PatientFolderEntry::Kind::LinkToFolder
                                               : PatientFolderEntry::Kind::Other;
        else if (it->is_directory(typeError))
            kind = PatientFolderEntry::Kind::Folder;
        entries.push_back({it->path().filename().string(), kind});
    }
    return entries;
}

PatientFinding findPatientFiles(const std::string& folder, const std::atomic<bool>& stop,
                                const PatientFolderLister& list) {
    const PatientFolderLister lister = list ? list : PatientFolderLister(listFolderEntries);
    const fs::path root(folder);
    PatientFinding finding;
    std::vector<fs::path> pending{root}; // a stack, not recursion
    while (!pending.empty() && !stop) {
        const fs::path current = pending.back();
        pending.pop_back();
        std::error_code ec;
        const std::vector<PatientFolderEntry> entries = lister(current, ec);
        // The folder asked for must give something; any other one is reported and
        // passed over.
        if (ec && current == root && entries.empty())
            throw FileError("Cannot read folder " + quotedPath(folder) + ": " + ec.message());
        if (ec)
            finding.unreadableFolders.push_back({current, ec.message()});
        for (const PatientFolderEntry& entry : entries) {
            if (entry.kind == PatientFolderEntry::Kind::Folder && !isHistoryFolderName(entry.name))
                pending.push_back(current / entry.name);
            else if (entry.kind == PatientFolderEntry::Kind::Other &&
                     hasPatientExtension(entry.name))
                finding.files.push_back(current / entry.name);
        }
    }
    return finding;
}

namespace {

// The folder "" for the folder scanned, else its path from there.
std::string relativeFolder(const fs::path& folder, const fs::path& root) {
    const fs::path relative = folder.lexically_relative(root);
    return relative.empty() || relative == "." ? std::string() : relative.string();
}

PatientListing unreadableFolderListing(const PatientFinding::Failure& failure,
                                       const fs::path& root) {
    PatientListing listing;
    listing.path = failure.folder.string();
    listing.folder = relativeFolder(failure.folder, root);
    listing.modifiedTime = modifiedTimeOf(failure.folder);
    listing.error = kUnreadableFolderText + failure.reason;
    listing.isFolder = true;
    return listing;
}

} // namespace

PatientListing readPatientListing(const fs::path& file, const fs::path& root,
                                  std::string_view freshTestDate) {
    PatientListing listing;
    listing.path = file.string();
    listing.fileName = file.filename().string();
    listing.folder = relativeFolder(file.parent_path(), root);
    listing.modifiedTime = modifiedTimeOf(file);
    try {
        FittingRecord record{};
        LegacyImage legacy{};
        std::size_t size = 0;
        if (readPatientFile(listing.path, record, legacy, freshTestDate, &size) ==
            PatientFileKind::Unsupported) {
            listing.error = unsupportedFileReason(size);
            return listing;
        }
        takeRecordTexts(listing, record);
    } catch (const FileError& e) {
        listing.error = e.what();
    }
    return listing;
}

void scanPatientFolder(const std::string& folder, const ScanCallback& found,
                       const std::atomic<bool>& stop, const PatientFolderLister& list) {
    const PatientFinding finding = findPatientFiles(folder, stop, list);
    const std::string freshDate = todayTestDate(systemDateSeparator());
    const fs::path root(folder);
    const std::size_t total = finding.unreadableFolders.size() + finding.files.size();
    std::size_t done = 0;
    for (const PatientFinding::Failure& failure : finding.unreadableFolders)
        found(unreadableFolderListing(failure, root), {++done, total});
    for (std::size_t i = 0; i < finding.files.size() && !stop; ++i)
        found(readPatientListing(finding.files[i], root, freshDate), {++done, total});
}

std::vector<PatientListing> listPatientFolder(const std::string& folder,
                                              const PatientFolderLister& list) {
    std::vector<PatientListing> listings;
    const std::atomic<bool> never{false};
    scanPatientFolder(
        folder, [&](PatientListing&& listing, ScanProgress) { listings.push_back(listing); }, never,
        list);
    std::ranges::sort(listings, [](const PatientListing& a, const PatientListing& b) {
        return std::tie(a.folder, a.fileName) < std::tie(b.folder, b.fileName);
    });
    return listings;
}

const char* aidStyleName(int32_t style) {
    return aidStyleNames[style >= 0 && style < 4 ? style : 0];
}

std::string foldForSearch(std::string_view latin1) {
    std::string folded;
    folded.reserve(latin1.size());
    for (const char c : latin1)
        appendFolded(folded, static_cast<unsigned char>(c));
    return folded;
}

std::string searchKey(const PatientListing& listing) {
    return foldForSearch(listing.lastName + ' ' + listing.firstName + ' ' + listing.patientId);
}

bool matchesSearch(std::string_view key, std::string_view foldedQuery) {
    while (!foldedQuery.empty()) {
        const std::size_t space = foldedQuery.find(' ');
        const std::string_view word = foldedQuery.substr(0, space);
        foldedQuery.remove_prefix(space == std::string_view::npos ? foldedQuery.size() : space + 1);
        if (!word.empty() && key.find(word) == std::string_view::npos)
            return false;
    }
    return true;
}
