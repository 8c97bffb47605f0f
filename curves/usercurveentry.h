// What the clinician typed into the two user columns of the curve grid since an ear
// was loaded, and what the page may store of it. A cell typed into and refused (a
// gain or a ratio no hearing aid has) reads as the text last stored there, so that no
// path stores a refused value or loses the one it replaces. A cell whose value is
// dropped on reading (a level outside 30..130 dB, a text that is no number) is named
// before the page stores it. Cells not typed into are read as they are: values from
// a file are shown and kept as stored.
#pragma once

#include "curves/curvegrid.h"
#include "curves/curveread.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// A user cell and what the reading makes of its text.
struct UserCell {
    int column = 0;
    int row = 0;
    EntryJudgement judgement;
};

class UserCurveEntry {
  public:
    // The user columns as the page filled them from the record; nothing typed yet.
    void loaded(const CurveGrid& grid);
    // A key changed a cell; cells outside the user columns are ignored.
    void edited(int column, int row);
    // The user column typed into last since the ear was loaded; 0 for none.
    int lastEditedColumn() const { return lastEditedColumn_; }

    // The grid as the page reads it: every refused cell holds the text last stored there.
    CurveGrid asRead(CurveGrid grid) const;
    // The page stored a grid made by asRead: its user texts are the ones stored now.
    void stored(const CurveGrid& readGrid);

    // The first cell typed into whose text is refused, the current cell first.
    std::optional<UserCell> firstRefused(const CurveGrid& grid, int currentColumn,
                                         int currentRow) const;
    // The cells typed into whose values are dropped on reading, left column first.
    std::vector<UserCell> dropped(const CurveGrid& grid) const;

  private:
    // What the reading makes of a cell typed into; nothing for any other cell.
    std::optional<UserCell> judgeEdited(const CurveGrid& grid, int column, int row) const;
    bool isRefused(const CurveGrid& grid, int column, int row) const;

    // [left, right][row]
    std::array<std::array<bool, kCurveParameterRows>, 2> edited_{};
    std::array<std::array<std::string, kCurveParameterRows>, 2> storedTexts_{};
    int lastEditedColumn_ = 0;
};
