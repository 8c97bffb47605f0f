// `cpack -G DEB` on this build: the package's control fields, its dependencies worked
// out from the programs' libraries plus the fonts, and every installed file under
// /usr with the manual pages and the changelog compressed. Skipped where dpkg-deb is
// missing.
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#ifdef TAVIK_INSTALL_FROM

namespace {

bool haveProgram(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// The paths `dpkg-deb -c` lists, one per line of "perms owner size date time path".
std::vector<std::string> listedPaths(const std::string& listing) {
    std::vector<std::string> paths;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t start = line.find(" ./");
        if (start != std::string::npos)
            paths.push_back(line.substr(start + 2));
    }
    return paths;
}

class DebianPackage : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!haveProgram("dpkg-deb") || !haveProgram("dpkg-shlibdeps"))
            return;
        scratch_ = new TempDir;
        const std::string cpack =
            (std::filesystem::path(TAVIK_CMAKE_COMMAND).parent_path() / "cpack").string();
        made_ = new CliResult(runProgram(cpack,
                                         {"-G", "DEB", "--config",
                                          std::string(TAVIK_INSTALL_FROM) + "/CPackConfig.cmake",
                                          "-B", scratch_->file("out")},
                                         *scratch_));
        version_ = new CliResult(runProgram(TAVIK_CLI_PATH, {"--version"}, *scratch_));
    }
    static void TearDownTestSuite() {
        delete made_;
        delete version_;
        delete scratch_;
    }
    void SetUp() override {
        if (!scratch_)
            GTEST_SKIP() << "dpkg-deb or dpkg-shlibdeps is not installed (Debian package "
                            "dpkg-dev): the package cannot be built here";
        ASSERT_EQ(made_->code, 0) << made_->out << made_->err;
    }

    // "1.0a" from "tavik-cli (TAVIK) 1.0a\n".
    static std::string version() {
        const std::string& text = version_->out;
        const std::size_t space = text.rfind(' ');
        return text.substr(space + 1, text.size() - space - 2);
    }
    static std::string deb() { return scratch_->file("out/tavik_" + version() + "_amd64.deb"); }
    static CliResult dpkgDeb(const Args& args) { return runProgram("dpkg-deb", args, *scratch_); }

    static TempDir* scratch_;
    static CliResult* made_;
    static CliResult* version_;
};

TempDir* DebianPackage::scratch_ = nullptr;
CliResult* DebianPackage::made_ = nullptr;
CliResult* DebianPackage::version_ = nullptr;

TEST_F(DebianPackage, ControlFieldsNameTheProgramItsVersionAndWhatItNeeds) {
    ASSERT_TRUE(std::filesystem::is_regular_file(deb())) << deb();
    const struct {
        const char* field;
        std::string value;
    } fields[] = {
        {"Package", "tavik"},
        {"Version", version()},
        {"Architecture", "amd64"},
        {"Section", "science"},
        {"Maintainer", "The TAVIK developers <tavik@tavik.org>"},
    };
    for (const auto& [field, value] : fields) {
        const CliResult shown = dpkgDeb({"-f", deb(), field});
        EXPECT_EQ(shown.code, 0) << shown.err;
        EXPECT_EQ(shown.out, value + "\n") << field;
    }
    EXPECT_EQ(version(), "1.0a") << "the version the title bar shows";

    const std::string depends = dpkgDeb({"-f", deb(), "Depends"}).out;
    for (const char* package :
         {"libqt6widgets6", "libqt6printsupport6", "libfontconfig1", "libc6", "fonts-liberation"})
        EXPECT_TRUE(contains(depends, package)) << package << " in " << depends;
    const std::string description = dpkgDeb({"-f", deb(), "Description"}).out;
    EXPECT_TRUE(description.starts_with("fit compression hearing aids from loudness-scaling "
                                        "results\n TAVIK helps a clinician"))
        << description;
}

TEST_F(DebianPackage, HoldsTheInstalledFilesUnderUsr) {
    const CliResult listing = dpkgDeb({"-c", deb()});
    ASSERT_EQ(listing.code, 0) << listing.err;
    const std::vector<std::string> paths = listedPaths(listing.out);
    for (const char* file : {
             "/usr/bin/tavik",
             "/usr/bin/tavik-cli",
             "/usr/share/tavik/TAVIK.HLP",
             "/usr/share/man/man1/tavik.1.gz",
             "/usr/share/man/man1/tavik-cli.1.gz",
             "/usr/share/applications/org.tavik.TAVIK.desktop",
             "/usr/share/metainfo/org.tavik.TAVIK.metainfo.xml",
             "/usr/share/mime/packages/org.tavik.TAVIK.xml",
             "/usr/share/icons/hicolor/scalable/apps/org.tavik.TAVIK.svg",
             "/usr/share/icons/hicolor/16x16/apps/org.tavik.TAVIK.png",
             "/usr/share/icons/hicolor/256x256/apps/org.tavik.TAVIK.png",
             "/usr/share/doc/tavik/copyright",
             "/usr/share/doc/tavik/changelog.gz",
         })
        EXPECT_EQ(std::ranges::count(paths, file), 1) << file;
    for (const std::string& path : paths) {
        EXPECT_TRUE(path.starts_with("/usr/")) << path;
        EXPECT_FALSE(path.ends_with(".1")) << path << ": manual pages are compressed";
    }
    // Left to the system's triggers, not shipped: the caches the desktop builds.
    EXPECT_EQ(std::ranges::count(paths, "/usr/share/mime/globs2"), 0);
    EXPECT_EQ(std::ranges::count(paths, "/usr/share/applications/mimeinfo.cache"), 0);
}

} // namespace

#endif
