// The input/output curve page: one ear at a time, its two graphs at the ear's two
// display frequencies, and the data entry grid with three curves per graph (fitted,
// the clinician's own, a hearing aid from the database). The clinician picks curve
// shapes and aids, types a curve, reads levels off the graphs, switches ears and
// prints. Only the four choices and the two user curves go into the fitting record;
// fitted and aid curves are worked out again at every load.
#pragma once

#include "controls/pageform.h"
#include "curves/curvefit.h"
#include "curves/curvegraphs.h"
#include "curves/printrequest.h"
#include "curves/targets.h"

class ChoiceCombo;
class CurveGraphBox;
class DataGrid;
class GraphPanel;
class LegendFrame;
class QKeyEvent;
class QLabel;
class QToolButton;
class TRotateLabel;

class TfmCurveEdit : public PageForm {
    Q_OBJECT
  public:
    explicit TfmCurveEdit(QWidget* parent);

    void loadEar();
    void loadPage();
    void storePage();
    void loadFromRecord() override { loadPage(); }
    void storeToRecord() override { storePage(); }

    // Writes a database entry's curve at a frequency into a grid column (3 or 6) and
    // names the aid in the hint of both aid combos.
    void showAid(int aid, int column, int frequency);
    // Reads the grid into `curves` and scores every complete curve.
    void readCurves();

    // The texts of the six controls above grid columns 1 to 6.
    QString controlText(int control) const;

    // What the print button runs with the page's request.
    void setPrintCommand(PrintCommand command) { printCommand = std::move(command); }

    int32_t currentEar = 0;
    TargetState targets{};
    CurveParams curves[kCurveCount]{};
    bool gridEdited = false;

    QWidget* firstField() const override;

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
    void DataEntryGridDrawCell(QPainter& painter, int column, int row, const QRect& rect);
    void LeftCurveGraphBoxMouseMove(QPoint position);
    void RightCurveGraphBoxMouseMove(QPoint position);

  private:
    void FormCreate();
    void buildGrid();
    void buildControlsAboveGrid();
    void buildGraphics();
    void buildButtons();

    void fitCurve(int side, int shape);
    void curveComboChanged(int side);
    void aidComboChanged(ChoiceCombo* changed, ChoiceCombo* other);
    void enterPressed();
    void showColumn(const CurveGrid& grid, int column);
    void nameUserCells();
    CurveGrid gridTexts() const;
    void repaintCurves();
    void showReadOut(QLabel* label, const QWidget* box, QPoint position);

    EarFitPoints fitPoints_{};
    PrintCommand printCommand;
    GraphScene scene_;

    QLabel* EarLabel = nullptr;
    DataGrid* DataEntryGrid = nullptr;
    ChoiceCombo* LeftSideCurveCombo = nullptr;
    QLabel* LeftCurveUserPanel = nullptr;
    ChoiceCombo* LeftSideHAidCombo = nullptr;
    ChoiceCombo* RightSideCurveCombo = nullptr;
    QLabel* RightCurveUserPanel = nullptr;
    ChoiceCombo* RightSideHAidCombo = nullptr;
    GraphPanel* MainGraphicsPanel = nullptr;
    CurveGraphBox* LeftCurveGraphBox = nullptr;
    CurveGraphBox* RightCurveGraphBox = nullptr;
    QLabel* LeftCurveFreqTextLabel = nullptr;
    QLabel* RightCurveFreqTextLabel = nullptr;
    LegendFrame* LegendPanel = nullptr;
    QLabel* IOLabel1 = nullptr;
    QLabel* IOLabel2 = nullptr;
    QToolButton* PrintButton = nullptr;
    QToolButton* ToggleEarButton = nullptr;
    QLabel* Label1 = nullptr;
    TRotateLabel* RotateLabel1 = nullptr;
    QLabel* Image1 = nullptr;
};
