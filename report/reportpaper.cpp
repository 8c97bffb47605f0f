#include "report/reportpaper.h"

#include "platform/fontnames.h"
#include "report/reportdrawing.h"

#include <QPainter>

GraphMedium paperMedium(const QPainter& painter) {
    return {QColor(Qt::black), reportFont(kSansFamily, kTextPointSize), false,
            hatchScaleFor(*painter.device())};
}

PageSize pageOf(const PrintData& data) {
    return {data.pageWidth, data.pageHeight};
}

QString qtext(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

int32_t reportStyle(const PrintData& data) {
    return data.printEar == Ear::Right ? data.rightAidStyle : data.leftAidStyle;
}

void clearBrush(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
}

void textLeft(GraphPainter& g, const PageSize& page, PageFraction fx, PageFraction fy,
              const QString& text) {
    g.text(pageX(page, fx), pageY(page, fy), text);
}

void textCentred(GraphPainter& g, const PageSize& page, PageFraction fx, PageFraction fy,
                 const QString& text) {
    g.text(centredTextX(page, fx, g.textWidth(text)), pageY(page, fy), text);
}
