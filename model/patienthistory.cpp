// A placeholder that keeps nothing yet: the patient file is written as before.
#include "model/patienthistory.h"

#include "model/patientfile.h"
#include "model/version.h"

std::string historyPathFor(const std::string& patientPath) {
    return patientPath + ".history";
}

HistoryRead readHistory(const std::string&) {
    return {};
}

SaveStamp stampNow() {
    return {0, "", "", kProgramVersion};
}

std::string savePatientWithHistory(const std::string& path, const FittingRecord& record,
                                   const SaveStamp&) {
    writePatientFile(path, record);
    return "";
}

std::vector<std::string> describeChanges(const FittingRecord&, const FittingRecord&) {
    return {};
}

std::optional<KeptVersion> previousVisit(const HistoryRead&, std::string_view) {
    return std::nullopt;
}
