// What the clinician typed into the two user columns of the curve grid since an ear
// was loaded, and what the page may store of it. Only typed cells are stored: every
// other value keeps what the record held, so that showing a curve and leaving it
// writes back exactly what was there (see storeTypedCells). A typed cell whose text
// the page refuses (a gain, ratio or level no hearing aid has, a text that is no
// number) reads as it was last stored, text and all, so that no path stores a refused
// value or loses the one it replaces. Values from a file are shown as stored and never
// judged.
#pragma once

#include "curves/curvegrid.h"
#include "curves/curveread.h"
#include "curves/usercurvestore.h"

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
    // Defined out of line: clang 14 otherwise tries to evaluate a default-made entry
    // as a constant (its texts are constexpr strings) and can crash doing so.
    UserCurveEntry();
    // The user columns as the page filled them from the record, and the curves they
    // were written from (left column 2, right column 5); nothing typed yet.
    void loaded(const CurveGrid& grid, const CurveParams& left, const CurveParams& right);
    // A key changed a cell; cells outside the user columns are ignored.
    void edited(int column, int row);
    // Whether a key changed that cell since the ear was loaded; false outside the user
    // columns.
    bool wasEdited(int column, int row) const;
    // The user column typed into last since the ear was loaded; 0 for none.
    int lastEditedColumn() const { return lastEditedColumn_; }

    // The grid as the page reads it: every refused cell holds the text last stored there.
    CurveGrid asRead(CurveGrid grid) const;
    // The page stores the grid (texts as shown): the user texts and the typed cells
    // as they are read now are the ones a refused cell goes back to.
    void stored(const CurveGrid& grid);
    // The curve to store for a user column (2 or 5) from the grid as shown; nothing
    // when no cell of the column was typed into, so the record keeps its curve.
    std::optional<CurveParams> curveToStore(const CurveGrid& grid, int column) const;

    // The first cell typed into whose text is refused, the current cell first.
    std::optional<UserCell> firstRefused(const CurveGrid& grid, int currentColumn,
                                         int currentRow) const;
    // The notes about typed columns whose threshold 2, an output level, is not used
    // for want of a first segment, left column first.
    std::vector<UserCell> unplacedThresholds(const CurveGrid& grid) const;

  private:
    // What the page's judgement makes of a cell typed into; nothing for any other cell.
    std::optional<UserCell> judgeEdited(const CurveGrid& grid, int column, int row) const;
    bool isRefused(const CurveGrid& grid, int column, int row) const;
    // Whether a cell counts as typed for the store: a refused cell as it was last stored.
    bool typedForStore(const CurveGrid& grid, int column, int row) const;
    bool anyTyped(int column) const;

    // [left, right][row]
    std::array<std::array<bool, kCurveParameterRows>, 2> edited_{};
    std::array<std::array<std::string, kCurveParameterRows>, 2> storedTexts_{};
    std::array<TypedCells, 2> storedTyped_{};
    std::array<CurveParams, 2> loadedCurves_{};
    int lastEditedColumn_ = 0;
};
