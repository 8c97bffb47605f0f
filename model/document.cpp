#include "model/document.h"

FittingRecord fitting{};
AidDatabase aidDatabase{};
DocumentState document;

void markModified(DocumentState& state) {
    if (state.modified)
        return;
    state.modified = true;
    if (state.onFirstModification)
        state.onFirstModification();
}

void markModified() {
    markModified(document);
}

void resetFitting() {
    resetFitting(fitting, todayTestDate(systemDateSeparator()));
}
