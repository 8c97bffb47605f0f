// The program's forms: one instance each, kept until exit. The main window, the About
// screen, the patient page and the print selection dialog are made at start; every
// other page the first time it is shown (until then its pointer here is null). The
// pages themselves, their order and their controls in the main window are in the page
// table (app/pagetable.h).
#pragma once

class TfmWinMain;
class TfmAboutScreen;
class TfmClientInfo;
class TfmPage2;
class TfmPage3;
class TfmCurveEdit;
class TfmPage5;
class TfmSelectPrint;
class QWidget;

extern TfmWinMain* fmWinMain;
extern TfmAboutScreen* fmAboutScreen;
extern TfmClientInfo* fmClientInfo;
extern TfmPage2* fmPage2;
extern TfmPage3* fmPage3;
extern TfmCurveEdit* fmCurveEdit;
extern TfmPage5* fmPage5;
extern TfmSelectPrint* fmSelectPrint;

// Creates the main window, the About screen, the patient page and the print selection
// dialog, in that order; the pages live in the main window's page area, hidden until
// shown.
void createForms();

// The curve page in a page area, printing through the print selection dialog.
TfmCurveEdit* createCurvePage(QWidget* pageArea);

// Destroys them all with the main window.
void destroyForms();
