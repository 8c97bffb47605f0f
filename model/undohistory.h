// The patient's undo history: every change the patient file would hold is one step,
// kept as the document before and after it, with a name for the Edit menu ("Right
// Ear, 500 Hz, THR", "aid choice") and the place where it was made, so that undoing
// it can show the clinician what came back. New and Load start a fresh history; Save
// keeps it.
#pragma once

#include "model/fittingrecord.h"
#include "model/prediction.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What one state of the document holds: the record as the file would hold it, and
// which of its levels count as measured.
struct DocumentImage {
    FittingRecord record{};
    MeasuredLevels measured{};
};

// Compared byte for byte, as the file and the measured flags would be.
bool sameImage(const DocumentImage& a, const DocumentImage& b);

// Where a change was made: the page (its form's name), the field or grid (its
// control's name), the cell of a grid (column and row, -1 for none) and the ear a
// page showed when it shows one ear at a time (-1 for none).
struct ChangePlace {
    std::string page;
    std::string field;
    int column = -1;
    int row = -1;
    int ear = -1;
};

struct UndoStep {
    std::string label;
    ChangePlace place;
    DocumentImage before;
    DocumentImage after;
};

class UndoHistory {
  public:
    // Forgets every step; `now` is the state the history starts from.
    void reset(const DocumentImage& now);
    // Records a step from the state after the last step to `now`, and forgets the
    // steps that were undone; nothing when `now` holds the same bytes. True when a
    // step was recorded.
    bool record(const std::string& label, const ChangePlace& place, const DocumentImage& now);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // The name of the step Undo (Redo) would take back (do again); "" when none.
    std::string undoLabel() const;
    std::string redoLabel() const;

    // Takes the last step back: the step, whose `before` is the state now current.
    std::optional<UndoStep> undo();
    // Does the step undone last again: the step, whose `after` is now current.
    std::optional<UndoStep> redo();

    // The state after the last step done (the start state when none is).
    const DocumentImage& current() const;
    std::size_t size() const { return steps_.size(); }

    // The longest history kept: the oldest step goes first.
    static constexpr std::size_t kLimit = 500;

  private:
    DocumentImage start_{};
    std::vector<UndoStep> steps_;
    std::size_t done_ = 0;
};
