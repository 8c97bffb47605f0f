// Data entry a clinician can trust, on every page of the real window.
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QSpontaneKeyEvent>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <variant>
#include <vector>

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
    };
    // typed "": the page as just shown, its first cell's text selected.
    const Case cases[] = {
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
        const QRect refused = grid->visualRect(grid->model()->index(c.refusedRow, c.refusedColumn));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, refused.center());
        settle();
        EXPECT_EQ(QApplication::focusWidget(), focus);
        EXPECT_EQ(std::pair(grid->currentColumn(), grid->currentRow()), std::pair(c.column, c.row));
        QLineEdit* editor = grid->cellEditor();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
        EXPECT_EQ(editor ? editor->text() : grid->cellText(c.column, c.row), c.textAfterA7);
        click("ClientInfoButton");
    }
}

// The program puts the focus on a field as a page or a file is shown: what is typed
// then replaces the field's text rather than joining it.
TEST_F(DataEntryTest, TypingReplacesTheTextOfAFieldTheProgramFocuses) {
    TempDir files;
    FittingRecord other{};
    resetFitting(other, "01/02/2003");
    writeText(other.lastName, "Brown");
    writePatientFile(files.file("other.TAV"), other);
    writeText(fitting.lastName, "Smith");
    fmClientInfo->loadPatientPage();
    const struct {
        const char* what;
        std::function<void()> show;
        const char* field;
    } cases[] = {
        {"the patient page shown again", [] { click("SpeedButton3"), click("ClientInfoButton"); },
         "EditLastName"},
        {"a file loaded",
         [&] {
             script.setNextAnswer(DialogAnswer::No);
             script.setNextFileName(QString::fromStdString(files.file("other.TAV")));
             chooseFromMenu(Qt::Key_F, Qt::Key_L);
             returnToMainWindow();
         },
         "EditLastName"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.show();
        settle();
        auto* field = find<QLineEdit>(c.field);
        ASSERT_TRUE(field->hasFocus());
        const QString before = field->text();
        EXPECT_FALSE(before.isEmpty());
        QTest::keyClicks(field, "Jones");
        EXPECT_EQ(field->text(), "Jones") << "was " << before.toStdString();
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

// Keys as a clinician types them, each group of digits then a key that moves on; the
// numbers stored are the ones meant, never two run together.
TEST_F(DataEntryTest, EnterAndTheArrowsCommitEachNumberWhereItWasTyped) {
    fitting.leftLevelSource = 0; // the left ear takes every level, the right only THR
    fmClientInfo->loadPatientPage();
    const struct {
        const char* what;
        const char* pageButton;
        const char* grid;
        int column, row;
        std::vector<std::variant<const char*, Qt::Key>> keys;
        int columnAfter, rowAfter;
    } cases[] = {
        {"left ear, Left while typing",
         "SpeedButton3",
         "LeftEarLOUDMAPDataGrid",
         2,
         3,
         {"100", Qt::Key_Left, "88"},
         1,
         3},
        {"left ear, Right, then Enter",
         "SpeedButton3",
         "LeftEarLOUDMAPDataGrid",
         6,
         5,
         {"97", Qt::Key_Right, "120", Qt::Key_Return},
         7,
         5},
        {"right ear, Enter down the thresholds",
         "SpeedButton3",
         "RightEarLOUDMAPDataGrid",
         0,
         1,
         {"20", Qt::Key_Return, "35", Qt::Key_Enter},
         0,
         3},
        {"left user curve, Enter",
         "EditCurveButton",
         "DataEntryGrid",
         2,
         0,
         {"20", Qt::Key_Return, "50", Qt::Key_Return},
         2,
         2},
        {"right user curve, Left to the left one",
         "EditCurveButton",
         "DataEntryGrid",
         5,
         2,
         {"3", Qt::Key_Left, "1.5"},
         2,
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        click(c.pageButton);
        DataGrid* grid = find<DataGrid>(c.grid);
        typeInCell(grid, c.column, c.row, "");
        for (const auto& key : c.keys) {
            if (std::holds_alternative<Qt::Key>(key))
                QTest::keyClick(grid->cellEditor(), std::get<Qt::Key>(key));
            else
                QTest::keyClicks(grid->cellEditor(), std::get<const char*>(key));
        }
        EXPECT_EQ(std::pair(grid->currentColumn(), grid->currentRow()),
                  std::pair(c.columnAfter, c.rowAfter));
        click("ClientInfoButton");
    }
    // Stored in dB SPL: 2 KHz and 500 Hz lie 3 and 6 dB above dB HL, 4 KHz and 1 KHz
    // not at all.
    EXPECT_EQ(fitting.leftLoudness[3][2], 103);
    EXPECT_EQ(fitting.leftLoudness[3][1], 91);
    EXPECT_EQ(fitting.leftLoudness[5][6], 97);
    EXPECT_EQ(fitting.leftLoudness[5][7], 120);
    EXPECT_EQ(fitting.rightLoudness[1][0], 26);
    EXPECT_EQ(fitting.rightLoudness[2][0], 35);
    // The curve page's graphs show 500 Hz and 3 KHz for a new patient.
    const CurveParams& left = fitting.aidSettings[0][1].curve;
    EXPECT_EQ(left.gainAt50, 20.0f);
    EXPECT_EQ(left.threshold1, 50.0f);
    EXPECT_EQ(left.ratio1, 1.5f);
    EXPECT_EQ(fitting.aidSettings[0][4].curve.ratio1, 3.0f);
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

TEST_F(DataEntryTest, TabGoesRoundEveryControlOfAPageInReadingOrderFromItsFirstField) {
    const std::pair<std::function<void()>, QStringList> pages[] = {
        {[] { click("ClientInfoButton"); },
         {"EditLastName", "EditFirstName", "EditMI", "EditID", "EditDOB", "EditClinician",
          "EditTestDate", "CommentsMemo", "RightHATypeComboBox", "LeftHATypeComboBox",
          "SelectMonaural", "SelectBinaural", "LLRightEar1", "LLLeftEar1", "LLRightEar2",
          "LLLeftEar2", "LLRightEar3", "LLLeftEar3"}},
        {[] { click("SpeedButton3"); },
         {"RightEarLOUDMAPDataGrid", "RightInterpolateButton", "RightEarLeftFreqComboBox",
          "RightEarRightFreqComboBox", "LeftEarLOUDMAPDataGrid", "LeftInterpolateButton",
          "LeftEarLeftFreqComboBox", "LeftEarRightFreqComboBox", "SelectdBHL", "SelectdBSPL"}},
        {[] { click("SpeedButton4"); },
         {"EditLongName", "EditShortName", "HADataGrid", "NextRecButton", "LastRecButton"}},
        // The curve page opens in its grid; the lists above it come after the buttons.
        {[] { click("EditCurveButton"); },
         {"DataEntryGrid", "PrintButton", "ToggleEarButton", "LeftSideCurveCombo",
          "LeftSideHAidCombo", "RightSideCurveCombo", "RightSideHAidCombo"}},
        // A page without fields keeps the focus itself, off the tool bar's New button.
        {[] { trigger("Configuration1"); }, {"fmPage5"}},
    };
    for (const auto& [show, expected] : pages) {
        SCOPED_TRACE(expected.first().toStdString());
        show();
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

TEST_F(DataEntryTest, EveryControlAndCellHasANameOfItsOwnAndItsHintAsDescription) {
    const std::pair<const char*, const char*> pages[] = {{"ClientInfoButton", "ToolBar1"},
                                                         {"ClientInfoButton", "fmClientInfo"},
                                                         {"SpeedButton3", "fmPage2"},
                                                         {"SpeedButton4", "fmPage3"},
                                                         {"EditCurveButton", "fmCurveEdit"}};
    for (const auto& [pageButton, container] : pages) {
        SCOPED_TRACE(container);
        click(pageButton);
        QStringList names;
        for (QWidget* control : find<QWidget>(container)->findChildren<QWidget*>()) {
            // An open cell editor carries its cell's name, counted with the cells.
            const bool isControl =
                (control->focusPolicy() & Qt::TabFocus) && control->isVisible() &&
                !control->focusProxy() &&
                !qobject_cast<DataGrid*>(control->parentWidget()->parentWidget());
            if (!isControl)
                continue;
            names << accessibleText(control, QAccessible::Name);
            EXPECT_FALSE(names.last().isEmpty()) << control->objectName().toStdString();
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
