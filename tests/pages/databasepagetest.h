// The hearing-aid database page against the real main window: the helpers its window
// tests share.
#pragma once

#include "controls/datagrid.h"
#include "model/aiddatabase.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

using Kind = ScriptedDialogService::Kind;

constexpr int kGain = 0, kRatio1 = 2, kMaxOutput = 5;

class DatabasePageTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        showDatabasePage();
    }

    static void showDatabasePage() { click("SpeedButton4"); }

    static DataGrid* grid() { return find<DataGrid>("HADataGrid"); }
    static QLineEdit* longName() { return find<QLineEdit>("EditLongName"); }
    static QLineEdit* shortName() { return find<QLineEdit>("EditShortName"); }
    static QString position() { return find<QLabel>("CurrentRecLabel")->text(); }

    static void type(int column, int row, const QString& keys) {
        typeInCell(grid(), column, row, keys);
    }

    static void typeName(QLineEdit* edit, const QString& keys) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
    }

    // Which of First, Prev, Next and Last are enabled, as "FPNL" with "-" for disabled.
    static QString buttonStates() {
        QString states;
        for (const char* name :
             {"FirstRecButton", "PrevRecButton", "NextRecButton", "LastRecButton"})
            states += find<QToolButton>(name)->isEnabled() ? QChar(name[0]) : QChar('-');
        return states;
    }

    std::vector<ScriptedDialogService::Shown> errors() const { return script.shownOf(Kind::Error); }

    // A bad ratio in the second column of the shown entry.
    static void typeBadNumber() { type(1, kRatio1, "2..5"); }
};
