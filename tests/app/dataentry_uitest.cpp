// Data entry a clinician can trust, on every page of the real window.
#include "app/pagetable.h"
#include "model/patientfile.h"
#include "testsupport/programfixture.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QSpontaneKeyEvent>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <map>

namespace {

class DataEntryTest : public ProgramFixture {
  protected:
    // Both ears' levels predicted from the threshold: only THR can be typed into. The
    // right threshold at 250 Hz shows as 25 dB HL.
    void SetUp() override {
        ProgramFixture::SetUp();
        fitting.rightLevelSource = fitting.leftLevelSource = 1;
        fitting.rightLoudness[0][0] = 40;
        fmClientInfo->loadPatientPage();
    }

    static DataGrid* loudnessGrid() { return find<DataGrid>("RightEarLOUDMAPDataGrid"); }

    // The control with the focus, a grid standing for its cell editor.
    static QString focusName() {
        QWidget* focus = QApplication::focusWidget();
        for (QWidget* w = focus; w; w = w->parentWidget()) {
            if (qobject_cast<DataGrid*>(w))
                return w->objectName();
        }
        return focus ? focus->objectName() : QStringLiteral("(none)");
    }

    static QString accessibleText(QWidget* widget, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(widget)->text(text);
    }
};

TEST_F(DataEntryTest, AClickOnACellThePageRefusesChangesNothing) {
    struct Case {
        const char *pageButton, *grid, *focusElsewhere; // no focusElsewhere: typing in the cell
        int column, row;
        const char* typed;
        int refusedColumn, refusedRow;
        const char* textAfterA7;
        const char* clickedGrid = nullptr; // another grid of the page, clicked
    };
    // typed "": the page as just shown, its first cell's text selected.
    const Case cases[] = {
        {"SpeedButton3", "RightEarLOUDMAPDataGrid", nullptr, 0, 0, "", 3, 2, "25",
         "LeftEarLOUDMAPDataGrid"},
        {"SpeedButton3", "RightEarLOUDMAPDataGrid", nullptr, 0, 0, "", 3, 2, "25"},
        {"SpeedButton3", "RightEarLOUDMAPDataGrid", "RightEarLeftFreqComboBox", 0, 0, nullptr, 5, 3,
         "25"},
        {"SpeedButton3", "RightEarLOUDMAPDataGrid", nullptr, 0, 2, "55", 5, 3, "55"},
        {"EditCurveButton", "DataEntryGrid", nullptr, 2, 2, "2", 1, 2, "2"},
        {"EditCurveButton", "DataEntryGrid", "LeftSideCurveCombo", 2, 0, nullptr, 5, 6, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.grid) + (c.typed ? " typing" : " unfocused") +
                     (c.typed && !*c.typed ? " as shown" : ""));
        click(c.pageButton);
        DataGrid* grid = find<DataGrid>(c.grid);
        if (c.typed && !*c.typed) {
            // As shown by the page button.
        } else if (c.typed) {
            typeInCell(grid, c.column, c.row, c.typed);
        } else {
            grid->setCurrentCell(c.row, c.column);
            find<QWidget>(c.focusElsewhere)->setFocus();
        }
        settle();
        QWidget* focus = QApplication::focusWidget();
        DataGrid* clicked = c.clickedGrid ? find<DataGrid>(c.clickedGrid) : grid;
        fmWinMain->statusBar()->clearMessage();
        const QRect refused =
            clicked->visualRect(clicked->model()->index(c.refusedRow, c.refusedColumn));
        QTest::mouseClick(clicked->viewport(), Qt::LeftButton, {}, refused.center());
        settle();
        EXPECT_FALSE(fmWinMain->statusBar()->currentMessage().isEmpty()) << "it says why";
        EXPECT_EQ(QApplication::focusWidget(), focus);
        EXPECT_EQ(std::pair(grid->currentColumn(), grid->currentRow()), std::pair(c.column, c.row));
        QLineEdit* editor = grid->cellEditor();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
        EXPECT_EQ(editor ? editor->text() : grid->cellText(c.column, c.row), c.textAfterA7);
        click("ClientInfoButton");
    }
}

TEST_F(DataEntryTest, TheWheelTurnsAListOnlyWhileItHasTheFocus) {
    const std::tuple<const char*, const char*, QStringList> pages[] = {
        {"ClientInfoButton", "EditLastName", {"RightHATypeComboBox", "LeftHATypeComboBox"}},
        {"SpeedButton3",
         "SelectdBHL",
         {"RightEarLeftFreqComboBox", "RightEarRightFreqComboBox", "LeftEarLeftFreqComboBox",
          "LeftEarRightFreqComboBox"}},
        {"EditCurveButton",
         "DataEntryGrid",
         {"LeftSideCurveCombo", "LeftSideHAidCombo", "RightSideCurveCombo", "RightSideHAidCombo"}},
    };
    // A notch as the window system delivers it, which may also give the focus.
    const auto turnWheel = [](QWidget* widget) {
        QWheelEvent wheel(QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::instance()->notify(widget, &wheel);
        settle();
    };
    for (const auto& [pageButton, elsewhere, combos] : pages) {
        click(pageButton);
        for (const QString& name : combos) {
            SCOPED_TRACE(name.toStdString());
            auto* combo = find<QComboBox>(name.toLatin1());
            combo->setCurrentIndex(0);
            find<QWidget>(elsewhere)->setFocus();
            document.modified = false;
            turnWheel(combo);
            EXPECT_EQ(combo->currentIndex(), 0);
            EXPECT_FALSE(document.modified || combo->hasFocus());
            combo->setFocus();
            turnWheel(combo);
            EXPECT_EQ(combo->currentIndex(), 1) << "with the focus the wheel turns it";
        }
    }
}

TEST_F(DataEntryTest, TheFocusComesBackAfterAMenuADialogOrAMessageBoxAndStartsNewAndLoad) {
    TempDir files;
    FittingRecord other{};
    resetFitting(other, "01/02/2003");
    writePatientFile(files.file("other.TAV"), other);
    struct Case {
        const char* what;
        Qt::Key menu, item;
        std::string savedTo; // the current file, for Save
        bool realDialogs;
        const char* focusAfter; // none: the cell editor as it was left
    };
    const Case cases[] = {
        {"File, Save", Qt::Key_F, Qt::Key_S, files.file("kept.TAV"), false, nullptr},
        {"a message box: Save fails", Qt::Key_F, Qt::Key_S, files.file("none/kept.TAV"), true,
         nullptr},
        {"a dialog: Help, About", Qt::Key_H, Qt::Key_A, "", true, nullptr},
        {"File, New", Qt::Key_F, Qt::Key_N, "", false, "EditLastName"},
        {"File, Load", Qt::Key_F, Qt::Key_L, "", false, "EditLastName"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        click("SpeedButton3");
        typeInCell(loudnessGrid(), 0, 2, "65");
        QTest::keyClick(loudnessGrid()->cellEditor(), Qt::Key_F2);
        QTest::keyClick(loudnessGrid()->cellEditor(), Qt::Key_Left);
        document.currentFilePath = c.savedTo;
        script.setNextAnswer(DialogAnswer::No);
        script.setNextFileName(QString::fromStdString(files.file("other.TAV")));
        // A clinician closes each real dialog and message box that opens.
        int closed = 0;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&closed] {
            if (QWidget* modal = QApplication::activeModalWidget())
                closed += modal->close();
        });
        closer.start(10);
        if (c.realDialogs)
            installDialogService(nullptr);
        chooseFromMenu(c.menu, c.item);
        installDialogService(&script);
        script.clear();
        returnToMainWindow();
        EXPECT_EQ(closed, c.realDialogs ? 1 : 0);
        if (c.focusAfter) {
            EXPECT_EQ(focusName(), c.focusAfter);
            continue;
        }
        QLineEdit* editor = loudnessGrid()->cellEditor();
        ASSERT_EQ(QApplication::focusWidget(), editor);
        EXPECT_EQ(loudnessGrid()->currentRow(), 2);
        QTest::keyClick(editor, Qt::Key_0);
        EXPECT_EQ(editor->text(), "605") << "typing goes on where it stopped";
        click("ClientInfoButton");
    }
}

// Every page of the page table, keyed by its tool bar button, needs its row here, so a
// new page is checked the day it is added.
TEST_F(DataEntryTest, TabGoesRoundEveryControlOfAPageInReadingOrderFromItsFirstField) {
    const std::map<QString, QStringList> tabOrders = {
        {"ClientInfoButton",
         {"EditLastName", "EditFirstName", "EditMI", "EditID", "EditDOB", "EditClinician",
          "EditTestDate", "CommentsMemo", "RightHATypeComboBox", "LeftHATypeComboBox",
          "SelectMonaural", "SelectBinaural", "LLRightEar1", "LLLeftEar1", "LLRightEar2",
          "LLLeftEar2", "LLRightEar3", "LLLeftEar3"}},
        {"SpeedButton3",
         {"RightEarLOUDMAPDataGrid", "RightInterpolateButton", "RightEarLeftFreqComboBox",
          "RightEarRightFreqComboBox", "LeftEarLOUDMAPDataGrid", "LeftInterpolateButton",
          "LeftEarLeftFreqComboBox", "LeftEarRightFreqComboBox", "SelectdBHL", "SelectdBSPL"}},
        {"SpeedButton4",
         {"EditLongName", "EditShortName", "HADataGrid", "NextRecButton", "LastRecButton"}},
        // The curve page opens in its grid; the lists above it come after the buttons.
        {"EditCurveButton",
         {"DataEntryGrid", "PrintButton", "ToggleEarButton", "LeftSideCurveCombo",
          "LeftSideHAidCombo", "RightSideCurveCombo", "RightSideHAidCombo"}},
        // A page without fields keeps the focus itself, off the tool bar's New button.
        {"SpeedButton6", {"fmPage5"}},
        // The Overview opens on its first chart; Switch ears comes after the charts.
        {"OverviewButton", {"ShownLoudnessMap", "ShownGainChart", "OverviewEarButton"}},
    };
    for (const PageEntry& entry : pageEntries()) {
        const auto row = tabOrders.find(entry.buttonName);
        ASSERT_NE(row, tabOrders.end()) << entry.buttonName.toStdString();
        const QStringList& expected = row->second;
        SCOPED_TRACE(entry.buttonName.toStdString());
        trigger(entry.menuName.toStdString().c_str());
        QWidget* page = QApplication::focusWidget();
        while (page && !qobject_cast<PageForm*>(page))
            page = page->parentWidget();
        ASSERT_NE(page, nullptr) << focusName().toStdString();
        // Once round the window, the tool bar included, noting each stop on the page.
        QStringList order;
        for (int key = 0; key < 50 && (key == 0 || focusName() != expected.first()); ++key) {
            QWidget* focus = QApplication::focusWidget();
            if (focus == page || page->isAncestorOf(focus))
                order << focusName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        EXPECT_EQ(order, expected);
    }
}

// The page the main window shows.
QWidget* shownPage() {
    for (PageForm* form : fmWinMain->findChildren<PageForm*>()) {
        if (form->isVisible())
            return form;
    }
    return nullptr;
}

TEST_F(DataEntryTest, EveryControlAndCellHasANameOfItsOwnAndItsHintAsDescription) {
    // The tool bar, then every page of the page table as the window shows it.
    std::vector<std::pair<std::string, QWidget*>> scopes{
        {"PatientInformation1", find<QWidget>("ToolBar1")}};
    for (const PageEntry& entry : pageEntries())
        scopes.emplace_back(entry.menuName.toStdString(), nullptr);
    for (const auto& [menuItem, scope] : scopes) {
        SCOPED_TRACE(menuItem);
        trigger(menuItem.c_str());
        QWidget* container = scope ? scope : shownPage();
        ASSERT_NE(container, nullptr);
        QStringList names;
        for (QWidget* control : container->findChildren<QWidget*>()) {
            // An open cell editor carries its cell's name, counted with the cells.
            const bool isControl =
                (control->focusPolicy() & Qt::TabFocus) && control->isVisible() &&
                !control->focusProxy() &&
                !qobject_cast<DataGrid*>(control->parentWidget()->parentWidget());
            if (!isControl)
                continue;
            names << accessibleText(control, QAccessible::Name);
            EXPECT_FALSE(names.last().trimmed().isEmpty()) << control->objectName().toStdString();
            EXPECT_TRUE(control->toolTip().isEmpty() ||
                        accessibleText(control, QAccessible::Description) == control->toolTip());
            auto* grid = qobject_cast<DataGrid*>(control);
            for (int row = 0; grid && row < grid->rowCount(); ++row) {
                for (int column = 0; column < grid->columnCount(); ++column) {
                    if (!grid->selectCell || grid->selectCell(column, row))
                        names << QAccessible::queryAccessibleInterface(grid)
                                     ->tableInterface()
                                     ->cellAt(row, column)
                                     ->text(QAccessible::Name);
                }
            }
        }
        EXPECT_FALSE(names.contains(QString()));
        EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size())
            << names.join(" | ").toStdString();
    }

    // Controls that sounded alike, and a cell as the screen reader announces it.
    const std::pair<const char*, const char*> named[] = {
        {"LLLeftEar2", "Left Ear, Predict loudness levels using threshold"},
        {"RightHATypeComboBox", "Right Ear, Type"},
        {"LeftInterpolateButton", "Left Ear, Predict intermediate levels"}};
    for (const auto& [object, name] : named)
        EXPECT_EQ(accessibleText(find<QWidget>(object), QAccessible::Name), name);
    click("SpeedButton3");
    typeInCell(loudnessGrid(), 0, 2, "65");
    QLineEdit* editor = loudnessGrid()->cellEditor();
    EXPECT_EQ(accessibleText(editor, QAccessible::Name), "Right Ear, 1 KHz, AC Threshold (dB)");
    EXPECT_EQ(accessibleText(editor, QAccessible::Value), "65");
}

} // namespace
