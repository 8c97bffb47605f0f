// The preview window over the real print-preview widget: every report becomes one
// page of the preview, drawn on the printable area of the preview's paper, and the
// print button is there only when a printer is.
#include "platform/reportpreview.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(ReportPreview, EachReportIsOnePageAndPrintNeedsAPrinter) {
    const struct {
        int pageCount;
        bool printerInstalled;
    } cases[] = {{3, false}, {1, true}};
    for (const auto& c : cases) {
        std::vector<int> drawn;
        std::vector<QSize> printable;
        ReportPreviewDialog preview(
            nullptr, c.pageCount,
            [&](PrintTarget& target, int page) {
                QPainter& painter = target.beginDocument(QStringLiteral("report"));
                printable.push_back(target.printableSize());
                painter.drawText(100, 100, QString::number(page));
                target.endDocument();
                drawn.push_back(page);
            },
            c.printerInstalled);
        preview.show();
        QCoreApplication::processEvents();
        const auto* pages = preview.findChild<QPrintPreviewWidget*>("PreviewPages");
        ASSERT_NE(pages, nullptr);
        EXPECT_EQ(pages->pageCount(), c.pageCount);
        ASSERT_GE(drawn.size(), static_cast<std::size_t>(c.pageCount));
        EXPECT_EQ(drawn.front(), 0);
        EXPECT_EQ(drawn[static_cast<std::size_t>(c.pageCount) - 1], c.pageCount - 1);
        // Portrait paper inside its unprintable border; without a printer at the PDF's
        // resolution, so that lines are as thick as in the saved PDF (A4 or letter
        // less a quarter inch each side: 4658 or 4800 units wide at 600 dpi).
        EXPECT_GT(printable.front().height(), printable.front().width());
        if (!c.printerInstalled) {
            EXPECT_TRUE(printable.front().width() == 4658 || printable.front().width() == 4800)
                << printable.front().width();
        }
        EXPECT_EQ(preview.findChild<QPushButton*>("PrintButton")->isEnabled(), c.printerInstalled);
    }
}

TEST(ReportPreview, CopiesPrintEveryCopyOfAReportBeforeTheNext) {
    EXPECT_EQ(pagesWithCopies(2, 3), (std::vector<int>{0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(pagesWithCopies(3, 1), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(pagesWithCopies(1, 0), (std::vector<int>{0}));
}

} // namespace
