// The reports' pages on screen as the printer will get them, drawn by the same code
// onto the same kind of device, with a button that prints them from there.
#pragma once

#include "platform/dialogservice.h"

#include <QDialog>

#include <memory>
#include <vector>

class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QVBoxLayout;

// The order in which pages go to the printer when copies are asked for: every copy of
// the first report, then every copy of the next, as the print command prints them.
std::vector<int> pagesWithCopies(int pageCount, int copies);

class ReportPreviewDialog final : public QDialog {
    Q_OBJECT
  public:
    // Without a printer the pages are laid out on the PDF paper of this computer and
    // the print button is disabled.
    ReportPreviewDialog(QWidget* parent, int pageCount, ReportPageDrawer drawPage,
                        bool printerInstalled);
    ~ReportPreviewDialog() override;

  private:
    void addButtons(QVBoxLayout* layout, bool printerInstalled);
    void drawPages(QPrinter* printer, const std::vector<int>& pages);
    void printPages();

    int pageCount_;
    ReportPageDrawer drawPage_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* preview_ = nullptr;
    QPushButton* PrintButton = nullptr;
};
