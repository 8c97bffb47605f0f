// The database page's texts in the core: parsing an entry, its texts when shown
// again, the partial store at a cell that is no number, and the key filter.
#include "model/aiddatabase.h"
#include "model/textslot.h"
#include "pages/aidentrytext.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr float E = kEmptyValue;
using Column = std::array<const char*, kAidGridRows>;

AidDatabase defaults() {
    AidDatabase db{};
    defaultAidDatabase(db);
    return db;
}

void setColumn(AidEntryTexts& texts, int f, const Column& column) {
    for (int row = 0; row < kAidGridRows; ++row)
        texts.cell[f][row] = column[row];
}

// Texts with every cell empty and the given column filled in.
AidEntryTexts withColumn(int f, const Column& column) {
    AidEntryTexts texts;
    setColumn(texts, f, column);
    return texts;
}

// The eight fields in their order, the flags as numbers.
std::array<float, 8> fieldsOf(const AidFrequencyData& d) {
    return {d.gainAt50, d.threshold1, float(d.threshold1IsOutput),
            d.ratio1,   d.threshold2, float(d.threshold2IsOutput),
            d.ratio2,   d.maxOutput};
}

struct StoreCase {
    const char* what;
    Column cells;
    AidFrequencyData stored;
};

class StoreAidEntry : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StoreAidEntry, ReadsEachRowByItsRules) {
    const StoreCase& c = GetParam();
    AidDatabase db = defaults();
    ASSERT_FALSE(storeAidEntryTexts(withColumn(2, c.cells), db, 4));
    EXPECT_EQ(fieldsOf(db.aidData[4][2]), fieldsOf(c.stored));
}

// Columns: gain, threshold 1, ratio 1, threshold 2, ratio 2, maximum output.
INSTANTIATE_TEST_SUITE_P(
    Rows, StoreAidEntry,
    ::testing::Values(
        StoreCase{"output threshold less the gain",
                  {"20", "60o", "2", "80", "3", "110"},
                  {20, 40, 1, 2, 80, 0, 3, 110}},
        StoreCase{"output threshold without a gain",
                  {"", "60o", "", "", "", ""},
                  {E, 60, 1, E, 60, 0, E, E}},
        StoreCase{"140o refused whatever the gain",
                  {"20", "140o", "2", "x", "x", ""},
                  {20, E, 1, 2, E, 0, 2, E}},
        StoreCase{"range checked as typed, before the gain",
                  {"-10", "25o", "", "130o", "", "131"},
                  {-10, E, 1, E, 140, 1, E, E}},
        StoreCase{"x copies the first stage",
                  {"", "50", "2.5", "x", "x", ""},
                  {E, 50, 0, 2.5f, 50, 0, 2.5f, E}},
        StoreCase{"empty second stage copies the first",
                  {"", "50i", "2.5", "", "", ""},
                  {E, 50, 0, 2.5f, 50, 0, 2.5f, E}},
        StoreCase{"output threshold 2 less the gain",
                  {"20", "30", "", "75o", "", ""},
                  {20, 30, 0, E, 55, 1, E, E}},
        StoreCase{"stages in the wrong order are exchanged",
                  {"", "70", "2.0", "50", "3.0", ""},
                  {E, 50, 0, 3, 70, 0, 2, E}},
        StoreCase{"a minus after the first character empties the gain",
                  {"5-", "", "", "", "", ""},
                  {E, E, 0, E, E, 0, E, E}},
        StoreCase{"two minus signs in front empty the gain too",
                  {"--5", "", "", "", "", ""},
                  {E, E, 0, E, E, 0, E, E}},
        StoreCase{"leading minus gives a negative gain",
                  {"-5", "", "", "", "", ""},
                  {-5, E, 0, E, E, 0, E, E}},
        StoreCase{"a lone minus is no gain", {"-", "", "", "", "", ""}, {E, E, 0, E, E, 0, E, E}},
        StoreCase{
            "ratios of 0 are empty", {"", "", "0", "", "0.0", "30"}, {E, E, 0, E, E, 0, E, 30}},
        StoreCase{"spaces are ignored",
                  {" 2 0", "6 0 o", " 1.5 ", "", "", "1 00"},
                  {20, 40, 1, 1.5f, 40, 0, 1.5f, 100}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(StoreAidEntryNames, CutToTheirSlotsAndHaNForAnEmptyLabel) {
    AidDatabase db = defaults();
    AidEntryTexts texts;
    texts.longName = std::string(30, 'L');
    texts.shortName = "";
    ASSERT_FALSE(storeAidEntryTexts(texts, db, 3));
    EXPECT_EQ(readText(db.aidLongNames[3]), std::string(24, 'L'));
    EXPECT_EQ(readText(db.aidLongNames[4]), "HALongName5") << "nothing written past the slot";
    EXPECT_EQ(readText(db.aidShortNames[3]), "HA-4");

    texts.longName = "";
    texts.shortName = "ABCDEFGHIJKL";
    ASSERT_FALSE(storeAidEntryTexts(texts, db, 5));
    EXPECT_EQ(readText(db.aidLongNames[5]), "") << "the long name may stay empty";
    EXPECT_EQ(readText(db.aidShortNames[5]), "ABCDEFGHI");
    EXPECT_EQ(readText(db.aidLongNames[0]), "HALongName1");
}

struct BadCase {
    int row;
    const char* typed;
    const char* reported;
};

class BadAidNumber : public ::testing::TestWithParam<BadCase> {};

// A cell that is no number stops the store there: the names and the frequencies
// before it are stored, its frequency is empty from its row on, later frequencies
// keep what they held.
TEST_P(BadAidNumber, StopsTheStoreAtTheCell) {
    const BadCase& c = GetParam();
    AidDatabase db = defaults();
    for (int f = 0; f < kFrequencyCount; ++f)
        db.aidData[1][f] = AidFrequencyData{7, 40, 0, 2, 60, 0, 3, 100};
    AidEntryTexts texts;
    texts.longName = "Renamed";
    texts.shortName = "R";
    for (int f = 0; f < kFrequencyCount; ++f)
        setColumn(texts, f, {"10", "50", "1.5", "70", "2.5", "120"});
    texts.cell[2][c.row] = c.typed;
    texts.cell[4][1] = "1.2.3"; // a later bad cell is not reached

    const std::optional<BadAidCell> bad = storeAidEntryTexts(texts, db, 1);
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->column, 2);
    EXPECT_EQ(bad->row, c.row);
    EXPECT_EQ(bad->text, c.reported);

    EXPECT_EQ(readText(db.aidLongNames[1]), "Renamed");
    EXPECT_EQ(readText(db.aidShortNames[1]), "R");
    for (int f : {0, 1})
        EXPECT_EQ(db.aidData[1][f].maxOutput, 120) << "frequency " << f << " stored";
    const AidFrequencyData& failing = db.aidData[1][2];
    const float values[kAidGridRows] = {failing.gainAt50,   failing.threshold1, failing.ratio1,
                                        failing.threshold2, failing.ratio2,     failing.maxOutput};
    const float typed[kAidGridRows] = {10, 50, 1.5f, 70, 2.5f, 120};
    for (int row = 0; row < kAidGridRows; ++row)
        EXPECT_EQ(values[row], row < c.row ? typed[row] : E) << "row " << row;
    for (int f : {3, 4, 5})
        EXPECT_EQ(db.aidData[1][f].gainAt50, 7) << "frequency " << f << " keeps its value";
}

INSTANTIATE_TEST_SUITE_P(Rows, BadAidNumber,
                         ::testing::Values(BadCase{0, "1.2.3", "1.2.3"}, BadCase{1, "6.0.", "6.0."},
                                           BadCase{2, " 2. .5", "2..5"},
                                           BadCase{3, "5 x5..o", "5x5..o"},
                                           BadCase{4, "1..2", "1..2"},
                                           BadCase{5, "99999999999999999999999999999999999999999",
                                                   "99999999999999999999999999999999999999999"}));

struct ShowCase {
    AidFrequencyData stored;
    Column shown;
};

class AidEntryShown : public ::testing::TestWithParam<ShowCase> {};

TEST_P(AidEntryShown, EachValueInItsForm) {
    AidDatabase db = defaults();
    db.aidData[2][5] = GetParam().stored;
    const AidEntryTexts texts = aidEntryTexts(db, 2);
    EXPECT_EQ(texts.longName, "HALongName3");
    EXPECT_EQ(texts.shortName, "HA-3");
    for (int row = 0; row < kAidGridRows; ++row)
        EXPECT_EQ(texts.cell[5][row], GetParam().shown[row]) << "row " << row;
    EXPECT_EQ(texts.cell[0][0], "") << "empty values show empty";
}

INSTANTIATE_TEST_SUITE_P(Forms, AidEntryShown,
                         ::testing::Values(ShowCase{{20, 40, 1, 2.26f, 55, 1, 3, 110},
                                                    {"20", "60o", "2.3", "75o", "3.0", "110"}},
                                           ShowCase{{E, 60, 1, 2, 60, 0, 2, E},
                                                    {"", "60", "2.0", "60", "2.0", ""}},
                                           ShowCase{{-5, 45.6f, 0, 1234, E, 0, 0.25f, 99.5f},
                                                    {"-5", "46", "1230.0", "", "0.3", "100"}}));

// An entry shown and stored again, as every page switch and step does, stays the
// same entry, and so does the aid's curve on the curve page.
TEST(AidEntryShown, ShowingAndStoringAgainKeepsTheEntry) {
    const Column typed[] = {
        // Threshold 1 typed as output is the input level 20; threshold 2 copies it.
        {"30", "50o", "2", "", "", "110"},
        // The swap moves threshold 2's input level 20 to the first stage unflagged.
        {"40", "45", "2", "60o", "3", "110"},
        // The swap moves 125 to the second stage flagged: 145o would be refused.
        {"20", "125", "2", "110o", "3", "110"},
        {"10", "40", "2", "70o", "3", "115"},
    };
    for (const Column& column : typed) {
        AidDatabase db = defaults();
        ASSERT_FALSE(storeAidEntryTexts(withColumn(0, column), db, 0));
        const AidFrequencyData first = db.aidData[0][0];
        for (int visit = 0; visit < 3; ++visit) {
            ASSERT_FALSE(storeAidEntryTexts(aidEntryTexts(db, 0), db, 0));
            EXPECT_EQ(fieldsOf(db.aidData[0][0])[1], fieldsOf(first)[1]) << column[1];
            EXPECT_EQ(db.aidData[0][0].threshold2, first.threshold2) << column[3];
            EXPECT_EQ(db.aidData[0][0].ratio1, first.ratio1) << column[1];
        }
        CurveGrid grid;
        writeStoredCurve(grid, 3, db.aidData[0][0]);
        CurveParams curves[kCurveCount] = {};
        readCurves(grid, curves);
        EXPECT_EQ(curves[2].threshold1, first.threshold1) << "curve page, " << column[1];
        EXPECT_EQ(curves[2].threshold2, first.threshold2) << "curve page, " << column[3];
    }
}

TEST(AidCellKeys, EachRowKeepsOnlyItsOwnCharacters) {
    const std::u32string typed = U"0123456789-.ioxIOX+e ";
    const std::u32string kept[kAidGridRows] = {U"0123456789-",   U"0123456789io", U"0123456789.",
                                               U"0123456789iox", U"0123456789.x", U"0123456789"};
    for (int row = 0; row < kAidGridRows; ++row) {
        std::u32string accepted;
        for (char32_t ch : typed) {
            if (aidCellAccepts(row, ch))
                accepted += ch;
        }
        EXPECT_EQ(accepted, kept[row]) << "row " << row;
        EXPECT_TRUE(aidCellAccepts(row, U'\b')) << "backspace in row " << row;
    }
    EXPECT_FALSE(aidCellAccepts(kAidGridRows, U'1'));
}

} // namespace

namespace {

// Looking is not editing: only names and columns whose texts differ from those shown
// are stored; the rest keep their bytes, values the page would not take included.
TEST(StoreChangedAidEntry, OnlyWhatDiffersFromTheShownTextsIsStored) {
    AidDatabase db = defaults();
    db.aidData[3][1].threshold2 = 150.0f;
    db.aidData[3][4].ratio2 = 2.2345f;
    std::memset(db.aidLongNames[3], 'N', sizeof db.aidLongNames[3]);
    const AidEntryTexts loaded = aidEntryTexts(db, 3);
    const struct {
        const char* what;
        int column; // -1: the texts as loaded
        Column cells;
        float threshold2At500;
        float ratio2At3000;
        float gainAt500;
    } cases[] = {
        {"unchanged", -1, {}, 150.0f, 2.2345f, E},
        {"3 KHz typed", 4, {"", "", "", "", "2.5", ""}, 150.0f, 2.5f, E},
        {"500 Hz typed", 1, {"12", "", "", "", "", ""}, E, 2.2345f, 12.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AidDatabase stored = db;
        AidEntryTexts shown = loaded;
        if (c.column >= 0)
            setColumn(shown, c.column, c.cells);
        ASSERT_FALSE(storeChangedAidEntryTexts(shown, loaded, stored, 3));
        EXPECT_EQ(stored.aidData[3][1].threshold2, c.threshold2At500);
        EXPECT_EQ(stored.aidData[3][4].ratio2, c.ratio2At3000);
        EXPECT_EQ(stored.aidData[3][1].gainAt50, c.gainAt500);
        EXPECT_EQ(std::memcmp(stored.aidLongNames[3], db.aidLongNames[3], 25), 0);
        EXPECT_EQ(changedCellsNotKept(shown, loaded).empty(), true);
    }
    AidEntryTexts shown = loaded;
    setColumn(shown, 5, {"95", "20", "0", "", "", ""});
    const std::vector<AidCellNote> notes = changedCellsNotKept(shown, loaded);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].column, 5);
    EXPECT_EQ(notes[0].cell.judgement.verdict, EntryVerdict::Refused);
    EXPECT_EQ(notes[1].cell.row, 1);
    EXPECT_EQ(notes[1].cell.judgement.verdict, EntryVerdict::Dropped);
    EXPECT_EQ(notes[2].cell.judgement.verdict, EntryVerdict::Refused);
}

} // namespace

namespace {

// Typing into one cell stores that cell: the others keep their values and flags bit
// for bit, an untouched output-level threshold follows a typed gain, and only typed
// thresholds put the stages in order.
TEST(StoreChangedAidEntry, CellsTheClinicianDidNotTouchKeepTheirValues) {
    AidDatabase db = defaults();
    db.aidData[2][1] = {20, 40, 1, 2.2345f, 150, 0, 3.5f, 110};   // 500 Hz: "60o", "2.2", ""
    db.aidData[2][2] = {30, 45, 0, 2, 55, 1, 3, 115};             // 1 KHz: "45", "85o"
    db.aidData[2][3] = {-5, 70, 0, 1.5f, 90, 0, 4, 100};          // 2 KHz
    db.aidData[2][4] = {12.375f, 50, 0, 1.5f, 75, 0, 2.25f, 105}; // 3 KHz: gain shown rounded
    db.aidData[2][5] = {10, 95, 0, 2.5f, 80, 0, 25, 120};         // 4 KHz: stages reversed
    const AidEntryTexts loaded = aidEntryTexts(db, 2);
    ASSERT_EQ(loaded.cell[1][1], "60o");
    ASSERT_EQ(loaded.cell[2][3], "85o");
    const struct {
        const char* what;
        int column;
        std::vector<std::pair<int, const char*>> typed; // row, text
        AidFrequencyData stored;
        int badRow; // -1: the store goes through
    } cases[] = {
        {"gain only: output threshold 1 follows it",
         1,
         {{0, "25"}},
         {25, 35, 1, 2.2345f, 150, 0, 3.5f, 110},
         -1},
        {"gain only: output threshold 2 follows it",
         2,
         {{0, "40"}},
         {40, 45, 0, 2, 45, 1, 3, 115},
         -1},
        {"threshold 1 typed beside an untouched empty threshold 2",
         1,
         {{1, "50"}},
         {20, 50, 0, 2.2345f, 150, 0, 3.5f, 110},
         -1},
        {"a missing second stage follows its typed first stage",
         0,
         {{1, "50"}, {2, "1.8"}},
         {E, 50, 0, 1.8f, 50, 0, 1.8f, E},
         -1},
        {"x typed as threshold 2 copies threshold 1 as stored",
         1,
         {{3, "x"}},
         {20, 40, 1, 2.2345f, 40, 0, 3.5f, 110},
         -1},
        {"threshold 1 typed above threshold 2: the stages are exchanged",
         3,
         {{1, "95"}},
         {-5, 90, 0, 4, 95, 0, 1.5f, 100},
         -1},
        {"threshold 2 typed alone below threshold 1: exchanged, the gain as it was",
         4,
         {{3, "40"}},
         {12.375f, 40, 0, 2.25f, 50, 0, 1.5f, 105},
         -1},
        {"gain only: stored stages in the wrong order stay",
         5,
         {{0, "12"}},
         {12, 95, 0, 2.5f, 80, 0, 25, 120},
         -1},
        {"a bad cell stops: typed cells from it on missing, untouched ones kept",
         1,
         {{0, "25"}, {2, "2..5"}, {5, "90"}},
         {25, 35, 1, E, 150, 0, 3.5f, E},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AidDatabase stored = db;
        AidEntryTexts shown = loaded;
        for (const auto& [row, text] : c.typed)
            shown.cell[c.column][row] = text;
        const std::optional<BadAidCell> bad = storeChangedAidEntryTexts(shown, loaded, stored, 2);
        EXPECT_EQ(bad ? bad->row : -1, c.badRow);
        EXPECT_EQ(fieldsOf(stored.aidData[2][c.column]), fieldsOf(c.stored));
        EXPECT_EQ(changedCellsNotKept(shown, loaded).size(), c.badRow < 0 ? 0u : 1u)
            << "untouched values are not named";
        for (int f = 0; f < kFrequencyCount; ++f) {
            if (f == c.column)
                continue;
            EXPECT_EQ(fieldsOf(stored.aidData[2][f]), fieldsOf(db.aidData[2][f])) << f;
        }
    }
}

} // namespace
