// The Edit menu's Undo and Redo: each takes one step of the patient's undo history
// back (or does it again), loads the pages from the record as it was, and shows the
// page, the field or the cell of that step. A key pressed in a field that has typing
// of its own to undo undoes that first, as in a spreadsheet; only a field with
// nothing left to undo hands Ctrl+Z to the menu.
#pragma once

#include <QObject>

class QAction;
class QMenu;
class TfmWinMain;
struct ChangePlace;
struct DocumentImage;

class EditCommands : public QObject {
    Q_OBJECT
  public:
    explicit EditCommands(TfmWinMain& window);

    // Adds Undo1 and Redo1 to the menu.
    void buildMenu(QMenu* edit);
    void undo();
    void redo();
    // The items' texts name the step they would take; an item with none is disabled.
    void refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // False when the page shown keeps the clinician (a value it cannot store), or
    // says that its own changes cannot be undone.
    bool mayStep();
    // Puts back the stored value of a cell whose text the page shown refused.
    bool takeBackRefused();
    void restore(const DocumentImage& image, const ChangePlace& place);

    TfmWinMain& window_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};
