#include "curves/curvepage.h"

#include "artwork/logo.h"
#include "artwork/toolicons.h"
#include "controls/choicecombo.h"
#include "controls/datagrid.h"
#include "controls/rotatelabel.h"
#include "curves/curveload.h"
#include "curves/graphwidgets.h"
#include "model/document.h"
#include "model/textslot.h"
#include "platform/fontnames.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kLeftSide = 0;
constexpr int kRightSide = 1;
constexpr int kLeftUserColumn = 2;
constexpr int kRightUserColumn = 5;
constexpr int kLeftAidColumn = 3;
constexpr int kRightAidColumn = 6;
constexpr int kRmsRow = kRowRmsError;

const QColor kPageColour(0, 0, 128);
const QColor kYellow(255, 255, 0);

// Seven parameter rows of 16 pixels and the row labels in a 107-pixel column, then
// six curve columns of 82 pixels; each with its grid line.
const DataGridLayout kCurveGridLayout{kGridColumns, kGridRows, 83, 108, 17, 19, Qt::AlignCenter};

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Sets a list's choice from the program, which runs no change handler.
void setChoice(QComboBox* box, int index) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}

QFont cellFont() {
    QFont font(kSansFamily);
    font.setPointSize(8);
    return font;
}

QLabel* yellowLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    setTextColour(label, kYellow);
    return label;
}

} // namespace

TfmCurveEdit::TfmCurveEdit(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmCurveEdit"), kPageColour) {
    helpContext = 1031;
    FormCreate();
}

// --- layout -------------------------------------------------------------------

void TfmCurveEdit::FormCreate() {
    resize(790, 471);
    currentEar = 0;
    EarLabel = yellowLabel(this, QStringLiteral("EarLabel"), QStringLiteral(" RIGHT EAR"));
    EarLabel->setFont(pageFont(16, true));
    EarLabel->move(4, 6);
    buildGrid();
    buildControlsAboveGrid();
    buildGraphics();
    buildButtons();

    // Reading order: the choices above the grid, the grid, then the buttons.
    setTabOrder(LeftSideCurveCombo, LeftSideHAidCombo);
    setTabOrder(LeftSideHAidCombo, RightSideCurveCombo);
    setTabOrder(RightSideCurveCombo, RightSideHAidCombo);
    setTabOrder(RightSideHAidCombo, DataEntryGrid);
    setTabOrder(DataEntryGrid, PrintButton);
    setTabOrder(PrintButton, ToggleEarButton);
}

void TfmCurveEdit::buildGrid() {
    DataEntryGrid = new DataGrid(QStringLiteral("DataEntryGrid"), kCurveGridLayout, this);
    DataEntryGrid->move(5, 28);
    DataEntryGrid->setFont(cellFont());
    DataEntryGrid->setAccessibleName(QStringLiteral("Curve parameters"));
    DataEntryGrid->selectCell = [this](int c, int r) { return DataEntryGridSelectCell(c, r); };
    DataEntryGrid->acceptsChar = [](int, int row, QChar ch) {
        return ch != QLatin1Char('\b') && curveCellAccepts(row, ch.unicode());
    };
    DataEntryGrid->keyPress = [this](QKeyEvent* event) { return DataEntryGridKeyPress(event); };
    DataEntryGrid->textEdited = [this] {
        gridEdited = true;
        markModified();
    };
    DataEntryGrid->drawCell = [this](QPainter& p, int c, int r, const QRect& rect) {
        DataEntryGridDrawCell(p, c, r, rect);
    };
    for (int row = 0; row < kGridRows; ++row)
        DataEntryGrid->setCellText(0, row, QString::fromLatin1(curveGridRowLabels[row]));
}

void TfmCurveEdit::buildControlsAboveGrid() {
    const auto combo = [this](const QString& name, const QColor& colour, const QString& what) {
        auto* box = new ChoiceCombo(this);
        box->setObjectName(name);
        box->setFaceColour(colour);
        box->setAccessibleName(what);
        return box;
    };
    const auto userPanel = [this](const QString& name, const QString& what) {
        auto* panel = new QLabel(this);
        panel->setObjectName(name);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setLineWidth(2);
        panel->setAlignment(Qt::AlignCenter);
        panel->setAutoFillBackground(true);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, kUserCurveColour);
        palette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::black);
        panel->setPalette(palette);
        panel->setEnabled(false);
        panel->setAccessibleName(what);
        return panel;
    };
    LeftSideCurveCombo = combo(QStringLiteral("LeftSideCurveCombo"), kFittedCurveColour,
                               QStringLiteral("Left graph, fitted curve"));
    LeftCurveUserPanel =
        userPanel(QStringLiteral("LeftCurveUserPanel"), QStringLiteral("Left graph, user curve"));
    LeftSideHAidCombo = combo(QStringLiteral("LeftSideHAidCombo"), kAidCurveColour,
                              QStringLiteral("Left graph, hearing aid"));
    RightSideCurveCombo = combo(QStringLiteral("RightSideCurveCombo"), kFittedCurveColour,
                                QStringLiteral("Right graph, fitted curve"));
    RightCurveUserPanel =
        userPanel(QStringLiteral("RightCurveUserPanel"), QStringLiteral("Right graph, user curve"));
    RightSideHAidCombo = combo(QStringLiteral("RightSideHAidCombo"), kAidCurveColour,
                               QStringLiteral("Right graph, hearing aid"));
    for (ChoiceCombo* box : {LeftSideCurveCombo, RightSideCurveCombo}) {
        for (const char* name : curveShapeNames)
            box->addItem(QString::fromLatin1(name));
    }
    // Only a choice the clinician makes runs a handler: the page sets the lists with
    // their signals blocked.
    connect(LeftSideCurveCombo, &QComboBox::currentIndexChanged, this,
            &TfmCurveEdit::LeftSideCurveComboChange);
    connect(RightSideCurveCombo, &QComboBox::currentIndexChanged, this,
            &TfmCurveEdit::RightSideCurveComboChange);
    connect(LeftSideHAidCombo, &QComboBox::currentIndexChanged, this,
            &TfmCurveEdit::LeftSideHAidComboChange);
    connect(RightSideHAidCombo, &QComboBox::currentIndexChanged, this,
            &TfmCurveEdit::RightSideHAidComboChange);

    // Each control sits over its grid column, as wide as the column's text.
    QWidget* const above[kCurveControlCount] = {LeftSideCurveCombo,  LeftCurveUserPanel,
                                                LeftSideHAidCombo,   RightSideCurveCombo,
                                                RightCurveUserPanel, RightSideHAidCombo};
    const int height = LeftSideCurveCombo->sizeHint().height();
    const int columnLeft = DataEntryGrid->x() + DataEntryGrid->frameWidth();
    for (int k = 0; k < kCurveControlCount; ++k) {
        const int left = columnLeft + DataEntryGrid->columnViewportPosition(k + 1);
        above[k]->setGeometry(left, DataEntryGrid->y() - height, kCurveGridLayout.columnWidth - 1,
                              height);
    }
}

void TfmCurveEdit::buildGraphics() {
    MainGraphicsPanel = new GraphPanel(scene_, this);
    MainGraphicsPanel->setGeometry(kGraphPanelLeft, kGraphPanelTop, kGraphPanelWidth,
                                   kGraphPanelHeight);
    const auto box = [this](const QString& name, int side) {
        auto* graph = new CurveGraphBox(scene_, side, MainGraphicsPanel);
        graph->setObjectName(name);
        graph->setGeometry(kCurveBoxLeft[side], kCurveBoxTop, kCurveBoxSize, kCurveBoxSize);
        return graph;
    };
    LeftCurveGraphBox = box(QStringLiteral("LeftCurveGraphBox"), kLeftSide);
    RightCurveGraphBox = box(QStringLiteral("RightCurveGraphBox"), kRightSide);
    LeftCurveGraphBox->pointerMoved = [this](QPoint p) { LeftCurveGraphBoxMouseMove(p); };
    RightCurveGraphBox->pointerMoved = [this](QPoint p) { RightCurveGraphBoxMouseMove(p); };

    const auto frequencyLabel = [this](const QString& name, int side) {
        auto* label = new FrequencyLabel(MainGraphicsPanel);
        label->setObjectName(name);
        label->setGeometry(kFrequencyLabelLeft[side], kFrequencyLabelTop, kFrequencyLabelWidth,
                           kFrequencyLabelHeight);
        return label;
    };
    LeftCurveFreqTextLabel = frequencyLabel(QStringLiteral("LeftCurveFreqTextLabel"), kLeftSide);
    RightCurveFreqTextLabel = frequencyLabel(QStringLiteral("RightCurveFreqTextLabel"), kRightSide);

    LegendPanel = new LegendFrame(this);
    LegendPanel->setGeometry(kLegendLeft, kLegendTop, kLegendWidth, kLegendHeight);

    const auto readOut = [this](const QString& name, int left) {
        QLabel* label = yellowLabel(this, name, QStringLiteral("I: 30; O: 30"));
        label->setGeometry(left, 457, 96, 13);
        label->setToolTip(QStringLiteral("Input/Output coordinates"));
        return label;
    };
    IOLabel1 = readOut(QStringLiteral("IOLabel1"), 103);
    IOLabel2 = readOut(QStringLiteral("IOLabel2"), 475);

    Label1 = yellowLabel(this, QStringLiteral("Label1"), QString::fromLatin1(kInputAxisTitle));
    Label1->move(258, 456);
    Label1->adjustSize();

    RotateLabel1 = new TRotateLabel(this);
    RotateLabel1->setObjectName(QStringLiteral("RotateLabel1"));
    RotateLabel1->setText(QString::fromLatin1(kOutputAxisTitle));
    RotateLabel1->setEscapement(90);
    RotateLabel1->setTextStyle(TRotateLabel::tsNone);
    QFont axisFont(kSansFamily);
    axisFont.setPointSize(8);
    RotateLabel1->setFont(axisFont);
    setTextColour(RotateLabel1, kYellow);
    RotateLabel1->setAutoSize(true);
    RotateLabel1->move(2, 231);
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
    EarLabel->setText(currentEar == 0 ? QStringLiteral(" RIGHT EAR") : QStringLiteral(" LEFT EAR"));
    EarLabel->adjustSize();
    targets = loadTargets(fitting, currentEar);
    const int style = earAidStyle(fitting, currentEar);
    for (int side = 0; side < kSideCount; ++side)
        fitPoints_[side] = fitPoints(targets, style, side);
    LeftCurveFreqTextLabel->setText(
        QString::fromStdString(graphFrequencyText(targets.graphFrequency[kLeftSide])));
    RightCurveFreqTextLabel->setText(
        QString::fromStdString(graphFrequencyText(targets.graphFrequency[kRightSide])));
    scene_.targets = targets;
    scene_.aidStyle = style;
    scene_.binaural = fitting.binauralFitting == 1;
    MainGraphicsPanel->update();
}

// A choice read from a file outside the lists shows as the first entry.
void TfmCurveEdit::loadPage() {
    const int lf = frequencyIndexOrFirst(targets.graphFrequency[kLeftSide]);
    const int rf = frequencyIndexOrFirst(targets.graphFrequency[kRightSide]);
    const AidSetting(&settings)[kFrequencyCount] = fitting.aidSettings[currentEar == 0 ? 0 : 1];
    setChoice(LeftSideCurveCombo, choiceOrFirst(settings[lf].curveChoice));
    setChoice(LeftSideHAidCombo, choiceOrFirst(settings[lf].aidChoice));
    setChoice(RightSideCurveCombo, choiceOrFirst(settings[rf].curveChoice));
    setChoice(RightSideHAidCombo, choiceOrFirst(settings[rf].aidChoice));

    LeftCurveUserPanel->setText(QString::fromStdString(userPanelCaption(lf)));
    RightCurveUserPanel->setText(QString::fromStdString(userPanelCaption(rf)));
    nameUserCells();

    CurveGrid grid;
    writeStoredCurve(grid, kLeftUserColumn, settings[lf].curve);
    writeStoredCurve(grid, kRightUserColumn, settings[rf].curve);
    showColumn(grid, kLeftUserColumn);
    showColumn(grid, kRightUserColumn);
    fitCurve(kLeftSide, LeftSideCurveCombo->currentIndex());
    fitCurve(kRightSide, RightSideCurveCombo->currentIndex());
    showAid(LeftSideHAidCombo->currentIndex(), kLeftAidColumn, lf);
    showAid(RightSideHAidCombo->currentIndex(), kRightAidColumn, rf);
    readCurves();
}

// The cells the clinician types into are named by ear, graph, column and row, which
// a screen reader announces with the number in the cell.
void TfmCurveEdit::nameUserCells() {
    const QString ear = currentEar == 0 ? QStringLiteral("Right Ear") : QStringLiteral("Left Ear");
    const struct {
        int column;
        const char* graph;
        const QLabel* panel;
    } users[] = {{kLeftUserColumn, "Left graph", LeftCurveUserPanel},
                 {kRightUserColumn, "Right graph", RightCurveUserPanel}};
    for (const auto& user : users) {
        for (int row = 0; row < kRmsRow; ++row) {
            const QString name = QStringLiteral("%1, %2, %3, %4")
                                     .arg(ear, QString::fromLatin1(user.graph), user.panel->text(),
                                          QString::fromLatin1(curveGridRowLabels[row]).trimmed());
            DataEntryGrid->setCellName(user.column, row, name);
        }
    }
}

void TfmCurveEdit::storePage() {
    const int lf = frequencyIndexOrFirst(targets.graphFrequency[kLeftSide]);
    const int rf = frequencyIndexOrFirst(targets.graphFrequency[kRightSide]);
    AidSetting(&settings)[kFrequencyCount] = fitting.aidSettings[currentEar == 0 ? 0 : 1];
    settings[lf].curveChoice = LeftSideCurveCombo->currentIndex();
    settings[lf].aidChoice = LeftSideHAidCombo->currentIndex();
    settings[rf].curveChoice = RightSideCurveCombo->currentIndex();
    settings[rf].aidChoice = RightSideHAidCombo->currentIndex();
    readCurves();
    settings[lf].curve = curves[1];
    settings[rf].curve = curves[4];
}

void TfmCurveEdit::showAid(int aid, int column, int frequency) {
    const QString name = latin1(readText(aidDatabase.aidLongNames[choiceOrFirst(aid)]));
    LeftSideHAidCombo->setToolTip(name);
    RightSideHAidCombo->setToolTip(name);
    LeftSideHAidCombo->setAccessibleDescription(name);
    RightSideHAidCombo->setAccessibleDescription(name);
    CurveGrid grid;
    ::showAid(grid, aidDatabase, aid, column, frequency);
    showColumn(grid, column);
}

void TfmCurveEdit::fitCurve(int side, int shape) {
    CurveGrid grid;
    ::fitCurve(grid, side, shape, fitPoints_[side], maxOutputForFit(targets, side));
    showColumn(grid, side * 3 + 1);
}

// The scores are worked out here rather than while painting, so the RMS row is
// right as soon as the curves change, and both graphs show what the grid holds.
void TfmCurveEdit::readCurves() {
    CurveGrid grid = gridTexts();
    ::readCurves(grid, curves);
    scoreCompleteCurves(grid, curves, fitPoints_);
    for (int column = 1; column < kGridColumns; ++column)
        DataEntryGrid->setCellText(column, kRmsRow,
                                   QString::fromStdString(grid.cell[column][kRmsRow]));
    repaintCurves();
}

void TfmCurveEdit::repaintCurves() {
    std::copy(std::begin(curves), std::end(curves), std::begin(scene_.curves));
    LeftCurveGraphBox->update();
    RightCurveGraphBox->update();
}

void TfmCurveEdit::showColumn(const CurveGrid& grid, int column) {
    for (int row = 0; row < kGridRows; ++row)
        DataEntryGrid->setCellText(column, row, QString::fromStdString(grid.cell[column][row]));
}

CurveGrid TfmCurveEdit::gridTexts() const {
    DataEntryGrid->commitEditor();
    CurveGrid grid;
    for (int column = 1; column < kGridColumns; ++column) {
        for (int row = 0; row < kGridRows; ++row)
            grid.cell[column][row] = DataEntryGrid->cellText(column, row).toStdString();
    }
    return grid;
}

QString TfmCurveEdit::controlText(int control) const {
    switch (control) {
    case kLeftSideCurveCombo:
        return LeftSideCurveCombo->currentText();
    case kLeftCurveUserPanel:
        return LeftCurveUserPanel->text();
    case kLeftSideHAidCombo:
        return LeftSideHAidCombo->currentText();
    case kRightSideCurveCombo:
        return RightSideCurveCombo->currentText();
    case kRightCurveUserPanel:
        return RightCurveUserPanel->text();
    case kRightSideHAidCombo:
        return RightSideHAidCombo->currentText();
    default:
        return QString();
    }
}

// --- handlers -----------------------------------------------------------------

QWidget* TfmCurveEdit::firstField() const {
    return DataEntryGrid;
}

// The page always opens on the right ear, with the aid names as the database has
// them now.
void TfmCurveEdit::FormShow() {
    currentEar = 0;
    for (ChoiceCombo* box : {LeftSideHAidCombo, RightSideHAidCombo}) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (const auto& name : aidDatabase.aidShortNames)
            box->addItem(latin1(readText(name)));
    }
    loadEar();
    loadPage();
    DataEntryGrid->setCurrentCell(0, kLeftUserColumn);
    DataEntryGrid->setFocus();
}

void TfmCurveEdit::FormHide() {
    storePage();
}

void TfmCurveEdit::ToggleEarButtonClick() {
    storePage();
    currentEar = 1 - currentEar;
    loadEar();
    loadPage();
    readCurves();
    MainGraphicsPanel->update();
}

void TfmCurveEdit::curveComboChanged(int side) {
    const ChoiceCombo* box = side == kLeftSide ? LeftSideCurveCombo : RightSideCurveCombo;
    fitCurve(side, box->currentIndex());
    readCurves();
    markModified();
}

void TfmCurveEdit::LeftSideCurveComboChange() {
    curveComboChanged(kLeftSide);
}

void TfmCurveEdit::RightSideCurveComboChange() {
    curveComboChanged(kRightSide);
}

// The two aid combos always show the same aid. Choosing one stores the page but is
// not counted as a change of the patient's data.
void TfmCurveEdit::aidComboChanged(ChoiceCombo* changed, ChoiceCombo* other) {
    setChoice(other, changed->currentIndex());
    showAid(LeftSideHAidCombo->currentIndex(), kLeftAidColumn,
            frequencyIndexOrFirst(targets.graphFrequency[kLeftSide]));
    showAid(RightSideHAidCombo->currentIndex(), kRightAidColumn,
            frequencyIndexOrFirst(targets.graphFrequency[kRightSide]));
    storePage();
    readCurves();
}

void TfmCurveEdit::LeftSideHAidComboChange() {
    aidComboChanged(LeftSideHAidCombo, RightSideHAidCombo);
}

void TfmCurveEdit::RightSideHAidComboChange() {
    aidComboChanged(RightSideHAidCombo, LeftSideHAidCombo);
}

// The report prints what the grid shows: the curves are read first, then the page
// hands its control texts, ear, targets and curves to the print command.
void TfmCurveEdit::PrintButtonClick() {
    readCurves();
    PrintRequest request;
    for (int control = 0; control < kCurveControlCount; ++control)
        request.controls[control] = controlText(control);
    request.currentEar = currentEar;
    request.targets = targets;
    std::copy(std::begin(curves), std::end(curves), std::begin(request.curves));
    if (printCommand)
        printCommand(request);
}

// Moving to another cell after an edit reads the grid again.
bool TfmCurveEdit::DataEntryGridSelectCell(int column, int row) {
    if (gridEdited) {
        readCurves();
        gridEdited = false;
    }
    return curveCellSelectable(column, row);
}

// Each row takes its own characters; everything else is swallowed. Enter reads the
// grid after an edit and stays in the cell. Keys that type nothing (arrows, Home)
// pass; Delete passes too, and the change it makes counts as an edit.
bool TfmCurveEdit::DataEntryGridKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        enterPressed();
        return true;
    }
    if (event->key() == Qt::Key_Backspace) {
        gridEdited = true;
        markModified();
        return false;
    }
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Delete)
        return false;
    if (text.size() > 1 || !curveCellAccepts(DataEntryGrid->currentRow(), text.at(0).unicode()))
        return true;
    gridEdited = true;
    markModified();
    return false;
}

void TfmCurveEdit::enterPressed() {
    if (gridEdited)
        readCurves();
}

void TfmCurveEdit::DataEntryGridDrawCell(QPainter& painter, int column, int row,
                                         const QRect& rect) {
    painter.fillRect(rect, column == 0 ? palette().color(QPalette::Button) : QColor(Qt::white));
    painter.save();
    painter.setFont(cellFont());
    painter.setPen(Qt::black);
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     DataEntryGrid->cellText(column, row));
    painter.restore();
}

void TfmCurveEdit::showReadOut(QLabel* label, const QWidget* box, QPoint position) {
    const ReadOut levels = pointerReadOut(position.x(), position.y(), box->width(), box->height());
    label->setText(QString::fromStdString(readOutText(levels)));
}

void TfmCurveEdit::LeftCurveGraphBoxMouseMove(QPoint position) {
    showReadOut(IOLabel1, LeftCurveGraphBox, position);
}

void TfmCurveEdit::RightCurveGraphBoxMouseMove(QPoint position) {
    showReadOut(IOLabel2, RightCurveGraphBox, position);
}
