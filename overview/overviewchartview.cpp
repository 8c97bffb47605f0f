#include "overview/overviewchartview.h"

#include "model/document.h"
#include "overview/overviewdrawing.h"
#include "platform/focusframe.h"

#include <QPainter>

namespace {

// The chart of an ear from the program's one record, database and measured flags.
OverviewSource sourceOf(Ear ear, const KeptVersion* previous) {
    return OverviewSource{fitting, aidDatabase, document.measuredLevels.of(ear), ear, previous};
}

} // namespace

OverviewChartView::OverviewChartView(QWidget* parent, const QString& objectName,
                                     OverviewChart chart)
    : QWidget(parent), chart_(chart) {
    setObjectName(objectName);
    // Reached with Tab and by a click, so that a screen reader reads it.
    setFocusPolicy(Qt::StrongFocus);
    // The chart fills its area white; nothing below it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void OverviewChartView::showEar(Ear ear, const KeptVersion* previous) {
    ear_ = ear;
    previous_ = previous;
    describe();
    update();
}

// The name says which chart of which ear; the description what it shows. The tool tip
// gives the same summary to a clinician who points at the chart.
void OverviewChartView::describe() {
    const QString description = overviewChartDescription(chart_, sourceOf(ear_, previous_));
    setAccessibleName(overviewChartName(chart_, ear_));
    setAccessibleDescription(description);
    setToolTip(description);
}

void OverviewChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawOverviewChart(painter, rect(), chart_, sourceOf(ear_, previous_),
                      MarkerDrawing::CachedPictures);
    if (!hasFocus())
        return;
    // The focus shows as the program's focus frame just inside the white chart.
    drawFocusFrame(painter, rect(),
                   focusFrameColour(palette(), {Qt::white, palette().color(QPalette::Window)}));
}

void OverviewChartView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void OverviewChartView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
