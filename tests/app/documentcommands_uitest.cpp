// New, Load, Save and Save As through the real main window, with scripted dialogs.
#include "app/documentcommands.h"
#include "controls/datagrid.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWindow>

#include <cstring>
#include <filesystem>

namespace {

using Kind = ScriptedDialogService::Kind;

class DocumentCommandsTest : public ProgramFixture {
  protected:
    // A patient file in its own folder, written from a record with that last name.
    std::string patientFile(const std::string& lastName, const std::string& name = "smith.tav") {
        FittingRecord record{};
        resetFitting(record, "01/02/2003");
        writeText(record.lastName, lastName);
        std::filesystem::create_directories(files.path() / "patients");
        const std::string path = (files.path() / "patients" / name).string();
        writePatientFile(path, record);
        return path;
    }

    // An older-kind file: one counted name field, no threshold column.
    std::string legacyFile() {
        std::vector<uint8_t> bytes(3118, 0);
        const char name[] = "Miller";
        bytes[0] = sizeof name - 1;
        std::memcpy(&bytes[1], name, sizeof name - 1);
        const auto putLevel = [&](std::size_t base, int f, int k, int16_t v) {
            std::memcpy(&bytes[base + 2 * (7 * f + k)], &v, sizeof v);
        };
        for (int f = 0; f < 6; ++f)
            for (int k = 0; k < 7; ++k)
                putLevel(414, f, k, -100);
        putLevel(414, 2, 0, 55); // right ear, 1 kHz, VS
        const std::string path = files.file("OLD.TAV");
        writeBytes(path, bytes);
        return path;
    }

    void typeLastName(const QString& text) {
        auto* edit = find<QLineEdit>("EditLastName");
        edit->clear();
        QTest::keyClicks(edit, text);
        settle();
    }

    static QString lastNameShown() { return find<QLineEdit>("EditLastName")->text(); }

    TempDir files;
};

TEST_F(DocumentCommandsTest, SaveOfAnUntitledDocumentAsksForANameAndTitlesTheWindow) {
    typeLastName("Smith");
    const std::string path = files.file("smith.tav");
    script.setNextFileName(QString::fromStdString(path));
    click("SaveFileSpeedButton");

    const auto saves = script.shownOf(Kind::Save);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].request.title, "Save this file as...");
    EXPECT_EQ(saves[0].request.fileName, "SMITH.TAV");
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV");
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(modifiedPanel(), "");
    EXPECT_EQ(document.dataPath, files.path().string() + "/");
    const auto bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 1372u);
    EXPECT_EQ(readTextSlot(reinterpret_cast<const char*>(&bytes[20]), 18), "Smith");

    // A titled document saves silently to the same file.
    typeLastName("Smythe");
    click("SaveFileSpeedButton");
    EXPECT_EQ(script.shownOf(Kind::Save).size(), 1u);
    EXPECT_EQ(readTextSlot(reinterpret_cast<const char*>(&readBytes(path)[20]), 18), "Smythe");
}

TEST_F(DocumentCommandsTest, CancelledSaveDialogChangesNothing) {
    typeLastName("Smith");
    script.setNextFileName(QString());
    click("SaveFileSpeedButton");
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(modifiedPanel(), " Modified");
    EXPECT_EQ(title(), "TAVIK 1.0a");
}

TEST_F(DocumentCommandsTest, SaveAsOffersTheCurrentNameAndMovesToTheNewFile) {
    script.setNextFileName(QString::fromStdString(patientFile("Jones", "first.TAV")));
    click("LoadFileSpeedButton");
    const std::string second = files.file("second.tav");
    script.setNextFileName(QString::fromStdString(second));
    trigger("SaveAs1");

    EXPECT_EQ(script.shownOf(Kind::Save).at(0).request.fileName, "first.TAV");
    EXPECT_EQ(title(), "TAVIK 1.0a - SECOND.TAV");
    EXPECT_EQ(document.currentFilePath, second);
    EXPECT_EQ(readBytes(second).size(), 1372u);
}

TEST_F(DocumentCommandsTest, LoadShowsTheFileOnThePatientPage) {
    click("SpeedButton3");
    const std::string path = patientFile("Jones");
    script.setNextFileName(QString::fromStdString(path));
    click("LoadFileSpeedButton");

    const auto opens = script.shownOf(Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].request.title, "Load a file");
    EXPECT_EQ(opens[0].request.folder.toStdString(), document.startDir);
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV");
    EXPECT_TRUE(fmClientInfo->isVisible());
    EXPECT_FALSE(fmPage2->isVisible());
    EXPECT_EQ(lastNameShown(), "Jones");
    EXPECT_EQ(find<QLineEdit>("EditTestDate")->text(), "01/02/2003");
    EXPECT_EQ(document.dataPath, (files.path() / "patients").string() + "/");
    EXPECT_FALSE(document.modified);
}

TEST_F(DocumentCommandsTest, OlderFileIsConvertedAndTakesItsTitle) {
    script.setNextFileName(QString::fromStdString(legacyFile()));
    click("LoadFileSpeedButton");

    EXPECT_EQ(title(), "TAVIK 1.0a - OLD.TAV");
    EXPECT_EQ(lastNameShown(), "Miller");
    click("SpeedButton3");
    auto* grid = find<DataGrid>("RightEarLOUDMAPDataGrid");
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(grid->cellText(0, row), "") << "no threshold column in older files";
    EXPECT_EQ(grid->cellText(1, 2), "55");
}

TEST_F(DocumentCommandsTest, FileOfAnotherSizeIsRefusedAndGivesAFreshDocument) {
    typeLastName("Before");
    script.setNextAnswer(DialogAnswer::No);
    const std::string refused = files.file("odd.TAV");
    writeBytes(refused, std::vector<uint8_t>(1371, 0));
    script.setNextFileName(QString::fromStdString(refused));
    click("LoadFileSpeedButton");

    const auto errors = script.shownOf(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].caption, "Error");
    EXPECT_EQ(errors[0].text.toStdString(), kUnsupportedFileMessage);
    EXPECT_EQ(title(), "TAVIK 1.0a");
    EXPECT_TRUE(document.currentFilePath.empty());
    EXPECT_EQ(document.dataPath, files.path().string() + "/");
    EXPECT_EQ(lastNameShown(), "");
    EXPECT_FALSE(document.modified);
}

TEST_F(DocumentCommandsTest, UnsavedChangesQuestionSteersNew) {
    typeLastName("Smith");
    script.setNextAnswer(DialogAnswer::Cancel);
    click("NewFileSpeedButton");
    const auto asked = script.shownOf(Kind::Confirm);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "Confirm");
    EXPECT_EQ(asked[0].text, kUnsavedChangesText);
    EXPECT_EQ(lastNameShown(), "Smith");
    EXPECT_TRUE(document.modified);

    script.setNextAnswer(DialogAnswer::Yes);
    const std::string path = files.file("kept.TAV");
    script.setNextFileName(QString::fromStdString(path));
    click("NewFileSpeedButton");
    EXPECT_EQ(readBytes(path).size(), 1372u);
    EXPECT_EQ(lastNameShown(), "");
    EXPECT_EQ(title(), "TAVIK 1.0a");

    typeLastName("Other");
    script.setNextAnswer(DialogAnswer::No);
    click("NewFileSpeedButton");
    EXPECT_EQ(lastNameShown(), "");
    EXPECT_FALSE(document.modified);
}

// Yes to the question, then Cancel in the save dialog: the whole command stops and
// the changes stay, for New, Load and closing alike.
TEST_F(DocumentCommandsTest, CancelledSaveAfterYesStopsTheCommand) {
    struct Case {
        const char* command;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"New", [] { click("NewFileSpeedButton"); }},
        {"Load", [] { click("LoadFileSpeedButton"); }},
        {"close", [this] { EXPECT_FALSE(closeProgram()); }},
    };
    typeLastName("Unsaved");
    for (const Case& c : cases) {
        script.clear();
        script.setNextAnswer(DialogAnswer::Yes);
        script.setNextFileName(QString()); // Cancel in the save dialog
        c.run();
        EXPECT_EQ(script.shownOf(Kind::Save).size(), 1u) << c.command;
        EXPECT_TRUE(script.shownOf(Kind::Open).empty()) << c.command;
        EXPECT_EQ(lastNameShown(), "Unsaved") << c.command;
        EXPECT_TRUE(document.modified) << c.command;
        EXPECT_TRUE(fmWinMain->isVisible()) << c.command;
    }
}

TEST_F(DocumentCommandsTest, UnreadableFileLeavesTheDocumentAsItWas) {
    script.setNextFileName(QString::fromStdString(patientFile("Jones")));
    click("LoadFileSpeedButton");
    typeLastName("Edited");
    const std::string dataPathBefore = document.dataPath;

    const std::string unreadable = (files.path() / "folder.TAV").string();
    std::filesystem::create_directory(unreadable);
    script.setNextAnswer(DialogAnswer::No);
    script.setNextFileName(QString::fromStdString(unreadable));
    click("LoadFileSpeedButton");

    const auto errors = script.shownOf(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].caption, "TAVIK");
    EXPECT_TRUE(errors[0].text.contains(QString::fromStdString(unreadable)))
        << errors[0].text.toStdString();
    EXPECT_TRUE(errors[0].text.contains("directory"));
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV");
    EXPECT_EQ(document.currentFileName, "smith.tav");
    EXPECT_EQ(document.dataPath, dataPathBefore);
    EXPECT_EQ(lastNameShown(), "Edited");
    EXPECT_TRUE(document.modified);

    // The program goes on: a Save still writes the file that was loaded.
    click("SaveFileSpeedButton");
    EXPECT_EQ(
        readTextSlot(
            reinterpret_cast<const char*>(&readBytes(files.file("patients/smith.tav"))[20]), 18),
        "Edited");
}

TEST_F(DocumentCommandsTest, FailedSaveKeepsTheChangeAndTheTitle) {
    typeLastName("Smith");
    const std::string nowhere = files.file("missing-folder/smith.TAV");
    script.setNextFileName(QString::fromStdString(nowhere));
    click("SaveFileSpeedButton");

    const auto errors = script.shownOf(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].caption, "TAVIK");
    EXPECT_TRUE(errors[0].text.contains(QString::fromStdString(nowhere)));
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(modifiedPanel(), " Modified");
    EXPECT_EQ(title(), "TAVIK 1.0a");
    EXPECT_TRUE(document.currentFilePath.empty()) << "a file never written is not the current one";
}

TEST_F(DocumentCommandsTest, ClosingAsksOnlyWhenChangedAndCancelKeepsTheWindow) {
    typeLastName("Smith");
    script.setNextAnswer(DialogAnswer::Cancel);
    EXPECT_FALSE(closeProgram());
    EXPECT_TRUE(fmWinMain->isVisible());
    script.setNextAnswer(DialogAnswer::No);
    EXPECT_TRUE(closeProgram());
    EXPECT_EQ(script.shownOf(Kind::Confirm).size(), 2u);
}

TEST_F(DocumentCommandsTest, CommandLineFileOpensAtStartAndAMissingOneIsIgnored) {
    const std::string path = patientFile("Jones");
    destroyForms();
    startProgram(QString::fromStdString(path));
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV");
    EXPECT_EQ(lastNameShown(), "Jones");
    EXPECT_EQ(document.dataPath, (files.path() / "patients").string() + "/");

    destroyForms();
    startProgram(QString::fromStdString(files.file("nothing-here.TAV")));
    EXPECT_EQ(title(), "TAVIK 1.0a");
    EXPECT_TRUE(script.shown().empty());

    // A file that cannot be opened is told over the window, once it is drawn.
    destroyForms();
    bool windowDrawn = false;
    script.onShown = [&](const ScriptedDialogService::Shown&) {
        windowDrawn = fmWinMain->windowHandle()->isExposed();
    };
    startProgram(QString::fromStdString(testDataFile("overlong.TAV")));
    ASSERT_EQ(script.shownOf(Kind::Error).size(), 1u);
    EXPECT_TRUE(windowDrawn);
}

TEST_F(DocumentCommandsTest, DataFolderSurvivesARestartThroughTheSettingsFile) {
    script.setNextFileName(QString::fromStdString(patientFile("Jones")));
    click("LoadFileSpeedButton");
    ASSERT_TRUE(closeProgram());

    restartProgram();
    script.clear();
    click("LoadFileSpeedButton");
    const auto opens = script.shownOf(Kind::Open);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].request.folder.toStdString(), (files.path() / "patients").string() + "/");
}

} // namespace
