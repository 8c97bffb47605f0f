// The main window: menu, tool bar, the page area that hosts one page at a time, and
// the status bar. It switches pages and hands the file commands to DocumentCommands.
#pragma once

#include "app/documentcommands.h"

#include <QMainWindow>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QToolButton;

// The notification posted on the first change after New, Load or Save.
inline constexpr int kModifiedNotification = 1025;

class TfmWinMain : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr QSize kRestoredSize{800, 572};

    explicit TfmWinMain(QWidget* parent = nullptr);
    ~TfmWinMain() override;

    QWidget* pageArea() const { return WindowPanel; }
    void hostPage(QWidget* page);

    // Shows a page in place of the one shown, which stores its data first.
    void showPage(QWidget* page, QAbstractButton* button);
    // Places a page in the page area, shows it and puts its button down.
    void placePage(QWidget* page, QAbstractButton* button);
    QAbstractButton* patientPageButton() const;

    void setStatusText(int panel, const QString& text);
    QString statusText(int panel) const;

    // The first command-line argument, opened when the window is first shown.
    void setCommandLineFile(const QString& path) { commandLineFile = path; }

  public slots:
    void New1Click();
    void NewFileSpeedButtonClick();
    void Load1Click();
    void LoadFileSpeedButtonClick();
    void Save1Click();
    void SaveFileSpeedButtonClick();
    void SaveAs1Click();
    void Exit1Click();
    void About1Click();
    void Contents1Click();
    void UsingHelp1Click();
    void ClientInfoButtonClick();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void EditCurveButtonClick();
    void SpeedButton6Click();
    void PatientInformation1Click();
    void LOUDMAPData1Click();
    void HearingAidDatabase1Click();
    void IOCurves1Click();
    void Configuration1Click();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void buildMenu();
    void buildToolBar();
    void buildStatusBar();
    void applySizeConstraints();

    DocumentCommands commands;
    QWidget* WindowPanel = nullptr;
    QGridLayout* pageLayout = nullptr;
    QLabel* statusPanels[2] = {nullptr, nullptr};
    QToolButton* ClientInfoButton = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* EditCurveButton = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QButtonGroup* pageButtons = nullptr;
    QAbstractButton* shownPageButton = nullptr; // the button of the page shown
    QString commandLineFile;
    bool shown = false;
};
