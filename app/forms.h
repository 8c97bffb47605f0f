// The program's forms: one instance each, created at start in a fixed order and
// kept until exit. Any part of the program may reach any page through them; the
// pages themselves, their order and their controls in the main window are in the
// page table (app/pagetable.h).
#pragma once

class TfmWinMain;
class TfmAboutScreen;
class TfmClientInfo;
class TfmPage2;
class TfmPage3;
class TfmCurveEdit;
class TfmPage5;
class TfmSelectPrint;

extern TfmWinMain* fmWinMain;
extern TfmAboutScreen* fmAboutScreen;
extern TfmClientInfo* fmClientInfo;
extern TfmPage2* fmPage2;
extern TfmPage3* fmPage3;
extern TfmCurveEdit* fmCurveEdit;
extern TfmPage5* fmPage5;
extern TfmSelectPrint* fmSelectPrint;

// Creates the main window, the About screen, the pages and the print selection
// dialog, in that order; the pages live in the main window's page area, all hidden.
void createForms();

// Destroys them all with the main window.
void destroyForms();
