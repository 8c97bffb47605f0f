#include "cli/earprint.h"

#include "model/predictioncheck.h"
#include "model/safetext.h"
#include "model/textslot.h"

#include <algorithm>

namespace {

std::string earLine(const std::string& path, const std::string& text) {
    return "tavik-cli: " + quotedPath(path) + ": " + text;
}

} // namespace

bool EarPrintCheck::nothingToPrint() const {
    return std::ranges::none_of(printable, [](bool on) { return on; });
}

std::string outOfDateLine(const FittingRecord& record, Ear ear, const std::string& path) {
    const std::string note =
        outOfDateNote(ear, earLoudness(record, ear), earLevelSource(record, ear));
    return note.empty() ? note : earLine(path, note);
}

std::array<std::string, 6> controlTexts(const EarCurves& page) {
    std::array<std::string, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = latin1ToUtf8(page.controls[i]);
    return texts;
}

EarPrintCheck checkEarPrint(const LoadedEar& loaded, Ear ear,
                            const std::array<bool, kReportChoiceCount>& asked,
                            const std::string& path) {
    EarPrintCheck check;
    if (std::string line = outOfDateLine(loaded.record, ear, path); !line.empty())
        check.lines.push_back(std::move(line));
    const std::array<std::string, 6> controls = controlTexts(loaded.page);
    std::vector<std::string> empty;
    for (int choice = 0; choice < kReportChoiceCount; ++choice) {
        const auto c = static_cast<std::size_t>(choice);
        check.printable[c] = asked[c] && reportHasCurve(loaded.page.curves, choice);
        if (asked[c] && !check.printable[c])
            empty.push_back(pairCaption(controls, choice));
    }
    if (!empty.empty())
        check.lines.push_back(earLine(path, earHeading(ear) + ": " + noCurveToPrintNote(empty)));
    if (check.nothingToPrint())
        check.lines.push_back(earLine(path, earHeading(ear) + ": " + kNoPdfWithoutCurves));
    return check;
}
