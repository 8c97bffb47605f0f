// The pages of the main window, in tool bar order: each page's form, its item in the
// Items menu, its tool bar button and its help topic. The main window builds the
// menu and the tool bar from this table and switches pages through it; the document
// commands store, reload and place the pages through it; F1 on a page opens the
// topic the table gives it. A new page is one entry here plus its form. Each page but
// the first is made the first time it is shown, so that the start makes only the page
// it shows.
#pragma once

#include "artwork/toolicons.h"

#include <QKeySequence>
#include <QString>

#include <vector>

class PageForm;
class QAction;
class QToolButton;
class QWidget;

struct PageEntry {
    // Makes the program's one instance of the page in the main window's page area.
    PageForm* (*create)(QWidget* pageArea);
    QString menuName; // objectName of its Items menu action
    QString caption;  // the menu item's caption
    // objectName of its tool bar button; the historical SpeedButton3, SpeedButton4 and
    // SpeedButton6 are those of the loudness data, database and configuration pages.
    QString buttonName;
    QString hint; // the button's tool tip and accessible name
    ToolIcon icon;
    QKeySequence shortcut;
    int helpContext; // the topic F1 opens on the page; 0: the guide's contents
    bool visible;    // false: neither its menu item nor its button is shown
};

// The program's pages. The first, the patient page, is the one shown at start and
// after New and Load, and the one New and Load leave in place.
const std::vector<PageEntry>& pageEntries();

// One page of the running window: its entry, its form once made, and the action that
// its menu item and its tool bar button share.
struct Page {
    const PageEntry* entry = nullptr;
    PageForm* form = nullptr; // none until the page is first shown
    QAction* action = nullptr;
    QToolButton* button = nullptr;

    // Whether the page is made and on the screen.
    bool isShown() const;
};
