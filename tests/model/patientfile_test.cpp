#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<uint8_t> imageOf(const FittingRecord& r) {
    const auto* p = reinterpret_cast<const uint8_t*>(&r);
    return std::vector<uint8_t>(p, p + sizeof r);
}

FittingRecord newRecord() {
    FittingRecord r;
    resetFitting(r, "12/07/2026");
    return r;
}

// Builds an older 3118-byte patient file image field by field.
class LegacyBuilder {
  public:
    LegacyBuilder() { image_.fill(0); }

    // A counted string: length byte, then exactly `width` character bytes.
    LegacyBuilder& counted(std::size_t offset, uint8_t length, const std::string& chars) {
        image_[offset] = length;
        std::memcpy(&image_[offset + 1], chars.data(), chars.size());
        return *this;
    }
    LegacyBuilder& comments(const std::string& text) {
        std::memcpy(&image_[78], text.data(), text.size());
        return *this;
    }
    LegacyBuilder& styles(uint16_t left, uint16_t right) {
        std::memcpy(&image_[322], &left, 2);
        std::memcpy(&image_[324], &right, 2);
        return *this;
    }
    LegacyBuilder& level(bool left, int f, int k, int16_t value) {
        std::memcpy(&image_[(left ? 330 : 414) + 2 * (f * 7 + k)], &value, 2);
        return *this;
    }
    std::vector<uint8_t> bytes() const { return {image_.begin(), image_.end()}; }

  private:
    LegacyImage image_;
};

FittingRecord readLegacy(const std::vector<uint8_t>& bytes, FittingRecord before = newRecord()) {
    LegacyImage legacy{};
    EXPECT_EQ(parsePatientImage(bytes, before, legacy, "01/01/2000"), PatientFileKind::Older);
    return before;
}

TEST(PatientFile, SavedNewRecordReadsBackByteForByte) {
    TempDir dir;
    const FittingRecord original = newRecord();
    writePatientFile(dir.file("NEW.TAV"), original);

    const std::vector<uint8_t> bytes = readBytes(dir.file("NEW.TAV"));
    EXPECT_EQ(bytes, imageOf(original)); // padding included: all zero after New

    FittingRecord back;
    std::memset(&back, 0x77, sizeof back);
    LegacyImage legacy{};
    EXPECT_EQ(readPatientFile(dir.file("NEW.TAV"), back, legacy, "x"), PatientFileKind::Current);
    EXPECT_EQ(imageOf(back), imageOf(original));
}

TEST(PatientFile, CurrentKindIsTakenUncheckedWhateverItHolds) {
    FittingRecord r = newRecord();
    LegacyImage legacy{};
    const std::vector<uint8_t> garbage = readBytes(testDataFile("garbage.TAV"));
    ASSERT_EQ(parsePatientImage(garbage, r, legacy, "x"), PatientFileKind::Current);
    EXPECT_EQ(imageOf(r), garbage);
    // Texts without terminator stay inside their slots.
    EXPECT_EQ(readText(r.lastName).size(), sizeof r.lastName);
    EXPECT_EQ(readText(r.middleInitial).size(), 2u);
}

TEST(PatientFile, WrongSizesAreRefusedAndLeaveTheRecordUntouched) {
    for (const char* name :
         {"empty.TAV", "truncated.TAV", "overlong.TAV", "legacy-short.TAV", "legacy-long.TAV"}) {
        SCOPED_TRACE(name);
        FittingRecord r = newRecord();
        writeText(r.lastName, "Keep");
        const std::vector<uint8_t> before = imageOf(r);
        LegacyImage legacy{};
        EXPECT_EQ(readPatientFile(testDataFile(name), r, legacy, "x"),
                  PatientFileKind::Unsupported);
        EXPECT_EQ(imageOf(r), before);
    }
}

// Why a file is no patient file names its size as read (one past the older kind's
// for any longer file) and the two sizes TAVIK reads; the path, when given, as a file
// error names it.
TEST(PatientFile, AWrongSizeIsExplainedWithTheSizeAndTheSizesRead) {
    TempDir dir;
    const struct {
        std::size_t size;
        std::size_t counted;
        const char* path;
        const char* reason;
    } cases[] = {
        {0, 0, "", "Not a patient file: it is empty"},
        {1, 1, "a/P.TAV", "Not a patient file \"a/P.TAV\": it is 1 byte long"},
        {1371, 1371, "", "Not a patient file: it is 1371 bytes long"},
        {3119, 3119, "", "Not a patient file: it is longer than 3118 bytes"},
        {70000, 3119, "", "Not a patient file: it is longer than 3118 bytes"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file("S" + std::to_string(c.size) + ".TAV");
        writeBytes(path, std::vector<uint8_t>(c.size, 0x41));
        FittingRecord r = newRecord();
        LegacyImage legacy{};
        std::size_t counted = 12345;
        EXPECT_EQ(readPatientFile(path, r, legacy, "x", &counted), PatientFileKind::Unsupported);
        EXPECT_EQ(counted, c.counted);
        EXPECT_EQ(unsupportedFileReason(counted, c.path),
                  std::string(c.reason) +
                      ", and TAVIK reads patient files of 1372 bytes and older ones of 3118 bytes");
    }
    std::size_t counted = 0;
    FittingRecord r = newRecord();
    LegacyImage legacy{};
    EXPECT_EQ(readPatientFile(testDataFile("legacy.TAV"), r, legacy, "x", &counted),
              PatientFileKind::Older);
    EXPECT_EQ(counted, 3118u);
}

TEST(PatientFile, UnreadableFilesRaiseAnErrorNamingTheFile) {
    TempDir dir;
    FittingRecord r = newRecord();
    const std::vector<uint8_t> before = imageOf(r);
    LegacyImage legacy{};
    for (const std::string& path : {dir.file("missing.TAV"), dir.path().string()}) {
        try {
            readPatientFile(path, r, legacy, "x");
            ADD_FAILURE() << "no error for " << path;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(imageOf(r), before);
}

TEST(PatientFile, FailedWriteKeepsTheOldFileAndReports) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const std::string path = dir.file("OLD.TAV");
    FittingRecord old = newRecord();
    writeText(old.lastName, "Old");
    writePatientFile(path, old);
    ::chmod(dir.path().c_str(), 0555);

    FittingRecord changed = newRecord();
    writeText(changed.lastName, "New");
    EXPECT_THROW(writePatientFile(path, changed), FileError);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(readBytes(path), imageOf(old));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(PatientFile, WriteFailingPartWayKeepsTheOldFileAndLeavesNoTemporary) {
    TempDir dir;
    const std::string path = dir.file("OLD.TAV");
    FittingRecord old = newRecord();
    writeText(old.lastName, "Old");
    writePatientFile(path, old);

    FittingRecord changed = newRecord();
    writeText(changed.lastName, "New");
    {
        FileSizeLimit limit(1000); // the disk "fills up" after 1000 bytes
        try {
            writePatientFile(path, changed);
            FAIL() << "no error";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(readBytes(path), imageOf(old));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(PatientFile, WriteIntoMissingFolderRaisesAnErrorNamingTheFile) {
    TempDir dir;
    const std::string path = dir.file("no/such/folder/X.TAV");
    try {
        writePatientFile(path, newRecord());
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
    }
}

TEST(PatientFile, WriteReplacesAnExistingFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    writeBytes(path, std::vector<uint8_t>(10, 1));
    ::chmod(path.c_str(), 0640);
    writePatientFile(path, newRecord());
    EXPECT_EQ(readBytes(path).size(), 1372u);
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(LegacyConversion, TextsAreUncountedAndCopied) {
    // Counted strings whose length bytes disagree with their contents: the length is
    // not consulted, all character bytes are taken up to the first NUL.
    const auto bytes = LegacyBuilder()
                           .counted(0, 5, "Jones")
                           .counted(31, 3, "1/2/45ZZ")
                           .counted(40, 8, "07/04/97")
                           .counted(49, 11, "ignored one")
                           .counted(61, 2, std::string("ID\0junk", 7))
                           .counted(70, 5, "Dr. X")
                           .bytes();
    const FittingRecord r = readLegacy(bytes);
    EXPECT_EQ(readText(r.lastName), "Jones");
    EXPECT_EQ(readText(r.birthDate), "1/2/45ZZ");
    EXPECT_EQ(readText(r.testDate), "07/04/97");
    EXPECT_EQ(readText(r.patientId), "ID");
    EXPECT_EQ(readText(r.clinician), "Dr. X");
}

TEST(LegacyConversion, ThirtyCharacterNameRunsOnIntoFirstName) {
    const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234";
    const FittingRecord r = readLegacy(LegacyBuilder().counted(0, 30, name).bytes());
    EXPECT_EQ(std::string(r.lastName, 18), name.substr(0, 18));
    EXPECT_EQ(readText(r.firstName), name.substr(18));
}

TEST(LegacyConversion, CommentLineBreaksBecomeBlanks) {
    const FittingRecord r =
        readLegacy(LegacyBuilder().comments("line one\r\nline two\nthree\r").bytes());
    EXPECT_EQ(readText(r.comments), "line one  line two three ");
}

TEST(LegacyConversion, CommentWithoutTerminatorStaysWithinItsArea) {
    LegacyBuilder b;
    b.comments(std::string(244, 'c'));
    const FittingRecord r = readLegacy(b.level(true, 0, 0, 0x4141).bytes());
    EXPECT_EQ(readText(r.comments), std::string(244, 'c'));
}

TEST(LegacyConversion, LevelsMoveUpOneCategoryWithEmptyThreshold) {
    LegacyBuilder b;
    for (int f = 0; f < 6; ++f) {
        for (int k = 0; k < 7; ++k) {
            b.level(true, f, k, static_cast<int16_t>(100 + 10 * f + k));
            b.level(false, f, k, static_cast<int16_t>(200 + 10 * f + k));
        }
    }
    b.level(true, 3, 2, -100).level(false, 0, 6, -100).level(false, 1, 0, -5);
    const FittingRecord r = readLegacy(b.bytes());
    for (int f = 0; f < 6; ++f) {
        EXPECT_EQ(r.leftLoudness[f][0], -99);
        EXPECT_EQ(r.rightLoudness[f][0], -99);
    }
    EXPECT_EQ(r.leftLoudness[0][1], 100);
    EXPECT_EQ(r.leftLoudness[5][7], 156);
    EXPECT_EQ(r.rightLoudness[2][4], 223);
    EXPECT_EQ(r.leftLoudness[3][3], -99);  // -100 is empty
    EXPECT_EQ(r.rightLoudness[0][7], -99); // -100 is empty
    EXPECT_EQ(r.rightLoudness[1][1], -5);  // other negatives stay
}

TEST(LegacyConversion, StylesShiftOneStepAndDisplaySettingsAreFixed) {
    FittingRecord before = newRecord();
    before.leftRangeLow = 0;
    before.rightRangeHigh = 5;
    before.showInHL = 0;
    const FittingRecord r = readLegacy(LegacyBuilder().styles(0, 2).bytes(), before);
    EXPECT_EQ(r.leftAidStyle, 1);  // old BTE shows as ITE
    EXPECT_EQ(r.rightAidStyle, 3); // old ITC shows as CIC
    EXPECT_EQ(r.rightRangeLow, 1);
    EXPECT_EQ(r.rightRangeHigh, 4);
    EXPECT_EQ(r.leftRangeLow, 1);
    EXPECT_EQ(r.leftRangeHigh, 4);
    EXPECT_EQ(r.showInHL, 1);
}

TEST(LegacyConversion, NothingOfThePreviousPatientCarriesOver) {
    FittingRecord previous = newRecord();
    writeText(previous.middleInitial, "Q");
    writeText(previous.fileTag, "OTHER");
    previous.binauralFitting = 1;
    previous.rightLevelSource = 2;
    previous.leftLevelSource = 1;
    previous.aidSettings[0][3].curveChoice = 4;
    previous.aidSettings[1][2].curve.gainAt50 = 12.5f;
    previous.padding[1] = 9;

    FittingRecord expected = newRecord();
    const FittingRecord r = readLegacy(LegacyBuilder().bytes(), previous);
    EXPECT_EQ(readText(r.middleInitial), "");
    EXPECT_EQ(readText(r.fileTag), "TAVIKWIN1");
    EXPECT_EQ(r.binauralFitting, 0);
    EXPECT_EQ(r.rightLevelSource, 0);
    EXPECT_EQ(r.leftLevelSource, 0);
    EXPECT_EQ(std::memcmp(r.aidSettings, expected.aidSettings, sizeof r.aidSettings), 0);
    EXPECT_EQ(r.padding[1], 0);
}

TEST(LegacyConversion, FixtureFileReadsAsOlderKind) {
    FittingRecord r = newRecord();
    LegacyImage legacy{};
    ASSERT_EQ(readPatientFile(testDataFile("legacy.TAV"), r, legacy, "x"), PatientFileKind::Older);
    EXPECT_EQ(readText(r.lastName), "Smith, John       "); // 18 bytes, no NUL in the slot
    EXPECT_EQ(readText(r.clinician), "Dr.\xc4 ");
    EXPECT_EQ(readText(r.comments), "First line  Second line Third");
    EXPECT_EQ(r.rightAidStyle, 3);
    EXPECT_EQ(r.leftLoudness[2][4], -99);
}

} // namespace

namespace {

TEST(PatientFile, NewFileFollowsTheFileCreationMask) {
    TempDir dir;
    const mode_t previous = ::umask(077);
    writePatientFile(dir.file("PRIVATE.TAV"), newRecord());
    ::umask(previous);
    struct stat info {};
    ::stat(dir.file("PRIVATE.TAV").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "patient data must not become world-readable";
}

TEST(PatientFile, SavingThroughALinkReplacesTheFileItPointsTo) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "real");
    const std::string real = dir.file("real/P.TAV");
    writeBytes(real, std::vector<uint8_t>(5, 0));
    std::filesystem::create_symlink(real, dir.path() / "L.TAV");

    writePatientFile(dir.file("L.TAV"), newRecord());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "L.TAV"));
    EXPECT_EQ(readBytes(real), imageOf(newRecord()));
}

} // namespace
