// The print command against the real forms: the selection dialog's captions, place
// and buttons, when nothing is printed, which documents reach the printer in which
// order, the preview's pages and the PDF file. The printer is a recording one handed
// out by the scripted print dialog.
#include "model/textslot.h"
#include "report/printcommand.h"
#include "report/selectprint.h"
#include "testsupport/programfixture.h"
#include "testsupport/recordingpaintdevice.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>

#include <array>
#include <filesystem>
#include <functional>
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

    static void tick(QDialog& dialog, const std::vector<int>& ticks) {
        for (const int tick : ticks)
            dialog.findChild<QCheckBox*>(QString("LeftChoice%1").arg(tick + 1))->setChecked(true);
    }

    // Answers the selection dialog: ticks the given boxes and closes it with OK or not.
    void answerSelection(std::vector<int> ticks, bool ok = true) {
        script.setNextModal([ticks, ok](QDialog& dialog) {
            tick(dialog, ticks);
            return ok;
        });
    }

    // Ticks the boxes and ends the selection dialog with the named button, or with
    // "close" (the close box) or "Escape".
    void pressInSelection(std::vector<int> ticks, QString button) {
        script.setNextModal([ticks, button](QDialog& dialog) {
            tick(dialog, ticks);
            if (button == "close") {
                dialog.show();
                dialog.close();
            } else if (button == "Escape") {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            } else {
                dialog.findChild<QPushButton*>(button)->click();
            }
            return dialog.result() == QDialog::Accepted;
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
        long noPrinterQuestions;
    } cases[] = {
        {"closed without OK", {0}, false, true, true, 0, 0},
        {"nothing ticked", {}, true, true, true, 0, 0},
        {"no printer installed, no PDF wanted", {0}, true, false, true, 0, 1},
        {"print dialog cancelled", {0}, true, true, false, 1, 0},
    };
    for (const auto& c : cases) {
        script.clear();
        script.setPrinterInstalled(c.printerInstalled);
        answerSelection(c.ticks, c.ok);
        const auto log = c.printerChosen ? givePrinter(1) : std::make_shared<PrintLog>();
        print();
        EXPECT_EQ(script.shownOf(Kind::Print).size(), c.printDialogs) << c.what;
        const auto questions = script.shownOf(Kind::Question);
        EXPECT_EQ(std::ranges::count_if(questions,
                                        [](const auto& q) {
                                            return q.text.startsWith("No printer is installed") &&
                                                   q.text.endsWith(
                                                       "\n\nSave the report as a PDF instead?");
                                        }),
                  c.noPrinterQuestions)
            << c.what;
        EXPECT_TRUE(script.shownOf(Kind::Save).empty()) << c.what;
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

// The panel and Ok keep their places; the new buttons stand beside the panel, Cancel
// in Ok's row.
TEST_F(PrintCommandTest, TheNewButtonsStandBesideThePanelAndOk) {
    const struct {
        const char* name;
        const char* text;
        QRect place;
    } controls[] = {{"Panel1", "", QRect(16, 12, 214, 89)},
                    {"OKButton", "&Ok", QRect(86, 115, 75, 25)},
                    {"PreviewButton", "Pre&view\u2026", QRect(246, 12, 100, 25)},
                    {"SavePdfButton", "Save as &PDF\u2026", QRect(246, 45, 100, 25)},
                    {"CancelButton", "Cancel", QRect(246, 115, 100, 25)}};
    for (const auto& c : controls) {
        const auto* control = fmSelectPrint->findChild<QWidget*>(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->geometry(), c.place) << c.name;
        if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            EXPECT_EQ(button->text(), QString::fromUtf8(c.text));
        }
    }
    EXPECT_EQ(fmSelectPrint->minimumSize(), QSize(362, 185));
    EXPECT_EQ(fmSelectPrint->minimumSize(), fmSelectPrint->maximumSize());
}

TEST_F(PrintCommandTest, EachButtonLeadsToItsOwnDialogAndCancelToNone) {
    const struct {
        const char* button;
        bool printerInstalled;
        std::size_t printDialogs, previews, saveDialogs, questions;
    } cases[] = {
        {"OKButton", true, 1, 0, 0, 0},       {"OKButton", false, 0, 0, 0, 1},
        {"PreviewButton", true, 0, 1, 0, 0},  {"PreviewButton", false, 0, 1, 0, 0},
        {"SavePdfButton", false, 0, 0, 1, 0}, {"CancelButton", true, 0, 0, 0, 0},
        {"close", true, 0, 0, 0, 0},          {"Escape", true, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.button) + (c.printerInstalled ? "" : ", no printer");
        script.clear();
        script.setPrinterInstalled(c.printerInstalled);
        pressInSelection({1}, c.button);
        print();
        EXPECT_EQ(script.shownOf(Kind::Print).size(), c.printDialogs) << what;
        EXPECT_EQ(script.shownOf(Kind::Preview).size(), c.previews) << what;
        EXPECT_EQ(script.shownOf(Kind::Save).size(), c.saveDialogs) << what;
        EXPECT_EQ(script.shownOf(Kind::Question).size(), c.questions) << what;
        EXPECT_TRUE(script.shownOf(Kind::Error).empty()) << what;
    }
}

TEST_F(PrintCommandTest, ThePreviewDrawsOnePagePerTickedPairAndPrintsNothing) {
    for (const bool printerInstalled : {true, false}) {
        script.clear();
        script.setPrinterInstalled(printerInstalled);
        pressInSelection({2, 0}, "PreviewButton");
        auto log = std::make_shared<PrintLog>();
        script.setNextPreviewTarget(std::make_unique<RecordingPrinter>(log));
        print();
        ASSERT_EQ(script.shownOf(Kind::Preview).size(), 1u);
        EXPECT_EQ(script.shownOf(Kind::Preview)[0].pageCount, 2);
        ASSERT_EQ(log->documents.size(), 2u);
        EXPECT_EQ(log->documents[0].name, "TAVIK report, right ear, Curve B\\Curve D");
        EXPECT_TRUE(log->documents[0].texts.contains("Left Plot: Curve B"));
        EXPECT_TRUE(log->documents[1].texts.contains("Right Plot: Aid & Co"));
        EXPECT_TRUE(script.shownOf(Kind::Print).empty());
    }
}

int pdfPageCount(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

TEST_F(PrintCommandTest, SaveAsPdfOffersTheEarsNameAndWritesAPagePerTickedPair) {
    const std::string clinic = startDir.file("clinic");
    const std::string data = startDir.file("data") + "/";
    std::filesystem::create_directories(clinic);
    std::filesystem::create_directories(data);
    const struct {
        const char* what;
        const char* button;
        bool printerInstalled;
        Ear ear;
        std::string patientFile;
        std::vector<int> ticks;
        std::string folder;
        const char* offered;
        int pages;
    } cases[] = {
        {"right ear",
         "SavePdfButton",
         true,
         Ear::Right,
         clinic + "/SMITH.TAV",
         {0, 2},
         clinic + "/",
         "SMITH-right.pdf",
         2},
        {"left ear, untitled, no printer",
         "OKButton",
         false,
         Ear::Left,
         "",
         {1},
         data,
         "Untitled-left.pdf",
         1},
        {"left ear, all three",
         "SavePdfButton",
         true,
         Ear::Left,
         clinic + "/Ng.old.tav",
         {0, 1, 2},
         clinic + "/",
         "Ng.old-left.pdf",
         3},
    };
    for (const auto& c : cases) {
        script.clear();
        script.setPrinterInstalled(c.printerInstalled);
        script.setNextAnswer(DialogAnswer::Yes);
        document.currentFilePath = c.patientFile;
        document.currentFileName = std::filesystem::path(c.patientFile).filename().string();
        document.dataPath = data;
        request.currentEar = c.ear;
        pressInSelection(c.ticks, c.button);
        const std::string saved = c.folder + "chosen-" + c.offered;
        script.setNextFileName(QString::fromStdString(saved));
        print();

        const auto saves = script.shownOf(Kind::Save);
        ASSERT_EQ(saves.size(), 1u) << c.what;
        EXPECT_EQ(saves[0].request.folder, QString::fromStdString(c.folder)) << c.what;
        EXPECT_EQ(saves[0].request.fileName, c.offered) << c.what;
        EXPECT_EQ(saves[0].request.filter, "PDF files (*.pdf)") << c.what;
        EXPECT_EQ(saves[0].request.suffix, "pdf") << c.what;
        const std::vector<uint8_t> bytes = readBytes(saved);
        const QByteArray pdf(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size()));
        EXPECT_TRUE(pdf.startsWith("%PDF")) << c.what;
        EXPECT_EQ(pdfPageCount(pdf), c.pages) << c.what;
        EXPECT_EQ(fmWinMain->statusBar()->currentMessage(),
                  QString("Report saved as chosen-%1").arg(c.offered))
            << c.what;
        EXPECT_TRUE(script.shownOf(Kind::Print).empty()) << c.what;
    }
}

TEST_F(PrintCommandTest, AFailedPdfWriteNamesTheFileAndKeepsTheOldOne) {
    const TempDir folder;
    const std::string path = folder.file("SMITH-right.pdf");
    writeBytes(path, {'o', 'l', 'd'});
    pressInSelection({0}, "SavePdfButton");
    script.setNextFileName(QString::fromStdString(path));
    {
        const FileSizeLimit limit(1000);
        print();
    }
    const auto errors = script.shownOf(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].text.contains(QString::fromStdString(path)))
        << errors[0].text.toStdString();
    EXPECT_TRUE(errors[0].text.contains("too large")) << errors[0].text.toStdString();
    EXPECT_EQ(readBytes(path), std::vector<uint8_t>({'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary file left";
    EXPECT_TRUE(fmWinMain->statusBar()->currentMessage().isEmpty());
}

// Every pair has a curve in these tests: the fitted pair on the left, the user pair on
// the right, the aid pair on both.
void giveCurves(PrintRequest& request) {
    for (const int index : {0, 4, 2, 5})
        request.curves[index].complete = 1;
}

TEST_F(PrintCommandTest, NothingTickedKeepsTheDialogOpenAndSaysWhatToTick) {
    giveCurves(request);
    const struct {
        const char* button;
        Kind following;
    } cases[] = {
        {"OKButton", Kind::Print}, {"PreviewButton", Kind::Preview}, {"SavePdfButton", Kind::Save}};
    for (const auto& c : cases) {
        script.clear();
        bool stayedOpen = false;
        QString note;
        script.setNextModal([&](QDialog& dialog) {
            for (auto* box : dialog.findChildren<QCheckBox*>())
                box->setChecked(false); // the ticks of the last case come back
            auto* button = dialog.findChild<QPushButton*>(c.button);
            button->click();
            stayedOpen = dialog.result() != QDialog::Accepted;
            note = static_cast<TfmSelectPrint&>(dialog).note();
            tick(dialog, {1});
            button->click();
            return dialog.result() == QDialog::Accepted;
        });
        print();
        EXPECT_TRUE(stayedOpen) << c.button;
        EXPECT_EQ(note, "Tick the curves to print: at least one pair.") << c.button;
        EXPECT_EQ(script.shownOf(c.following).size(), 1u) << c.button << ": then it went on";
    }
}

TEST_F(PrintCommandTest, APairWithoutACurveCannotBeTickedAndIsNamed) {
    const struct {
        std::vector<int> complete;
        std::array<bool, 3> offered;
        const char* note;
    } cases[] = {
        {{0, 1, 2, 3, 4, 5}, {true, true, true}, ""},
        {{3, 5}, {true, false, true}, "No curve to print in 1000 Hz (user)\\4000 Hz (user)."},
        {{4}, {false, true, false}, "No curve to print in Curve B\\Curve D or HA-1\\Aid & Co."},
        {{},
         {false, false, false},
         "Nothing to print: no pair has a complete curve. Choose a curve or an aid, or type "
         "your own."},
    };
    for (const auto& c : cases) {
        script.clear();
        for (CurveParams& curve : request.curves)
            curve.complete = 0;
        for (const int index : c.complete)
            request.curves[index].complete = 1;
        std::array<bool, 3> offered{};
        QString note, afterOk;
        script.setNextModal([&](QDialog& dialog) {
            for (int box = 0; box < 3; ++box)
                offered[static_cast<std::size_t>(box)] =
                    dialog.findChild<QCheckBox*>(QString("LeftChoice%1").arg(box + 1))->isEnabled();
            note = static_cast<TfmSelectPrint&>(dialog).note();
            dialog.findChild<QPushButton*>("OKButton")->click();
            afterOk = static_cast<TfmSelectPrint&>(dialog).note();
            return dialog.result() == QDialog::Accepted;
        });
        print();
        EXPECT_EQ(offered, c.offered) << c.note;
        EXPECT_EQ(note, c.note);
        if (c.complete.empty()) {
            EXPECT_EQ(afterOk, c.note) << "Ok says again that there is nothing to print";
        }
        EXPECT_TRUE(script.shownOf(Kind::Print).empty()) << c.note;
    }
}

// The ticks of the last selection come back for the same patient and ear only.
TEST_F(PrintCommandTest, TicksAreKeptWhileThePatientAndTheEarStayTheSame) {
    giveCurves(request);
    const struct {
        const char* what;
        std::function<void(PrintRequest&)> between;
        std::array<bool, 3> ticks;
    } cases[] = {
        {"the same ear", [](PrintRequest&) {}, {false, true, true}},
        {"the other ear", [](PrintRequest& r) { r.currentEar = Ear::Left; }, {false, false, false}},
        {"a new patient", [](PrintRequest&) { trigger("New1"); }, {false, false, false}},
    };
    for (const auto& c : cases) {
        script.clear();
        request.currentEar = Ear::Right;
        pressInSelection({1, 2}, "CancelButton");
        print();
        pressInSelection({2, 1}, "PreviewButton"); // returns to the selection: Cancel
        print();
        c.between(request);
        std::array<bool, 3> ticks{true, true, true};
        script.setNextModal([&ticks](QDialog& dialog) {
            const PairFlags shown = static_cast<TfmSelectPrint&>(dialog).ticks();
            std::copy(shown.begin(), shown.end(), ticks.begin());
            return false;
        });
        print();
        EXPECT_EQ(ticks, c.ticks) << c.what;
    }
}

TEST_F(PrintCommandTest, PreviewReturnsToTheSelectionWithItsTicks) {
    giveCurves(request);
    pressInSelection({0, 2}, "PreviewButton");
    PairFlags ticksAfterPreview{};
    script.setNextModal([&](QDialog& dialog) {
        ticksAfterPreview = static_cast<TfmSelectPrint&>(dialog).ticks();
        dialog.findChild<QPushButton*>("OKButton")->click();
        return dialog.result() == QDialog::Accepted;
    });
    const auto log = givePrinter(1);
    print();
    EXPECT_EQ(script.shownOf(Kind::Modal).size(), 2u);
    EXPECT_EQ(script.shownOf(Kind::Preview).size(), 1u);
    EXPECT_EQ(ticksAfterPreview, (PairFlags{true, false, true}));
    ASSERT_EQ(log->documents.size(), 2u) << "Ok after the preview prints the two pairs";
    EXPECT_EQ(log->documents[1].name, "TAVIK report, right ear, HA-1\\Aid & Co");
}

} // namespace
