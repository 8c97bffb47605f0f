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
#include <sstream>

namespace fs = std::filesystem;

namespace {

TEST(BatchNames, OutputsKeepTheSubFolderAndNeverShareAName) {
    const std::vector<std::string> paths = {
        "BROWN.tav",   "a/SMITH.TAV", "a/smith.tav",     "a/smith.tav.TAV",
        "b/SMITH.TAV", "b/Jones.Tav", "b/Jones.TAV.tav",
    };
    const std::vector<std::string> expected = {
        "BROWN", "a/SMITH.TAV", "a/smith.tav", "a/smith.tav~2", "b/SMITH", "b/Jones", "b/Jones.TAV",
    };
    EXPECT_EQ(outputStems(paths), expected);
    EXPECT_EQ(pdfPathFor("a/SMITH", Ear::Right), "a/SMITH-right.pdf");
    EXPECT_EQ(pdfPathFor("a/SMITH", Ear::Left), "a/SMITH-left.pdf");
}

TEST(BatchNames, FindsPatientFilesAtAnyDepthInNameOrder) {
    TempDir dir;
    const fs::path root = dir.path();
    fs::create_directories(root / "north" / "deep");
    fs::create_directories(root / "FOLDER.TAV"); // searched, not read
    for (const char* name : {"north/deep/b.tav", "north/A.TAV", "Z.Tav", "FOLDER.TAV/c.TAV",
                             "notes.txt", "north/TAV", "x.TAVX"})
        writeBytes((root / name).string(), {1});
    fs::create_directory_symlink(root, root / "north" / "loop"); // not followed
    fs::create_symlink(root / "Z.Tav", root / "link.TAV");       // a file: taken
    std::vector<std::string> found;
    for (const BatchInput& input : findBatchInputs(root.string()))
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
            FittingRecord r = workedRightEar();
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

    TempDir in, out, elsewhere;
    std::string err;
};

TEST_F(BatchRun, ExitCodesNameTheFailedFileAndTheRestGoOn) {
    EXPECT_EQ(run({"--jobs", "1", "--ears", "left"}), 1);
    EXPECT_TRUE(contains(err, "north/broken.TAV\": not a patient file")) << err;
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

} // namespace
