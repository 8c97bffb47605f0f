// The small dialog in which the clinician ticks the curve pairs to print: the fitted
// curves, their own curves, the hearing-aid curves, each named by the two controls
// of the curve page it comes from ("Curve A\Curve C"), and chooses under them where
// the reports go: Ok (a printer), Preview, Save as PDF, or Cancel. Created once at
// start and reused; every showing starts with fresh captions and no box ticked.
#pragma once

#include "report/reporttext.h"

#include <QDialog>
#include <QString>

#include <array>

class QCheckBox;
class QFrame;
class QPushButton;

// The button that ended the dialog. Closing the window and Escape count as Cancel.
enum class SelectPrintEnding { Cancel, Print, Preview, SavePdf };

class TfmSelectPrint : public QDialog {
    Q_OBJECT
  public:
    explicit TfmSelectPrint(QWidget* parent);

    // Sets the three captions (fitted, user, hearing-aid pair), clears every box and
    // forgets how the dialog last ended.
    void prepare(const std::array<QString, kReportChoiceCount>& captions);
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

    void reject() override;

  private:
    void addButtons();
    void end(SelectPrintEnding ending);

    PrintData printed_;
    SelectPrintEnding ending_ = SelectPrintEnding::Print;

    QPushButton* OKButton = nullptr;
    QPushButton* PreviewButton = nullptr;
    QPushButton* SavePdfButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* LeftChoice1 = nullptr;
    QCheckBox* LeftChoice2 = nullptr;
    QCheckBox* LeftChoice3 = nullptr;

    std::array<QCheckBox*, kReportChoiceCount> choices() const;
};
