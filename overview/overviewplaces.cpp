#include "overview/overviewplaces.h"

namespace {

constexpr int kMargin = 8;
constexpr int kButtonSide = 38;
constexpr int kHeaderHeight = kButtonSide + 2 * 3;

// The place of each ear's charts: one ear's map beside its gain chart, or two
// columns, one per ear, each with the map above the gain chart.
void placeCharts(OverviewPlaces& places, QRect area) {
    const int width = (area.width() - kMargin) / 2;
    const int secondLeft = area.right() + 1 - width;
    if (!places.bothEars) {
        places.charts[0][0] = QRect(area.left(), area.top(), width, area.height());
        places.charts[0][1] = QRect(secondLeft, area.top(), width, area.height());
        return;
    }
    const int height = (area.height() - kMargin) / 2;
    for (int column = 0; column < 2; ++column) {
        const int left = column == 0 ? area.left() : secondLeft;
        places.charts[column][0] = QRect(left, area.top(), width, height);
        places.charts[column][1] = QRect(left, area.bottom() + 1 - height, width, height);
    }
}

} // namespace

OverviewPlaces overviewPlaces(QSize page) {
    page = page.expandedTo(kOverviewMinimumSize);
    OverviewPlaces places{};
    places.bothEars = page.width() >= kBothEarsWidth;
    const QRect inner(kMargin, kMargin, page.width() - 2 * kMargin, page.height() - 2 * kMargin);
    places.earButton =
        QRect(inner.right() + 1 - kButtonSide, inner.top(), kButtonSide, kButtonSide);
    const QRect charts = inner.adjusted(0, kHeaderHeight, 0, 0);
    placeCharts(places, charts);
    for (int column = 0; column < (places.bothEars ? 2 : 1); ++column) {
        const QRect below = places.charts[column][0];
        places.earLabel[column] =
            QRect(below.left(), inner.top(), below.width() / 2, kHeaderHeight - kMargin);
    }
    return places;
}
