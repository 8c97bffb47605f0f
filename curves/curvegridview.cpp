#include "curves/curvegridview.h"

#include "controls/datagrid.h"
#include "curves/curvefit.h"
#include "platform/fontnames.h"

#include <QPainter>

namespace {

// Seven parameter rows of 16 pixels and the row labels in a 107-pixel column, then
// six curve columns of 82 pixels; each with its grid line.
const DataGridLayout kCurveGridLayout{kGridColumns, kGridRows, 83, 108, 17, 19, Qt::AlignCenter};

QFont cellFont() {
    QFont font(kSansFamily);
    font.setPointSize(8);
    return font;
}

} // namespace

DataGrid* makeCurveEntryGrid(QWidget* page) {
    auto* grid = new DataGrid(QStringLiteral("DataEntryGrid"), kCurveGridLayout, page);
    grid->move(5, 28);
    grid->setFont(cellFont());
    grid->setAccessibleName(QStringLiteral("Curve parameters"));
    for (int row = 0; row < kGridRows; ++row)
        grid->setCellText(0, row, QString::fromLatin1(curveGridRowLabels[row]));
    return grid;
}

int curveColumnTextWidth() {
    return kCurveGridLayout.columnWidth - 1;
}

void showGridColumn(DataGrid& grid, const CurveGrid& texts, int column) {
    for (int row = 0; row < kGridRows; ++row)
        grid.setCellText(column, row, QString::fromStdString(texts.cell[column][row]));
}

void showGridScores(DataGrid& grid, const CurveGrid& texts) {
    for (int column = 1; column < kGridColumns; ++column)
        grid.setCellText(column, kRowRmsError,
                         QString::fromStdString(texts.cell[column][kRowRmsError]));
}

CurveGrid curveGridTexts(DataGrid& grid) {
    grid.commitEditor();
    CurveGrid texts;
    for (int column = 1; column < kGridColumns; ++column) {
        for (int row = 0; row < kGridRows; ++row)
            texts.cell[column][row] = grid.cellText(column, row).toStdString();
    }
    return texts;
}

void nameUserCells(DataGrid& grid, const QString& ear, const QString& leftCaption,
                   const QString& rightCaption) {
    const struct {
        int column;
        const char* graph;
        const QString& caption;
    } users[] = {{kLeftUserColumn, "Left graph", leftCaption},
                 {kRightUserColumn, "Right graph", rightCaption}};
    for (const auto& user : users) {
        for (int row = 0; row < kRowRmsError; ++row) {
            const QString name = QStringLiteral("%1, %2, %3, %4")
                                     .arg(ear, QString::fromLatin1(user.graph), user.caption,
                                          QString::fromLatin1(curveGridRowLabels[row]).trimmed());
            grid.setCellName(user.column, row, name);
        }
    }
}

QString userCellPlace(int column, int row, const QString& caption) {
    const QString graph =
        column == kLeftUserColumn ? QStringLiteral("Left graph") : QStringLiteral("Right graph");
    return QStringLiteral("%1, %2, %3: ")
        .arg(graph, caption, QString::fromLatin1(curveGridRowLabels[row]).trimmed());
}

QString refusedCurveCellNote(int column, int row, const QString& choice, const QString& caption) {
    const QString typeHere =
        QStringLiteral("; type your own curve in the \"%1\" column.").arg(caption);
    if (column == 0)
        return QStringLiteral("The row names cannot be typed into") + typeHere;
    if (row == kRowRmsError)
        return QStringLiteral("The RMS error is worked out from the curve and the targets.");
    if (column == kLeftUserColumn - 1 || column == kRightUserColumn - 1) {
        const QString fitted = choice == QString::fromLatin1(curveShapeNames[0])
                                   ? QStringLiteral("A fitted curve's values")
                                   : choice + QStringLiteral("'s values");
        return fitted + QStringLiteral(" are fitted to the targets") + typeHere;
    }
    return choice + QStringLiteral("'s values come from the hearing aid database") + typeHere;
}

void drawCurveCell(QPainter& painter, const DataGrid& grid, int column, int row, const QRect& rect,
                   const QColor& buttonFace) {
    painter.fillRect(rect, column == 0 ? buttonFace : QColor(Qt::white));
    painter.save();
    painter.setFont(cellFont());
    painter.setPen(Qt::black);
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     grid.cellText(column, row));
    painter.restore();
}
