// tavik-cli batch without drawing: which files it takes, the names of its PDFs, the
// CSV quoting, and the run itself with a stand-in for the drawing, so that kept
// outputs, the summary's order across workers and an interrupt are checked in this
// process, without a display and without timing.
#include "cli/batch.h"
#include "model/fittingrecord.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"
#include "testsupport/workedear.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

TEST(BatchNames, OutputsKeepTheSubFolderAndNeverShareAName) {
    const std::vector<std::string> paths = {
        "BROWN.tav",   "a/SMITH.TAV", "a/smith.tav",     "a/smith.tav.TAV",
        "b/SMITH.TAV", "b/Jones.Tav", "b/Jones.TAV.tav",
    };
    const std::vector<std::string> expected = {
        "BROWN",   "a/SMITH.TAV", "a/smith.tav~2", "a/smith.tav~3",
        "b/SMITH", "b/Jones",     "b/Jones.TAV",
    };
    EXPECT_EQ(outputStems(paths), expected);
    EXPECT_EQ(pdfPathFor("a/SMITH", Ear::Right), "a/SMITH-right.pdf");
    EXPECT_EQ(pdfPathFor("a/SMITH", Ear::Left), "a/SMITH-left.pdf");
}

// An output folder that does not tell case apart must not get two outputs of one
// name, whether they differ in the name or in a sub-folder, in ASCII or Latin-1
// (UTF-8 or single bytes); letters that only look alike stay apart.
TEST(BatchNames, NamesThatDifferOnlyInCaseAreTakenOnce) {
    const struct {
        std::vector<std::string> paths;
        std::vector<std::string> stems;
    } cases[] = {
        {{"North/A.TAV", "north/A.TAV", "NORTH/a.tav"}, {"North/A", "north/A~2", "NORTH/a~3"}},
        {{"\xc3\x89MILE.TAV", "\xc3\xa9mile.tav"}, {"\xc3\x89MILE", "\xc3\xa9mile~2"}},
        {{"\xc9MILE.TAV", "\xe9mile.tav"}, {"\xc9MILE", "\xe9mile~2"}},
        {{"\xd7.TAV", "\xf7.TAV", "\xc3\x97.TAV", "\xc3\xb7.TAV"},
         {"\xd7", "\xf7", "\xc3\x97", "\xc3\xb7"}},
        {{"\xc3\x89.TAV", "\xe3\x89.TAV"}, {"\xc3\x89", "\xe3\x89"}},
        {{"a/B~2.TAV", "A/b.TAV", "a/b.TAV"}, {"a/B~2", "A/b", "a/b~3"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outputStems(c.paths), c.stems) << c.paths.front();
    EXPECT_EQ(foldedName("Ab\xc3\x80\xc3\x9e\xdeZ\xff"), "ab\xc3\xa0\xc3\xbe\xfez\xff");
}

// A fake tree: what each folder lists, and the error it ends with.
struct FakeFolder {
    std::vector<FolderEntry> entries;
    std::errc error{};
};

TEST(BatchNames, FoldersThatCannotBeReadAreNamedAndTheRestSearched) {
    const EntryKind folder = EntryKind::Folder;
    std::map<std::string, FakeFolder> tree = {
        {"/c", {{{"north", folder}, {"A.TAV"}, {"south", folder}, {"locked", folder}}}},
        {"/c/north", {{{"B.TAV"}}, std::errc::io_error}},
        {"/c/locked", {{}, std::errc::permission_denied}},
        {"/c/south", {{{"C.TAV"}, {"deep", folder}}}},
        {"/c/south/deep", {{}, std::errc::filename_too_long}},
    };
    const auto list = [&tree](const fs::path& path, std::error_code& ec) {
        const FakeFolder& f = tree.at(path.string());
        ec = f.error == std::errc{} ? std::error_code() : std::make_error_code(f.error);
        return f.entries;
    };
    const BatchFinding found = findBatchInputs("/c", list);
    std::vector<std::string> files, failures;
    for (const BatchInput& input : found.inputs)
        files.push_back(input.relativePath);
    for (const FolderFailure& failure : found.failures)
        failures.push_back(failure.relativePath + ": " + failure.reason);
    EXPECT_EQ(files, (std::vector<std::string>{"A.TAV", "north/B.TAV", "south/C.TAV"}));
    EXPECT_EQ(failures,
              (std::vector<std::string>{"locked: Permission denied", "north: Input/output error",
                                        "south/deep: File name too long"}));

    tree["/c"].error = std::errc::permission_denied;
    tree["/c"].entries.clear();
    const BatchFinding none = findBatchInputs("/c", list);
    EXPECT_TRUE(none.inputs.empty());
    ASSERT_EQ(none.failures.size(), 1u);
    EXPECT_EQ(none.failures[0].relativePath, ".");
}

TEST(BatchNames, FindsPatientFilesAtAnyDepthInNameOrder) {
    TempDir dir;
    const fs::path root = dir.path();
    fs::create_directories(root / "north" / "deep");
    fs::create_directories(root / "FOLDER.TAV");              // searched, not read
    fs::create_directories(root / "north" / "A.tav.History"); // a history: never searched
    for (const char* name : {"north/deep/b.tav", "north/A.TAV", "Z.Tav", "FOLDER.TAV/c.TAV",
                             "notes.txt", "north/TAV", "x.TAVX", "north/A.tav.History/old.TAV"})
        writeBytes((root / name).string(), {1});
    fs::create_directory_symlink(root, root / "north" / "loop"); // not followed
    fs::create_symlink(root / "Z.Tav", root / "link.TAV");       // a file: taken
    std::vector<std::string> found;
    for (const BatchInput& input : findBatchInputs(root.string()).inputs)
        found.push_back(input.relativePath + " -> " + input.outputStem);
    const std::vector<std::string> expected = {
        "FOLDER.TAV/c.TAV -> FOLDER.TAV/c",
        "Z.Tav -> Z",
        "link.TAV -> link",
        "north/A.TAV -> north/A",
        "north/deep/b.tav -> north/deep/b",
    };
    EXPECT_EQ(found, expected);
}

TEST(BatchSummary, FieldsAreQuotedAfterRfc4180) {
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"Smith", "Smith"},
        {"", ""},
        {"Okafor, Au.D.", "\"Okafor, Au.D.\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {"it's; fine", "it's; fine"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvField(c.text), c.field) << c.text;
    EXPECT_EQ(csvLine({"a", "b,c", ""}), "a,\"b,c\",\r\n");
    EXPECT_EQ(utf8FileName("M\xfcller.TAV"), "M\xc3\xbcller.TAV");
    EXPECT_EQ(utf8FileName("Zo\xc3\xab\xff"), "Zo\xc3\xab\xc3\xbf");
    EXPECT_EQ(summaryHeader().size(), failedFileRow("x", "y").size());
}

// A batch over a folder with a stand-in for the drawing: each PDF holds the file's
// name and the ear.
class BatchRun : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(in.path() / "north");
        for (const char* name : {"A.TAV", "B.TAV", "north/C.TAV"}) {
            FittingRecord r = workedBothEars();
            writeText(r.lastName, name);
            writePatientFile(in.file(name), r);
        }
        writeBytes(in.file("north/broken.TAV"), {0, 1, 2});
    }

    int run(Args args, std::function<void()> onDraw = {}) {
        args.insert(args.begin(), {in.path().string(), "-o", out.path().string()});
        BatchEnvironment environment;
        environment.render = [onDraw](const LoadedEar& loaded, const std::string& fileName, Ear ear,
                                      const BatchOptions&) {
            if (onDraw)
                onDraw();
            return "PDF " + fileName + " " + readText(loaded.record.lastName) +
                   (ear == Ear::Right ? " right" : " left");
        };
        environment.syncOutput = sync;
        environment.listFolder = lister;
        std::ostringstream output, errors;
        const int code = runBatchWith(args, output, errors, environment);
        err = errors.str();
        return code;
    }

    // Every file under the output folder, relative to it, sorted.
    std::vector<std::string> outputs() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(out.path()))
            if (entry.is_regular_file())
                files.push_back(entry.path().lexically_relative(out.path()).string());
        std::ranges::sort(files);
        return files;
    }

    TempDir in, out, elsewhere, current;
    WorkingFolder here{current.path()};
    std::string err;
    FileSystemSync sync;
    FolderLister lister;
};

TEST_F(BatchRun, ExitCodesNameTheFailedFileAndTheRestGoOn) {
    EXPECT_EQ(run({"--jobs", "1", "--ears", "left"}), 1);
    EXPECT_TRUE(contains(err, "north/broken.TAV\": Not a patient file: it is 3 bytes long")) << err;
    EXPECT_EQ(outputs(),
              (std::vector<std::string>{"A-left.pdf", "B-left.pdf", "north/C-left.pdf"}));
    EXPECT_EQ(readTextFile(out.file("north/C-left.pdf")), "PDF C.TAV north/C.TAV left");

    fs::remove(in.file("north/broken.TAV"));
    fs::remove_all(out.path() / "north");
    EXPECT_EQ(run({"--jobs", "1"}), 0) << err;
    EXPECT_EQ(outputs().size(), 6u);
}

TEST_F(BatchRun, BadArgumentsExitWithOneAndWriteNothing) {
    const std::string aFile = in.file("A.TAV");
    const struct {
        Args args;
        const char* message;
    } cases[] = {
        {{"--jobs", "0"}, "--jobs takes a whole number from 1 to 256"},
        {{"--jobs", "257"}, "--jobs takes a whole number from 1 to 256"},
        {{"--ears", "right,right"}, "--ears takes right and left"},
        {{"--ears", "both"}, "--ears takes right and left"},
        {{"--curves", "fitted,"}, "--curves takes fitted, user and aid"},
        {{"--page", "A4"}, "--page takes a4 or letter"},
        {{"--summary"}, "--summary needs a value"},
        {{"--copies", "2"}, "unknown option"},
        {{"second"}, "more than one DIR"},
        {{"--db", in.file("missing.TDB")}, "missing.TDB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), 1) << c.message;
        EXPECT_TRUE(contains(err, c.message)) << err;
        EXPECT_TRUE(contains(err, "usage: tavik-cli batch DIR -o OUTDIR") ||
                    contains(c.message, ".TDB"))
            << err;
        EXPECT_TRUE(outputs().empty()) << c.message;
    }
    std::ostringstream output, errors;
    EXPECT_EQ(runBatchWith({aFile, "-o", out.path().string()}, output, errors, {}), 1);
    EXPECT_TRUE(contains(errors.str(), "A.TAV\": no such folder")) << errors.str();
}

TEST_F(BatchRun, AnExistingPdfIsKeptUnlessForced) {
    writeBytes(out.file("B-right.pdf"), {'o', 'l', 'd'});
    const std::string summary = elsewhere.file("s.csv");
    EXPECT_EQ(run({"--jobs", "1", "--ears", "right", "--summary", summary}), 1); // the broken file
    EXPECT_EQ(readTextFile(out.file("B-right.pdf")), "old");
    EXPECT_TRUE(contains(err, "B-right.pdf\": kept")) << err;
    EXPECT_TRUE(contains(readTextFile(summary),
                         "B.TAV,,B.TAV,,,,01/01/2000,,right,ITE,measured,Monaural,1000,4000,"))
        << readTextFile(summary);

    EXPECT_EQ(run({"--jobs", "1", "--ears", "right", "--force"}), 1);
    EXPECT_EQ(readTextFile(out.file("B-right.pdf")), "PDF B.TAV B.TAV right");
    EXPECT_FALSE(contains(err, "kept")) << err;
}

TEST_F(BatchRun, WorkersGiveTheSummaryOfOneJobInTheSameOrder) {
    const std::string one = elsewhere.file("one.csv"), two = elsewhere.file("two.csv");
    run({"--jobs", "1", "--summary", one});
    fs::remove_all(out.path());
    EXPECT_EQ(run({"--jobs", "3", "--summary", two}), 1);
    EXPECT_EQ(readTextFile(two), readTextFile(one));
    EXPECT_EQ(outputs().size(), 6u);
    EXPECT_TRUE(contains(err, "broken.TAV")) << err;
}

// A stop asked for while the first file is drawn: that file is finished, no other is
// begun, no summary and no temporary file is left, and the exit code is 130.
TEST_F(BatchRun, AStopFinishesTheFileInHandAndLeavesNothingHalfWritten) {
    const std::string summary = elsewhere.file("s.csv");
    EXPECT_EQ(run({"--jobs", "1", "--summary", summary}, requestBatchStop), kExitInterrupted);
    EXPECT_EQ(outputs(), (std::vector<std::string>{"A-left.pdf", "A-right.pdf"}));
    EXPECT_FALSE(fs::exists(summary));
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
    EXPECT_TRUE(contains(err, "stopped: 1 of 4 patient files done")) << err;
}

// The summary is checked before anything is drawn: an existing one is replaced only
// with --force, a patient file never, and its folder must be there.
TEST_F(BatchRun, TheSummaryIsRefusedBeforeAnythingIsDrawn) {
    writeBytes(elsewhere.file("s.csv"), {'o', 'l', 'd'});
    writeBytes(elsewhere.file("P.TAV"), {'p'});
    fs::create_symlink(elsewhere.file("P.TAV"), elsewhere.file("link.csv"));
    fs::create_directory(elsewhere.path() / "folder.csv");
    const struct {
        std::string summary;
        bool force;
        const char* message;
    } cases[] = {
        {"s.csv", false, "the summary is there already (--force replaces it)"},
        {"missing/s.csv", true, "the summary's folder does not exist"},
        {"new.tav", true, "the summary would replace a patient file"},
        {"P.TAV", true, "the summary would replace a patient file"},
        {"link.csv", true, "the summary would replace a patient file"},
        {"folder.csv", true, "the summary would replace a folder"},
    };
    for (const auto& c : cases) {
        Args args = {"--summary", elsewhere.file(c.summary)};
        if (c.force)
            args.push_back("--force");
        EXPECT_EQ(run(args), 1) << c.summary;
        EXPECT_EQ(err, "tavik-cli: \"" + elsewhere.file(c.summary) + "\": " + c.message + "\n");
        EXPECT_TRUE(fs::is_empty(out.path())) << c.summary;
    }
    EXPECT_EQ(readTextFile(elsewhere.file("s.csv")), "old");
    EXPECT_EQ(readTextFile(elsewhere.file("P.TAV")), "p");
    EXPECT_FALSE(fs::exists(elsewhere.file("new.tav")));

    EXPECT_EQ(run({"--summary", elsewhere.file("s.csv"), "--force"}), 1); // the broken file
    EXPECT_TRUE(readTextFile(elsewhere.file("s.csv")).starts_with("file,pdf,")) << err;
}

// The output's sync at the end: a failure is reported and fails the batch, a stop
// asked for during it ends the batch as stopped, without a summary.
TEST_F(BatchRun, TheFinalSyncIsCheckedAndAStopDuringItWritesNoSummary) {
    fs::remove(in.file("north/broken.TAV"));
    const std::string summary = elsewhere.file("s.csv");
    struct stat outFolder {};
    const struct {
        FileSystemSync sync;
        int code;
        const char* message;
        bool summaryWritten;
    } cases[] = {
        {[](int) { return 0; }, 0, "", true},
        {[](int) {
             errno = EIO;
             return -1;
         },
         1, "\": the PDFs may not be on the disk whole: Input/output error\n", true},
        {[](int) {
             requestBatchStop();
             return 0;
         },
         kExitInterrupted, "tavik-cli: stopped: 3 of 3 patient files done\n", false},
    };
    for (const auto& c : cases) {
        fs::remove_all(out.path());
        fs::remove(summary);
        bool sameFolder = false;
        sync = [&](int fd) {
            struct stat synced {};
            sameFolder = ::fstat(fd, &synced) == 0 && ::stat(out.path().c_str(), &outFolder) == 0 &&
                         synced.st_ino == outFolder.st_ino;
            return c.sync(fd);
        };
        EXPECT_EQ(run({"--jobs", "2", "--summary", summary}), c.code) << err;
        EXPECT_TRUE(sameFolder);
        EXPECT_TRUE(err.ends_with(c.message)) << err;
        EXPECT_EQ(fs::exists(summary), c.summaryWritten) << c.code;
        EXPECT_EQ(outputs().size(), 6u);
        EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere.path()), {}),
                  c.summaryWritten ? 1 : 0);
    }
}

// A folder of DIR that cannot be read is named on standard error and in the summary,
// in path order, and fails the batch; the other folders are searched.
TEST_F(BatchRun, AFolderThatCannotBeReadFailsTheBatchAndTheRestGoOn) {
    fs::remove(in.file("north/broken.TAV"));
    fs::create_directories(in.path() / "south");
    writePatientFile(in.file("south/D.TAV"), workedRightEar());
    lister = [this](const fs::path& folder, std::error_code& ec) {
        if (folder == in.path() / "north") {
            ec = std::make_error_code(std::errc::permission_denied);
            return std::vector<FolderEntry>{};
        }
        return listFolder(folder, ec);
    };
    const std::string summary = elsewhere.file("s.csv");
    EXPECT_EQ(run({"--ears", "right", "--curves", "fitted", "--summary", summary}), 1);
    EXPECT_EQ(err, noDatabaseLine(current) + "tavik-cli: \"" + in.file("north") +
                       "\": cannot read the folder: Permission denied\n");
    EXPECT_EQ(outputs(),
              (std::vector<std::string>{"A-right.pdf", "B-right.pdf", "south/D-right.pdf"}));
    const std::string csv = readTextFile(summary);
    const std::size_t a = csv.find("\r\nA.TAV,"), b = csv.find("\r\nB.TAV,"),
                      north =
                          csv.find("\r\nnorth," + std::string(29, ',') + "Permission denied,\r\n"),
                      d = csv.find("\r\nsouth/D.TAV,");
    EXPECT_TRUE(a < b && b < north && north < d && d != std::string::npos) << csv;
}

// Temporary files that an interrupted batch left in the output folders are removed
// once, before the first PDF; a worker that crashes on a file fails that file only.
TEST_F(BatchRun, LeftoversAreClearedAndACrashedWorkerFailsItsFile) {
    fs::create_directories(out.path() / "north");
    writeBytes(out.file(".tavik-save-Left01"), {1});
    writeBytes(out.file("north/.tavik-save-Left02"), {2});
    const std::string summary = elsewhere.file("s.csv");
    ::setenv("TAVIK_BATCH_TEST_CRASH", "B.TAV", 1);
    const int code = run({"--jobs", "2", "--ears", "left", "--summary", summary});
    ::unsetenv("TAVIK_BATCH_TEST_CRASH");
    EXPECT_EQ(code, 1);
    EXPECT_EQ(outputs(), (std::vector<std::string>{"A-left.pdf", "north/C-left.pdf"}));
    EXPECT_TRUE(contains(err, "B.TAV\": the worker drawing it ended unexpectedly")) << err;
    EXPECT_TRUE(
        contains(readTextFile(summary), "\r\nB.TAV," + std::string(29, ',') +
                                            "the worker drawing it ended unexpectedly,\r\n"))
        << readTextFile(summary);
}

} // namespace
