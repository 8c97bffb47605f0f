#include "app/pagetable.h"

#include "app/forms.h"
#include "controls/pageform.h"
#include "curves/curvepage.h"
#include "model/helpfile.h"
#include "overview/overviewpage.h"
#include "pages/configpage.h"
#include "pages/databasepage.h"
#include "pages/loudnesspage.h"
#include "pages/patientpage.h"

const std::vector<PageEntry>& pageEntries() {
    static const std::vector<PageEntry> entries{
        {[](QWidget* area) -> PageForm* { return fmClientInfo = new TfmClientInfo(area); },
         QStringLiteral("PatientInformation1"), QStringLiteral("&Patient Information"),
         QStringLiteral("ClientInfoButton"), QStringLiteral("Patient Information"),
         ToolIcon::Patient, QKeySequence(), kPatientPageHelp, true},
        {[](QWidget* area) -> PageForm* { return fmPage2 = new TfmPage2(area); },
         QStringLiteral("LOUDMAPData1"), QStringLiteral("Loudmap &Data"),
         QStringLiteral("SpeedButton3"), QStringLiteral("Loudmap Data"), ToolIcon::Loudness,
         QKeySequence(), kLoudnessPageHelp, true},
        {[](QWidget* area) -> PageForm* { return fmPage3 = new TfmPage3(area); },
         QStringLiteral("HearingAidDatabase1"), QStringLiteral("&Hearing Aid Database"),
         QStringLiteral("SpeedButton4"), QStringLiteral("Hearing Aid Database"), ToolIcon::Database,
         QKeySequence(), kDatabasePageHelp, true},
        {[](QWidget* area) -> PageForm* { return fmCurveEdit = createCurvePage(area); },
         QStringLiteral("IOCurves1"), QStringLiteral("&I/O Curves"),
         QStringLiteral("EditCurveButton"), QStringLiteral("View/edit I/O curves"),
         ToolIcon::Curves, QKeySequence(), kCurvePageHelp, true},
        // An empty page that nothing leads to in normal use.
        {[](QWidget* area) -> PageForm* { return fmPage5 = new TfmPage5(area); },
         QStringLiteral("Configuration1"), QStringLiteral("&Configuration"),
         QStringLiteral("SpeedButton6"), QStringLiteral("Configuration"), ToolIcon::Configuration,
         QKeySequence(), 0, false},
        // Both ears' loudness and gain across all six frequencies; it only looks.
        {[](QWidget* area) -> PageForm* { return new TfmOverview(area); },
         QStringLiteral("Overview1"), QStringLiteral("&Overview"), QStringLiteral("OverviewButton"),
         QStringLiteral("Overview: loudness and gain of both ears"), ToolIcon::Overview,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), kOverviewPageHelp, true},
    };
    return entries;
}

bool Page::isShown() const {
    return form && form->isVisible();
}
