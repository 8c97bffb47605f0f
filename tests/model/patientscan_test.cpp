// The patient-folder scanner behind the patient list and tavik-cli list.
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/patientscan.h"
#include "model/textslot.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void writePatient(const fs::path& path, const char* last, const char* first, const char* id,
                  int32_t rightStyle, int32_t leftStyle) {
    FittingRecord record{};
    resetFitting(record, "03/04/2025");
    writeText(record.lastName, last);
    writeText(record.firstName, first);
    writeText(record.patientId, id);
    writeText(record.birthDate, "11/30/1950");
    writeText(record.clinician, "Dr. Ode");
    record.rightAidStyle = rightStyle;
    record.leftAidStyle = leftStyle;
    fs::create_directories(path.parent_path());
    writePatientFile(path.string(), record);
}

// An older-kind file: one counted name field of 30 bytes, texts of 8.
void writeOlderPatient(const fs::path& path) {
    std::vector<uint8_t> bytes(kLegacyFileSize, 0);
    const auto counted = [&](std::size_t at, std::string_view text) {
        bytes[at] = static_cast<uint8_t>(text.size());
        std::copy(text.begin(), text.end(), bytes.begin() + long(at) + 1);
    };
    counted(0, "Old Name");
    counted(31, "01/01/40");
    counted(40, "02/02/99");
    counted(61, "OLD-7");
    bytes[322] = 2; // left style: ITC once converted
    bytes[324] = 0; // right style: ITE once converted
    writeBytes(path.string(), bytes);
}

std::map<std::string, PatientListing> byRelativePath(const std::vector<PatientListing>& all) {
    std::map<std::string, PatientListing> map;
    for (const PatientListing& l : all)
        map[(l.folder.empty() ? "" : l.folder + "/") + l.fileName] = l;
    return map;
}

TEST(PatientScan, FindsPatientFilesAtAnyDepthWithTheirDataOrTheirProblem) {
    TempDir dir;
    const fs::path root = dir.path();
    writePatient(root / "MUELLER.TAV", "M\xFCller", "J\xF6rg", "ID-1", 3, 0);
    writePatient(root / "north" / "deep" / "smith.tav", "Smith", "Ann", "ID-22", 2, 1);
    writeOlderPatient(root / "north" / "OLD.Tav");
    writeBytes((root / "broken.TAV").string(), std::vector<uint8_t>(1371, 1));
    writeBytes((root / "notes.txt").string(), std::vector<uint8_t>(1372, 0));
    fs::create_directories(root / "folder.TAV");
    writePatient(root / "folder.TAV" / "INNER.TAV", "Inner", "", "", 1, 1);
    fs::create_directory_symlink(root, root / "north" / "loop"); // leads back up

    const auto found = byRelativePath(listPatientFolder(root.string()));
    ASSERT_EQ(found.size(), 5u);

    const PatientListing& mueller = found.at("MUELLER.TAV");
    EXPECT_EQ(mueller.lastName, "M\xFCller");
    EXPECT_EQ(mueller.firstName, "J\xF6rg");
    EXPECT_EQ(mueller.patientId, "ID-1");
    EXPECT_EQ(mueller.birthDate, "11/30/1950");
    EXPECT_EQ(mueller.testDate, "03/04/2025");
    EXPECT_EQ(mueller.clinician, "Dr. Ode");
    EXPECT_EQ(mueller.rightAidStyle, 3);
    EXPECT_EQ(mueller.leftAidStyle, 0);
    EXPECT_EQ(mueller.folder, "");
    EXPECT_TRUE(mueller.readable());
    EXPECT_GT(mueller.modifiedTime, 1'600'000'000);

    const PatientListing& smith = found.at("north/deep/smith.tav");
    EXPECT_EQ(smith.folder, "north/deep");
    EXPECT_EQ(smith.rightAidStyle, 2);
    EXPECT_EQ(smith.leftAidStyle, 1);

    const PatientListing& old = found.at("north/OLD.Tav");
    EXPECT_EQ(old.lastName, "Old Name");
    EXPECT_EQ(old.patientId, "OLD-7");
    EXPECT_EQ(old.testDate, "02/02/99");
    EXPECT_EQ(old.rightAidStyle, 1);
    EXPECT_EQ(old.leftAidStyle, 3);

    EXPECT_EQ(found.at("broken.TAV").error,
              "Not a patient file: it is 1371 bytes long, and TAVIK reads patient files of "
              "1372 bytes and older ones of 3118 bytes");
    EXPECT_EQ(found.at("broken.TAV").lastName, "");
    EXPECT_EQ(found.at("folder.TAV/INNER.TAV").lastName, "Inner");
}

TEST(PatientScan, SortsByFolderThenNameAndNamesAnUnreadableFile) {
    TempDir dir;
    writePatient(dir.path() / "b" / "A.TAV", "Zed", "", "", 0, 0);
    writePatient(dir.path() / "B.TAV", "Yan", "", "", 0, 0);
    writePatient(dir.path() / "A.TAV", "Xu", "", "", 0, 0);
    fs::create_symlink(dir.path() / "gone", dir.path() / "DANGLING.TAV");
    const std::vector<PatientListing> all = listPatientFolder(dir.path().string());
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].fileName, "A.TAV");
    EXPECT_EQ(all[1].fileName, "B.TAV");
    EXPECT_EQ(all[2].fileName, "DANGLING.TAV");
    EXPECT_EQ(all[3].folder + "/" + all[3].fileName, "b/A.TAV");
    EXPECT_NE(all[2].error.find("Cannot open file"), std::string::npos) << all[2].error;
    EXPECT_NE(all[2].error.find("DANGLING.TAV"), std::string::npos) << all[2].error;
}

TEST(PatientScan, AFolderThatCannotBeReadRaisesAndStopEndsTheScan) {
    TempDir dir;
    EXPECT_THROW(listPatientFolder((dir.path() / "missing").string()), FileError);
    writeBytes(dir.file("plain.TAV"), std::vector<uint8_t>(10, 0));
    EXPECT_THROW(listPatientFolder(dir.file("plain.TAV")), FileError);

    for (int i = 0; i < 5; ++i)
        writePatient(dir.path() / ("P" + std::to_string(i) + ".TAV"), "P", "", "", 0, 0);
    std::atomic<bool> stop{false};
    int calls = 0;
    scanPatientFolder(
        dir.path().string(),
        [&](PatientListing&&, ScanProgress progress) {
            EXPECT_EQ(progress.total, 6u);
            EXPECT_EQ(progress.done, std::size_t(++calls));
            stop = calls == 2;
        },
        stop);
    EXPECT_EQ(calls, 2);
}

// A folder that cannot be read, or not to its end, is an entry of its own with the
// reason; the files it gave and the other folders are listed all the same.
TEST(PatientScan, AFolderThatCannotBeReadIsListedAndTheRestGoOn) {
    TempDir dir;
    const fs::path root = dir.path();
    writePatient(root / "A.TAV", "Ash", "", "", 0, 0);
    writePatient(root / "half" / "H.TAV", "Hale", "", "", 0, 0);
    writePatient(root / "half" / "I.TAV", "Ives", "", "", 0, 0);
    writePatient(root / "locked" / "L.TAV", "Lock", "", "", 0, 0);
    writePatient(root / "locked2" / "deep" / "M.TAV", "Moe", "", "", 0, 0);
    writePatient(root / "north" / "C.TAV", "Cole", "", "", 1, 2);
    const PatientFolderLister lister = [&](const fs::path& folder, std::error_code& ec) {
        if (folder == root / "locked" || folder == root / "locked2") {
            ec = std::make_error_code(std::errc::permission_denied);
            return std::vector<PatientFolderEntry>{};
        }
        std::vector<PatientFolderEntry> entries = listFolderEntries(folder, ec);
        if (folder == root / "half") { // one entry read, then the folder fails
            std::erase_if(entries, [](const auto& e) { return e.name == "I.TAV"; });
            ec = std::make_error_code(std::errc::io_error);
        }
        return entries;
    };
    const std::vector<PatientListing> all = listPatientFolder(root.string() + "/", lister);
    const struct {
        const char* folder;
        const char* file;
        const char* lastName;
        const char* error;
        bool isFolder;
    } expected[] = {
        {"", "A.TAV", "Ash", "", false},
        {"half", "", "", "The folder cannot be read: Input/output error", true},
        {"half", "H.TAV", "Hale", "", false},
        {"locked", "", "", "The folder cannot be read: Permission denied", true},
        {"locked2", "", "", "The folder cannot be read: Permission denied", true},
        {"north", "C.TAV", "Cole", "", false},
    };
    ASSERT_EQ(all.size(), std::size(expected));
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(all[i].folder, expected[i].folder);
        EXPECT_EQ(all[i].fileName, expected[i].file);
        EXPECT_EQ(all[i].lastName, expected[i].lastName);
        EXPECT_EQ(all[i].error, expected[i].error);
        EXPECT_EQ(all[i].isFolder, expected[i].isFolder);
    }
    EXPECT_EQ(all[3].path, root.string() + "/locked");
    EXPECT_EQ(all[5].rightAidStyle, 1);
    EXPECT_EQ(all[5].leftAidStyle, 2);
}

// The folder asked for fails only when it gives nothing at all.
TEST(PatientScan, TheFolderAskedForFailsOnlyWhenItGivesNothing) {
    TempDir dir;
    const fs::path root = dir.path();
    writePatient(root / "A.TAV", "Ash", "", "", 0, 0);
    writePatient(root / "north" / "C.TAV", "Cole", "", "", 1, 2);
    const PatientFolderLister rootFails = [&](const fs::path& folder, std::error_code& ec) {
        std::vector<PatientFolderEntry> entries = listFolderEntries(folder, ec);
        if (folder == root)
            ec = std::make_error_code(std::errc::io_error);
        return entries;
    };
    const std::vector<PatientListing> partial = listPatientFolder(root.string(), rootFails);
    ASSERT_FALSE(partial.empty());
    EXPECT_EQ(partial[0].folder, "");
    EXPECT_EQ(partial[0].fileName, "");
    EXPECT_TRUE(partial[0].isFolder);
    EXPECT_EQ(partial.size(), 3u) << "the folder, A, C";
    EXPECT_EQ(partial[2].lastName, "Cole");
    const PatientFolderLister nothing = [](const fs::path&, std::error_code& ec) {
        ec = std::make_error_code(std::errc::permission_denied);
        return std::vector<PatientFolderEntry>{};
    };
    EXPECT_THROW(listPatientFolder(root.string(), nothing), FileError);
}

TEST(PatientScan, ExtensionIsTavInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"A.TAV", true},   {"a.tav", true}, {"a.TaV", true},  {".tav", true},       {"TAV", false},
        {"a.tavx", false}, {"a.tv", false}, {"a_TAV", false}, {"a.TAV.bak", false}, {"", false},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(hasPatientExtension(name), expected) << name;
}

TEST(PatientScan, AidStyleOutsideTheListShowsAsTheFirst) {
    const std::pair<int32_t, const char*> cases[] = {{-1, "BTE"}, {0, "BTE"}, {1, "ITE"},
                                                     {2, "ITC"},  {3, "CIC"}, {4, "BTE"}};
    for (const auto& [style, name] : cases)
        EXPECT_STREQ(aidStyleName(style), name) << style;
}

TEST(PatientSearch, FoldsCaseAndAccentsOfLatin1) {
    const std::pair<const char*, const char*> cases[] = {
        {"M\xFCller", "muller"},
        {"M\xDCLLER", "muller"},
        {"\xC0\xC9\xCE\xD5\xDC\xDD", "aeiouy"},
        {"\xE0\xE9\xEE\xF5\xFC\xFD\xFF", "aeiouyy"},
        {"Stra\xDF"
         "e",
         "strasse"},
        {"\xC6sir \xE6", "aesir ae"},
        {"\xDE\xF3r \xFE", "thor th"},
        {"\xC7\xE7\xD1\xF1\xD8\xF8\xD0\xF0", "ccnnoodd"},
        {"\xD7\xF7", "\xD7\xF7"},
        {"O'Brien-2, Z", "o'brien-2, z"},
    };
    for (const auto& [latin1, folded] : cases)
        EXPECT_EQ(foldForSearch(latin1), folded) << latin1;
}

TEST(PatientSearch, EveryWordTypedMustOccurInNameOrId) {
    PatientListing listing;
    listing.lastName = "M\xFCller";
    listing.firstName = "J\xF6rg";
    listing.patientId = "AB-123";
    listing.clinician = "Smith"; // not searched
    const std::string key = searchKey(listing);
    EXPECT_EQ(key, "muller jorg ab-123");
    const std::pair<const char*, bool> cases[] = {
        {"", true},         {"muller", true},       {"jorg muller", true}, {"ull", true},
        {"ab-12", true},    {"  muller  ", true},   {"muller x", false},   {"smith", false},
        {"mueller", false}, {"123 jorg mul", true}, {"g m", true},         {"rgm", false},
    };
    for (const auto& [query, expected] : cases)
        EXPECT_EQ(matchesSearch(key, query), expected) << query;
}

// The progress counts a folder that cannot be read among the entries to come.
TEST(PatientScan, TheProgressCountsAFolderThatCannotBeRead) {
    TempDir dir;
    const fs::path root = dir.path();
    writePatient(root / "A.TAV", "Ash", "", "", 0, 0);
    writePatient(root / "B.TAV", "Bly", "", "", 0, 0);
    fs::create_directories(root / "locked");
    const PatientFolderLister lister = [&](const fs::path& folder, std::error_code& ec) {
        if (folder == root / "locked") {
            ec = std::make_error_code(std::errc::permission_denied);
            return std::vector<PatientFolderEntry>{};
        }
        return listFolderEntries(folder, ec);
    };
    std::vector<std::pair<std::size_t, std::size_t>> steps;
    const std::atomic<bool> never{false};
    scanPatientFolder(
        root.string(),
        [&](PatientListing&&, ScanProgress progress) {
            steps.emplace_back(progress.done, progress.total);
        },
        never, lister);
    const std::vector<std::pair<std::size_t, std::size_t>> expected = {{1, 3}, {2, 3}, {3, 3}};
    EXPECT_EQ(steps, expected);
}

} // namespace
