#include "curves/curvechoicebar.h"

#include "controls/choicecombo.h"
#include "controls/datagrid.h"
#include "curves/curvegraphs.h"
#include "curves/curveload.h"
#include "model/textslot.h"
#include "platform/qtcolour.h"

#include <QLabel>
#include <QSignalBlocker>

namespace {

// Sets a list's choice from the program, which runs no change handler.
void setChoice(QComboBox* box, int index) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}

ChoiceCombo* choiceCombo(QWidget* page, const QString& name, const QColor& colour,
                         const QString& what) {
    auto* box = new ChoiceCombo(page);
    box->setObjectName(name);
    box->setFaceColour(colour);
    box->setAccessibleName(what);
    return box;
}

// A curve list's tool tip: what the shape it shows is.
void hintShape(ChoiceCombo* box) {
    box->setToolTip(box->currentData(Qt::ToolTipRole).toString());
}

// A lowered lime panel that only shows its caption.
QLabel* userPanel(QWidget* page, const QString& name, const QString& what) {
    auto* panel = new QLabel(page);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, qColor(kGraphCurveColours.user));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::black);
    panel->setPalette(palette);
    panel->setEnabled(false);
    panel->setAccessibleName(what);
    return panel;
}

} // namespace

QString qStringFromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void CurveChoiceBar::build(QWidget* page, const DataGrid& grid, int columnWidth) {
    buildControls(page);
    QWidget* const above[kCurveControlCount] = {LeftSideCurveCombo,  LeftCurveUserPanel,
                                                LeftSideHAidCombo,   RightSideCurveCombo,
                                                RightCurveUserPanel, RightSideHAidCombo};
    const int height = LeftSideCurveCombo->sizeHint().height();
    const int columnLeft = grid.x() + grid.frameWidth();
    for (int k = 0; k < kCurveControlCount; ++k) {
        const int left = columnLeft + grid.columnViewportPosition(k + 1);
        above[k]->setGeometry(left, grid.y() - height, columnWidth, height);
    }
}

// The controls are made in the order they stand, left to right.
void CurveChoiceBar::buildControls(QWidget* page) {
    LeftSideCurveCombo =
        choiceCombo(page, QStringLiteral("LeftSideCurveCombo"), qColor(kGraphCurveColours.fitted),
                    QStringLiteral("Left graph, fitted curve"));
    LeftCurveUserPanel = userPanel(page, QStringLiteral("LeftCurveUserPanel"),
                                   QStringLiteral("Left graph, user curve"));
    LeftSideHAidCombo =
        choiceCombo(page, QStringLiteral("LeftSideHAidCombo"), qColor(kGraphCurveColours.aid),
                    QStringLiteral("Left graph, hearing aid"));
    RightSideCurveCombo =
        choiceCombo(page, QStringLiteral("RightSideCurveCombo"), qColor(kGraphCurveColours.fitted),
                    QStringLiteral("Right graph, fitted curve"));
    RightCurveUserPanel = userPanel(page, QStringLiteral("RightCurveUserPanel"),
                                    QStringLiteral("Right graph, user curve"));
    RightSideHAidCombo =
        choiceCombo(page, QStringLiteral("RightSideHAidCombo"), qColor(kGraphCurveColours.aid),
                    QStringLiteral("Right graph, hearing aid"));
    for (ChoiceCombo* box : {LeftSideCurveCombo, RightSideCurveCombo}) {
        for (int shape = 0; shape < kCurveShapeCount; ++shape) {
            box->addItem(QString::fromLatin1(curveShapeNames[shape]));
            box->setItemData(shape, QString::fromLatin1(curveShapeHints[shape]), Qt::ToolTipRole);
        }
        // The closed list says what the shape shown is.
        QObject::connect(box, &QComboBox::currentIndexChanged, box, [box] { hintShape(box); });
    }
}

ChoiceCombo* CurveChoiceBar::curveCombo(GraphSide side) const {
    return side == GraphSide::Left ? LeftSideCurveCombo : RightSideCurveCombo;
}

ChoiceCombo* CurveChoiceBar::aidCombo(GraphSide side) const {
    return side == GraphSide::Left ? LeftSideHAidCombo : RightSideHAidCombo;
}

void CurveChoiceBar::showChoices(const AidSetting& left, const AidSetting& right) {
    setChoice(LeftSideCurveCombo, choiceOrFirst(left.curveChoice));
    setChoice(LeftSideHAidCombo, choiceOrFirst(left.aidChoice));
    setChoice(RightSideCurveCombo, choiceOrFirst(right.curveChoice));
    setChoice(RightSideHAidCombo, choiceOrFirst(right.aidChoice));
    hintShape(LeftSideCurveCombo);
    hintShape(RightSideCurveCombo);
}

void CurveChoiceBar::showUserCaptions(int leftFrequency, int rightFrequency) {
    LeftCurveUserPanel->setText(QString::fromStdString(userPanelCaption(leftFrequency)));
    RightCurveUserPanel->setText(QString::fromStdString(userPanelCaption(rightFrequency)));
}

QString CurveChoiceBar::userCaption(GraphSide side) const {
    return (side == GraphSide::Left ? LeftCurveUserPanel : RightCurveUserPanel)->text();
}

void CurveChoiceBar::listAids(const AidDatabase& database) {
    for (ChoiceCombo* box : {LeftSideHAidCombo, RightSideHAidCombo}) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (const auto& name : database.aidShortNames)
            box->addItem(qStringFromLatin1(readText(name)));
    }
}

void CurveChoiceBar::nameAid(const QString& longName) {
    for (ChoiceCombo* box : {LeftSideHAidCombo, RightSideHAidCombo}) {
        box->setToolTip(longName);
        box->setAccessibleDescription(longName);
    }
}

void CurveChoiceBar::matchAid(GraphSide changedSide) {
    setChoice(aidCombo(otherSide(changedSide)), aidCombo(changedSide)->currentIndex());
}

QString CurveChoiceBar::controlText(int control) const {
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
