#include "controls/statusnote.h"

#include <QMainWindow>
#include <QStatusBar>

namespace {

constexpr int kStatusNoteMs = 4000;

} // namespace

void statusNote(const QWidget* widget, const QString& text) {
    if (auto* window = qobject_cast<QMainWindow*>(widget->window()))
        window->statusBar()->showMessage(text, kStatusNoteMs);
}
