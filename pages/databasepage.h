// The hearing-aid database page: the six entries of the database one at a time, their
// long and short names and their curve parameters at the six frequencies, with steps
// to the first, previous, next and last entry. Edits here change only the database,
// never the patient document; the database file is written at exit.
#pragma once

#include "controls/pageform.h"
#include "model/fittingrecord.h"
#include "pages/aidentrytext.h"

class DataGrid;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QToolButton;

// TfmPage3: the hearing-aid database page (its historical form name).
class TfmPage3 : public PageForm {
    Q_OBJECT
  public:
    explicit TfmPage3(QWidget* parent);
    ~TfmPage3() override;

    // Shows entry n in the edits and the grid.
    void loadAidEntry(int n);
    // Stores what the clinician changed in the edits and the grid into entry n and,
    // when the entry changed, writes the database file. A cell that is no number, or
    // holds a gain or a ratio no hearing aid has, is told to the clinician, who is
    // taken to it; the store stops there (see storeChangedAidEntryTexts) and false is
    // returned. Values dropped (a level outside 30..130 dB) are named in the status bar.
    bool storeAidEntry(int n);

    bool canLeave() override;
    bool canClose() override;

    int currentAid = 0;

    QWidget* firstField() const override;
    // The database's entries are no part of the patient's file, and the Edit menu
    // does not take them back.
    QString undoNote() const override {
        return QStringLiteral("Changes to the hearing aid database cannot be undone.");
    }

  public slots:
    void FormShow() override;
    void FormHide() override;
    void FirstRecButtonClick();
    void PrevRecButtonClick();
    void NextRecButtonClick();
    void LastRecButtonClick();

  public:
    // Grid handlers: the key filter returns true for a key it discards.
    bool HADataGridKeyPress(QKeyEvent* event);
    void HADataGridDrawCell(QPainter& painter, int column, int row, const QRect& rect);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    QLineEdit* addNameEdit(const QString& name, const QString& label, const QString& hint,
                           const QString& what, int limit, int top, int width);
    void buildGrid();
    void buildNavigation();
    // Stores the shown entry and moves to entry n; a failed store stays where it is.
    void stepTo(int n);
    void showPosition();
    AidEntryTexts shownTexts() const;
    // The store without the file: the exit writes the file itself.
    bool storeEntryOnly(int n);
    // Writes the database after an entry changed; a failure is told and the database
    // in memory is kept.
    void writeDatabase();
    bool refuseCellOnStore(const AidEntryTexts& shown);
    void noteDroppedCells(const AidEntryTexts& shown);
    void reportBadCell(const BadAidCell& bad, bool showCell);
    // The status-bar note for a cell the clinician leaves; false keeps them in it.
    bool HADataGridCellLeaving(int column, int row);
    QString cellPlace(int column, int row) const;
    // Puts entry currentAid back as it was last loaded or stored.
    void restoreShownEntry();
    void storeBeforeDatabaseSave();

    // The database as it was when the shown entry was last loaded or stored, and the
    // texts the page showed then: only texts that differ from them are stored.
    AidDatabase lastStored_{};
    AidEntryTexts loadedTexts_;

    QLineEdit* EditLongName = nullptr;
    QLineEdit* EditShortName = nullptr;
    DataGrid* HADataGrid = nullptr;
    QToolButton* FirstRecButton = nullptr;
    QToolButton* PrevRecButton = nullptr;
    QToolButton* NextRecButton = nullptr;
    QToolButton* LastRecButton = nullptr;
    QLabel* CurrentRecLabel = nullptr;
};
