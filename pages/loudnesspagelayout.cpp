// The loudness data page's controls and where they stand; the page's behaviour is in
// loudnesspage.cpp.
#include "pages/loudnesspage.h"

#include "controls/choicebutton.h"
#include "controls/choicecombo.h"
#include "controls/datagrid.h"
#include "model/document.h"
#include "model/levelunits.h"
#include "pages/loudnesskey.h"
#include "pages/loudnesstext.h"
#include "platform/qtcolour.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

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

TfmPage2::TfmPage2(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmPage2"), qColor(kLoudnessPageColour)) {
    auto* title = new QLabel(QStringLiteral("Loudmap Data"), this);
    title->setFont(pageFont(16, true));
    title->adjustSize();
    title->move((790 - title->width()) / 2, 6);

    buildEar(Ear::Right, 0);
    buildEar(Ear::Left, 395);
    buildUnitPanel();
    // Under the unit switch, centred on the page.
    QFrame* key = buildLoudnessKey(this, 0, 424);
    key->move((790 - key->width()) / 2, key->y());
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
    controls.cells.attach(grid, thisEar);
    connectGridRules(thisEar);
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

// What the page decides for the ear's grid: the keys and characters a cell takes,
// the cells the clinician may move onto and off, and why a grey cell takes nothing.
void TfmPage2::connectGridRules(Ear thisEar) {
    DataGrid* grid = ear(thisEar).grid;
    grid->keyPress = [this](QKeyEvent* event) { return RightEarLOUDMAPDataGridKeyPress(event); };
    grid->textEdited = [this, thisEar] {
        markModified();
        ear(thisEar).cells.refreshMarks();
    };
    grid->acceptsChar = [](int, int, QChar ch) {
        return ch != QLatin1Char('\b') && isGridCharAccepted(ch.unicode());
    };
    grid->cellLeaving = [this, thisEar](int c, int r) { return cellMayBeLeft(thisEar, c, r); };
    // Every text written into a cell passes here: the clinician's commits (Enter, a
    // move, the focus leaving) and the page's own fills, which the cells tell apart.
    connect(grid, &QTableWidget::itemChanged, this, [this, thisEar](QTableWidgetItem* item) {
        cellCommitted(thisEar, item->column(), item->row());
    });
    grid->refusedCellNote = [thisEar](int c, int r) {
        return QString::fromStdString(
            predictedCellNote({thisEar, r, c}, earLevelSource(fitting, thisEar)));
    };
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
    const QString hl = QString::fromLatin1(unitName(true));
    const QString spl = QString::fromLatin1(unitName(false));
    SelectdBHL = addUnitButton(QStringLiteral("SelectdBHL"), hl, 178);
    SelectdBSPL = addUnitButton(QStringLiteral("SelectdBSPL"), spl, 256);
    SelectdBSPL->setToolTip(spl + QStringLiteral(" (HA-1 coupler)"));
    SelectdBSPL->setAccessibleDescription(SelectdBSPL->toolTip());
    connect(SelectdBHL, &QToolButton::clicked, this, &TfmPage2::SelectdBHLClick);
    connect(SelectdBSPL, &QToolButton::clicked, this, &TfmPage2::SelectdBSPLClick);
}
