// The database page's entry against the real main window: the name a shown page
// replaces, what leaving a cell says, and what stepping through the entries writes.
#include "model/textslot.h"
#include "pages/databasepagetest.h"

#include <QStatusBar>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {

// --- what the clinician types, and what stepping through the entries keeps --------

// The page gives the name its focus with the whole text selected: typing replaces it.
TEST_F(DatabasePageTest, TypingOnAShownPageReplacesTheName) {
    QTest::keyClicks(QApplication::focusWidget(), "Clinic Aid On");
    click("NextRecButton");
    EXPECT_EQ(readText(aidDatabase.aidLongNames[0]), "Clinic Aid On");
}

// Leaving a cell names a value that is dropped; a gain or a ratio no hearing aid has
// keeps the clinician in the cell. Stepping on names what the store dropped.
TEST_F(DatabasePageTest, LeavingACellNamesWhatIsDroppedAndRefusesWhatNoAidHas) {
    const struct {
        int column;
        int row;
        const char* keys;
        const char* note;
        int rowAfter;
    } cases[] = {
        {2, 1, "20", "1 KHz, Compression Threshold 1: 20 is outside 30 to 130 dB and is not used.",
         2},
        {5, kMaxOutput, "131",
         "4 KHz, Maximum Output: 131 is outside 30 to 130 dB and is not used.", kMaxOutput},
        {4, kRatio1, "2..5",
         "3 KHz, Compression Ratio 1: '2..5' is not a valid floating point value", 3},
        {0, 4, "0",
         "250 Hz, Compression Ratio 2: 0 is a ratio no hearing aid has: type one from "
         "0.1 to 20.",
         4},
        {3, kGain, "-21",
         "2 KHz, Gain @ 50: -21 dB is a gain no hearing aid has: type one from "
         "-20 to 90 dB.",
         kGain},
        {1, kGain, "90", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << "," << c.row << " " << c.keys);
        fmWinMain->statusBar()->clearMessage();
        type(c.column, c.row, c.keys);
        QTest::keyClick(grid()->cellEditor(), Qt::Key_Down);
        EXPECT_EQ(fmWinMain->statusBar()->currentMessage(), c.note);
        EXPECT_EQ(grid()->currentRow(), c.rowAfter);
        if (QString(c.note).contains("no hearing aid has")) {
            // Cleared, the cell may be left for the next case.
            grid()->cellEditor()->selectAll();
            QTest::keyClick(grid()->cellEditor(), Qt::Key_Backspace);
        }
    }
    // A ratio of 0 left by a click on a step button: the step is refused, and says why.
    type(0, 4, "0");
    click("NextRecButton");
    EXPECT_EQ(position(), "1 of 6");
    EXPECT_TRUE(fmWinMain->statusBar()->currentMessage().startsWith(
        "250 Hz, Compression Ratio 2: 0 is a ratio"));
    EXPECT_EQ(grid()->currentColumn(), 0);
    EXPECT_EQ(grid()->currentRow(), 4);
    type(0, 4, "");
    type(3, kGain, "-20");
    type(4, kRatio1, "2.5");
    click("NextRecButton");
    EXPECT_EQ(position(), "2 of 6");
    EXPECT_EQ(fmWinMain->statusBar()->currentMessage(),
              "1 KHz, Compression Threshold 1: 20 is outside 30 to 130 dB and is not used.  "
              "4 KHz, Maximum Output: 131 is outside 30 to 130 dB and is not used.");
    EXPECT_EQ(aidDatabase.aidData[0][3].gainAt50, -20.0f);
    EXPECT_EQ(aidDatabase.aidData[0][1].gainAt50, 90.0f);
    EXPECT_EQ(aidDatabase.aidData[0][2].threshold1, kEmptyValue);
}

// A file with values the page would not take, a name that fills its slot without a
// terminator and padding that is not zero comes back byte for byte after stepping
// through all six entries; stepping without a change does not even write the file.
// Typing a gain stores that gain alone: the ratio and threshold 2 beside it stay.
// A store stopped by a bad ratio keeps the gain typed before it in memory; put back
// as it was loaded and the ratio mended, the entry is stored as the page shows it.
TEST_F(DatabasePageTest, AnEntryRefusedThenMendedIsStoredAsShown) {
    type(1, kGain, "25");
    typeBadNumber();
    type(1, kMaxOutput, "104");
    click("NextRecButton");
    ASSERT_EQ(position(), "1 of 6");
    EXPECT_EQ(aidDatabase.aidData[0][1].gainAt50, 25.0f) << "stored up to the bad cell";
    type(1, kRatio1, "2.5");
    type(1, kGain, "");
    click("NextRecButton");
    EXPECT_EQ(position(), "2 of 6");
    EXPECT_EQ(aidDatabase.aidData[0][1].gainAt50, kEmptyValue);
    EXPECT_EQ(aidDatabase.aidData[0][1].ratio1, 2.5f);
    EXPECT_EQ(aidDatabase.aidData[0][1].maxOutput, 104.0f);
}

TEST_F(DatabasePageTest, SteppingThroughTheEntriesKeepsTheFileByteForByte) {
    AidDatabase crafted{};
    defaultAidDatabase(crafted);
    crafted.aidData[0][1].ratio1 = 2.2345f;
    crafted.aidData[0][1].threshold2 = 150.0f;
    crafted.aidData[0][2].threshold2 = 150.0f;
    crafted.aidData[3][4].ratio2 = 2.2345f;
    crafted.aidData[5][0].gainAt50 = 139.5f;
    crafted.aidData[5][0].threshold1 = -98.5f;
    crafted.aidData[5][0].threshold1IsOutput = 1;
    std::memset(crafted.aidLongNames[2], 'N', sizeof crafted.aidLongNames[2]);
    crafted.padding[0] = 0x5a;
    const struct {
        const char* what;
        const char* gainAt500; // typed into entry 1 before stepping; nullptr: none
        float storedGain;
    } cases[] = {{"looking only", nullptr, kEmptyValue}, {"the 500 Hz gain typed", "25", 25.0f}};
    const std::string path = startDir.file("TAVIK.TDB");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        saveAidDatabase(path, crafted);
        restartProgram();
        showDatabasePage();
        struct stat before {};
        ::stat(path.c_str(), &before);
        if (c.gainAt500)
            type(1, kGain, c.gainAt500);
        for (const char* button :
             {"NextRecButton", "NextRecButton", "NextRecButton", "NextRecButton", "NextRecButton",
              "FirstRecButton", "LastRecButton"})
            click(button);
        click("ClientInfoButton");
        struct stat during {};
        ::stat(path.c_str(), &during);
        EXPECT_EQ(during.st_ino == before.st_ino, c.gainAt500 == nullptr)
            << "the file is written only when an entry changed";
        ASSERT_TRUE(closeProgram());
        AidDatabase written{};
        ASSERT_EQ(loadAidDatabase(path, written).source, AidDatabaseSource::File);
        EXPECT_EQ(written.aidData[0][1].gainAt50, c.storedGain);
        written.aidData[0][1].gainAt50 = kEmptyValue;
        EXPECT_EQ(std::memcmp(&written, &crafted, sizeof written), 0);
    }
}

// Every stored change is written at once, so a crash loses none; a file that cannot be
// written is reported and the edit kept in memory.
TEST_F(DatabasePageTest, EachStoredChangeIsWrittenAtOnceOrTheFailureTold) {
    const std::string path = startDir.file("TAVIK.TDB");
    saveAidDatabase(path, aidDatabase);
    type(2, kGain, "15");
    click("NextRecButton");
    AidDatabase onDisk{};
    loadAidDatabase(path, onDisk);
    EXPECT_EQ(onDisk.aidData[0][2].gainAt50, 15.0f);
    EXPECT_TRUE(errors().empty());

    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    type(4, kGain, "-5");
    click("PrevRecButton");
    EXPECT_EQ(position(), "1 of 6") << "the step is taken; the database in memory has the edit";
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_TRUE(errors()[0].text.contains(QString::fromStdString(path)));
    EXPECT_EQ(aidDatabase.aidData[1][4].gainAt50, -5.0f);
    loadAidDatabase(path, onDisk);
    EXPECT_EQ(onDisk.aidData[1][4].gainAt50, kEmptyValue);
}

// New stores the entry before it asks about the unsaved patient; answered Cancel, the
// page stays with that store. A value typed back as it was before is a change from
// the store, and the next step stores it, beside a value typed in another column.
TEST_F(DatabasePageTest, AValueTypedBackAfterAStoreThatStayedIsStored) {
    document.modified = true;
    type(2, kGain, "37");
    script.setNextAnswer(DialogAnswer::Cancel);
    click("NewFileSpeedButton");
    ASSERT_EQ(script.shownOf(Kind::Confirm).size(), 1u);
    ASSERT_EQ(position(), "1 of 6");
    EXPECT_EQ(aidDatabase.aidData[0][2].gainAt50, 37.0f);
    type(2, kGain, "");
    type(4, kRatio1, "1.5");
    click("NextRecButton");
    EXPECT_EQ(position(), "2 of 6");
    EXPECT_EQ(aidDatabase.aidData[0][2].gainAt50, kEmptyValue);
    EXPECT_EQ(aidDatabase.aidData[0][4].ratio1, 1.5f);
    EXPECT_EQ(aidDatabase.aidData[0][2].ratio1, kEmptyValue);
}

// A file that could not be read at start: the first store that changes an entry asks
// once; the answer stands for the rest of the run, the exit included.
TEST_F(DatabasePageTest, AnUnreadableFileIsAskedAboutOnceARun) {
    const std::string path = startDir.file("TAVIK.TDB");
    for (const DialogAnswer answer : {DialogAnswer::No, DialogAnswer::Yes}) {
        SCOPED_TRACE(answer == DialogAnswer::Yes ? "yes" : "no");
        std::filesystem::remove_all(path);
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        script.clear();
        restartProgram();
        showDatabasePage();
        script.setNextAnswer(answer);
        type(0, kGain, "12");
        click("NextRecButton");
        type(0, kGain, "13");
        click("PrevRecButton");
        ASSERT_EQ(script.shownOf(Kind::Question).size(), 1u);
        EXPECT_TRUE(script.shownOf(Kind::Question)[0].text.contains(QString::fromStdString(path)));
        // A pipe cannot be written over: after a Yes each write says so, naming the file.
        const bool tried = answer == DialogAnswer::Yes;
        EXPECT_EQ(errors().size(), tried ? 2u : 0u);
        if (tried) {
            EXPECT_TRUE(errors()[0].text.contains(QString::fromStdString(path)));
        }
        ASSERT_TRUE(closeProgram());
        EXPECT_EQ(script.shownOf(Kind::Question).size(), 1u) << "the exit does not ask again";
        EXPECT_EQ(errors().size(), tried ? 3u : 0u);
        EXPECT_TRUE(std::filesystem::is_fifo(path));
    }
}

} // namespace
