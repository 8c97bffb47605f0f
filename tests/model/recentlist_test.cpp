// The list of files used last: order, limit, each path once, and its section of the
// settings file written and read without touching any other line.
#include "model/recentlist.h"
#include "model/settings.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const RecentList kEight{"/p/1.TAV", "/p/2.TAV", "/p/3.TAV", "/p/4.TAV",
                        "/p/5.TAV", "/p/6.TAV", "/p/7.TAV", "/p/8.TAV"};

TEST(RecentListTest, NewestFirstEachPathOnceAtMostEight) {
    const struct {
        const char* name;
        RecentList before;
        std::string added;
        RecentList after;
    } cases[] = {
        {"first file", {}, "/a/SMITH.TAV", {"/a/SMITH.TAV"}},
        {"new file goes first", {"/a/X.TAV"}, "/b/Y.TAV", {"/b/Y.TAV", "/a/X.TAV"}},
        {"used again moves up",
         {"/a/X.TAV", "/b/Y.TAV", "/c/Z.TAV"},
         "/b/Y.TAV",
         {"/b/Y.TAV", "/a/X.TAV", "/c/Z.TAV"}},
        {"same name in another folder is another file",
         {"/a/X.TAV"},
         "/b/X.TAV",
         {"/b/X.TAV", "/a/X.TAV"}},
        {"ninth drops the oldest",
         kEight,
         "/p/9.TAV",
         {"/p/9.TAV", "/p/1.TAV", "/p/2.TAV", "/p/3.TAV", "/p/4.TAV", "/p/5.TAV", "/p/6.TAV",
          "/p/7.TAV"}},
        {"oldest of eight used again",
         kEight,
         "/p/8.TAV",
         {"/p/8.TAV", "/p/1.TAV", "/p/2.TAV", "/p/3.TAV", "/p/4.TAV", "/p/5.TAV", "/p/6.TAV",
          "/p/7.TAV"}},
        {"relative path refused", {"/a/X.TAV"}, "X.TAV", {"/a/X.TAV"}},
        {"line break refused", {"/a/X.TAV"}, "/a/B\nC.TAV", {"/a/X.TAV"}},
        {"empty refused", {"/a/X.TAV"}, "", {"/a/X.TAV"}},
        {"a dot step is the same file",
         {"/a/p2.TAV", "/b/Q.TAV"},
         "/a/./p2.TAV",
         {"/a/p2.TAV", "/b/Q.TAV"}},
        {"a step up and doubled slashes are the same file",
         {"/b/Q.TAV", "/a/p2.TAV"},
         "/a/c/..//p2.TAV",
         {"/a/p2.TAV", "/b/Q.TAV"}},
        {"a new file is kept without its dot steps",
         {"/b/Q.TAV"},
         "/c/./d/../R.TAV",
         {"/c/R.TAV", "/b/Q.TAV"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withRecentFile(c.before, c.added), c.after) << c.name;
}

TEST(RecentListTest, BadLinesOfTheSectionArePassedOver) {
    const IniFile file = IniFile::parse("[Recent]\n"
                                        "File1=relative/A.TAV\n"
                                        "File2=/ok/B.TAV\n"
                                        "File3=/ok/./B.TAV\n"
                                        "File4=\n"
                                        "File5=/bad/\tTAB.TAV\n"
                                        "Other=/ok/NOT.TAV\n"
                                        "File7=/ok/x/../C D.TAV\n"
                                        "File8=  /ok/C D.TAV  \n"
                                        "File9=/ok/NINE.TAV\n"
                                        "[Information]\n"
                                        "File6=/ok/WRONGSECTION.TAV\n");
    EXPECT_EQ(recentFilesIn(file), (RecentList{"/ok/B.TAV", "/ok/C D.TAV"}));
}

// Each case: the file before, the list written, the file after, byte for byte.
TEST(RecentListTest, WritingTheListKeepsEveryOtherLineAsItWas) {
    const struct {
        const char* name;
        std::string before;
        RecentList list;
        std::string after;
    } cases[] = {
        {"empty list, no section: file untouched",
         "[Information]\r\nDataPath=/d/\r\n",
         {},
         "[Information]\r\nDataPath=/d/\r\n"},
        {"section added at the end",
         "; clinic settings\n[Information]\nDataPath = /d/ \n",
         {"/d/SMITH.TAV", "/e/JONES.TAV"},
         "; clinic settings\n[Information]\nDataPath = /d/ \n\n[Recent]\nFile1=/d/SMITH.TAV\n"
         "File2=/e/JONES.TAV\n"},
        {"shorter list empties the keys after it, adds none",
         "[Recent]\nFile1=/a/A.TAV\nfile2=/b/B.TAV\nFile3=/c/C.TAV\n[Information]\nDataPath=/d/",
         {"/b/B.TAV"},
         "[Recent]\nFile1=/b/B.TAV\nfile2=\nFile3=\n[Information]\nDataPath=/d/"},
        {"path with outer blanks is quoted",
         "[Information]\nDataPath=/d/\n",
         {"/d/ SPACE.TAV "},
         "[Information]\nDataPath=/d/\n\n[Recent]\nFile1=\"/d/ SPACE.TAV \"\n"},
    };
    for (const auto& c : cases) {
        IniFile file = IniFile::parse(c.before);
        putRecentFiles(file, c.list);
        EXPECT_EQ(file.text(), c.after) << c.name;
        EXPECT_EQ(recentFilesIn(IniFile::parse(file.text())), c.list) << c.name;
    }
}

TEST(RecentListTest, SettingsFileKeepsTheListBetweenSessions) {
    TempDir start;
    DocumentState state;
    state.startDir = start.path().string() + "/";
    const std::string ini = start.file("TAVIK.INI");
    {
        std::ofstream out(ini, std::ios::binary);
        out << "[Information]\r\nDataPath=/clinic/\r\n[Printer]\r\nCopies=2\r\n";
    }
    writeRecentFiles(state, {"/clinic/SMITH.TAV", "/clinic/old/JONES.TAV"});
    std::stringstream text;
    text << std::ifstream(ini, std::ios::binary).rdbuf();
    EXPECT_EQ(text.str(), "[Information]\r\nDataPath=/clinic/\r\n[Printer]\r\nCopies=2\r\n\n"
                          "[Recent]\nFile1=/clinic/SMITH.TAV\nFile2=/clinic/old/JONES.TAV\n");
    EXPECT_EQ(readRecentFiles(state), (RecentList{"/clinic/SMITH.TAV", "/clinic/old/JONES.TAV"}));

    TempDir empty;
    state.startDir = empty.path().string() + "/";
    EXPECT_TRUE(readRecentFiles(state).empty());
    writeRecentFiles(state, {});
    EXPECT_FALSE(std::filesystem::exists(empty.file("TAVIK.INI"))) << "nothing to keep, no file";
}

} // namespace
