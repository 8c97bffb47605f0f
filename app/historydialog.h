// File > History...: the kept versions of the patient file, newest first, with who
// saved each, where, when, its test date and what it changed against the one before.
// The clinician picks one to open read-only or to restore; the window does the rest.
#pragma once

#include "model/patienthistory.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

// TfmHistory: the history list of File > History.
class TfmHistory : public QDialog {
    Q_OBJECT
  public:
    enum class Action { None, Open, Restore };
    struct Choice {
        Action action = Action::None;
        int version = -1; // index into the history's versions, oldest first
    };

    // `fileName` names the patient file in the caption; `aidName` names the aids.
    TfmHistory(QWidget* parent, const HistoryRead& history, const QString& fileName,
               const AidNamer& aidName);

    // What the clinician chose when the dialog closed with OK.
    Choice choice() const { return choice_; }

    // "2030-01-02 09:30": the local time of a save, as the list and the title show it.
    static QString savedAtText(int64_t savedAt);

  private:
    void fillRows(const HistoryRead& history, const AidNamer& aidName);
    void choose(Action action);
    int selectedVersion() const;

    QTableWidget* grid_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* restore_ = nullptr;
    int versionCount_ = 0;
    Choice choice_;
};
