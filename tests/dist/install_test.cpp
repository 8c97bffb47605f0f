// `cmake --install` into a fresh prefix: every file where the desktop looks for it,
// the desktop entry and the metainfo valid, patient files known by their name and
// given to TAVIK, the guide found from the installed program, and the manual page
// clean for the formatter.
#include "model/helpfile.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef TAVIK_INSTALL_FROM

namespace {

class Installed : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = new TempDir;
        scratch_ = new TempDir;
        installed_ = runProgram(
            TAVIK_CMAKE_COMMAND,
            {"--install", TAVIK_INSTALL_FROM, "--prefix", prefix_->path().string()}, *scratch_);
    }
    static void TearDownTestSuite() {
        delete prefix_;
        delete scratch_;
    }
    void SetUp() override { ASSERT_EQ(installed_.code, 0) << installed_.out << installed_.err; }

    static std::string at(const std::string& relative) { return prefix_->file(relative); }
    static CliResult run(const std::string& program, const Args& args) {
        return runProgram(program, args, *scratch_);
    }

    static TempDir* prefix_;
    static TempDir* scratch_;
    static CliResult installed_;
};

TempDir* Installed::prefix_ = nullptr;
TempDir* Installed::scratch_ = nullptr;
CliResult Installed::installed_{};

const char* const kIconSizes[] = {"16", "22", "24", "32", "48", "64", "128", "256"};

TEST_F(Installed, EveryFileGoesWhereTheDesktopLooksForIt) {
    std::vector<std::string> files = {
        "bin/tavik",
        "bin/tavik-cli",
        "share/tavik/TAVIK.HLP",
        "share/man/man1/tavik-cli.1",
        "share/man/man1/tavik.1",
        "share/applications/org.tavik.TAVIK.desktop",
        "share/metainfo/org.tavik.TAVIK.metainfo.xml",
        "share/mime/packages/org.tavik.TAVIK.xml",
        "share/icons/hicolor/scalable/apps/org.tavik.TAVIK.svg",
        "share/doc/tavik/copyright",
    };
    for (const char* size : kIconSizes)
        files.push_back(std::string("share/icons/hicolor/") + size + "x" + size +
                        "/apps/org.tavik.TAVIK.png");
    for (const std::string& file : files)
        EXPECT_TRUE(std::filesystem::is_regular_file(at(file))) << file;
    EXPECT_FALSE(std::filesystem::exists(at("bin/TAVIK.HLP"))) << "the guide lives in share/";
}

TEST_F(Installed, IconsHaveTheirSizes) {
    for (const char* size : kIconSizes) {
        const std::vector<uint8_t> png = readBytes(std::string(at("share/icons/hicolor/")) + size +
                                                   "x" + size + "/apps/org.tavik.TAVIK.png");
        ASSERT_GE(png.size(), 24u) << size;
        EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
        // IHDR: width and height, big-endian, at bytes 16 and 20.
        const auto word = [&](std::size_t at) {
            return (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        };
        EXPECT_EQ(word(16), std::stoi(size));
        EXPECT_EQ(word(20), std::stoi(size));
    }
}

TEST_F(Installed, DesktopEntryAndMetainfoAreValid) {
    const CliResult desktop =
        run("desktop-file-validate", {at("share/applications/org.tavik.TAVIK.desktop")});
    EXPECT_EQ(desktop.code, 0) << desktop.out << desktop.err;
    EXPECT_EQ(desktop.out + desktop.err, "");
    const CliResult metainfo =
        run("appstreamcli",
            {"validate", "--no-net", at("share/metainfo/org.tavik.TAVIK.metainfo.xml")});
    EXPECT_EQ(metainfo.code, 0) << metainfo.out << metainfo.err;

    const std::string entry = readTextFile(at("share/applications/org.tavik.TAVIK.desktop"));
    for (const char* line : {"\nExec=tavik %f\n", "\nIcon=org.tavik.TAVIK\n",
                             "\nMimeType=application/x-tavik-patient;\n"})
        EXPECT_TRUE(contains(entry, line)) << line;
    const std::string metainfo_text =
        readTextFile(at("share/metainfo/org.tavik.TAVIK.metainfo.xml"));
    EXPECT_TRUE(contains(metainfo_text,
                         "<launchable type=\"desktop-id\">org.tavik.TAVIK.desktop</launchable>"));
    EXPECT_TRUE(contains(metainfo_text, "<content_rating type=\"oars-1.1\"/>"));
}

TEST_F(Installed, PatientFilesAreKnownByNameAndOpenInTavik) {
    // The installation brought the prefix's MIME and desktop caches up to date.
    const std::string globs = readTextFile(at("share/mime/globs2"));
    EXPECT_TRUE(contains(globs, ":application/x-tavik-patient:*.tav\n")) << globs;
    const std::string handlers = readTextFile(at("share/applications/mimeinfo.cache"));
    EXPECT_TRUE(contains(handlers, "application/x-tavik-patient=org.tavik.TAVIK.desktop;"))
        << handlers;
}

TEST_F(Installed, TheInstalledProgramFindsItsGuide) {
    const std::string guide = helpFilePath(at("bin") + "/");
    EXPECT_EQ(std::filesystem::path(guide), std::filesystem::path(at("share/tavik/TAVIK.HLP")));
    EXPECT_TRUE(readHelpFile(guide).ok) << readHelpFile(guide).problem;
}

TEST_F(Installed, TheManualPageIsCleanAndTheProgramRuns) {
    const CliResult lint =
        run("groff", {"-man", "-Tutf8", "-ww", "-z", at("share/man/man1/tavik-cli.1")});
    EXPECT_EQ(lint.code, 0);
    EXPECT_EQ(lint.out + lint.err, "") << "the formatter's warnings";
    const CliResult help = run(at("bin/tavik-cli"), {"--help"});
    EXPECT_EQ(help.code, 0) << help.err;
    EXPECT_TRUE(contains(help.out, "usage: tavik-cli COMMAND"));
}

// The version tavik-cli prints is the one of the metainfo's release and the manual
// page's footer.
TEST_F(Installed, MetainfoAndManualPageNameTheVersionOfTavikCli) {
    const CliResult version = run(at("bin/tavik-cli"), {"--version"});
    EXPECT_EQ(version.code, 0) << version.err;
    const std::string prefix = "tavik-cli (TAVIK) ";
    ASSERT_TRUE(version.out.starts_with(prefix) && version.out.ends_with("\n")) << version.out;
    const std::string number =
        version.out.substr(prefix.size(), version.out.size() - prefix.size() - 1);
    EXPECT_FALSE(number.empty());
    const std::string metainfo = readTextFile(at("share/metainfo/org.tavik.TAVIK.metainfo.xml"));
    EXPECT_TRUE(contains(metainfo, "<release version=\"" + number + "\" ")) << metainfo;
    const std::string page = readTextFile(at("share/man/man1/tavik-cli.1"));
    EXPECT_TRUE(page.starts_with(".TH TAVIK\\-CLI 1 \"\" \"TAVIK " + number + "\""))
        << page.substr(0, 80);
}

} // namespace

#endif
