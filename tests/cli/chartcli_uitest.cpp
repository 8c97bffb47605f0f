// tavik-cli chart, run as a program and its PNG read back as an image: the ear's
// colour is there and the other ear's is not, the scale sets the size, and a changed
// threshold moves its symbol.
#include "model/patientfile.h"
#include "overview/overviewdrawing.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class ChartCli : public testing::Test {
  protected:
    // The right ear has a threshold at 1000 Hz only, the left ear at every frequency.
    FittingRecord patient(int32_t rightThreshold) const {
        FittingRecord r;
        resetFitting(r, "01/01/2000");
        r.rightLoudness[2][0] = rightThreshold;
        const int32_t left[6] = {45, 36, 30, 38, 43, 50};
        for (int f = 0; f < 6; ++f)
            r.leftLoudness[f][0] = left[f];
        return r;
    }

    QImage draw(const FittingRecord& r, const char* ear, const char* kind,
                const char* scale = "1") {
        writePatientFile(file, r);
        const CliResult res = runProgram(
            TAVIK_CLI_PATH,
            {"chart", file, "--ear", ear, "--kind", kind, "--scale", scale, "-o", png}, io);
        EXPECT_EQ(res.code, 0) << res.err;
        return QImage(QString::fromStdString(png));
    }

    // Pixels within reach of an ear's colour, and the mean row of those in a column band.
    static bool near(QRgb pixel, const QColor& colour) {
        return std::abs(qRed(pixel) - colour.red()) + std::abs(qGreen(pixel) - colour.green()) +
                   std::abs(qBlue(pixel) - colour.blue()) <
               40;
    }
    static int countNear(const QImage& image, const QColor& colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += near(image.pixel(x, y), colour);
        return n;
    }
    // Rows 14 to 350 hold the frame, the legend lies below.
    static double meanRowNear(const QImage& image, const QColor& colour, int left, int right) {
        double sum = 0;
        int n = 0;
        for (int y = 14; y <= 350; ++y)
            for (int x = left; x <= right; ++x)
                if (near(image.pixel(x, y), colour)) {
                    sum += y;
                    ++n;
                }
        return n == 0 ? -1 : sum / n;
    }

    TempDir dir, io;
    std::string file = dir.file("P.TAV");
    std::string png = dir.file("chart.png");
};

TEST_F(ChartCli, EachEarInItsOwnColour) {
    const struct {
        const char* ear;
        const char* kind;
        QColor present, absent;
    } cases[] = {
        {"right", "loudmap", kRightEarColour, kLeftEarColour},
        {"left", "loudmap", kLeftEarColour, kRightEarColour},
        {"right", "gain", kRightEarColour, kLeftEarColour},
        {"left", "gain", kLeftEarColour, kRightEarColour},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ear) + " " + c.kind);
        const QImage image = draw(patient(40), c.ear, c.kind);
        ASSERT_EQ(image.size(), QSize(640, 400));
        EXPECT_GT(countNear(image, c.present), 30);
        EXPECT_EQ(countNear(image, c.absent), 0);
    }
    EXPECT_EQ(draw(patient(40), "left", "gain", "2").size(), QSize(1280, 800));
}

TEST_F(ChartCli, AChangedThresholdMovesItsSymbol) {
    // 1000 Hz lies at x 331.5; the scale runs -10..120 dB HL over y 24..345 (the
    // legend's O lies left of x 300).
    const struct {
        int32_t threshold;
        double row;
    } cases[] = {{40, 147.46}, {80, 246.23}, {-10, 24}};
    for (const auto& c : cases) {
        const QImage image = draw(patient(c.threshold), "right", "loudmap");
        EXPECT_NEAR(meanRowNear(image, kRightEarColour, 320, 343), c.row, 1.5) << c.threshold;
    }
}

TEST_F(ChartCli, BadArgumentsAreNamed) {
    writePatientFile(file, patient(40));
    const struct {
        Args args;
        const char* message;
    } cases[] = {
        {{"chart", file, "--ear", "right", "-o", png}, "chart needs --kind loudmap or --kind gain"},
        {{"chart", file, "--ear", "right", "--kind", "map", "-o", png}, "chart needs --kind"},
        {{"chart", file, "--kind", "gain", "-o", png}, "chart needs --ear"},
        {{"chart", file, "--ear", "left", "--kind", "gain"}, "chart needs -o OUT.png"},
        {{"chart", file, "--ear", "left", "--kind", "gain", "--scale", "9", "-o", png},
         "--scale takes a whole number from 1 to 8"},
    };
    for (const auto& c : cases) {
        const CliResult res = runProgram(TAVIK_CLI_PATH, c.args, io);
        EXPECT_EQ(res.code, 1) << c.message;
        EXPECT_TRUE(contains(res.err, c.message)) << res.err;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

} // namespace
