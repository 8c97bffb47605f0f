#include "model/document.h"

#include <cstring>

FittingRecord fitting{};
AidDatabase aidDatabase{};
DocumentState document;
UndoHistory undoHistory;

namespace {

void setModified(DocumentState& state, bool modified) {
    if (state.modified == modified)
        return;
    state.modified = modified;
    if (state.onModifiedChanged)
        state.onModifiedChanged();
}

void tellHistoryChanged() {
    if (document.onUndoStepsChanged)
        document.onUndoStepsChanged();
}

} // namespace

void markModified(DocumentState& state) {
    setModified(state, true);
}

void markModified() {
    markModified(document);
}

void refreshModified(DocumentState& state, const FittingRecord& record) {
    setModified(state, std::memcmp(&state.fileImage, &record, sizeof(FittingRecord)) != 0);
}

void refreshModified() {
    refreshModified(document, fitting);
}

DocumentImage currentImage() {
    return {fitting, document.measuredLevels};
}

void commitChange(const std::string& label, const ChangePlace& place) {
    if (undoHistory.record(label, place, currentImage()))
        tellHistoryChanged();
    refreshModified();
}

void markSaved() {
    document.fileImage = fitting;
    document.modified = false;
}

void startHistory() {
    undoHistory.reset(currentImage());
    tellHistoryChanged();
}

const HistoryRead& openFileHistory() {
    if (!document.history) {
        document.history.emplace();
        if (!document.currentFilePath.empty()) {
            try {
                document.history = readHistory(document.currentFilePath);
            } catch (const std::exception&) {
                // Left empty: the Overview shows this visit alone.
            }
        }
    }
    return *document.history;
}

void resetFitting() {
    resetFitting(fitting, todayTestDate(systemDateSeparator()));
}
