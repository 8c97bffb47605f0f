// The input/output curve page: one ear at a time, its two graphs at the ear's two
// display frequencies, and the data entry grid with three curves per graph (fitted,
// the clinician's own, a hearing aid from the database). The clinician picks curve
// shapes and aids, types a curve, reads levels off the graphs, switches ears and
// prints. Only the choices (one aid per ear, a curve shape per frequency) and the two
// user curves go into the fitting record; fitted and aid curves are worked out again
// at every load.
#pragma once

#include "controls/pageform.h"
#include "curves/curvechoicebar.h"
#include "curves/curvefit.h"
#include "curves/curvegrapharea.h"
#include "curves/printrequest.h"
#include "curves/targets.h"
#include "curves/usercurveentry.h"

class DataGrid;
class QKeyEvent;
class QLabel;
class QToolButton;

// TfmCurveEdit: the curve page, "View and edit I/O curves".
class TfmCurveEdit : public PageForm {
    Q_OBJECT
  public:
    explicit TfmCurveEdit(QWidget* parent);

    void loadEar();
    void loadPage();
    void storePage();
    void loadFromRecord() override { loadPage(); }
    void storeToRecord() override { storePage(); }
    bool canLeave() override;
    bool takeBackRefused() override;
    bool canStore() override;
    bool canClose() override;

    // Writes a database entry's curve at a frequency into a grid column (3 or 6) and
    // names the aid in the hint of both aid combos.
    void showAid(int aid, int column, int frequency);
    // Reads the grid into `curves` and scores every complete curve.
    void readCurves();

    // The texts of the six controls above grid columns 1 to 6.
    QString controlText(int control) const;

    // What the print button runs with the page's request.
    void setPrintCommand(PrintCommand command) { printCommand = std::move(command); }
    // File > Print prints as the print button does.
    bool prints() const override { return true; }
    void print() override { PrintButtonClick(); }

    // The ear shown, its targets, and the six curves as last read
    // from the grid (index 0..2 the left graph's fitted, user and aid curve).
    Ear shownEar() const { return currentEar; }
    const TargetState& shownTargets() const { return targets; }
    const CurveParams& curve(int index) const { return curves[index]; }
    // Whether a key was taken in the grid since it was last read on a cell change.
    bool gridWasEdited() const { return gridEdited; }

    QWidget* firstField() const override;
    // A change on the other ear switches the page to that ear first.
    void showChange(const ChangePlace& place) override;

  public slots:
    void FormShow() override;
    void FormHide() override;
    void ToggleEarButtonClick();
    void LeftSideCurveComboChange();
    void RightSideCurveComboChange();
    void LeftSideHAidComboChange();
    void RightSideHAidComboChange();
    void PrintButtonClick();

  public:
    // Grid handlers. The selection rule says whether a cell may become current; the
    // key filter returns true for a key it swallows.
    bool DataEntryGridSelectCell(int column, int row);
    bool DataEntryGridKeyPress(QKeyEvent* event);
    // Whether the clinician may leave a user cell they changed; says why in the
    // status bar when a value is refused or not used.
    bool DataEntryGridCellLeaving(int column, int row);
    void DataEntryGridDrawCell(QPainter& painter, int column, int row, const QRect& rect);
    void LeftCurveGraphBoxMouseMove(QPoint position);
    void RightCurveGraphBoxMouseMove(QPoint position);

  private:
    void FormCreate();
    void buildGrid();
    void buildControlsAboveGrid();
    void buildButtons();

    void fitCurve(GraphSide side, int shape);
    void curveComboChanged(GraphSide side);
    void aidComboChanged(GraphSide side);
    void enterPressed();
    void showColumn(const CurveGrid& grid, int column);
    CurveGrid readGrid();
    bool reportRefusedCell(bool messageBox);
    void showRefusedCell(int column, int row);
    void storeUserCurve(const CurveGrid& shown, int column, AidSetting& setting);
    void noteUnplacedThresholds();
    QString userCellNote(const UserCell& cell) const;
    void showStoredAid(GraphSide side);
    int graphFrequency(GraphSide side) const;
    void showStoredChoicesNote();
    void nameUserCells();
    // A user cell the clinician committed a text to is stored at once, one undo step.
    void userCellCommitted(int column, int row);
    // The place of a change on the ear shown.
    ChangePlace placeHere(const QWidget* field, int column = -1, int row = -1) const;

    Ear currentEar = Ear::Right;
    TargetState targets{};
    CurveParams curves[kCurveCount]{};
    bool gridEdited = false;
    // While the page fills the grid from the record, no cell it writes is a commit.
    bool filling_ = false;
    // The user cells typed into since the ear was loaded, the curves they were loaded
    // from, and the texts last stored.
    UserCurveEntry entry_;
    // What the status bar says of the stored choices of the ear shown ("" for nothing).
    QString choicesNote_;

    EarFitPoints fitPoints_{};
    PrintCommand printCommand;

    QLabel* EarLabel = nullptr;
    DataGrid* DataEntryGrid = nullptr;
    CurveChoiceBar choices_;
    CurveGraphArea graphs_;
    QToolButton* PrintButton = nullptr;
    QToolButton* ToggleEarButton = nullptr;
    QLabel* Image1 = nullptr;
};
