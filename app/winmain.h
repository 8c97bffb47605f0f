// The main window: menu, tool bar, the page area that hosts one page at a time, and
// the status bar. It switches pages through its page table and hands the file
// commands to DocumentCommands.
#pragma once

#include "app/documentcommands.h"
#include "app/pagetable.h"

#include <QMainWindow>

#include <vector>

class EditCommands;
class FileIntake;
class QAction;
class QButtonGroup;
class RecentFilesMenu;
class PageArea;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

// The notification posted when the document becomes changed, and when it becomes the
// file's again.
inline constexpr int kModifiedNotification = 1025;

class TfmPatientList;

// TfmWinMain: the main window.
class TfmWinMain : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr QSize kRestoredSize{800, 572};

    explicit TfmWinMain(QWidget* parent = nullptr);
    ~TfmWinMain() override;

    // Makes the patient page in the page area, hidden until the window first shows.
    // The other pages of the page table are made when first shown: nothing is drawn
    // or stored for a page the clinician has not opened.
    void createFirstPage();
    // The pages in table order, the patient page first.
    const std::vector<Page>& pages() const { return pages_; }
    std::vector<Page>& pages() { return pages_; }
    DocumentCommands& documentCommands() { return commands; }

    // Shows a page in place of the one shown, which stores its data first; a page not
    // yet made is made now.
    void showPage(Page& page);
    // Places the patient page in the page area, shows it and puts its button down,
    // as at start and after New and Load.
    void placeFirstPage();

    void setStatusText(int panel, const QString& text);
    // The banner over every page while a kept version is shown read-only; an empty
    // text hides it.
    void showVersionBanner(const QString& text);
    QString statusText(int panel) const;

    // The first command-line argument, opened when the window is first shown.
    void setCommandLineFile(const QString& path) { commandLineFile = path; }

    // Files dropped on the window or handed over by a second start.
    FileIntake& fileIntake() { return *intake_; }
    RecentFilesMenu& recentFiles() { return *recentFiles_; }

  public slots:
    // One handler per command; its menu item and its tool bar button share one action.
    // Each is named after its menu item: New1 is File > New, PageHelp1 Help > the
    // topic of the page shown.
    void New1Click();
    void Load1Click();
    void Patients1Click();
    void Print1Click();
    void Save1Click();
    void SaveAs1Click();
    void History1Click();
    void Exit1Click();
    void About1Click();
    void Contents1Click();
    void UsingHelp1Click();
    void PageHelp1Click();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct ToolButton {
        QString name;
        QString hint;
        ToolIcon icon;
    };

    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void buildMenu();
    QWidget* buildCentralArea();
    void buildPagesMenu(QMenu* items);
    void buildToolBar();
    QToolButton* addToolButton(QToolBar* bar, QAction* action, const ToolButton& look);
    void addPageButton(QToolBar* bar, Page& page);
    void buildStatusBar();
    void makePage(Page& page);
    void placePage(const Page& page);
    void applySizeConstraints();

    DocumentCommands commands;
    std::vector<Page> pages_;
    const Page* shownPage_ = nullptr; // the page whose button is down
    QAction* New1 = nullptr;
    QAction* Load1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Print1 = nullptr;    // enabled while the page shown prints
    PageArea* pageArea = nullptr; // hosts the pages; scrolls where one does not fit
    QLabel* statusPanels[2] = {nullptr, nullptr};
    QLabel* versionBanner = nullptr;
    QButtonGroup* pageButtons = nullptr;
    QString commandLineFile;
    TfmPatientList* patientList = nullptr; // made when first asked for
    bool shown = false;
    RecentFilesMenu* recentFiles_ = nullptr;
    FileIntake* intake_ = nullptr;
    EditCommands* edits_ = nullptr;
};
