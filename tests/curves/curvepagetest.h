// The curve page against the real main window: the ears, levels and helpers its window
// tests share.
#pragma once

#include "controls/datagrid.h"
#include "curves/curvegraphs.h"
#include "curves/curveload.h"
#include "curves/curvepage.h"
#include "model/patientfile.h"
#include "testsupport/programfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>

using Kind = ScriptedDialogService::Kind;

constexpr int k1000 = 2, k4000 = 5;
constexpr int kRightEar = 0;

class CurvePageTest : public ProgramFixture {
  protected:
    // The right ear of a BTE wearer measured at 1000 Hz (VS 50, CSS 70, CSL 90, UCL
    // 100), nothing at 4000 Hz; the left ear measured at 500 and 3000 Hz. The right
    // ear's graphs show 1000 and 4000 Hz.
    void SetUp() override {
        ProgramFixture::SetUp();
        fitting.rightAidStyle = 0;
        fitting.rightRangeLow = k1000;
        fitting.rightRangeHigh = k4000;
        const int levels[8] = {30, 50, 60, 70, 80, 90, 95, 100};
        for (int c = 0; c < 8; ++c) {
            fitting.rightLoudness[k1000][c] = levels[c];
            fitting.leftLoudness[1][c] = levels[c] + 5;
            fitting.leftLoudness[4][c] = levels[c] + 10;
        }
        // The patient page is shown and would store its own style on leaving.
        fmClientInfo->loadPatientPage();
        showCurvePage();
    }

    static void showCurvePage() { click("EditCurveButton"); }
    static void leavePage() { click("ClientInfoButton"); }

    static DataGrid* grid() { return find<DataGrid>("DataEntryGrid"); }
    static QString cell(int column, int row) { return grid()->cellText(column, row); }

    static QStringList column(int c) {
        QStringList texts;
        for (int row = 0; row < 7; ++row)
            texts << cell(c, row);
        return texts;
    }

    static void type(int column, int row, const QString& keys) {
        typeInCell(grid(), column, row, keys);
    }

    static void typeColumn(int c, const QStringList& texts) {
        for (int row = 0; row < texts.size(); ++row)
            type(c, row, texts[row]);
        // Moving on reads the grid.
        grid()->setCurrentCell(0, c);
        settle();
    }

    static void pressEnter() {
        QTest::keyClick(grid()->cellEditor(), Qt::Key_Return);
        settle();
    }

    // A choice made by the clinician in a drop-down list.
    static void choose(const char* comboName, int index) {
        auto* combo = find<QComboBox>(comboName);
        combo->setFocus();
        combo->setCurrentIndex(index);
        settle();
    }

    static QString earShown() { return find<QLabel>("EarLabel")->text(); }

    void saveAs(const std::string& path) {
        script.setNextFileName(QString::fromStdString(path));
        trigger("SaveAs1");
    }

    void load(const std::string& path) {
        script.setNextFileName(QString::fromStdString(path));
        trigger("Load1");
    }

    TempDir files;
};
