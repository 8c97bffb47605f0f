// What the two overview charts share: the plots and legend of a picture of a given
// size, the frequency scale and the names of the charts.
#pragma once

#include "overview/overviewchart.h"

#include <optional>
#include <string>
#include <vector>

// A legend entry before it is given its cell, and how many columns its text needs;
// an entry that needs more than its row has left starts the next row.
struct LegendItem {
    std::optional<Series> series;
    std::optional<LoudnessBand> band;
    LegendEntry::Extra extra;
    std::string text;
    int columns = 1;
};

// The room around the plots, in logical pixels: the title above, then the plots' own
// titles where they have them, the level numbers to the left, the frequency numbers
// below, then the legend in rows. Plots side by side stand kPanelGap apart,
// so that the points at one plot's 4 kHz and the next one's 250 Hz stay clear.
inline constexpr int kTitleHeight = 24;
inline constexpr int kPanelTitleHeight = 16;
inline constexpr int kPanelGap = 16;
inline constexpr int kLevelLabelWidth = 40;
inline constexpr int kRightMargin = 16;
inline constexpr int kFrequencyNumberHeight = 18;
inline constexpr int kLegendRowHeight = 16;
inline constexpr int kLegendColumnWidth = 150;
inline constexpr int kBottomMargin = 4;

// A plan with one plot of each title, left to right, each with its frequency scale, and
// the legend cells laid out for the size.
ChartPlan startPlan(OverviewChart chart, Ear ear, int width, int height,
                    const std::vector<LegendItem>& legend,
                    const std::vector<std::string>& panelTitles);
