// The loudness data page: the LOUDMAP results of both ears in two grids, shown in
// dB HL or dB SPL and always stored in dB SPL, the two graph frequencies of each
// ear, and the prediction of the levels that were not measured.
#pragma once

#include "controls/pageform.h"
#include "model/ear.h"
#include "pages/loudnesscells.h"

class DataGrid;
class QButtonGroup;
class ChoiceCombo;
class QKeyEvent;
class QLabel;
class QPushButton;
class QToolButton;

// TfmPage2: the loudness data page (its historical form name).
class TfmPage2 : public PageForm {
    Q_OBJECT
  public:
    explicit TfmPage2(QWidget* parent);

    void loadLoudnessPage();
    void storeLoudnessPage();
    void loadFromRecord() override { loadLoudnessPage(); }
    void storeToRecord() override { storeLoudnessPage(); }

    QWidget* firstField() const override;
    // A cell the clinician changed to a text that cannot be stored keeps them on the
    // page (and stops Save) until they correct it; see LoudnessCells.
    bool canLeave() override;
    bool takeBackRefused() override;
    bool canStore() override;
    bool canClose() override;

  public slots:
    void FormShow() override;
    void FormHide() override;
    void SelectdBHLClick();
    void SelectdBSPLClick();
    // All four display-frequency combos, of both ears and both graphs.
    void RightEarLeftFreqComboBoxChange();
    void RightInterpolateButtonClick();
    void LeftInterpolateButtonClick();

  public:
    // Grid handlers. The key filter returns true for a key it discards; the selection
    // rule says whether a cell may become the current one. The key filter serves both
    // ears' grids.
    bool RightEarLOUDMAPDataGridKeyPress(QKeyEvent* event);
    bool RightEarLOUDMAPDataGridSelectCell(int column, int row);
    bool LeftEarLOUDMAPDataGridSelectCell(int column, int row);
    void RightEarLOUDMAPDataGridDrawCell(QPainter& painter, int column, int row, const QRect& rect);
    void LeftEarLOUDMAPDataGridDrawCell(QPainter& painter, int column, int row, const QRect& rect);

  private:
    struct EarControls {
        DataGrid* grid = nullptr;
        ChoiceCombo* leftFreq = nullptr;
        ChoiceCombo* rightFreq = nullptr;
        QLabel* dataTypeLabel = nullptr;
        QPushButton* interpolateButton = nullptr;
        LoudnessCells cells;
    };

    void buildEar(Ear ear, int left);
    void buildEarGrid(Ear ear, int left);
    void buildEarCaptions(Ear ear, int left);
    void buildEarPrediction(Ear ear, int left);
    void buildEarFrequencies(Ear ear);
    void buildUnitPanel();
    void connectGridRules(Ear ear);
    // Whether the clinician may move off a cell of that ear's grid: not while it holds
    // a text that cannot be stored.
    bool cellMayBeLeft(Ear ear, int column, int row);
    // Finds a cell the clinician changed to a text that cannot be stored, takes them
    // there and says why (in a message box as well when asked); false when none is.
    bool reportRefusedCell(bool messageBox);
    void showRefusedCell(Ear ear, const RefusedLevel& refused);
    // Stores one ear's grid into the record, and predicts again the frequencies whose
    // threshold or UCL changed.
    void storeEar(Ear ear);
    void predictChangedAgain(Ear ear, const LoudnessLevels& before);
    void storeFrequencies();
    void cellCommitted(Ear ear, int column, int row);
    void switchUnit(bool toHL);
    void predict(Ear ear);
    // Asks before a prediction replaces measured levels; true when it may go on.
    bool mayReplaceMeasured(Ear ear);
    void showEarStatus(Ear ear);
    void drawCell(Ear ear, QPainter& painter, int column, int row, const QRect& rect);
    EarControls& ear(Ear which) { return ears[recordIndex(which)]; }

    EarControls ears[2];
    // While the page writes the cells itself, no cell it writes is a commit.
    bool filling_ = false;
    QToolButton* SelectdBHL = nullptr;
    QToolButton* SelectdBSPL = nullptr;
    QButtonGroup* unitGroup = nullptr;
};
