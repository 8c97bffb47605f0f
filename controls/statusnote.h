// Short notes in the main window's status bar: why a key or a click did nothing, or
// what became of a value that could not be kept, so that nothing typed is lost unseen.
#pragma once

#include <QString>

class QWidget;

// A short note in the status bar of the window that holds the widget. It shows for a
// few seconds, or until the next note.
void statusNote(const QWidget* widget, const QString& text);

// A note that stays until the next note, or until endStatusNote takes it away: for
// what holds as long as the page shows it (a file's choices outside the lists).
void lastingStatusNote(const QWidget* widget, const QString& text);
// Takes the note away if it is still the one shown.
void endStatusNote(const QWidget* widget, const QString& text);
