// The two graphs of the curve page and of a printed report.
#pragma once

#include <array>

// Which of an ear's two graphs: the left one at the ear's first display frequency,
// the right one at its second.
enum class GraphSide { Left, Right };

// Both graphs, left first.
inline constexpr std::array<GraphSide, 2> kGraphSides = {GraphSide::Left, GraphSide::Right};
inline constexpr int kSideCount = static_cast<int>(kGraphSides.size());

// A graph's index in the per-graph arrays (TargetState, fit points, graph
// positions): 0 left, 1 right.
constexpr int sideIndex(GraphSide side) {
    return side == GraphSide::Left ? 0 : 1;
}

// The graph that is not this one.
constexpr GraphSide otherSide(GraphSide side) {
    return side == GraphSide::Left ? GraphSide::Right : GraphSide::Left;
}

// The graph's first of its three curves (fitted, user, aid): 0 left, 3 right. Its
// curves sit in grid columns first + 1 to first + 3.
constexpr int firstCurveOf(GraphSide side) {
    return sideIndex(side) * 3;
}

// The graph a curve (0..5) is drawn in: 0..2 left, 3..5 right.
constexpr GraphSide sideOfCurve(int curveIndex) {
    return curveIndex < 3 ? GraphSide::Left : GraphSide::Right;
}
