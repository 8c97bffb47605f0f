#include "model/settings.h"

#include "model/fileio.h"
#include "model/inifile.h"
#include "model/safetext.h"

namespace {

std::string settingsPath(const DocumentState& state) {
    return state.startDir + kSettingsFileName;
}

} // namespace

void readSettings(DocumentState& state) {
    state.dataPath =
        readProfileString(settingsPath(state), kSettingsSection, kDataPathKey, state.startDir);
}

void readSettings() {
    readSettings(document);
}

void writeSettings(const DocumentState& state) {
    writeProfileString(settingsPath(state), kSettingsSection, kDataPathKey, state.dataPath);
}

void writeSettings() {
    writeSettings(document);
}

std::string readPatientFolder(const DocumentState& state) {
    return readProfileString(settingsPath(state), kSettingsSection, kPatientFolderKey,
                             state.dataPath);
}

void writePatientFolder(const DocumentState& state, const std::string& folder) {
    const std::string path = settingsPath(state);
    updateProfileFile(path, [&](IniFile& file) {
        if (!file.setValue(kSettingsSection, kDataPathKey, state.dataPath) ||
            !file.setValue(kSettingsSection, kPatientFolderKey, folder))
            throw FileError("Cannot write the patient folder to " + quotedPath(path) +
                            ": the folder's name holds a line break");
        return true;
    });
}

RecentList readRecentFiles(const DocumentState& state) {
    return recentFilesIn(readProfileFile(settingsPath(state)));
}

void writeRecentFiles(const DocumentState& state, const RecentList& list) {
    updateProfileFile(settingsPath(state),
                      [&list](IniFile& file) { return putRecentFiles(file, list); });
}
