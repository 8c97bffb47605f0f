// The header of the printed report as drawn on two printers' pages: the comments, the
// lines naming patient, ear and aid style, and the lines above the title that identify
// patient and fitting on every page.
#include "report/recordedreport.h"
#include "testsupport/reportsample.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The comment lines drawn, in order: the texts clipped to the comment rectangle.
std::vector<PaintItem> commentLines(const Report& report) {
    return report.items(Kind::Text, [](const PaintItem& t) { return t.clipped; });
}

// A paragraph that wraps, then one visit per typed line: more lines than the header
// holds.
TEST(ReportDrawing, CommentsWrapWithTheFontsLeadingAndAreCutAtTheHeaderEdge) {
    PrintData data = samplePrintData();
    data.comments = "Tinnitus & recruitment in both ears; prefers a soft sound in quiet rooms "
                    "and a little more gain for loud speech at the family table.";
    for (int i = 1; i <= 12; ++i)
        data.comments += "\r\nVisit " + std::to_string(i);
    for (const Printer& printer : kPrinters) {
        const Report report(printer, data);
        const PixelRect box = pageRect(report.page, 0.08, 0.185, 0.92, 0.26);
        const QFontMetrics m = report.metrics(kSansFamily, 10);
        const int step = m.height() + m.leading();
        const auto lines = commentLines(report);
        ASSERT_EQ(static_cast<int>(lines.size()), (box.bottom - box.top + step - 1) / step)
            << "every line whose top lies above the edge, on " << printer.name;
        QString printed;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(report.corner(lines[i]), QPoint(box.left, box.top + int(i) * step)) << i;
            EXPECT_LE(report.width(lines[i]), box.right - box.left) << i;
            EXPECT_EQ(lines[i].clip.boundingRect(), area(box));
            printed += (i ? " " : "") + lines[i].text;
        }
        QString typed = QString::fromStdString(data.comments).replace("\r\n", " ");
        EXPECT_TRUE(typed.startsWith(printed) && typed.size() > printed.size())
            << printed.toStdString();
    }
    data.comments.clear();
    EXPECT_TRUE(commentLines(Report(kPrinters[0], data)).empty());
}

TEST(ReportDrawing, HeaderLinesFollowTheNameTheEarAndItsAidStyle) {
    const struct {
        const char* what;
        void (*change)(PrintData&);
        std::vector<const char*> lines;
    } cases[] = {
        {"left CIC ear, no last name, untitled",
         [](PrintData& d) {
             d.lastName.clear();
             d.printEar = Ear::Left;
             d.rightAidStyle = 2;
             d.leftAidStyle = 3;
             d.currentFileName.clear();
         },
         {"Name: Anna Q", "Ear: Left", "Hearing Aid Type: CIC", "Filename: "}},
        {"a style outside the table",
         [](PrintData& d) { d.rightAidStyle = 77; },
         {"Hearing Aid Type: BTE"}},
    };
    for (const auto& c : cases) {
        PrintData data = samplePrintData();
        c.change(data);
        const Report report(kPrinters[1], data);
        for (const char* line : c.lines)
            EXPECT_EQ(report.texts(QString::fromLatin1(line)).size(), 1u) << c.what << ": " << line;
    }
}

// The lines above the title name the patient on every page and never reach the
// title or the next column, however long a name is.
TEST(ReportDrawing, IdentityLinesStayInTheirColumnsAboveTheTitle) {
    const struct {
        const char* what;
        void (*change)(PrintData&);
        int choice;
        std::vector<const char*> lines;
    } cases[] = {
        {"empty ID, binaural, predicted levels",
         [](PrintData& d) {
             d.patientId.clear();
             d.binauralFitting = 1;
             d.levelSource = 2;
         },
         kFittedReport,
         {"Patient ID: ", "Fitting: Binaural (targets 5 dB lower)",
          "Levels: predicted from threshold and UCL"}},
        {"the aid pair's report",
         [](PrintData&) {},
         kAidReport,
         {"Aids: Clinic Aid One\\Clinic Aid Two"}},
    };
    for (const Printer& printer : kPrinters) {
        for (const auto& c : cases) {
            PrintData data = samplePrintData();
            c.change(data);
            const Report report(printer, data, c.choice);
            for (const char* line : c.lines)
                EXPECT_EQ(report.texts(QString::fromUtf8(line)).size(), 1u)
                    << c.what << ": " << line;
        }
        // No aid names on the fitted curves' report.
        const Report fitted(printer, samplePrintData());
        EXPECT_TRUE(
            fitted.items(Kind::Text, [](const PaintItem& t) { return t.text.startsWith("Aids:"); })
                .empty());

        PrintData data = samplePrintData();
        data.clinician = std::string(24, 'W');
        data.patientId = std::string(10, 'W');
        const Report report(printer, data);
        const auto clinician = report.items(
            Kind::Text, [](const PaintItem& t) { return t.text.startsWith("Clinician: WW"); });
        ASSERT_EQ(clinician.size(), 1u) << printer.name;
        EXPECT_TRUE(clinician[0].text.endsWith(QChar(0x2026))) << printer.name;
        EXPECT_LE(report.corner(clinician[0]).x() + report.width(clinician[0]),
                  pageX(report.page, 0.45))
            << printer.name;
        const auto title = report.texts("Loudness-Based Hearing Aid Fitting (TAVIK)");
        ASSERT_EQ(title.size(), 1u);
        const int titleTop = report.corner(title[0]).y();
        for (const char* start : {"Patient ID: ", "Clinician: ", "Levels: "}) {
            const auto found = report.items(
                Kind::Text, [&](const PaintItem& t) { return t.text.startsWith(start); });
            ASSERT_EQ(found.size(), 1u) << start;
            const int bottom =
                report.corner(found[0]).y() + QFontMetrics(found[0].font, &report.device).height();
            EXPECT_LT(bottom, titleTop) << start << " on " << printer.name;
        }
    }
}

} // namespace
