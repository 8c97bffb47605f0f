#include "overview/overviewpage.h"

#include "artwork/toolicons.h"
#include "controls/pagekeys.h"
#include "controls/statusnote.h"
#include "model/document.h"
#include "model/predictioncheck.h"
#include "model/textslot.h"
#include "overview/overviewchartview.h"
#include "platform/qtcolour.h"

#include <QLabel>
#include <QToolButton>

namespace {

constexpr OverviewChart kCharts[2] = {OverviewChart::LoudnessMap, OverviewChart::Gain};

QString earCaption(Ear ear) {
    return ear == Ear::Right ? QStringLiteral(" RIGHT EAR") : QStringLiteral(" LEFT EAR");
}

// The previous visit of the open patient: of the versions its file's history holds
// (read once after each Load and Save), the newest with a test date other than the
// record's now, so that a visit whose date the clinician has just typed meets the one
// saved before it.
std::optional<KeptVersion> previousVisitOfOpenPatient() {
    return previousVisit(openFileHistory(), readText(fitting.testDate));
}

} // namespace

TfmOverview::TfmOverview(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmOverview"), qColor(kGraphPageColour)) {
    setMinimumSize(kOverviewMinimumSize);
    const char* labelNames[2] = {"ShownEarLabel", "OtherEarLabel"};
    for (int column = 0; column < 2; ++column) {
        earLabels[column] = new QLabel(this);
        earLabels[column]->setObjectName(QString::fromLatin1(labelNames[column]));
        earLabels[column]->setFont(pageFont(16, true));
        earLabels[column]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setTextColour(earLabels[column], qColor(kGraphCaptionColour));
    }
    OverviewEarButton = new QToolButton(this);
    OverviewEarButton->setObjectName(QStringLiteral("OverviewEarButton"));
    OverviewEarButton->setToolTip(QStringLiteral("Switch ears"));
    OverviewEarButton->setAccessibleName(QStringLiteral("Switch ears"));
    OverviewEarButton->setIcon(toolIcon(ToolIcon::SwitchEars));
    OverviewEarButton->setIconSize(QSize(32, 32));
    OverviewEarButton->setFocusPolicy(Qt::TabFocus);
    connect(OverviewEarButton, &QToolButton::clicked, this, &TfmOverview::OverviewEarButtonClick);
    addButtonKey(OverviewEarButton, switchEarsKey());

    const char* chartNames[2][2] = {{"ShownLoudnessMap", "ShownGainChart"},
                                    {"OtherLoudnessMap", "OtherGainChart"}};
    for (int column = 0; column < 2; ++column) {
        for (int kind = 0; kind < 2; ++kind)
            charts[column][kind] = new OverviewChartView(
                this, QString::fromLatin1(chartNames[column][kind]), kCharts[kind]);
    }
    // Reading order: the ear switch at the top, then each ear's map and gain chart.
    setTabOrder(OverviewEarButton, charts[0][0]);
    setTabOrder(charts[0][0], charts[0][1]);
    setTabOrder(charts[0][1], charts[1][0]);
    setTabOrder(charts[1][0], charts[1][1]);
    placeControls();
}

// The shown ear's loudness map: its description is the first thing read out.
QWidget* TfmOverview::firstField() const {
    return charts[0][0];
}

void TfmOverview::FormShow() {
    currentEar = Ear::Right;
    previous = previousVisitOfOpenPatient();
    placeControls();
    showEars();
}

// Nothing is stored: the page changed nothing.
void TfmOverview::OverviewEarButtonClick() {
    currentEar = otherEar(currentEar);
    showEars();
}

// The status bar names the frequencies of each ear whose levels are out of date.
void TfmOverview::showEars() {
    const Ear ears[2] = {currentEar, otherEar(currentEar)};
    for (int column = 0; column < 2; ++column) {
        earLabels[column]->setText(earCaption(ears[column]));
        for (OverviewChartView* chart : charts[column])
            chart->showEar(ears[column], previous ? &*previous : nullptr);
    }
    if (const std::string stale = outOfDateSummary(fitting); !stale.empty())
        statusNote(this, QString::fromStdString(stale));
}

void TfmOverview::resizeEvent(QResizeEvent* event) {
    PageForm::resizeEvent(event);
    placeControls();
}

// The other ear's charts and name show only where both ears fit; hidden, they are
// out of the Tab chain too.
void TfmOverview::placeControls() {
    const OverviewPlaces places = overviewPlaces(size());
    OverviewEarButton->setGeometry(places.earButton);
    for (int column = 0; column < 2; ++column) {
        const bool shown = column == 0 || places.bothEars;
        earLabels[column]->setGeometry(places.earLabel[column]);
        earLabels[column]->setVisible(shown);
        for (int kind = 0; kind < 2; ++kind) {
            charts[column][kind]->setGeometry(places.charts[column][kind]);
            charts[column][kind]->setVisible(shown);
        }
    }
}
