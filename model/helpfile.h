// The help file "TAVIK.HLP": an HTML guide beside the program, one anchor per topic.
// These functions find it, name the topic a help request asks for, and read it;
// the help window (app/helpviewer.h) shows what they return.
#pragma once

#include <string>

inline constexpr const char* kHelpFileName = "TAVIK.HLP";
// The name the program starts with, before the main window knows its own folder.
inline constexpr const char* kStartHelpFileName = "tavik.hlp";

// The help requests the program makes.
enum class HelpCommand {
    Context = 1,    // the topic of a context number (a page, the About screen)
    Contents = 3,   // Help / Contents
    HelpOnHelp = 4, // Help / Using Help: how to use the help window itself
};

// The help topics: the context number of each page and of the About screen, and so
// the anchor of its topic in the guide. The page table (app/pagetable.cpp) gives each
// page its number; the configuration page has none and opens the contents.
inline constexpr int kPatientPageHelp = 1001;
inline constexpr int kLoudnessPageHelp = 1011;
inline constexpr int kDatabasePageHelp = 1021;
inline constexpr int kCurvePageHelp = 1031;
inline constexpr int kAboutScreenHelp = 1041;
inline constexpr int kOverviewPageHelp = 1051;

inline constexpr const char* kContentsAnchor = "contents";
inline constexpr const char* kUsingHelpAnchor = "usinghelp";

// Where an installed TAVIK keeps its guide, from the program's folder.
inline constexpr const char* kInstalledHelpFolder = "../share/tavik/";

// The help file beside the program, or else where it is installed: ../share/tavik/
// from the program's folder (/usr/bin/tavik reads /usr/share/tavik/TAVIK.HLP). When
// neither is there, the path beside the program, which the problem page then names.
// programDir ends with its separator, as the document state keeps it; a folder
// without one gets it added.
std::string helpFilePath(const std::string& programDir);

// The anchor of the topic a request opens: the context number as digits, or the
// contents or using-help topic. A context number below 1 has no topic of its own
// and opens the contents.
std::string helpAnchor(HelpCommand command, int data);

// Whether the HTML has a topic with that anchor: <a name="..."> or an id="...".
bool helpHasTopic(const std::string& html, const std::string& anchor);

// The help file's text, or why it could not be read.
struct HelpFileText {
    bool ok = false;
    std::string html;    // when ok
    std::string problem; // otherwise: the path tried and the system's reason
};

// Reads the whole help file. Missing, a folder, unreadable, empty or larger than a
// help file can be: not ok, with the reason.
HelpFileText readHelpFile(const std::string& path);

// The page the help window shows instead of the guide when the file cannot be read.
std::string helpProblemPage(const std::string& problem);
