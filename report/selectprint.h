// The small dialog in which the clinician ticks the curve pairs to print: the fitted
// curves, their own curves, the hearing-aid curves, each named by the two controls
// of the curve page it comes from ("Curve A\Curve C"), and chooses under them where
// the reports go: Ok (a printer), Preview, Save as PDF, or Cancel. Created once at
// start and reused; every showing starts with fresh captions. A pair without a curve
// cannot be ticked, and Ok, Preview and Save as PDF with nothing ticked keep the
// dialog open and say, under the buttons, what to tick.
#pragma once

#include "report/reporttext.h"

#include <QDialog>
#include <QString>

#include <array>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

// The button that ended the dialog. Closing the window and Escape count as Cancel.
enum class SelectPrintEnding { Cancel, Print, Preview, SavePdf };

// One flag per curve pair, in the order fitted, user, hearing aid.
using PairFlags = std::array<bool, kReportChoiceCount>;

// The ticks of the last selection that was confirmed, and whose they were: the
// patient (DocumentState::patientNumber) and the ear.
struct KeptTicks {
    unsigned patient = 0;
    Ear ear = Ear::Right;
    PairFlags ticks{};
};

// TfmSelectPrint: the print selection dialog.
class TfmSelectPrint : public QDialog {
    Q_OBJECT
  public:
    explicit TfmSelectPrint(QWidget* parent);

    // Sets the three captions (fitted, user, hearing-aid pair), lets a box be ticked
    // only where its pair has a curve (offered), ticks the offered boxes of ticked,
    // and forgets how the dialog last ended. A pair not offered is greyed and named in
    // the note.
    void prepare(const std::array<QString, kReportChoiceCount>& captions, const PairFlags& offered,
                 const PairFlags& ticked);
    // The boxes ticked now.
    PairFlags ticks() const;
    // The note under the buttons ("" when there is nothing to say).
    QString note() const;
    // How the dialog ended: by one of its four buttons, or Cancel when it was closed.
    // A dialog accepted without a button (Enter on the default button) is Print.
    SelectPrintEnding ending() const { return ending_; }
    // Whether the box of a curve kind (0 fitted, 1 user, 2 hearing aid) is ticked.
    bool isTicked(int choice) const;
    QString caption(int choice) const;
    // Places the dialog over the middle of the window.
    void centreOver(const QWidget* window);

    // What the report last printed was drawn from, page size included; kept by the
    // print command after every document.
    const PrintData& printData() const { return printed_; }
    void keepPrintData(const PrintData& data) { printed_ = data; }

    void keepTicks(const KeptTicks& kept) { kept_ = kept; }
    const std::optional<KeptTicks>& keptTicks() const { return kept_; }

    void reject() override;

  private:
    void addButtons();
    void end(SelectPrintEnding ending);
    void showNote(const QString& text);

    PrintData printed_;
    std::optional<KeptTicks> kept_;
    SelectPrintEnding ending_ = SelectPrintEnding::Print;

    QPushButton* OKButton = nullptr;
    QPushButton* PreviewButton = nullptr;
    QPushButton* SavePdfButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* LeftChoice1 = nullptr;
    QCheckBox* LeftChoice2 = nullptr;
    QCheckBox* LeftChoice3 = nullptr;
    QLabel* NoteLabel = nullptr;
    // What the note says of the pairs not offered, shown again after a refused button.
    QString notOffered_;

    std::array<QCheckBox*, kReportChoiceCount> choices() const;
};
