// tavik-cli report --overview: one "Overview" page of both ears as PDF, for the
// patient's chart: the patient named as the printed report names them (name, ID,
// birth date, test date; clinician, monaural or binaural, how each ear's levels were
// obtained), then each ear's loudness map above its gain chart, right ear on the left
// as on an audiogram form. The maps draw the previous visit from the file's history,
// as the Overview page does.
// Drawn by the Overview page's drawing onto the same PDF target as the reports.
#include "cli/commands.h"
#include "cli/earoptions.h"
#include "cli/earprint.h"
#include "cli/help.h"
#include "cli/offscreen.h"
#include "model/fileio.h"
#include "overview/overviewdrawing.h"
#include "overview/overviewvisit.h"
#include "platform/fontnames.h"
#include "platform/printtarget.h"
#include "report/reporttext.h"

#include <QFont>

#include <algorithm>
#include <array>
#include <ostream>

namespace {

const char* const kReportUsage = commandUsage("report");
// The page is laid out in 96ths of an inch, the charts' own logical pixels.
constexpr qreal kLayoutDpi = 96.0;
constexpr int kTitlePixels = 22;
constexpr int kIdentityPixels = 12;
constexpr int kHeaderHeight = 100;
constexpr const char* kGapText = "    ";
constexpr int kGap = 12;

// The report's own lines: "Name: ...", "Patient ID: ...", "Birth Date: ...", "Test
// Date: ..."; then "Clinician: ...", "Fitting: ..."; and "Levels: right ear measured,
// left ear predicted from threshold" on a line of its own, as the longest of them
// would run off the page beside the fitting.
std::array<QString, 3> identityLines(const FittingRecord& record) {
    const CurveParams noCurves[kCurveCount]{};
    const PrintData data = makePrintData(record, {}, Ear::Right, TargetState{}, noCurves, {});
    const IdentityTexts id = identityTexts(data, kFittedReport);
    const std::string patient = headerTexts(data).name + kGapText + id.patientId + kGapText +
                                id.birthDate + kGapText + id.testDate;
    const std::string levels = "Levels: right ear " + levelSourceText(record.rightLevelSource) +
                               ", left ear " + levelSourceText(record.leftLevelSource);
    const std::string fitting = id.clinician + kGapText + id.fitting;
    return {QString::fromStdString(patient), QString::fromStdString(fitting),
            QString::fromStdString(levels)};
}

void drawHeader(QPainter& painter, const FittingRecord& record, int width) {
    QFont font(QString::fromLatin1(kSansFamily));
    font.setPixelSize(kTitlePixels);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, width, kTitlePixels + 6), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Overview"));
    font.setPixelSize(kIdentityPixels);
    font.setBold(false);
    painter.setFont(font);
    const std::array<QString, 3> lines = identityLines(record);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const qreal top = kTitlePixels + 12 + static_cast<qreal>(i) * (kIdentityPixels + 6);
        painter.drawText(QRectF(0, top, width, kIdentityPixels + 6), Qt::AlignLeft | Qt::AlignTop,
                         lines[i]);
    }
}

void drawOverviewPage(QPainter& painter, QSize page, const FittingRecord& record,
                      const AidDatabase& database, const KeptVersion* previous) {
    drawHeader(painter, record, page.width());
    const MeasuredLevels measured = measuredFromRecord(record);
    const int width = (page.width() - kGap) / 2;
    const int height = std::min((page.height() - kHeaderHeight - kGap) / 2, width * 9 / 10);
    for (const Ear ear : kEars) {
        const int left = ear == Ear::Right ? 0 : width + kGap;
        const OverviewSource source{record, database, measured.of(ear), ear, previous};
        drawOverviewChart(painter, QRect(left, kHeaderHeight, width, height),
                          OverviewChart::LoudnessMap, source);
        drawOverviewChart(painter, QRect(left, kHeaderHeight + height + kGap, width, height),
                          OverviewChart::Gain, source);
    }
}

QByteArray renderOverview(const LoadedEar& loaded, const KeptVersion* previous,
                          QPageSize::PageSizeId pageSize) {
    PdfReportTarget target(pageSize);
    QPainter& painter = target.beginDocument(QStringLiteral("Overview"));
    const qreal scale = painter.device()->logicalDpiX() / kLayoutDpi;
    painter.scale(scale, scale);
    const QSize printable = target.printableSize();
    const QSize page(static_cast<int>(printable.width() / scale),
                     static_cast<int>(printable.height() / scale));
    drawOverviewPage(painter, page, loaded.record, loaded.database, previous);
    target.endDocument();
    return target.finish();
}

bool fail(std::ostream& err, const char* message) {
    err << "tavik-cli: " << message << '\n' << kReportUsage << '\n';
    return false;
}

bool parseOverviewOptions(const EarOptions& options, QPageSize::PageSizeId& page,
                          std::ostream& err) {
    if (options.ear)
        return fail(err, "report --overview shows both ears and takes no --ear");
    if (!options.values.contains("-o"))
        return fail(err, "report needs -o OUT.pdf");
    if (const auto text = options.values.find("--page"); text != options.values.end()) {
        if (text->second != "a4" && text->second != "letter")
            return fail(err, "--page takes a4 or letter");
        page = text->second == "a4" ? QPageSize::A4 : QPageSize::Letter;
    }
    return true;
}

} // namespace

int runOverviewReport(const Args& args, std::ostream&, std::ostream& err) {
    Args rest;
    std::ranges::copy_if(args, std::back_inserter(rest),
                         [](const std::string& arg) { return arg != "--overview"; });
    EarOptions options;
    if (!parseEarOptions(rest, {kReportUsage, true, {"--page", "-o"}}, options, err))
        return kExitFailure;
    QPageSize::PageSizeId page = QPageSize::A4;
    if (!parseOverviewOptions(options, page, err))
        return kExitFailure;
    LoadedEar loaded;
    if (const int code = loadEarForCli(options, loaded, err); code != kExitOk)
        return code;
    for (const Ear ear : kEars) {
        if (const std::string line = outOfDateLine(loaded.record, ear, options.file); !line.empty())
            err << line << '\n';
    }
    const std::optional<KeptVersion> previous = previousVisitOf(options.file, loaded.record);
    return writeRenderedPdf(
        options.values.at("-o"),
        [&] { return renderOverview(loaded, previous ? &*previous : nullptr, page); },
        "the overview", err);
}
