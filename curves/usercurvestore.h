// What the curve page stores of a user column: only the cells the clinician typed
// into. Every other value keeps what the record held when the ear was shown, with its
// input/output mark, so that looking at a curve, or typing into one of its cells,
// never edits the rest of it (a gain of 12.5 shown as "12" stays 12.5).
#pragma once

#include "curves/curvegrid.h"
#include "model/fittingrecord.h"

#include <array>
#include <span>
#include <string>

using TypedCells = std::array<bool, kCurveParameterRows>;

// The curve to store from the curve the record held and the column's texts (rows gain
// to maximum output), of which `typed` says which the clinician typed into. With no
// cell typed it is the stored curve, byte for byte. Otherwise:
// - a typed cell is read by the grid's rules; a threshold typed as an output level
//   is that level less the gain as now stored, and a threshold 2 typed as an output
//   level is found on the first segment as now stored, or missing when there is none
//   (threshold 1 or ratio 1 missing);
// - an untouched threshold shown as an output level ("65o") keeps that output level
//   when a cell it is measured against was typed (the gain; for threshold 2 also
//   threshold 1 and ratio 1): its input level moves with them, as the grid reads it;
// - a second stage typed as "x" or nothing is the first stage as now stored; one
//   untouched and shown so follows its first stage when that changed;
// - the stages are exchanged, each with its ratio, when threshold 1 lies above
//   threshold 2 and a threshold was typed; stored stages are never exchanged;
// - `complete` is worked out again; `rmsError` is kept for the page to set.
CurveParams storeTypedCells(const CurveParams& stored,
                            std::span<const std::string, kCurveParameterRows> shown,
                            const TypedCells& typed);

// Why a threshold 2 shown as an output level is not used, for the status bar after the
// row: "an output level needs Comp. Ratio 1." (or "Comp. Threshold 1"), when the gain is
// there but the first segment to find it on is not. Empty when it is used.
std::string threshold2Note(std::span<const std::string, kCurveParameterRows> shown);
