// A loudness grid cell's text, of any bytes, at any frequency index, in dB HL or dB
// SPL. A text reads as a level only when it is an optional "-" and digits; the level
// stored from a cell shows as a text that stores the same level again; and the text
// shown for any stored level reads back to that level, but for the one that shows as
// -99, the mark of an empty cell.
#include "fuzz/fuzzsupport.h"
#include "model/numbers.h"
#include "pages/loudnesstext.h"

#include <cstring>

namespace {

bool isWholeNumberText(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // First byte: the frequency index (-1 to 6, so also outside 0..5) and the unit.
    const int frequency = static_cast<int>((data[0] >> 1) % 8) - 1;
    const bool showInHL = (data[0] & 1) != 0;
    const std::string_view text = fuzz::asText(data + 1, size - 1);

    const int32_t level = parseCellLevel(text);
    if (level != kEmptyLevel) {
        FUZZ_CHECK(isWholeNumberText(text));
        FUZZ_CHECK(parseCellLevel(formatInt(level)) == level);
    }

    const int32_t stored = storedFromCellText(text, frequency, showInHL);
    const std::string shown = cellTextFromStored(stored, frequency, showInHL);
    FUZZ_CHECK(storedFromCellText(shown, frequency, showInHL) == stored);
    FUZZ_CHECK(shown.size() <= static_cast<std::size_t>(kCellTextLimit));

    // The same for a stored level taken straight from the bytes, as a file holds it.
    // A cell that shows -99 is the one exception: -99 marks an empty cell in either
    // unit, so a level shown as -99 dB HL (-93 dB SPL at 500 Hz, far below hearing)
    // is stored as empty when the page stores its grid.
    if (size >= 5) {
        int32_t fromFile;
        std::memcpy(&fromFile, data + 1, sizeof fromFile);
        const std::string cell = cellTextFromStored(fromFile, frequency, showInHL);
        if (cell != "-99")
            FUZZ_CHECK(storedFromCellText(cell, frequency, showInHL) == fromFile);
    }
    return 0;
}
