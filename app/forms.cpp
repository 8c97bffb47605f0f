#include "app/forms.h"

#include "app/aboutscreen.h"
#include "app/winmain.h"
#include "curves/curvepage.h"
#include "model/document.h"
#include "pages/configpage.h"
#include "pages/databasepage.h"
#include "pages/loudnesspage.h"
#include "pages/patientpage.h"
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

namespace {
std::vector<PageForm*> pages;
} // namespace

const std::vector<PageForm*>& pageForms() {
    return pages;
}

void createForms() {
    fmWinMain = new TfmWinMain();
    fmAboutScreen = new TfmAboutScreen(fmWinMain);
    fmClientInfo = new TfmClientInfo(fmWinMain->pageArea());
    fmPage2 = new TfmPage2(fmWinMain->pageArea());
    fmPage3 = new TfmPage3(fmWinMain->pageArea());
    fmCurveEdit = new TfmCurveEdit(fmWinMain->pageArea());
    fmPage5 = new TfmPage5(fmWinMain->pageArea());
    fmSelectPrint = new TfmSelectPrint(fmWinMain);
    fmCurveEdit->setPrintCommand([](const PrintRequest& request) {
        runPrintCommand(request, *fmSelectPrint, fmWinMain, fitting, document);
    });
    pages = {fmClientInfo, fmPage2, fmPage3, fmCurveEdit, fmPage5};
    for (PageForm* page : pages)
        fmWinMain->hostPage(page);
}

void destroyForms() {
    pages.clear();
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
