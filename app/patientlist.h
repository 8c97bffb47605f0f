// File > Patients...: every patient file in the data folder and its sub-folders, read
// in a worker thread while the list fills, found by typing part of a name or ID, and
// opened through the same question about unsaved changes as File > Load.
#pragma once

#include "model/patientscan.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

struct PatientListing;
class PatientFilterProxy;
class PatientListModel;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QThread;

// TfmPatientList: the patient list of File > Patients.
class TfmPatientList : public QDialog {
    Q_OBJECT
  public:
    // Opens a patient file as the document; false when the clinician kept the one open.
    using OpenFile = std::function<bool(const QString& path)>;
    // The folder chosen with "Folder...", or nothing when the choice was cancelled.
    using FolderChooser = std::function<std::optional<QString>(QWidget* parent, const QString&)>;

    TfmPatientList(QWidget* parent, OpenFile openFile);
    ~TfmPatientList() override;

    // Shows the list and reads the folder afresh.
    void showFolder(const QString& folder);
    QString folder() const { return folder_; }
    bool scanning() const { return worker_ != nullptr; }

    // Tests choose folders from a script; an empty chooser brings back the real dialog.
    static void setFolderChooser(FolderChooser chooser);
    // Tests read folders through a lister of their own, one that can fail where the
    // disk would not; an empty lister reads the disk.
    static void setFolderLister(PatientFolderLister lister);

  signals:
    void scanFinished();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildLayout();
    QHBoxLayout* buildFindRow();
    void buildTable();
    void spanReasons();
    QHBoxLayout* buildButtonRow();
    void fitToScreen();
    void startScan();
    void stopScan();
    void receive(int generation, std::vector<PatientListing>&& batch, std::size_t done,
                 std::size_t total);
    void finish(int generation, const QString& failure);
    void chooseFolder();
    void openCurrent();
    void filterChanged(const QString& text);
    void moveSelection(int steps);
    void showCounts();

    OpenFile openFile_;
    QString folder_;
    PatientListModel* model_ = nullptr;
    PatientFilterProxy* proxy_ = nullptr;
    QTableView* table_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QThread* worker_ = nullptr;
    std::atomic<bool> stop_{false};
    int generation_ = 0;
    QString failure_;
    bool sized_ = false;
};
