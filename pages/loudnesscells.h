// One ear's loudness grid as the loudness page fills and reads it. The cells
// remember the text the page put in them: a cell whose text is still that gives back
// exactly the level it was filled from, whatever that level is, so that looking at
// a file never changes it. A cell the clinician changed gives the level typed, but
// only one in the range an audiometer gives; any other text is refused and never
// reaches the record. The cells also carry the marks of levels to look at twice, and
// tell the page when the clinician commits a new text to a cell.
#pragma once

#include "model/fittingrecord.h"
#include "pages/loudnessmarks.h"

#include <QString>

#include <optional>
#include <string>

class DataGrid;

// A cell the clinician changed to a text that cannot be stored, and why.
struct RefusedLevel {
    int column;
    int row;
    QString note;
};

class LoudnessCells {
  public:
    void attach(DataGrid* grid, Ear ear) {
        grid_ = grid;
        ear_ = ear;
    }

    // Fills the grid from the ear's stored levels (dB SPL) in the unit the grids show;
    // the level source decides which levels the prediction writes.
    void load(const LoudnessLevels& loudness, bool showInHL, int32_t levelSource);
    // Writes the grid back in the unit it was filled in. A changed cell whose text is
    // refused keeps the level the record had.
    void store(LoudnessLevels& loudness) const;
    // Takes the ear's levels as stored again after store() and what followed it (a
    // prediction): every cell but a refused one shows its stored level and counts as
    // loaded; a cell whose text already says that level keeps it, and its editor.
    void showStored(const LoudnessLevels& loudness);

    // Whether the cell's text changed since it was loaded or last taken here: true
    // once for each text the clinician commits (Enter, a move, the focus leaving).
    bool takeCommit(int column, int row);

    // Whether the clinician changed that cell to a text that cannot be stored.
    std::optional<RefusedLevel> refusedAt(int column, int row) const;
    // The first such cell, the current one first.
    std::optional<RefusedLevel> firstRefused() const;
    // Shows the cell's stored level again, as it was loaded or last stored.
    void putBack(int column, int row);

    // Puts the marks on the cells again, after the texts changed.
    void refreshMarks();
    LevelMark markAt(int column, int row) const { return marks_[row][column].mark; }

  private:
    // A cell's text; the current cell's as its open editor holds it.
    QString textAt(int column, int row) const;
    bool isChanged(int column, int row) const;
    // The level a cell holds for the marks: kEmptyLevel for a text that is none.
    int32_t levelAt(int column, int row) const;
    // The level the cell's committed text gives, as store() would store it.
    int32_t committedLevelAt(int column, int row) const;
    void setReason(int column, int row, const QString& reason);

    DataGrid* grid_ = nullptr;
    Ear ear_ = Ear::Right;
    bool showInHL_ = true;
    int32_t levelSource_ = 0;
    QString shown_[kFrequencyCount][kCategoryCount];
    // The cell texts last loaded or committed.
    QString committed_[kFrequencyCount][kCategoryCount];
    LoudnessLevels loaded_{};
    LoudnessMarks marks_{};
};
