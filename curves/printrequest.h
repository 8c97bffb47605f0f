// What the curve page hands to its print command, read after its grid was read back
// into curves: the texts of its controls, the ear, the targets and the six curves.
#pragma once

#include "curves/curvetext.h"
#include "curves/targets.h"
#include "model/ear.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

struct PrintRequest {
    // Texts of the six controls above grid columns 1 to 6: left curve combo, left
    // user panel, left aid combo, then the same three on the right.
    std::array<QString, 6> controls;
    // The long names of the aids chosen for the left and the right graph.
    std::array<QString, 2> aidLongNames;
    Ear currentEar = Ear::Right;
    TargetState targets{};
    CurveParams curves[kCurveCount]{};
};

// Prints a request; the program hands the curve page one that opens the print
// selection over the main window.
using PrintCommand = std::function<void(const PrintRequest&)>;
