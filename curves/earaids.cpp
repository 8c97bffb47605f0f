#include "curves/earaids.h"

#include "curves/curvefit.h"
#include "model/textslot.h"

#include <algorithm>

namespace {

bool inLists(int32_t choice) {
    return choice == choiceOrFirst(choice);
}

const AidSetting (&earSettings(const FittingRecord& record, Ear ear))[kFrequencyCount] {
    return record.aidSettings[recordIndex(ear)];
}

// "Left graph (1 KHz): curve choice 7 is not in the list and shows as No Curve".
std::string outsideNote(const char* graph, int frequency, const char* what, int32_t choice,
                        const std::string& shownAs) {
    return std::string(graph) + " (" + frequencyCaptions[frequency] + "): " + what + " " +
           std::to_string(choice) + " is not in the list and shows as " + shownAs;
}

void noteOutside(std::vector<std::string>& notes, const char* graph, int frequency,
                 const AidSetting& setting, const AidDatabase& database) {
    if (!inLists(setting.curveChoice))
        notes.push_back(
            outsideNote(graph, frequency, "curve choice", setting.curveChoice, curveShapeNames[0]));
    if (!inLists(setting.aidChoice))
        notes.push_back(outsideNote(graph, frequency, "aid choice", setting.aidChoice,
                                    readText(database.aidShortNames[0])));
}

} // namespace

void storeEarAid(FittingRecord& record, Ear ear, int32_t aid) {
    for (AidSetting& setting : record.aidSettings[recordIndex(ear)])
        setting.aidChoice = aid;
}

std::string aidChoiceName(int32_t choice, const AidDatabase& database) {
    const std::string shown = readText(database.aidShortNames[choiceOrFirst(choice)]);
    if (inLists(choice))
        return shown;
    return std::to_string(choice) + " (shown as " + shown + ")";
}

std::string aidsByFrequency(const FittingRecord& record, const AidDatabase& database, Ear ear) {
    const auto& settings = earSettings(record, ear);
    std::vector<int32_t> aids;
    for (const AidSetting& setting : settings) {
        if (std::ranges::find(aids, setting.aidChoice) == aids.end())
            aids.push_back(setting.aidChoice);
    }
    if (aids.size() < 2)
        return {};
    std::vector<std::string> groups;
    for (const int32_t aid : aids) {
        std::vector<int> frequencies;
        for (int f = 0; f < kFrequencyCount; ++f) {
            if (settings[f].aidChoice == aid)
                frequencies.push_back(f);
        }
        groups.push_back(aidChoiceName(aid, database) + " at " + frequencyList(frequencies));
    }
    std::string text;
    for (const std::string& group : groups)
        text += (text.empty() ? "" : "; ") + group;
    return text;
}

std::string storedChoicesNote(const FittingRecord& record, const AidDatabase& database, Ear ear,
                              int leftFrequency, int rightFrequency) {
    const auto& settings = earSettings(record, ear);
    std::vector<std::string> notes;
    noteOutside(notes, "Left graph", leftFrequency, settings[leftFrequency], database);
    if (rightFrequency != leftFrequency)
        noteOutside(notes, "Right graph", rightFrequency, settings[rightFrequency], database);
    std::string text;
    for (const std::string& note : notes)
        text += note + "; the file keeps it until you choose. ";
    const std::string aids = aidsByFrequency(record, database, ear);
    if (!aids.empty())
        text += std::string(ear == Ear::Right ? "The right" : "The left") +
                " ear holds more than one aid: " + aids +
                ". Choosing an aid sets it at all six frequencies.";
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}
