// The loudness data page against the real main window: the helpers its window tests
// share.
#pragma once

#include "model/patientfile.h"
#include "testsupport/programfixture.h"
#include "testsupport/recordingpaintdevice.h"

#include <QStatusBar>

class LoudnessPageFixture : public ProgramFixture {
  protected:
    static DataGrid* grid(Ear ear) {
        return find<DataGrid>(ear == Ear::Right ? "RightEarLOUDMAPDataGrid"
                                                : "LeftEarLOUDMAPDataGrid");
    }
    static QString note() { return fmWinMain->statusBar()->currentMessage(); }
    static QRect cellRect(DataGrid* g, int column, int row) {
        return g->visualRect(g->model()->index(row, column));
    }
    static void clickCell(DataGrid* g, int column, int row) {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellRect(g, column, row).center());
        settle();
    }
    // The colour a cell is filled with, as the grid paints itself.
    static QColor fillOf(DataGrid* g, int column, int row) {
        RecordingPaintDevice device(g->viewport()->size());
        g->viewport()->render(&device);
        const QRectF cell = cellRect(g, column, row);
        QColor fill;
        for (const PaintItem& item : device.itemsOfKind(PaintItem::Kind::Rect)) {
            if (item.rect == cell && item.brush.style() == Qt::SolidPattern)
                fill = item.brush.color();
        }
        return fill;
    }
    static std::string tipOf(DataGrid* g, int column, int row) {
        return g->item(row, column)->toolTip().toStdString();
    }

    // A patient written to a file and loaded with File / Load, on the loudness page.
    void loadPatient(const FittingRecord& record) {
        const std::string path = patientFiles.file("patient.TAV");
        writePatientFile(path, record);
        script.setNextFileName(QString::fromStdString(path));
        trigger("Load1");
        click("SpeedButton3");
    }

    // Sets an ear's level source on the patient page, as the clinician does.
    static void chooseSource(Ear ear, int source) {
        click("ClientInfoButton");
        const QString name = QStringLiteral("%1%2")
                                 .arg(ear == Ear::Right ? "LLRightEar" : "LLLeftEar")
                                 .arg(source + 1);
        click(name.toLatin1().constData());
        click("SpeedButton3");
    }

    TempDir patientFiles;
};
