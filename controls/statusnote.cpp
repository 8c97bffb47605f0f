#include "controls/statusnote.h"

#include <QMainWindow>
#include <QStatusBar>

namespace {

constexpr int kStatusNoteMs = 4000;

QStatusBar* statusBarOf(const QWidget* widget) {
    auto* window = qobject_cast<QMainWindow*>(widget->window());
    return window ? window->statusBar() : nullptr;
}

} // namespace

void statusNote(const QWidget* widget, const QString& text) {
    if (QStatusBar* bar = statusBarOf(widget))
        bar->showMessage(text, kStatusNoteMs);
}

void lastingStatusNote(const QWidget* widget, const QString& text) {
    if (QStatusBar* bar = statusBarOf(widget))
        bar->showMessage(text);
}

void endStatusNote(const QWidget* widget, const QString& text) {
    QStatusBar* bar = statusBarOf(widget);
    if (bar && !text.isEmpty() && bar->currentMessage() == text)
        bar->clearMessage();
}
