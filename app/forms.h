// The program's forms: one instance each, created at start in a fixed order and
// kept until exit. Any part of the program may reach any page through them.
#pragma once

#include <vector>

class TfmWinMain;
class TfmAboutScreen;
class TfmClientInfo;
class TfmPage2;
class TfmPage3;
class TfmCurveEdit;
class TfmPage5;
class TfmSelectPrint;
class PageForm;

extern TfmWinMain* fmWinMain;
extern TfmAboutScreen* fmAboutScreen;
extern TfmClientInfo* fmClientInfo;
extern TfmPage2* fmPage2;
extern TfmPage3* fmPage3;
extern TfmCurveEdit* fmCurveEdit;
extern TfmPage5* fmPage5;
extern TfmSelectPrint* fmSelectPrint;

// The pages in their order: the patient page, the loudness page, the database
// page, the curve page, the configuration page. Page switching and the document
// commands go through this list, so a new page is added here only.
const std::vector<PageForm*>& pageForms();

// Creates the main window, the About screen, the pages and the print selection
// dialog, in that order; the pages live in the main window's page area, all hidden.
void createForms();

// Destroys them all with the main window.
void destroyForms();
