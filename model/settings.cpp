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
