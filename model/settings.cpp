#include "model/settings.h"

#include "model/inifile.h"

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

RecentList readRecentFiles(const DocumentState& state) {
    return recentFilesIn(readProfileFile(settingsPath(state)));
}

void writeRecentFiles(const DocumentState& state, const RecentList& list) {
    updateProfileFile(settingsPath(state),
                      [&list](IniFile& file) { return putRecentFiles(file, list); });
}
