#include "app/forms.h"

#include "app/aboutscreen.h"
#include "app/winmain.h"
#include "curves/curvepage.h"
#include "model/document.h"
#include "report/printcommand.h"
#include "report/selectprint.h"

TfmWinMain* fmWinMain = nullptr;
TfmAboutScreen* fmAboutScreen = nullptr;
TfmClientInfo* fmClientInfo = nullptr;
TfmPage2* fmPage2 = nullptr;
TfmPage3* fmPage3 = nullptr;
TfmCurveEdit* fmCurveEdit = nullptr;
TfmPage5* fmPage5 = nullptr;
TfmSelectPrint* fmSelectPrint = nullptr;

void createForms() {
    fmWinMain = new TfmWinMain();
    fmAboutScreen = new TfmAboutScreen(fmWinMain);
    fmWinMain->createFirstPage();
    fmSelectPrint = new TfmSelectPrint(fmWinMain);
}

TfmCurveEdit* createCurvePage(QWidget* pageArea) {
    auto* page = new TfmCurveEdit(pageArea);
    page->setPrintCommand([](const PrintRequest& request) {
        runPrintCommand(request, *fmSelectPrint, fmWinMain, fitting, document);
    });
    return page;
}

void destroyForms() {
    delete fmWinMain;
    fmWinMain = nullptr;
    fmAboutScreen = nullptr;
    fmClientInfo = nullptr;
    fmPage2 = nullptr;
    fmPage3 = nullptr;
    fmCurveEdit = nullptr;
    fmPage5 = nullptr;
    fmSelectPrint = nullptr;
}
