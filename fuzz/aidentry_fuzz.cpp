// The database page's entry from any texts: the long name, the short label and the 36
// cells of the grid, one per line (frequency by frequency, gain to maximum output).
// A store that stops names a cell within the grid, whose text (less its spaces) is
// what was typed there and is no number, and leaves the frequencies after it as they
// were; the names are kept in their slots, an empty label becoming HA-n. The texts the
// page then shows store without a stop, and after two showings an entry gives the very
// same texts and the same entry however often it is shown and stored.
#include "fuzz/fuzzsupport.h"
#include "model/aiddatabase.h"
#include "model/textslot.h"
#include "pages/aidentrytext.h"

#include <algorithm>
#include <cstring>

namespace {

bool sameEntry(const AidDatabase& a, const AidDatabase& b, int n) {
    return std::memcmp(a.aidLongNames[n], b.aidLongNames[n], sizeof a.aidLongNames[n]) == 0 &&
           std::memcmp(a.aidShortNames[n], b.aidShortNames[n], sizeof a.aidShortNames[n]) == 0 &&
           std::memcmp(a.aidData[n], b.aidData[n], sizeof a.aidData[n]) == 0;
}

bool sameTexts(const AidEntryTexts& a, const AidEntryTexts& b) {
    if (a.longName != b.longName || a.shortName != b.shortName)
        return false;
    for (int f = 0; f < kAidGridColumns; ++f)
        for (int row = 0; row < kAidGridRows; ++row)
            if (a.cell[f][row] != b.cell[f][row])
                return false;
    return true;
}

// A name as its slot keeps it: up to a NUL, at most the slot's width less one.
std::string asStored(const std::string& name, std::size_t width) {
    return name.substr(0, std::min(name.find('\0'), width - 1));
}

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = fuzz::split(fuzz::asText(data, size), '\n');
    AidEntryTexts typed;
    std::size_t next = 0;
    const auto line = [&] { return next < lines.size() ? lines[next++] : std::string(); };
    typed.longName = line();
    typed.shortName = line();
    for (auto& column : typed.cell)
        for (std::string& cell : column)
            cell = line();
    const int n = static_cast<int>(size % kAidCount);

    AidDatabase database{};
    defaultAidDatabase(database);
    const AidDatabase before = database;
    const std::optional<BadAidCell> bad = storeAidEntryTexts(typed, database, n);

    FUZZ_CHECK(readText(database.aidLongNames[n]) ==
               asStored(typed.longName, sizeof database.aidLongNames[n]));
    FUZZ_CHECK(readText(database.aidShortNames[n]) ==
               (typed.shortName.empty()
                    ? "HA-" + std::to_string(n + 1)
                    : asStored(typed.shortName, sizeof database.aidShortNames[n])));
    for (int other = 0; other < kAidCount; ++other) {
        if (other != n)
            FUZZ_CHECK(sameEntry(database, before, other));
    }
    if (bad) {
        FUZZ_CHECK(bad->column >= 0 && bad->column < kAidGridColumns);
        FUZZ_CHECK(bad->row >= 0 && bad->row < kAidGridRows);
        FUZZ_CHECK(bad->text == withoutSpaces(typed.cell[bad->column][bad->row]));
        for (int f = bad->column + 1; f < kAidGridColumns; ++f)
            FUZZ_CHECK(std::memcmp(&database.aidData[n][f], &before.aidData[n][f],
                                   sizeof database.aidData[n][f]) == 0);
        return 0;
    }

    // Shown and stored again, as a page switch does: never a stop. A value the store
    // left missing shows as an empty cell, and an empty threshold 2 or ratio 2 reads as
    // the same as the first stage, so an entry can take two showings to settle; from
    // then on, the very same texts and the same entry.
    AidDatabase stored = database;
    AidEntryTexts shown;
    for (int showing = 0; showing < 2; ++showing) {
        shown = aidEntryTexts(stored, n);
        FUZZ_CHECK(!storeAidEntryTexts(shown, stored, n));
    }
    const AidDatabase settled = stored;
    const AidEntryTexts shownAgain = aidEntryTexts(stored, n);
    FUZZ_CHECK(sameTexts(shownAgain, shown));
    FUZZ_CHECK(!storeAidEntryTexts(shownAgain, stored, n));
    FUZZ_CHECK(sameEntry(stored, settled, n));
    return 0;
}
