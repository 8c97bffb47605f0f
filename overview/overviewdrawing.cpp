#include "overview/overviewdrawing.h"

#include <QPainter>

void drawOverviewChart(QPainter& painter, const QRect& area, OverviewChart, const OverviewSource&) {
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

QString overviewChartName(OverviewChart chart, Ear ear) {
    const QString earName =
        ear == Ear::Right ? QStringLiteral("right ear") : QStringLiteral("left ear");
    return (chart == OverviewChart::LoudnessMap ? QStringLiteral("Loudness map, ")
                                                : QStringLiteral("Gain, ")) +
           earName;
}

QString overviewChartDescription(OverviewChart chart, const OverviewSource& source) {
    return overviewChartName(chart, source.ear);
}
