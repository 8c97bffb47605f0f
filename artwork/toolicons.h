// The pictures of the tool bar buttons and the window, drawn by the program itself.
#pragma once

#include <QIcon>

enum class ToolIcon {
    New,
    Load,
    Save,
    Patient,
    Loudness,
    Database,
    Curves,
    Configuration,
    Overview, // the Overview page: both ears at a glance
    Program,
    Print,      // the curve page's print button
    SwitchEars, // the curve page's button that shows the other ear
    // The database page's steps through its entries.
    FirstRecord,
    PrevRecord,
    NextRecord,
    LastRecord
};

QIcon toolIcon(ToolIcon kind);
