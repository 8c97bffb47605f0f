#include "pages/loudnesspage.h"

#include "controls/choicebutton.h"
#include "controls/choicecombo.h"
#include "controls/datagrid.h"
#include "model/document.h"
#include "model/prediction.h"
#include "pages/loudnesstext.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

const QColor kPageColour(223, 255, 240);
const QColor kWhiteCell(255, 255, 255);
const QColor kGreyCell(230, 230, 230);
// Each grid stands 62 pixels into its ear's half of the page, 80 from the top.
constexpr int kGridOffset = 62;
constexpr int kGridTop = 80;

// Eight loudness categories across, six frequencies down.
const DataGridLayout kLoudnessGridLayout{kCategoryCount, kFrequencyCount, 38, 38, 20,
                                         kCellTextLimit};

const char* const kColumnHints[kCategoryCount] = {"AC Threshold (dB)",
                                                  "Very Soft",
                                                  "Soft",
                                                  "Comfortable but Slightly Soft",
                                                  "Comfortable",
                                                  "Comfortable but Slightly Loud",
                                                  "Loud but OK",
                                                  "Uncomfortably Loud"};

int32_t levelSource(Ear ear) {
    return earLevelSource(fitting, ear);
}

// A frequency index from the record; one outside the list shows the first frequency.
int frequencyIndex(int32_t stored) {
    return stored >= 0 && stored < kFrequencyCount ? stored : 0;
}

QString sideName(Ear ear) {
    return ear == Ear::Right ? QStringLiteral("Right") : QStringLiteral("Left");
}

ChoiceCombo* frequencyCombo(QWidget* parent, const QString& name, const QString& accessibleName) {
    auto* combo = new ChoiceCombo(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(accessibleName);
    for (const char* caption : frequencyCaptions)
        combo->addItem(QString::fromLatin1(caption));
    return combo;
}

} // namespace

TfmPage2::TfmPage2(QWidget* parent) : PageForm(parent, QStringLiteral("fmPage2"), kPageColour) {
    auto* title = new QLabel(QStringLiteral("Loudmap Data"), this);
    title->setFont(pageFont(16, true));
    title->adjustSize();
    title->move((790 - title->width()) / 2, 6);

    buildEar(Ear::Right, 0);
    buildEar(Ear::Left, 395);
    buildUnitPanel();
}

// Each ear's half of the page, from the top: heading and column captions, the row
// captions and the grid, the prediction status and button, the graph frequencies.
void TfmPage2::buildEar(Ear thisEar, int left) {
    buildEarGrid(thisEar, left);
    buildEarCaptions(thisEar, left);
    buildEarPrediction(thisEar, left);
    buildEarFrequencies(thisEar);
}

void TfmPage2::buildEarGrid(Ear thisEar, int left) {
    EarControls& controls = ear(thisEar);
    const QString side = sideName(thisEar);
    const QString ear = side + QStringLiteral(" Ear");
    controls.grid =
        new DataGrid(side + QStringLiteral("EarLOUDMAPDataGrid"), kLoudnessGridLayout, this);
    DataGrid* grid = controls.grid;
    grid->setAccessibleName(ear + QStringLiteral(", loudness levels"));
    // Each cell is named by its ear, frequency and category, which a screen reader
    // announces with the number in it.
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c) {
            grid->setCellName(c, r,
                              QStringLiteral("%1, %2, %3")
                                  .arg(ear, QString::fromLatin1(frequencyCaptions[r]),
                                       QString::fromLatin1(kColumnHints[c])));
        }
    }
    grid->move(left + kGridOffset, kGridTop);
    grid->keyPress = [this](QKeyEvent* event) { return RightEarLOUDMAPDataGridKeyPress(event); };
    grid->textEdited = [] { markModified(); };
    grid->acceptsChar = [](int, int, QChar ch) {
        return ch != QLatin1Char('\b') && isGridCharAccepted(ch.unicode());
    };
    if (thisEar == Ear::Right) {
        grid->selectCell = [this](int c, int r) { return RightEarLOUDMAPDataGridSelectCell(c, r); };
        grid->drawCell = [this](QPainter& p, int c, int r, const QRect& rect) {
            RightEarLOUDMAPDataGridDrawCell(p, c, r, rect);
        };
    } else {
        grid->selectCell = [this](int c, int r) { return LeftEarLOUDMAPDataGridSelectCell(c, r); };
        grid->drawCell = [this](QPainter& p, int c, int r, const QRect& rect) {
            LeftEarLOUDMAPDataGridDrawCell(p, c, r, rect);
        };
    }
}

// The ear's heading over its grid, the categories above the columns and the
// frequencies beside the rows.
void TfmPage2::buildEarCaptions(Ear thisEar, int left) {
    const DataGrid* grid = ear(thisEar).grid;
    const int gridLeft = left + kGridOffset;
    auto* heading = new QLabel(sideName(thisEar) + QStringLiteral(" Ear"), this);
    heading->setFont(pageFont(16, true));
    setTextColour(heading, earColour(thisEar));
    heading->adjustSize();
    heading->move(gridLeft + (grid->width() - heading->width()) / 2, 34);

    const int inner = grid->frameWidth();
    for (int c = 0; c < kCategoryCount; ++c) {
        auto* caption = new QLabel(QString::fromLatin1(categoryNames[c]), this);
        caption->setFont(pageFont(11, true));
        caption->setAlignment(Qt::AlignCenter);
        caption->setGeometry(gridLeft + inner + c * kLoudnessGridLayout.columnWidth, kGridTop - 18,
                             kLoudnessGridLayout.columnWidth, 16);
        caption->setToolTip(QString::fromLatin1(kColumnHints[c]));
    }
    for (int r = 0; r < kFrequencyCount; ++r) {
        auto* caption = new QLabel(QString::fromLatin1(frequencyCaptions[r]), this);
        caption->setFont(pageFont(11, true));
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        caption->setGeometry(left + 4, kGridTop + inner + r * kLoudnessGridLayout.rowHeight, 52,
                             kLoudnessGridLayout.rowHeight);
    }
}

void TfmPage2::buildEarPrediction(Ear thisEar, int left) {
    EarControls& controls = ear(thisEar);
    const QString side = sideName(thisEar);
    const int gridLeft = left + kGridOffset;
    const int gridBottom = kGridTop + controls.grid->height();
    controls.dataTypeLabel = new QLabel(QStringLiteral("Data manually entered"), this);
    controls.dataTypeLabel->setObjectName(side + QStringLiteral("DataTypeLabel"));
    controls.dataTypeLabel->setAlignment(Qt::AlignCenter);
    controls.dataTypeLabel->setGeometry(left + 10, gridBottom + 6, 375, 18);

    controls.interpolateButton =
        new QPushButton(QStringLiteral("Predict intermediate levels"), this);
    controls.interpolateButton->setObjectName(side + QStringLiteral("InterpolateButton"));
    controls.interpolateButton->setAccessibleName(
        side + QStringLiteral(" Ear, Predict intermediate levels"));
    controls.interpolateButton->setGeometry(gridLeft + (controls.grid->width() - 180) / 2,
                                            gridBottom + 30, 180, 25);
    connect(controls.interpolateButton, &QPushButton::clicked, this,
            thisEar == Ear::Right ? &TfmPage2::RightInterpolateButtonClick
                                  : &TfmPage2::LeftInterpolateButtonClick);
}

// The frequencies the curve page graphs for this ear.
void TfmPage2::buildEarFrequencies(Ear thisEar) {
    EarControls& controls = ear(thisEar);
    const QString side = sideName(thisEar);
    const QString ear = side + QStringLiteral(" Ear");
    const QRect grid = controls.grid->geometry();
    auto* box = new QGroupBox(QStringLiteral("Display Frequencies (%1 Ear)").arg(side), this);
    box->setGeometry(grid.x() - 2, grid.y() + grid.height() + 66, grid.width() + 4, 58);
    placeLabel(box, QStringLiteral("Left Graph"), 12, 28);
    controls.leftFreq = frequencyCombo(box, side + QStringLiteral("EarLeftFreqComboBox"),
                                       ear + QStringLiteral(", Display Frequencies, Left Graph"));
    controls.leftFreq->setGeometry(80, 24, 70, 24);
    placeLabel(box, QStringLiteral("Right Graph"), 162, 28);
    controls.rightFreq = frequencyCombo(box, side + QStringLiteral("EarRightFreqComboBox"),
                                        ear + QStringLiteral(", Display Frequencies, Right Graph"));
    controls.rightFreq->setGeometry(236, 24, 70, 24);
    for (QComboBox* combo : {controls.leftFreq, controls.rightFreq})
        connect(combo, &QComboBox::activated, this, &TfmPage2::RightEarLeftFreqComboBoxChange);
}

void TfmPage2::buildUnitPanel() {
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(225, 372, 340, 40);
    auto* caption = placeLabel(panel, QStringLiteral("LOUDMAP data entered in:"), 12, 0);
    caption->move(12, (40 - caption->height()) / 2);

    unitGroup = new QButtonGroup(this);
    const auto addUnitButton = [&](const QString& name, const QString& text, int left) {
        auto* button = new ChoiceButton<QToolButton>(panel);
        button->setObjectName(name);
        button->setText(text);
        button->setAccessibleName(QStringLiteral("LOUDMAP data entered in ") + text);
        button->setCheckable(true);
        button->setGeometry(left, 7, 70, 26);
        unitGroup->addButton(button);
        return button;
    };
    SelectdBHL = addUnitButton(QStringLiteral("SelectdBHL"), QStringLiteral("dB HL"), 178);
    SelectdBSPL = addUnitButton(QStringLiteral("SelectdBSPL"), QStringLiteral("dB SPL"), 256);
    SelectdBSPL->setToolTip(QStringLiteral("dB SPL (HA-1 coupler)"));
    SelectdBSPL->setAccessibleDescription(SelectdBSPL->toolTip());
    connect(SelectdBHL, &QToolButton::clicked, this, &TfmPage2::SelectdBHLClick);
    connect(SelectdBSPL, &QToolButton::clicked, this, &TfmPage2::SelectdBSPLClick);
}

// --- loading and storing ------------------------------------------------------

void TfmPage2::loadGrid(const EarControls& controls, const int32_t (&loudness)[6][8]) {
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c) {
            const std::string text = cellTextFromStored(loudness[r][c], r, fitting.showInHL == 1);
            controls.grid->setCellText(c, r, QString::fromStdString(text));
        }
    }
}

void TfmPage2::storeGrid(const EarControls& controls, int32_t (&loudness)[6][8]) {
    controls.grid->commitEditor();
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c) {
            const std::string text = controls.grid->cellText(c, r).toStdString();
            loudness[r][c] = storedFromCellText(text, r, fitting.showInHL == 1);
        }
    }
}

void TfmPage2::loadLoudnessPage() {
    loadGrid(ear(Ear::Right), fitting.rightLoudness);
    loadGrid(ear(Ear::Left), fitting.leftLoudness);
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
    storeGrid(ear(Ear::Right), fitting.rightLoudness);
    storeGrid(ear(Ear::Left), fitting.leftLoudness);
    fitting.rightRangeLow = ear(Ear::Right).leftFreq->currentIndex();
    fitting.rightRangeHigh = ear(Ear::Right).rightFreq->currentIndex();
    fitting.leftRangeLow = ear(Ear::Left).leftFreq->currentIndex();
    fitting.leftRangeHigh = ear(Ear::Left).rightFreq->currentIndex();
    fitting.showInHL = SelectdBHL->isChecked() ? 1 : 0;
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

void TfmPage2::switchUnit(bool toHL) {
    storeLoudnessPage();
    fitting.showInHL = toHL ? 1 : 0;
    loadLoudnessPage();
}

void TfmPage2::SelectdBHLClick() {
    switchUnit(true);
}

void TfmPage2::SelectdBSPLClick() {
    switchUnit(false);
}

void TfmPage2::RightEarLeftFreqComboBoxChange() {
    markModified();
}

void TfmPage2::predict(Ear thisEar) {
    storeLoudnessPage();
    predictLevels(fitting, thisEar);
    loadLoudnessPage();
    markModified();
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
    switch (cellShade(levelSource(thisEar), column)) {
    case CellShade::White:
        painter.fillRect(rect, kWhiteCell);
        break;
    case CellShade::Grey:
        painter.fillRect(rect, kGreyCell);
        break;
    case CellShade::Unpainted:
        break;
    }
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
