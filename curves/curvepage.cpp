#include "curves/curvepage.h"

#include "artwork/logo.h"
#include "artwork/toolicons.h"
#include "controls/choicecombo.h"
#include "controls/datagrid.h"
#include "controls/pagekeys.h"
#include "controls/statusnote.h"
#include "curves/curvegridview.h"
#include "curves/curveload.h"
#include "curves/earaids.h"
#include "curves/graphwidgets.h"
#include "model/document.h"
#include "model/predictioncheck.h"
#include "model/textslot.h"
#include "platform/qtcolour.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kLeftAidColumn = 3;
constexpr int kRightAidColumn = 6;

} // namespace

TfmCurveEdit::TfmCurveEdit(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmCurveEdit"), qColor(kGraphPageColour)) {
    FormCreate();
}

// --- layout -------------------------------------------------------------------

void TfmCurveEdit::FormCreate() {
    resize(790, 471);
    currentEar = Ear::Right;
    EarLabel = yellowPageLabel(this, QStringLiteral("EarLabel"), QStringLiteral(" RIGHT EAR"));
    EarLabel->setFont(pageFont(16, true));
    EarLabel->move(4, 6);
    buildGrid();
    buildControlsAboveGrid();
    graphs_.build(this);
    graphs_.graphBox(GraphSide::Left)->pointerMoved = [this](QPoint p) {
        LeftCurveGraphBoxMouseMove(p);
    };
    graphs_.graphBox(GraphSide::Right)->pointerMoved = [this](QPoint p) {
        RightCurveGraphBoxMouseMove(p);
    };
    buildButtons();

    // Reading order: the choices above the grid, the grid, then the buttons.
    setTabOrder(choices_.curveCombo(GraphSide::Left), choices_.aidCombo(GraphSide::Left));
    setTabOrder(choices_.aidCombo(GraphSide::Left), choices_.curveCombo(GraphSide::Right));
    setTabOrder(choices_.curveCombo(GraphSide::Right), choices_.aidCombo(GraphSide::Right));
    setTabOrder(choices_.aidCombo(GraphSide::Right), DataEntryGrid);
    setTabOrder(DataEntryGrid, PrintButton);
    setTabOrder(PrintButton, ToggleEarButton);
}

void TfmCurveEdit::buildGrid() {
    DataEntryGrid = makeCurveEntryGrid(this);
    DataEntryGrid->selectCell = [this](int c, int r) { return DataEntryGridSelectCell(c, r); };
    DataEntryGrid->acceptsChar = [](int, int row, QChar ch) {
        return ch != QLatin1Char('\b') && curveCellAccepts(row, ch.unicode());
    };
    DataEntryGrid->keyPress = [this](QKeyEvent* event) { return DataEntryGridKeyPress(event); };
    DataEntryGrid->textEdited = [this] {
        gridEdited = true;
        entry_.edited(DataEntryGrid->currentColumn(), DataEntryGrid->currentRow());
        markModified();
    };
    DataEntryGrid->enterPressed = [this] { enterPressed(); };
    connect(DataEntryGrid, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { userCellCommitted(item->column(), item->row()); });
    DataEntryGrid->cellLeaving = [this](int c, int r) { return DataEntryGridCellLeaving(c, r); };
    DataEntryGrid->refusedCellNote = [this](int c, int r) {
        const GraphSide side = c <= kLeftAidColumn ? GraphSide::Left : GraphSide::Right;
        return refusedCurveCellNote(c, r, c > 0 ? controlText(c - 1) : QString(),
                                    choices_.userCaption(side));
    };
    DataEntryGrid->drawCell = [this](QPainter& p, int c, int r, const QRect& rect) {
        DataEntryGridDrawCell(p, c, r, rect);
    };
}

// Only a choice the clinician makes runs a handler: the page sets the lists with
// their signals blocked.
void TfmCurveEdit::buildControlsAboveGrid() {
    choices_.build(this, *DataEntryGrid, curveColumnTextWidth());
    connect(choices_.curveCombo(GraphSide::Left), &QComboBox::currentIndexChanged, this,
            &TfmCurveEdit::LeftSideCurveComboChange);
    connect(choices_.curveCombo(GraphSide::Right), &QComboBox::currentIndexChanged, this,
            &TfmCurveEdit::RightSideCurveComboChange);
    connect(choices_.aidCombo(GraphSide::Left), &QComboBox::currentIndexChanged, this,
            &TfmCurveEdit::LeftSideHAidComboChange);
    connect(choices_.aidCombo(GraphSide::Right), &QComboBox::currentIndexChanged, this,
            &TfmCurveEdit::RightSideHAidComboChange);
}

void TfmCurveEdit::buildButtons() {
    const auto button = [this](const QString& name, const QString& hint, ToolIcon icon, int left) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setIcon(toolIcon(icon));
        b->setIconSize(QSize(32, 32));
        b->setGeometry(left, 304, 38, 38);
        // Reached with Tab; a click leaves the focus, and an open cell editor, where
        // they were.
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    PrintButton = button(QStringLiteral("PrintButton"),
                         QStringLiteral("Print curves from current ear"), ToolIcon::Print, 691);
    ToggleEarButton = button(QStringLiteral("ToggleEarButton"), QStringLiteral("Switch ears"),
                             ToolIcon::SwitchEars, 737);
    // The print key belongs to the File menu, which prints from this page.
    PrintButton->setToolTip(hintWithKey(PrintButton->toolTip(), printKey()));
    addButtonKey(ToggleEarButton, switchEarsKey());
    connect(PrintButton, &QToolButton::clicked, this, &TfmCurveEdit::PrintButtonClick);
    connect(ToggleEarButton, &QToolButton::clicked, this, &TfmCurveEdit::ToggleEarButtonClick);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(691, 246, 84, 49);
    Image1->setPixmap(programLogo(QSize(84, 49)));
    Image1->setScaledContents(true);
}

// --- loading and storing ------------------------------------------------------

void TfmCurveEdit::loadEar() {
    EarLabel->setText(currentEar == Ear::Right ? QStringLiteral(" RIGHT EAR")
                                               : QStringLiteral(" LEFT EAR"));
    EarLabel->adjustSize();
    targets = loadTargets(fitting, currentEar);
    const int style = earAidStyle(fitting, currentEar);
    for (const GraphSide side : kGraphSides)
        fitPoints_[sideIndex(side)] = fitPoints(targets, style, side);
    graphs_.showEar(targets, style, fitting.binauralFitting == 1);
}

// A choice read from a file outside the lists shows as the first entry, and the
// status bar says so.
void TfmCurveEdit::loadPage() {
    const QScopedValueRollback<bool> filling(filling_, true);
    const int lf = graphFrequency(GraphSide::Left);
    const int rf = graphFrequency(GraphSide::Right);
    const AidSetting(&settings)[kFrequencyCount] = fitting.aidSettings[recordIndex(currentEar)];
    choices_.showChoices(settings[lf], settings[rf]);
    showStoredChoicesNote();
    choices_.showUserCaptions(lf, rf);
    nameUserCells();

    CurveGrid grid;
    writeStoredCurve(grid, kLeftUserColumn, settings[lf].curve);
    writeStoredCurve(grid, kRightUserColumn, settings[rf].curve);
    entry_.loaded(grid, settings[lf].curve, settings[rf].curve);
    graphs_.clearReadOuts();
    showColumn(grid, kLeftUserColumn);
    showColumn(grid, kRightUserColumn);
    fitCurve(GraphSide::Left, choices_.curveCombo(GraphSide::Left)->currentIndex());
    fitCurve(GraphSide::Right, choices_.curveCombo(GraphSide::Right)->currentIndex());
    showAid(choices_.aidCombo(GraphSide::Left)->currentIndex(), kLeftAidColumn, lf);
    showAid(choices_.aidCombo(GraphSide::Right)->currentIndex(), kRightAidColumn, rf);
    readCurves();
}

// The cells the clinician types into are named by ear, graph, column and row, which
// a screen reader announces with the number in the cell.
void TfmCurveEdit::nameUserCells() {
    const QString ear = QString::fromStdString(earHeading(currentEar));
    ::nameUserCells(*DataEntryGrid, ear, choices_.userCaption(GraphSide::Left),
                    choices_.userCaption(GraphSide::Right));
}

// The choices are in the record since the clinician made them: what a file held is
// written back as it was until then, a value outside the lists included.
void TfmCurveEdit::storePage() {
    noteUnplacedThresholds();
    const int lf = graphFrequency(GraphSide::Left);
    const int rf = graphFrequency(GraphSide::Right);
    AidSetting(&settings)[kFrequencyCount] = fitting.aidSettings[recordIndex(currentEar)];
    readCurves();
    const CurveGrid shown = curveGridTexts(*DataEntryGrid);
    // With both graphs at one frequency the column typed into last is stored last, and
    // so is the one kept; a column nobody typed into stores nothing.
    const bool leftLast = entry_.lastEditedColumn() == kLeftUserColumn;
    storeUserCurve(shown, leftLast ? kRightUserColumn : kLeftUserColumn,
                   settings[leftLast ? rf : lf]);
    storeUserCurve(shown, leftLast ? kLeftUserColumn : kRightUserColumn,
                   settings[leftLast ? lf : rf]);
    entry_.stored(shown);
}

// Only the cells typed into change the stored curve; the score is that of the curve as
// drawn, where it is complete.
void TfmCurveEdit::storeUserCurve(const CurveGrid& shown, int column, AidSetting& setting) {
    std::optional<CurveParams> curve = entry_.curveToStore(shown, column);
    if (!curve)
        return;
    const CurveParams& drawn = curves[column - 1];
    if (drawn.complete == 1)
        curve->rmsError = drawn.rmsError;
    setting.curve = *curve;
}

void TfmCurveEdit::showAid(int aid, int column, int frequency) {
    choices_.nameAid(qStringFromLatin1(readText(aidDatabase.aidLongNames[choiceOrFirst(aid)])));
    CurveGrid grid;
    ::showAid(grid, aidDatabase, aid, column, frequency);
    showColumn(grid, column);
}

void TfmCurveEdit::fitCurve(GraphSide side, int shape) {
    CurveGrid grid;
    ::fitCurve(grid, side, shape, fitPoints_[sideIndex(side)], maxOutputForFit(targets, side));
    showColumn(grid, firstCurveOf(side) + 1);
}

// The scores are worked out here rather than while painting, so the RMS row is
// right as soon as the curves change, and both graphs show what the grid holds.
void TfmCurveEdit::readCurves() {
    CurveGrid grid = readGrid();
    ::readCurves(grid, curves);
    scoreCompleteCurves(grid, curves, fitPoints_);
    showGridScores(*DataEntryGrid, grid);
    graphs_.showCurves(curves);
}

// The grid's texts as they are read and stored: a refused value in a cell the
// clinician left by a click elsewhere (a list, a button) reads as the value last
// stored there, so it is never drawn, printed or stored, and the old value stays.
CurveGrid TfmCurveEdit::readGrid() {
    return entry_.asRead(curveGridTexts(*DataEntryGrid));
}

void TfmCurveEdit::showColumn(const CurveGrid& grid, int column) {
    showGridColumn(*DataEntryGrid, grid, column);
}

QString TfmCurveEdit::controlText(int control) const {
    return choices_.controlText(control);
}

int TfmCurveEdit::graphFrequency(GraphSide side) const {
    return frequencyIndexOrFirst(targets.graphFrequency[sideIndex(side)]);
}

// Stays in the status bar while the ear is shown, until a choice settles what it names.
// Bands and targets rest on the ear's levels: any not what its thresholds predict now
// are named first, and the note on the choices never hides them.
void TfmCurveEdit::showStoredChoicesNote() {
    endStatusNote(this, choicesNote_);
    const std::string stale = outOfDateNote(currentEar, earLoudness(fitting, currentEar),
                                            earLevelSource(fitting, currentEar));
    const std::string choices =
        storedChoicesNote(fitting, aidDatabase, currentEar, graphFrequency(GraphSide::Left),
                          graphFrequency(GraphSide::Right));
    choicesNote_ = qStringFromLatin1(stale.empty() || choices.empty() ? stale + choices
                                                                      : stale + ' ' + choices);
    if (!choicesNote_.isEmpty() && isVisible())
        lastingStatusNote(this, choicesNote_);
}

// --- handlers -----------------------------------------------------------------

QWidget* TfmCurveEdit::firstField() const {
    return DataEntryGrid;
}

// The page always opens on the right ear, with the aid names as the database has
// them now.
void TfmCurveEdit::FormShow() {
    currentEar = Ear::Right;
    choices_.listAids(aidDatabase);
    loadEar();
    loadPage();
    DataEntryGrid->setCurrentCell(0, kLeftUserColumn);
    DataEntryGrid->setFocus();
}

void TfmCurveEdit::FormHide() {
    storePage();
    endStatusNote(this, choicesNote_);
}

void TfmCurveEdit::ToggleEarButtonClick() {
    if (!canLeave()) // a refused value in a user cell keeps the ear
        return;
    storePage();
    currentEar = otherEar(currentEar);
    loadEar();
    loadPage();
    readCurves();
    graphs_.scheduleRepaint();
}

// The record takes the shape at once: with both graphs at one frequency, the shape
// chosen last is the one kept.
void TfmCurveEdit::curveComboChanged(GraphSide side) {
    const int shape = choices_.curveCombo(side)->currentIndex();
    fitting.aidSettings[recordIndex(currentEar)][graphFrequency(side)].curveChoice = shape;
    fitCurve(side, shape);
    readCurves();
    showStoredChoicesNote();
    commitChange("curve choice", placeHere(choices_.curveCombo(side)));
}

void TfmCurveEdit::LeftSideCurveComboChange() {
    curveComboChanged(GraphSide::Left);
}

void TfmCurveEdit::RightSideCurveComboChange() {
    curveComboChanged(GraphSide::Right);
}

// One aid per ear: the two aid combos always show the same aid, and choosing one
// stores it at all six frequencies of the ear, so that the Overview, the batch summary
// and any later pair of graph frequencies show the aid chosen. Choosing stores the
// page and is a change of the patient's data. A refused value in a user cell refuses
// the choice: the list shows its aid again.
void TfmCurveEdit::aidComboChanged(GraphSide side) {
    if (reportRefusedCell(false)) {
        showStoredAid(side);
        return;
    }
    choices_.matchAid(side);
    const int aid = choices_.aidCombo(side)->currentIndex();
    storeEarAid(fitting, currentEar, aid);
    showAid(aid, kLeftAidColumn, graphFrequency(GraphSide::Left));
    showAid(aid, kRightAidColumn, graphFrequency(GraphSide::Right));
    storePage();
    readCurves();
    showStoredChoicesNote();
    commitChange("aid choice", placeHere(choices_.aidCombo(side)));
}

// The aid the record holds at the graph's frequency.
void TfmCurveEdit::showStoredAid(GraphSide side) {
    const int frequency = graphFrequency(side);
    ChoiceCombo* combo = choices_.aidCombo(side);
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(
        choiceOrFirst(fitting.aidSettings[recordIndex(currentEar)][frequency].aidChoice));
}

void TfmCurveEdit::LeftSideHAidComboChange() {
    aidComboChanged(GraphSide::Left);
}

void TfmCurveEdit::RightSideHAidComboChange() {
    aidComboChanged(GraphSide::Right);
}

// The report prints what the grid shows: the curves are read first, then the page
// hands its control texts, ear, targets and curves to the print command. A refused
// value in a user cell is corrected first.
void TfmCurveEdit::PrintButtonClick() {
    if (reportRefusedCell(false))
        return;
    readCurves();
    PrintRequest request;
    for (int control = 0; control < kCurveControlCount; ++control)
        request.controls[control] = controlText(control);
    for (const GraphSide side : kGraphSides) {
        const int aid = choiceOrFirst(choices_.aidCombo(side)->currentIndex());
        request.aidLongNames[sideIndex(side)] =
            qStringFromLatin1(readText(aidDatabase.aidLongNames[aid]));
    }
    request.currentEar = currentEar;
    request.targets = targets;
    std::copy(std::begin(curves), std::end(curves), std::begin(request.curves));
    if (printCommand)
        printCommand(request);
}

void TfmCurveEdit::DataEntryGridDrawCell(QPainter& painter, int column, int row,
                                         const QRect& rect) {
    drawCurveCell(painter, *DataEntryGrid, column, row, rect, palette().color(QPalette::Button));
}

void TfmCurveEdit::LeftCurveGraphBoxMouseMove(QPoint position) {
    graphs_.showReadOut(GraphSide::Left, position);
}

void TfmCurveEdit::RightCurveGraphBoxMouseMove(QPoint position) {
    graphs_.showReadOut(GraphSide::Right, position);
}
