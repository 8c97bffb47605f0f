#include "curves/curvegrapharea.h"

#include "controls/pageform.h"
#include "controls/rotatelabel.h"
#include "curves/graphgeometry.h"
#include "curves/graphwidgets.h"
#include "platform/fontnames.h"

#include <QLabel>

#include <algorithm>

namespace {

const QColor kYellow(255, 255, 0);

} // namespace

QLabel* yellowPageLabel(QWidget* page, const QString& name, const QString& text) {
    auto* label = new QLabel(text, page);
    label->setObjectName(name);
    setTextColour(label, kYellow);
    return label;
}

void CurveGraphArea::build(QWidget* page) {
    buildGraphs(page);
    buildCaptions(page);
}

void CurveGraphArea::buildGraphs(QWidget* page) {
    MainGraphicsPanel = new GraphPanel(scene_, page);
    MainGraphicsPanel->setGeometry(kGraphPanelLeft, kGraphPanelTop, kGraphPanelWidth,
                                   kGraphPanelHeight);
    const auto box = [this](const QString& name, GraphSide side) {
        auto* graph = new CurveGraphBox(scene_, side, MainGraphicsPanel);
        graph->setObjectName(name);
        graph->setGeometry(kCurveBoxLeft[sideIndex(side)], kCurveBoxTop, kCurveBoxSize,
                           kCurveBoxSize);
        return graph;
    };
    LeftCurveGraphBox = box(QStringLiteral("LeftCurveGraphBox"), GraphSide::Left);
    RightCurveGraphBox = box(QStringLiteral("RightCurveGraphBox"), GraphSide::Right);

    const auto frequencyLabel = [this](const QString& name, GraphSide side) {
        auto* label = new FrequencyLabel(MainGraphicsPanel);
        label->setObjectName(name);
        label->setGeometry(kFrequencyLabelLeft[sideIndex(side)], kFrequencyLabelTop,
                           kFrequencyLabelWidth, kFrequencyLabelHeight);
        return label;
    };
    LeftCurveFreqTextLabel =
        frequencyLabel(QStringLiteral("LeftCurveFreqTextLabel"), GraphSide::Left);
    RightCurveFreqTextLabel =
        frequencyLabel(QStringLiteral("RightCurveFreqTextLabel"), GraphSide::Right);

    LegendPanel = new LegendFrame(page);
    LegendPanel->setGeometry(kLegendLeft, kLegendTop, kLegendWidth, kLegendHeight);
}

// The read-outs under the graphs and the titles of both axes.
void CurveGraphArea::buildCaptions(QWidget* page) {
    const auto readOut = [page](const QString& name, int left) {
        QLabel* label = yellowPageLabel(page, name, QStringLiteral("I: 30; O: 30"));
        label->setGeometry(left, 457, 96, 13);
        label->setToolTip(QStringLiteral("Input/Output coordinates"));
        return label;
    };
    IOLabel1 = readOut(QStringLiteral("IOLabel1"), 103);
    IOLabel2 = readOut(QStringLiteral("IOLabel2"), 475);

    Label1 = yellowPageLabel(page, QStringLiteral("Label1"), QString::fromLatin1(kInputAxisTitle));
    Label1->move(258, 456);
    Label1->adjustSize();

    RotateLabel1 = new TRotateLabel(page);
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

void CurveGraphArea::showEar(const TargetState& targets, int32_t aidStyle, bool binaural) {
    LeftCurveFreqTextLabel->setText(QString::fromStdString(
        graphFrequencyText(targets.graphFrequency[sideIndex(GraphSide::Left)])));
    RightCurveFreqTextLabel->setText(QString::fromStdString(
        graphFrequencyText(targets.graphFrequency[sideIndex(GraphSide::Right)])));
    scene_.targets = targets;
    scene_.aidStyle = aidStyle;
    scene_.binaural = binaural;
    MainGraphicsPanel->update();
}

void CurveGraphArea::showCurves(const CurveParams (&curves)[kCurveCount]) {
    std::copy(std::begin(curves), std::end(curves), std::begin(scene_.curves));
    LeftCurveGraphBox->update();
    RightCurveGraphBox->update();
}

void CurveGraphArea::scheduleRepaint() {
    MainGraphicsPanel->update();
}

void CurveGraphArea::showReadOut(GraphSide side, QPoint position) {
    const CurveGraphBox* box = graphBox(side);
    const ReadOut levels = pointerReadOut(position.x(), position.y(), box->width(), box->height());
    QLabel* label = side == GraphSide::Left ? IOLabel1 : IOLabel2;
    label->setText(QString::fromStdString(readOutText(levels)));
}

void CurveGraphArea::clearReadOuts() {
    IOLabel1->clear();
    IOLabel2->clear();
}

CurveGraphBox* CurveGraphArea::graphBox(GraphSide side) const {
    return side == GraphSide::Left ? LeftCurveGraphBox : RightCurveGraphBox;
}
