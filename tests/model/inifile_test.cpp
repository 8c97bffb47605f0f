// The settings file: values come back exactly as written, other lines are kept.
#include "model/fileio.h"
#include "model/inifile.h"
#include "model/settings.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace {

std::string fileText(const std::string& path) {
    const auto bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(IniFileTest, EveryValueReadsBackExactlyAsWritten) {
    const char* const values[] = {
        "",
        "/home/clinic/patients/",
        " leading blank",
        "trailing blank ",
        "\"quoted\"",
        "'single'",
        "\"",
        "a = b = c",
        "semi;colon",
        "[not a section]",
        "caf\xc3\xa9/\xc3\xbc",
        "\t",
    };
    for (const char* value : values) {
        IniFile file;
        ASSERT_TRUE(file.setValue("Information", "DataPath", value));
        const IniFile reread = IniFile::parse(file.text());
        EXPECT_EQ(reread.value("Information", "DataPath"), value) << "[" << value << "]";
    }
}

TEST(IniFileTest, ReadsTheFileFormatLeniently) {
    const IniFile file = IniFile::parse("; settings\r\n[Other]\r\nDataPath=wrong\r\n"
                                        "[ information ]\r\n  datapath =  /data/  \r\n"
                                        "DataPath=second\r\nQuoted=\"  x  \"\r\n"
                                        "Empty=\"\"\r\nSingle=  ''  \r\nMixed='\"\r\nOne=\"");
    EXPECT_EQ(file.value("Information", "DataPath"), "/data/");
    EXPECT_EQ(file.value("INFORMATION", "quoted"), "  x  ");
    EXPECT_EQ(file.value("Information", "Empty"), "");
    EXPECT_EQ(file.value("Information", "Single"), "");
    EXPECT_EQ(file.value("Information", "Mixed"), "'\"");
    EXPECT_EQ(file.value("Information", "One"), "\"");
    EXPECT_EQ(file.value("Information", "Missing"), std::nullopt);
    EXPECT_EQ(file.value("Nowhere", "DataPath"), std::nullopt);
}

TEST(IniFileTest, WritingChangesOnlyItsOwnLine) {
    const std::string before =
        "; kept\r\n[Information]\r\nOther=1\r\nDataPath=/old/\r\n\r\n[Tail]\nX=y";
    IniFile file = IniFile::parse(before);
    ASSERT_TRUE(file.setValue("Information", "DataPath", "/new/"));
    EXPECT_EQ(file.text(),
              "; kept\r\n[Information]\r\nOther=1\r\nDataPath=/new/\r\n\r\n[Tail]\nX=y");

    IniFile adding = IniFile::parse("[Information]\nOther=1\n\n[Tail]\n");
    adding.setValue("Information", "DataPath", "/p/");
    EXPECT_EQ(adding.text(), "[Information]\nOther=1\nDataPath=/p/\n\n[Tail]\n");

    IniFile appending = IniFile::parse("[Tail]\nX=y");
    appending.setValue("Information", "DataPath", "/p/");
    EXPECT_EQ(appending.text(), "[Tail]\nX=y\n\n[Information]\nDataPath=/p/\n");

    EXPECT_FALSE(appending.setValue("Information", "DataPath", "two\nlines"));
    EXPECT_EQ(appending.value("Information", "DataPath"), "/p/");
}

TEST(SettingsTest, DataPathDefaultsToTheStartFolderAndIsWrittenThere) {
    TempDir dir;
    DocumentState state;
    state.startDir = dir.path().string() + "/";
    readSettings(state);
    EXPECT_EQ(state.dataPath, state.startDir);

    state.dataPath = "/srv/patients with blanks /";
    writeSettings(state);
    EXPECT_EQ(fileText(dir.file("TAVIK.INI")),
              "[Information]\nDataPath=/srv/patients with blanks /\n");
    DocumentState next;
    next.startDir = state.startDir;
    readSettings(next);
    EXPECT_EQ(next.dataPath, "/srv/patients with blanks /");
}

TEST(SettingsTest, UnwritableSettingsRaiseAnErrorNamingTheFile) {
    TempDir dir;
    DocumentState state;
    state.startDir = dir.file("no-such-folder") + "/";
    state.dataPath = "/x/";
    try {
        writeSettings(state);
        FAIL() << "expected a FileError";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(state.startDir + "TAVIK.INI"), std::string::npos)
            << error.what();
    }

    state.startDir = dir.path().string() + "/";
    writeBytes(dir.file("TAVIK.INI"), {'[', 'I', ']', '\n'});
    state.dataPath = "line\nbreak";
    EXPECT_THROW(writeSettings(state), FileError);
    EXPECT_EQ(fileText(dir.file("TAVIK.INI")), "[I]\n") << "the old file stays intact";
}

} // namespace

namespace {

// A settings file that is there but cannot be read whole is never rewritten from the
// little that could be read: it stays as it was, and the writer says why.
TEST(SettingsTest, AFileThatCannotBeReadWholeIsLeftAsItWas) {
    const std::string kept = "[Information]\nDataPath=/kept/\n[Other]\nColour=blue\n";
    const struct {
        const char* what;
        std::function<void(const std::string&)> make;
        const char* reason;
    } cases[] = {
        {"one byte over the size limit",
         [&](const std::string& path) {
             std::string text = kept + std::string(kLargestSettingsFile - kept.size() + 1, ';');
             writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
         },
         "larger than a settings file can be"},
        {"a pipe", [](const std::string& path) { ::mkfifo(path.c_str(), 0644); },
         "not a regular file"},
        {"a folder", [](const std::string& path) { std::filesystem::create_directory(path); },
         "Is a directory"},
        {"a link to nothing",
         [](const std::string& path) { std::filesystem::create_symlink(path + ".gone", path); },
         "No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        DocumentState state;
        state.startDir = dir.path().string() + "/";
        state.dataPath = "/new/";
        const std::string path = dir.file("TAVIK.INI");
        c.make(path);
        const auto before = std::filesystem::symlink_status(path).type();
        const std::vector<uint8_t> bytesBefore = before == std::filesystem::file_type::regular
                                                     ? readBytes(path)
                                                     : std::vector<uint8_t>{};
        try {
            writeSettings(state);
            ADD_FAILURE() << "the file was replaced";
        } catch (const FileError& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find(path), std::string::npos) << text;
            EXPECT_NE(text.find(c.reason), std::string::npos) << text;
            EXPECT_NE(text.find("left as it was"), std::string::npos) << text;
        }
        EXPECT_EQ(std::filesystem::symlink_status(path).type(), before);
        if (before == std::filesystem::file_type::regular) {
            EXPECT_EQ(readBytes(path), bytesBefore);
        }
        readSettings(state);
        EXPECT_EQ(state.dataPath, state.startDir) << "what cannot be read gives the default";
    }
}

TEST(SettingsTest, AFileUpToTheSizeLimitIsReadAndKeptWhole) {
    TempDir dir;
    DocumentState state;
    state.startDir = dir.path().string() + "/";
    const std::string head = "[Information]\nDataPath=/kept/\n[Other]\nColour=blue\n;";
    const std::string text = head + std::string(kLargestSettingsFile - head.size() - 1, 'x') + "\n";
    ASSERT_EQ(text.size(), kLargestSettingsFile);
    writeBytes(dir.file("TAVIK.INI"), std::vector<uint8_t>(text.begin(), text.end()));

    readSettings(state);
    EXPECT_EQ(state.dataPath, "/kept/");
    state.dataPath = "/new/";
    writeSettings(state);
    const std::string after = fileText(dir.file("TAVIK.INI"));
    EXPECT_EQ(after.size(), kLargestSettingsFile - 1); // "/kept/" became "/new/"
    EXPECT_EQ(after.substr(0, 50), "[Information]\nDataPath=/new/\n[Other]\nColour=blue\n;");
}

} // namespace
