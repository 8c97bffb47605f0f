// The small dialog in which the clinician ticks the curve pairs to print: the fitted
// curves, their own curves, the hearing-aid curves, each named by the two controls
// of the curve page it comes from ("Curve A\Curve C"). Created once at start and
// reused; every showing starts with fresh captions and no box ticked.
#pragma once

#include "report/reporttext.h"

#include <QDialog>
#include <QString>

#include <array>

class QCheckBox;
class QFrame;
class QPushButton;

class TfmSelectPrint : public QDialog {
    Q_OBJECT
  public:
    explicit TfmSelectPrint(QWidget* parent);

    // Sets the three captions (fitted, user, hearing-aid pair) and clears every box.
    void prepare(const std::array<QString, kReportChoiceCount>& captions);
    // Whether the box of a curve kind (0 fitted, 1 user, 2 hearing aid) is ticked.
    bool isTicked(int choice) const;
    QString caption(int choice) const;
    // Places the dialog over the middle of the window.
    void centreOver(const QWidget* window);

    // What the report last printed was drawn from, page size included; kept by the
    // print command after every document.
    const PrintData& printData() const { return printed_; }
    void keepPrintData(const PrintData& data) { printed_ = data; }

  private:
    PrintData printed_;

    QPushButton* OKButton = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* LeftChoice1 = nullptr;
    QCheckBox* LeftChoice2 = nullptr;
    QCheckBox* LeftChoice3 = nullptr;

    std::array<QCheckBox*, kReportChoiceCount> choices() const;
};
