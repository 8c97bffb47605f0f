// The program's help requests: the help file they open, the help key, and the topic
// of the control in use. Each request shows the one help window (app/helpviewer.h).
#pragma once

#include "model/helpfile.h"

#include <QString>

class HelpViewer;
class QWidget;

// The help file every request opens: "tavik.hlp" at start, the full path beside the
// program once the main window is first shown.
void setApplicationHelpFile(const QString& path);
QString applicationHelpFile();

// Wires the help key to the program: F1 in a window of TAVIK opens the help topic of
// the control that has the focus, found as the first "helpContext" above it (a page,
// the About screen); outside any page, the page the main window shows; in the help
// window, the topic on using it. The help window goes when `owner` goes.
void installHelp(QWidget* owner);

// A help request of the program: shows the help window with that topic.
void applicationHelp(HelpCommand command, int data = 0);

// The help window, or nullptr before the first request.
HelpViewer* helpViewer();

// The help context F1 opens for a control, 0 when there is none.
int helpContextOf(const QWidget* widget);
