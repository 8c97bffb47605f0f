// The loudness data page's behaviour: loading and storing the grids, the unit switch,
// the prediction, and the cells' rules and paint. Its controls are built in
// loudnesspagelayout.cpp.
#include "pages/loudnesspage.h"

#include "controls/choicecombo.h"
#include "controls/datagrid.h"
#include "controls/statusnote.h"
#include "model/document.h"
#include "model/palette.h"
#include "model/prediction.h"
#include "model/predictioncheck.h"
#include "pages/loudnesstext.h"
#include "platform/dialogservice.h"
#include "platform/qtcolour.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolButton>

#include <optional>

namespace {

int32_t levelSource(Ear ear) {
    return earLevelSource(fitting, ear);
}

// A frequency index from the record; one outside the list shows the first frequency.
int frequencyIndex(int32_t stored) {
    return stored >= 0 && stored < kFrequencyCount ? stored : 0;
}

// A cell's background by its shade and mark. A level source the program does not
// know paints none, marked or not.
std::optional<QColor> cellFill(CellShade shade, LevelMark mark) {
    if (shade == CellShade::Unpainted)
        return std::nullopt;
    const bool grey = shade == CellShade::Grey;
    const LoudnessCellColours& c = kLoudnessCellColours;
    switch (mark) {
    case LevelMark::NotRising:
        return qColor(grey ? c.notRisingPredicted : c.notRising);
    case LevelMark::OutOfRange:
        return qColor(grey ? c.outOfRangePredicted : c.outOfRange);
    case LevelMark::OutOfDate:
        return qColor(c.outOfDate);
    case LevelMark::None:
        break;
    }
    return qColor(grey ? c.predicted : c.measured);
}

} // namespace

// --- loading and storing ------------------------------------------------------

void TfmPage2::loadLoudnessPage() {
    const QScopedValueRollback<bool> filling(filling_, true);
    for (const Ear e : kEars)
        ear(e).cells.load(earLoudness(fitting, e), fitting.showInHL == 1, levelSource(e));
    ear(Ear::Right).leftFreq->setCurrentIndex(frequencyIndex(fitting.rightRangeLow));
    ear(Ear::Right).rightFreq->setCurrentIndex(frequencyIndex(fitting.rightRangeHigh));
    ear(Ear::Left).leftFreq->setCurrentIndex(frequencyIndex(fitting.leftRangeLow));
    ear(Ear::Left).rightFreq->setCurrentIndex(frequencyIndex(fitting.leftRangeHigh));
    if (fitting.showInHL == 1)
        SelectdBHL->setChecked(true);
    else
        SelectdBSPL->setChecked(true);
}

// The grids are read in the unit they were last filled in: showInHL changes only
// after them, which is what lets a unit switch convert the typed numbers.
void TfmPage2::storeLoudnessPage() {
    for (const Ear e : kEars)
        storeEar(e);
    storeFrequencies();
    fitting.showInHL = SelectdBHL->isChecked() ? 1 : 0;
}

void TfmPage2::storeFrequencies() {
    fitting.rightRangeLow = ear(Ear::Right).leftFreq->currentIndex();
    fitting.rightRangeHigh = ear(Ear::Right).rightFreq->currentIndex();
    fitting.leftRangeLow = ear(Ear::Left).leftFreq->currentIndex();
    fitting.leftRangeHigh = ear(Ear::Left).rightFreq->currentIndex();
}

// Levels the clinician typed count as measured. A threshold (or UCL) that changed has
// its frequency predicted again at once, so that the grey levels never silently rest
// on a value that is gone.
void TfmPage2::storeEar(Ear thisEar) {
    LoudnessLevels& loudness = earLoudness(fitting, thisEar);
    LoudnessLevels before;
    copyLoudness(loudness, before);
    ear(thisEar).cells.store(loudness);
    noteStoredLevels(document.measuredLevels.of(thisEar), before, loudness, levelSource(thisEar));
    predictChangedAgain(thisEar, before);
    const QScopedValueRollback<bool> filling(filling_, true);
    ear(thisEar).cells.showStored(loudness);
}

// Where that would change a measured level, or the UCL lies below the threshold, the
// levels stay, marked out of date, and the status bar says why. The document counts
// as changed only when a level did.
void TfmPage2::predictChangedAgain(Ear thisEar, const LoudnessLevels& before) {
    LoudnessLevels& loudness = earLoudness(fitting, thisEar);
    const int32_t source = levelSource(thisEar);
    std::vector<int> refused;
    std::optional<int> inTheWay;
    for (int f = 0; f < kFrequencyCount; ++f) {
        bool inputChanged = false;
        for (int c = 0; c < kCategoryCount; ++c)
            inputChanged |= !isPredictedCategory(source, c) && loudness[f][c] != before[f][c];
        if (!inputChanged)
            continue;
        switch (predictFrequencyAgain(loudness, f, source, document.measuredLevels.of(thisEar))) {
        case Reprediction::Predicted:
            break;
        case Reprediction::MeasuredInTheWay:
            inTheWay = inTheWay.value_or(f);
            break;
        case Reprediction::Refused:
            refused.push_back(f);
            break;
        case Reprediction::Unchanged:
            break;
        }
    }
    if (!refused.empty())
        statusNote(this, QString::fromStdString(refusedPredictionNote(thisEar, refused)));
    else if (inTheWay)
        statusNote(this, QString::fromStdString(measuredInTheWayNote(thisEar, *inTheWay, source)));
}

// A level committed to its cell is stored at once, with what follows from it (a
// threshold or UCL predicts its frequency again), and is one undo step; a text that
// cannot be stored stays out of the record. A cell retyped with the level it held
// changes nothing, and leaves the document as unmodified as it was.
void TfmPage2::cellCommitted(Ear thisEar, int column, int row) {
    LoudnessCells& cells = ear(thisEar).cells;
    if (filling_) {
        cells.takeCommit(column, row);
        return;
    }
    if (cells.refusedAt(column, row)) {
        cells.refreshMarks();
        return;
    }
    if (!cells.takeCommit(column, row)) {
        refreshModified();
        return;
    }
    storeEar(thisEar);
    commitChange(loudnessCellName({thisEar, row, column}), placeOf(ear(thisEar).grid, column, row));
}

// --- handlers -----------------------------------------------------------------

QWidget* TfmPage2::firstField() const {
    return ears[recordIndex(Ear::Right)].grid;
}

void TfmPage2::FormShow() {
    loadLoudnessPage();
    showEarStatus(Ear::Right);
    showEarStatus(Ear::Left);
    ear(Ear::Right).grid->setCurrentCell(0, 0);
    ear(Ear::Left).grid->setCurrentCell(0, 0);
    ear(Ear::Right).grid->setFocus();
    // Cell colours follow the level sources, which may have changed while hidden.
    ear(Ear::Right).grid->viewport()->update();
    ear(Ear::Left).grid->viewport()->update();
}

void TfmPage2::FormHide() {
    storeLoudnessPage();
}

bool TfmPage2::canLeave() {
    return !reportRefusedCell(false);
}

// Save could be chosen from the menu with the cell out of sight: a message box says
// why nothing was saved, besides the note.
bool TfmPage2::canStore() {
    return !reportRefusedCell(true);
}

// The unsaved-changes question comes first at exit, and a cell that cannot be stored
// also stops a save: the clinician closing now has chosen not to save, and a refused
// text never reaches the record.
bool TfmPage2::canClose() {
    return true;
}

bool TfmPage2::takeBackRefused() {
    for (const Ear e : kEars) {
        const std::optional<RefusedLevel> refused = ear(e).cells.firstRefused();
        if (!refused)
            continue;
        ear(e).cells.putBack(refused->column, refused->row);
        endStatusNote(this, refused->note);
        return true;
    }
    return false;
}

bool TfmPage2::cellMayBeLeft(Ear thisEar, int column, int row) {
    const std::optional<RefusedLevel> refused = ear(thisEar).cells.refusedAt(column, row);
    if (!refused)
        return true;
    statusNote(this, refused->note);
    return false;
}

bool TfmPage2::reportRefusedCell(bool messageBox) {
    for (const Ear e : kEars) {
        const std::optional<RefusedLevel> refused = ear(e).cells.firstRefused();
        if (!refused)
            continue;
        if (messageBox)
            dialogs().error(this, QStringLiteral("TAVIK"), refused->note);
        showRefusedCell(e, *refused);
        statusNote(this, refused->note);
        return true;
    }
    return false;
}

// The clinician is taken to the cell with its editor open, the text as typed and the
// cursor at its end: no selection for the next key to overwrite.
void TfmPage2::showRefusedCell(Ear thisEar, const RefusedLevel& refused) {
    if (!isVisible())
        return;
    ear(thisEar).grid->returnToCell(refused.column, refused.row);
}

void TfmPage2::showEarStatus(Ear thisEar) {
    EarControls& controls = ear(thisEar);
    const int32_t source = levelSource(thisEar);
    controls.interpolateButton->setEnabled(source != 0);
    if (const auto label = dataTypeLabel(thisEar, source))
        controls.dataTypeLabel->setText(QString::fromStdString(*label));
    if (const auto hint = predictionHint(source)) {
        controls.interpolateButton->setToolTip(QString::fromStdString(*hint));
        controls.interpolateButton->setAccessibleDescription(QString::fromStdString(*hint));
    }
}

// A refused cell stops the switch: its button goes back up.
void TfmPage2::switchUnit(bool toHL) {
    if (reportRefusedCell(false)) {
        (fitting.showInHL == 1 ? SelectdBHL : SelectdBSPL)->setChecked(true);
        return;
    }
    storeLoudnessPage();
    fitting.showInHL = toHL ? 1 : 0;
    loadLoudnessPage();
    commitChange("unit", placeOf(toHL ? SelectdBHL : SelectdBSPL));
}

void TfmPage2::SelectdBHLClick() {
    switchUnit(true);
}

void TfmPage2::SelectdBSPLClick() {
    switchUnit(false);
}

// The four combos of both ears; the record takes the choice at once.
void TfmPage2::RightEarLeftFreqComboBoxChange() {
    storeFrequencies();
    const auto* combo = qobject_cast<const QWidget*>(sender());
    commitChange(combo ? combo->accessibleName().toStdString() : std::string("display frequency"),
                 placeOf(combo));
}

// No prediction replaces measured levels unasked; answered No, nothing is predicted.
void TfmPage2::predict(Ear thisEar) {
    if (reportRefusedCell(false))
        return;
    storeLoudnessPage();
    if (!mayReplaceMeasured(thisEar))
        return;
    predictLevels(fitting, thisEar);
    forgetPredictedLevels(document.measuredLevels.of(thisEar), earLoudness(fitting, thisEar),
                          levelSource(thisEar));
    loadLoudnessPage();
    commitChange("Predict intermediate levels", placeOf(ear(thisEar).interpolateButton));
    const std::vector<int> refused =
        refusedFrequencies(earLoudness(fitting, thisEar), levelSource(thisEar));
    if (!refused.empty())
        statusNote(this, QString::fromStdString(refusedPredictionNote(thisEar, refused)));
}

bool TfmPage2::mayReplaceMeasured(Ear thisEar) {
    const std::vector<int> frequencies = frequenciesLosingMeasured(
        earLoudness(fitting, thisEar), levelSource(thisEar), document.measuredLevels.of(thisEar));
    if (frequencies.empty())
        return true;
    const QString question =
        QString::fromStdString(replaceMeasuredQuestion(frequencies, levelSource(thisEar)));
    return dialogs().question(this, QStringLiteral("Confirm"), question) == DialogAnswer::Yes;
}

void TfmPage2::RightInterpolateButtonClick() {
    predict(Ear::Right);
}

void TfmPage2::LeftInterpolateButtonClick() {
    predict(Ear::Left);
}

// Digits, "-" and backspace reach the cell and mark the document changed; every
// other character is dropped, Enter included. Keys that type nothing (arrows, Home)
// pass; Delete passes too and, since it changes the text, marks the change.
bool TfmPage2::RightEarLOUDMAPDataGridKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        markModified();
        return false;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    if (!isGridCharAccepted(text.at(0).unicode()) || text.size() > 1)
        return true;
    markModified();
    return false;
}

bool TfmPage2::RightEarLOUDMAPDataGridSelectCell(int column, int) {
    return cellSelectable(levelSource(Ear::Right), column);
}

bool TfmPage2::LeftEarLOUDMAPDataGridSelectCell(int column, int) {
    return cellSelectable(levelSource(Ear::Left), column);
}

void TfmPage2::RightEarLOUDMAPDataGridDrawCell(QPainter& painter, int column, int row,
                                               const QRect& rect) {
    drawCell(Ear::Right, painter, column, row, rect);
}

void TfmPage2::LeftEarLOUDMAPDataGridDrawCell(QPainter& painter, int column, int row,
                                              const QRect& rect) {
    drawCell(Ear::Left, painter, column, row, rect);
}

// Background by level source, then the text at the cell's left edge, vertically
// centred, on one line and not clipped. No focus frame and no selection colour: the
// cell editor marks the current cell.
void TfmPage2::drawCell(Ear thisEar, QPainter& painter, int column, int row, const QRect& rect) {
    const CellShade shade = cellShade(levelSource(thisEar), column);
    const LevelMark mark = ear(thisEar).cells.markAt(column, row);
    if (const std::optional<QColor> fill = cellFill(shade, mark))
        painter.fillRect(rect, *fill);
    const DataGrid* grid = ear(thisEar).grid;
    painter.save();
    painter.setFont(grid->font());
    painter.setPen(grid->palette().color(QPalette::Text));
    const QRect textRect(rect.left(), rect.top(), 10000, rect.height());
    painter.drawText(textRect,
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     grid->cellText(column, row).left(kCellTextLimit));
    painter.restore();
}
