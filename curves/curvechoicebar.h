// The six controls above the curve columns of the curve page's grid: per graph the
// fitted curve's shape, the caption of the clinician's own curve and the hearing aid.
// Shows the four choices of an ear as stored and gives the texts the print command
// names the curve pairs by.
#pragma once

#include "curves/graphside.h"
#include "model/fittingrecord.h"

#include <QString>

#include <string>

class ChoiceCombo;
class DataGrid;
class QLabel;
class QWidget;

// A Latin-1 text of the record or the database, as the page shows it.
QString qStringFromLatin1(const std::string& text);

class CurveChoiceBar {
  public:
    // Makes the six controls on the page and sets each over its grid column (1 to 6),
    // as wide as the column's text.
    void build(QWidget* page, const DataGrid& grid, int columnWidth);

    ChoiceCombo* curveCombo(GraphSide side) const;
    ChoiceCombo* aidCombo(GraphSide side) const;

    // Shows the choices stored for the two graph frequencies without running a change
    // handler; a choice outside the lists shows as the first entry.
    void showChoices(const AidSetting& left, const AidSetting& right);
    // "500 Hz (user)" over each user column.
    void showUserCaptions(int leftFrequency, int rightFrequency);
    QString userCaption(GraphSide side) const;

    // Lists the aids' short names in both aid combos, without running a change handler.
    void listAids(const AidDatabase& database);
    // Names an aid in the hint of both aid combos.
    void nameAid(const QString& longName);
    // Sets the other side's aid combo to the same entry, without running its handler.
    void matchAid(GraphSide changedSide);

    // The text of a control above grid column control + 1 (see CurveControl).
    QString controlText(int control) const;

  private:
    void buildControls(QWidget* page);

    ChoiceCombo* LeftSideCurveCombo = nullptr;
    QLabel* LeftCurveUserPanel = nullptr;
    ChoiceCombo* LeftSideHAidCombo = nullptr;
    ChoiceCombo* RightSideCurveCombo = nullptr;
    QLabel* RightCurveUserPanel = nullptr;
    ChoiceCombo* RightSideHAidCombo = nullptr;
};
