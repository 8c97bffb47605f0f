// Where the Overview page's controls lie in a page of a given size: the ear names,
// the ear switch and the charts. Plain geometry, shared by the page and the benchmark
// that draws the page's charts without widgets.
#pragma once

#include <QRect>
#include <QSize>

// Where the page's controls lie in a page of a given size.
struct OverviewPlaces {
    bool bothEars;     // the other ear's charts are shown too
    QRect earLabel[2]; // the shown ear's name, then the other's
    QRect earButton;
    QRect charts[2][2]; // [shown, other][loudness map, gain]
};
// From this width on, the page shows both ears.
inline constexpr int kBothEarsWidth = 1100;
// The least the page needs: one ear's two charts side by side, as in the restored
// 800 x 572 window.
inline constexpr QSize kOverviewMinimumSize{760, 420};
OverviewPlaces overviewPlaces(QSize page);
