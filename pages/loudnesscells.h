// One ear's loudness grid as the loudness page fills and reads it. The cells
// remember the text the page put in them: a cell whose text is still that gives back
// exactly the level it was filled from, whatever that level is, so that looking at
// a file never changes it. A cell the clinician changed gives the level typed, but
// only one in the range an audiometer gives; any other text is refused and never
// reaches the record. The cells also carry the marks of levels to look at twice.
#pragma once

#include "model/fittingrecord.h"
#include "pages/loudnessmarks.h"

#include <QString>

#include <optional>
#include <string>

class DataGrid;

using LoudnessLevels = int32_t[kFrequencyCount][kCategoryCount];

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

    // Fills the grid from the ear's stored levels (dB SPL) in the unit the grids show.
    void load(const LoudnessLevels& loudness, bool showInHL);
    // Writes the grid back in the unit it was filled in. A changed cell whose text is
    // refused keeps the level the record had.
    void store(LoudnessLevels& loudness) const;

    // Whether the clinician changed that cell to a text that cannot be stored.
    std::optional<RefusedLevel> refusedAt(int column, int row) const;
    // The first such cell, the current one first.
    std::optional<RefusedLevel> firstRefused() const;

    // Puts the marks on the cells again, after the texts changed.
    void refreshMarks();
    LevelMark markAt(int column, int row) const { return marks_[row][column].mark; }

  private:
    // A cell's text; the current cell's as its open editor holds it.
    QString textAt(int column, int row) const;
    bool isChanged(int column, int row) const;
    // The level a cell holds for the marks: kEmptyLevel for a text that is none.
    int32_t levelAt(int column, int row) const;
    void setReason(int column, int row, const QString& reason);

    DataGrid* grid_ = nullptr;
    Ear ear_ = Ear::Right;
    bool showInHL_ = true;
    QString shown_[kFrequencyCount][kCategoryCount];
    LoudnessLevels loaded_{};
    LoudnessMarks marks_{};
};
