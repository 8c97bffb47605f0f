// The print command against the real forms: the selection dialog's captions and
// place, when nothing is printed, and which documents reach the printer in which
// order. The printer is a recording one handed out by the scripted print dialog.
#include "model/textslot.h"
#include "report/printcommand.h"
#include "report/selectprint.h"
#include "testsupport/programfixture.h"
#include "testsupport/recordingpaintdevice.h"

#include <QCheckBox>

#include <memory>

namespace {

using Kind = ScriptedDialogService::Kind;

// What a recording printer was sent, one entry per document.
struct PrintLog {
    struct Document {
        QString name;
        QStringList texts;
        bool ended = false;
        bool aborted = false;
    };
    std::vector<Document> documents;
};

// A printer at 600 dpi with an A4 page whose documents are recorded. It fails, if
// told, once drawing of the given document (0-based) has begun.
class RecordingPrinter final : public PrintTarget {
  public:
    RecordingPrinter(std::shared_ptr<PrintLog> log, int failingDocument = -1)
        : log_(std::move(log)), failingDocument_(failingDocument) {}

    QPainter& beginDocument(const QString& name) override {
        device_ = std::make_unique<RecordingPaintDevice>(QSize(4658, 6717), 600);
        log_->documents.push_back({name, {}, false, false});
        painter_.begin(device_.get());
        return painter_;
    }
    QSize printableSize() const override {
        if (static_cast<int>(log_->documents.size()) - 1 == failingDocument_)
            throw PrintError("out of paper");
        return QSize(4658, 6717);
    }
    void endDocument() override {
        painter_.end();
        log_->documents.back().texts = device_->texts();
        log_->documents.back().ended = true;
    }
    void abortDocument() override {
        painter_.end();
        log_->documents.back().aborted = true;
    }

  private:
    std::shared_ptr<PrintLog> log_;
    int failingDocument_;
    std::unique_ptr<RecordingPaintDevice> device_;
    QPainter painter_;
};

class PrintCommandTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        request.controls = {"Curve B", "1000 Hz (user)", "HA-1",
                            "Curve D", "4000 Hz (user)", "Aid & Co"};
        request.targets.graphFrequency[1] = 5;
    }

    // Answers the selection dialog: ticks the given boxes and closes it with OK or not.
    void answerSelection(std::vector<int> ticks, bool ok = true) {
        script.setNextModal([ticks, ok](QDialog& dialog) {
            for (const int tick : ticks)
                dialog.findChild<QCheckBox*>(QString("LeftChoice%1").arg(tick + 1))
                    ->setChecked(true);
            return ok;
        });
    }

    std::shared_ptr<PrintLog> givePrinter(int copies, int failingDocument = -1) {
        auto log = std::make_shared<PrintLog>();
        script.setNextPrinter(std::make_unique<RecordingPrinter>(log, failingDocument), copies);
        return log;
    }

    void print() { runPrintCommand(request, *fmSelectPrint, fmWinMain, fitting, document); }

    PrintRequest request;
};

TEST_F(PrintCommandTest, TheDialogShowsTheControlPairsUntickedOverTheMainWindow) {
    QStringList captions;
    bool untickedAtShowing = true;
    QPoint place;
    for (int showing = 0; showing < 2; ++showing) {
        script.setNextModal([&](QDialog& dialog) {
            auto& select = static_cast<TfmSelectPrint&>(dialog);
            captions.clear();
            for (int c = 0; c < 3; ++c) {
                captions << select.caption(c);
                untickedAtShowing = untickedAtShowing && !select.isTicked(c);
                dialog.findChild<QCheckBox*>(QString("LeftChoice%1").arg(c + 1))->setChecked(true);
            }
            place = dialog.pos();
            return false;
        });
        print();
    }
    EXPECT_EQ(captions, QStringList({"Curve B\\Curve D", "1000 Hz (user)\\4000 Hz (user)",
                                     "HA-1\\Aid & Co"}));
    EXPECT_EQ(fmSelectPrint->findChild<QCheckBox*>("LeftChoice3")->text(), "HA-1\\Aid && Co")
        << "an & in an aid's name is no shortcut";
    EXPECT_TRUE(untickedAtShowing) << "ticks of the first showing were cleared";
    const QRect main = fmWinMain->frameGeometry();
    const QSize own = fmSelectPrint->frameGeometry().size();
    EXPECT_EQ(place, QPoint(main.left() + (main.width() - own.width()) / 2,
                            main.top() + (main.height() - own.height()) / 2));
}

TEST_F(PrintCommandTest, NothingIsPrintedWithoutOkATickAPrinterOrAConfirmedPrintDialog) {
    const struct {
        const char* what;
        std::vector<int> ticks;
        bool ok;
        bool printerInstalled;
        bool printerChosen;
        std::size_t printDialogs;
        long warnings;
    } cases[] = {
        {"closed without OK", {0}, false, true, true, 0, 0},
        {"nothing ticked", {}, true, true, true, 0, 0},
        {"no printer installed", {0}, true, false, true, 0, 1},
        {"print dialog cancelled", {0}, true, true, false, 1, 0},
    };
    for (const auto& c : cases) {
        script.clear();
        script.setPrinterInstalled(c.printerInstalled);
        answerSelection(c.ticks, c.ok);
        const auto log = c.printerChosen ? givePrinter(1) : std::make_shared<PrintLog>();
        print();
        EXPECT_EQ(script.shownOf(Kind::Print).size(), c.printDialogs) << c.what;
        const auto warnings = script.shownOf(Kind::Warning);
        EXPECT_EQ(std::ranges::count_if(
                      warnings,
                      [](const auto& w) { return w.text.startsWith("No printer is installed"); }),
                  c.warnings)
            << c.what;
        EXPECT_TRUE(log->documents.empty()) << c.what;
    }
}

TEST_F(PrintCommandTest, EachTickedPairIsOneDocumentPerCopyInTheOrderOfTheBoxes) {
    fitting.rightAidStyle = 3;
    writeText(fitting.lastName, "Smith");
    document.currentFileName = "SMITH.TAV";
    answerSelection({2, 0});
    const auto log = givePrinter(3);
    print();

    const QString fitted = "TAVIK report, right ear, Curve B\\Curve D";
    const QString aid = "TAVIK report, right ear, HA-1\\Aid & Co";
    std::vector<QString> names;
    for (const auto& d : log->documents) {
        names.push_back(d.name);
        EXPECT_TRUE(d.ended && !d.aborted);
        EXPECT_TRUE(d.texts.contains("Filename: SMITH.TAV"));
        EXPECT_TRUE(d.texts.contains("Hearing Aid Type: CIC"));
    }
    EXPECT_EQ(names, std::vector<QString>({fitted, fitted, fitted, aid, aid, aid}));
    ASSERT_EQ(log->documents.size(), 6u);
    EXPECT_TRUE(log->documents[0].texts.contains("Left Plot: Curve B"));
    EXPECT_TRUE(log->documents[5].texts.contains("Right Plot: Aid & Co"));
    // The dialog keeps what the last document was drawn from.
    const PrintData& last = fmSelectPrint->printData();
    EXPECT_EQ(last.pageHeight, 6717);
    EXPECT_EQ(last.pageWidth, 4658);
    EXPECT_EQ(last.leftPlotLabel, "HA-1");
    EXPECT_EQ(last.rightPlotLabel, "Aid & Co");
    EXPECT_EQ(last.printTargets.graphFrequency[1], 5);
}

TEST_F(PrintCommandTest, APrinterFailureAbortsThatDocumentAndReachesTheClinician) {
    answerSelection({0, 1});
    const auto log = givePrinter(1, 1);
    EXPECT_THROW(print(), PrintError);
    ASSERT_EQ(log->documents.size(), 2u);
    EXPECT_TRUE(log->documents[0].ended);
    EXPECT_TRUE(log->documents[1].aborted);
    EXPECT_FALSE(log->documents[1].ended);
}

} // namespace
