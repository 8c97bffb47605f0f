// Short notes in the main window's status bar: why a key or a click did nothing, or
// what became of a value that could not be kept, so that nothing typed is lost unseen.
#pragma once

#include <QString>

class QWidget;

// A short note in the status bar of the window that holds the widget. It shows for a
// few seconds, or until the next note.
void statusNote(const QWidget* widget, const QString& text);
