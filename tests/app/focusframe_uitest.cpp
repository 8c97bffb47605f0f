// The keyboard focus is always visible, through the real window: after Tab, Enter, an
// arrow or a click the current cell of a grid carries a frame two pixels wide (four
// at twice the scale) and the grid's border shows it too, and nothing else in the
// grid does; every other control shows the frame while it has the focus.
#include "app/patientlist.h"
#include "report/selectprint.h"
#include "testsupport/programfixture.h"

#include <QImage>
#include <QPainter>

#include <functional>

namespace {

const QColor kDesktopBlue(48, 140, 198); // the offscreen desktop's highlight colour
const QColor kBlack(Qt::black);

// A widget as drawn at the given scale, its children included.
QImage drawn(QWidget* widget, int scale) {
    QImage image(widget->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::magenta);
    widget->render(&image);
    return image;
}

class FocusFrameTest : public ProgramFixture {
  protected:
    void TearDown() override {
        QApplication::setPalette(desktopPalette_);
        ProgramFixture::TearDown();
    }

    // A palette such as a high-contrast desktop gives: black faces, white text, a
    // yellow highlight that would vanish on the white cells.
    static void useHighContrast() {
        QPalette dark(Qt::white, Qt::black);
        dark.setColor(QPalette::Base, Qt::black);
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::Button, Qt::black);
        dark.setColor(QPalette::ButtonText, Qt::white);
        dark.setColor(QPalette::Highlight, QColor(255, 255, 0));
        QApplication::setPalette(dark);
        settle();
    }

    // The cells of a grid, of those that may become current, that show the focus frame at their
    // left and right edges, sampled on the innermost pixel column of a frame two pixels wide.
    static std::vector<std::pair<int, int>> framedCells(DataGrid* grid, int scale,
                                                        const QColor& colour) {
        const QImage image = drawn(grid, scale);
        const QPoint offset = grid->viewport()->geometry().topLeft();
        std::vector<std::pair<int, int>> framed;
        for (int row = 0; row < grid->rowCount(); ++row) {
            for (int column = 0; column < grid->columnCount(); ++column) {
                const QRect cell =
                    grid->visualRect(grid->model()->index(row, column)).translated(offset);
                // Label cells and grey cells never take the focus: a black label cell
                // under a high-contrast palette is not a frame.
                const bool mayBeCurrent = !grid->selectCell || grid->selectCell(column, row);
                if (!mayBeCurrent || !grid->viewport()->geometry().contains(cell))
                    continue;
                const int y = cell.center().y() * scale;
                const bool left =
                    QColor(image.pixel(cell.left() * scale + 2 * scale - 1, y)) == colour;
                const bool right =
                    QColor(image.pixel((cell.right() + 1) * scale - 2 * scale, y)) == colour;
                if (left && right)
                    framed.emplace_back(column, row);
            }
        }
        return framed;
    }

    // Whether the grid's own border, two pixels wide, is in the frame's colour.
    static bool borderFramed(DataGrid* grid, int scale, const QColor& colour) {
        const QImage image = drawn(grid, scale);
        const int midY = image.height() / 2, midX = image.width() / 2;
        const int inner = 2 * scale - 1;
        return QColor(image.pixel(inner, midY)) == colour &&
               QColor(image.pixel(midX, inner)) == colour &&
               QColor(image.pixel(image.width() - 1 - inner, midY)) == colour;
    }

    static int pixelsOf(const QImage& image, const QColor& colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += QColor(image.pixel(x, y)) == colour;
        }
        return count;
    }

    // Tab from wherever the focus is until the control has it.
    static void tabTo(QWidget* control) {
        for (int step = 0; step < 80 && !control->hasFocus(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            settle();
        }
        ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
    }

    QPalette desktopPalette_ = QApplication::palette();
};

struct GridCase {
    const char* what;
    const char* pageAction;
    const char* grid;
    const char* otherGrid; // a grid on the same page that must show no focus
    std::function<void(DataGrid*)> act;
    int column;
    int row;
    int scale;
    bool highContrast;
    QColor colour;
};

void keys(DataGrid* grid, const char* text, Qt::Key then) {
    QTest::keyClicks(grid->cellEditor(), QString::fromLatin1(text));
    QTest::keyClick(grid->cellEditor(), then);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void clickCell(DataGrid* grid, int column, int row) {
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

TEST_F(FocusFrameTest, TheCurrentCellAndItsGridShowTheFocusAndNothingElseDoes) {
    const GridCase cases[] = {
        {"right ear, 30 Enter 45 Right", "LOUDMAPData1", "RightEarLOUDMAPDataGrid",
         "LeftEarLOUDMAPDataGrid",
         [](DataGrid* g) {
             keys(g, "30", Qt::Key_Return);
             keys(g, "45", Qt::Key_Right);
         },
         1, 1, 1, false, kDesktopBlue},
        {"left ear, a click on UCL at 3 KHz, 62 Enter", "LOUDMAPData1", "LeftEarLOUDMAPDataGrid",
         "RightEarLOUDMAPDataGrid",
         [](DataGrid* g) {
             clickCell(g, 7, 4);
             keys(g, "62", Qt::Key_Return);
         },
         7, 5, 2, false, kDesktopBlue},
        {"right ear at twice the scale, high contrast, Down Down", "LOUDMAPData1",
         "RightEarLOUDMAPDataGrid", "LeftEarLOUDMAPDataGrid",
         [](DataGrid* g) {
             QTest::keyClick(g->cellEditor(), Qt::Key_Down);
             QTest::keyClick(g->cellEditor(), Qt::Key_Down);
         },
         0, 2, 2, true, kBlack},
        {"database, a click at 2 KHz on ratio 1, Enter", "HearingAidDatabase1", "HADataGrid",
         nullptr,
         [](DataGrid* g) {
             clickCell(g, 3, 2);
             keys(g, "", Qt::Key_Return);
         },
         3, 3, 1, false, kBlack},
        {"curve page as shown, then Down", "IOCurves1", "DataEntryGrid", nullptr,
         [](DataGrid* g) { QTest::keyClick(g->cellEditor(), Qt::Key_Down); }, 2, 1, 1, false,
         kDesktopBlue},
        {"curve page, a click on the right graph's user maximum output", "IOCurves1",
         "DataEntryGrid", nullptr, [](DataGrid* g) { clickCell(g, 5, 5); }, 5, 5, 2, true, kBlack},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.what);
        restartProgram();
        if (c.highContrast)
            useHighContrast();
        trigger(c.pageAction);
        auto* grid = find<DataGrid>(c.grid);
        if (!grid->cellEditor())
            grid->setFocus(Qt::TabFocusReason);
        settle();
        c.act(grid);
        ASSERT_TRUE(grid->cellEditor() && grid->cellEditor()->hasFocus());
        EXPECT_EQ(grid->currentColumn(), c.column);
        EXPECT_EQ(grid->currentRow(), c.row);
        using Cells = std::vector<std::pair<int, int>>;
        EXPECT_EQ(framedCells(grid, c.scale, c.colour), (Cells{{c.column, c.row}}));
        EXPECT_TRUE(borderFramed(grid, c.scale, c.colour));
        if (c.otherGrid) {
            auto* other = find<DataGrid>(c.otherGrid);
            EXPECT_EQ(framedCells(other, c.scale, c.colour), Cells{});
            EXPECT_FALSE(borderFramed(other, c.scale, c.colour));
        }
        // Tab leaves the grid, and the frame goes with the focus.
        QTest::keyClick(grid->cellEditor(), Qt::Key_Tab);
        settle();
        EXPECT_EQ(framedCells(grid, c.scale, c.colour), Cells{});
        EXPECT_FALSE(borderFramed(grid, c.scale, c.colour));
        QApplication::setPalette(desktopPalette_);
    }
}

// Where a control lives: a page of the main window, the print selection or the
// patient list.
enum class Place { Page, PrintSelection, PatientList };

struct ControlCase {
    Place place;
    const char* pageAction;
    const char* name;
    QColor colour;
};

TEST_F(FocusFrameTest, EveryControlShowsTheFrameWhileItHasTheFocus) {
    const QColor white(Qt::white);
    const ControlCase cases[] = {
        {Place::Page, "PatientInformation1", "EditClinician", kBlack},
        {Place::Page, "PatientInformation1", "CommentsMemo", kBlack},
        {Place::Page, "PatientInformation1", "LeftHATypeComboBox", kBlack},
        {Place::Page, "PatientInformation1", "SelectBinaural", kBlack},
        {Place::Page, "PatientInformation1", "LLLeftEar3", kBlack},
        {Place::Page, "LOUDMAPData1", "LeftEarRightFreqComboBox", kDesktopBlue},
        {Place::Page, "LOUDMAPData1", "SelectdBSPL", kDesktopBlue},
        {Place::Page, "HearingAidDatabase1", "EditShortName", kBlack},
        {Place::Page, "HearingAidDatabase1", "NextRecButton", kBlack},
        {Place::Page, "IOCurves1", "RightSideHAidCombo", kBlack},
        {Place::Page, "IOCurves1", "LeftSideCurveCombo", kBlack},
        {Place::Page, "IOCurves1", "ToggleEarButton", kDesktopBlue},
        {Place::Page, "Overview1", "OverviewEarButton", kDesktopBlue},
        {Place::Page, "Overview1", "ShownGainChart", kDesktopBlue},
        {Place::PrintSelection, nullptr, "LeftChoice2", kDesktopBlue},
        {Place::PrintSelection, nullptr, "CancelButton", kDesktopBlue},
        {Place::PatientList, nullptr, "FilterEdit", kDesktopBlue},
        {Place::PatientList, nullptr, "PatientListTable", kDesktopBlue},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(c.name);
        restartProgram();
        QWidget* window = fmWinMain;
        if (c.place == Place::Page) {
            trigger(c.pageAction);
        } else if (c.place == Place::PrintSelection) {
            window = reinterpret_cast<QWidget*>(fmSelectPrint);
            window->show();
        } else {
            QTest::keyClick(fmWinMain, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
            settle();
            window = fmWinMain->findChild<TfmPatientList*>();
        }
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        auto* control = window->findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(control, nullptr);
        tabTo(control);
        const int focused = pixelsOf(drawn(control, 1), c.colour);
        QTest::keyClick(control, Qt::Key_Tab);
        settle();
        ASSERT_FALSE(control->hasFocus());
        const int unfocused = pixelsOf(drawn(control, 1), c.colour);
        // At least one pixel of frame along a long and a short side.
        EXPECT_GE(focused - unfocused, control->width() + control->height())
            << focused << " " << unfocused;
        if (c.place == Place::PrintSelection)
            window->hide();
    }
}

} // namespace
