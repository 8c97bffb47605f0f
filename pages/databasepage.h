// The hearing-aid database page: the six entries of the database one at a time, their
// long and short names and their curve parameters at the six frequencies, with steps
// to the first, previous, next and last entry. Edits here change only the database,
// never the patient document; the database file is written at exit.
#pragma once

#include "controls/pageform.h"
#include "model/fittingrecord.h"

class DataGrid;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QToolButton;
struct AidEntryTexts;
struct BadAidCell;

class TfmPage3 : public PageForm {
    Q_OBJECT
  public:
    explicit TfmPage3(QWidget* parent);
    ~TfmPage3() override;

    // Shows entry n in the edits and the grid.
    void loadAidEntry(int n);
    // Stores the edits and the grid into entry n. A cell that is no number is told to
    // the clinician, who is taken to it; the store stops there (see storeAidEntryTexts)
    // and false is returned.
    bool storeAidEntry(int n);

    bool canLeave() override;
    bool canClose() override;

    int currentAid = 0;

    QWidget* firstField() const override;

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
    void reportBadCell(const BadAidCell& bad, bool showCell);
    // Puts entry currentAid back as it was last loaded or stored.
    void restoreShownEntry();
    void storeBeforeDatabaseSave();

    // The database as it was when the shown entry was last loaded or stored.
    AidDatabase lastStored_{};

    QLineEdit* EditLongName = nullptr;
    QLineEdit* EditShortName = nullptr;
    DataGrid* HADataGrid = nullptr;
    QToolButton* FirstRecButton = nullptr;
    QToolButton* PrevRecButton = nullptr;
    QToolButton* NextRecButton = nullptr;
    QToolButton* LastRecButton = nullptr;
    QLabel* CurrentRecLabel = nullptr;
};
