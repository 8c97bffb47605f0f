// The common frame of the pages the main window hosts: a borderless child of the
// main window's page area that loads its controls from the fitting record when it
// is shown (FormShow) and stores them back when it is hidden (FormHide). Showing
// and hiding by the window system (minimising the main window) does neither.
#pragma once

#include "model/ear.h"
#include "model/undohistory.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class PageForm : public QWidget {
    Q_OBJECT
    // F1 reads it (app/helprequests.h).
    Q_PROPERTY(int helpContext READ helpContext)
  public:
    PageForm(QWidget* parent, const QString& objectName, QColor background);

    // The page's controls from the fitting record, and back. The document commands
    // call these for every page, in page order; a page that holds no patient data
    // keeps the empty defaults.
    virtual void loadFromRecord() {}
    virtual void storeToRecord() {}

    // Whether the clinician may leave the page now. A page whose controls hold what it
    // cannot store says why and returns false, so the clinician stays to correct it;
    // page switches and New and Load ask before they hide a page.
    virtual bool canLeave() { return true; }
    // Whether the page can store all it shows; Save asks before it stores the pages
    // shown. A page that cannot says why and returns false, and nothing is saved.
    virtual bool canStore() { return true; }
    // Whether the program may close with this page shown. A page that cannot store
    // what it shows asks whether to close without it, and then gives it up, so that
    // nothing half-stored is written at exit.
    virtual bool canClose() { return canLeave(); }

    // Whether the page prints: File > Print and its key print from it while it is shown.
    virtual bool prints() const { return false; }
    virtual void print() {}

    // The field that has the focus when the page is shown; none on a page without
    // fields, which then takes the focus itself.
    virtual QWidget* firstField() const { return nullptr; }
    void focusFirstField();
    // Gives a field the focus as the program does when a page or entry is shown: a
    // text field has its whole text selected, so that typing replaces it.
    static void focusField(QWidget* field);

    // Shows the clinician a change the Edit menu undid or did again, after the page
    // was loaded from the record: the field, or the grid cell, is made current.
    virtual void showChange(const ChangePlace& place);
    // Why Undo and Redo do nothing while the page is shown; "" where they take back
    // the patient's changes.
    virtual QString undoNote() const { return {}; }
    // Undo on a cell whose typed text the page refused puts back the value stored
    // there: the typing never reached the record, so it is no step of the history.
    // True when there was such a cell.
    virtual bool takeBackRefused() { return false; }
    // The place of a change made in one of the page's fields or cells.
    ChangePlace placeOf(const QWidget* field, int column = -1, int row = -1) const;

    // The help topic of the page, opened by F1 on it or any of its controls; the main
    // window gives each page its topic from the page table.
    int helpContext() const { return helpContext_; }
    void setHelpContext(int context) { helpContext_ = context; }

  public slots:
    virtual void FormShow() {}
    virtual void FormHide() {}

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    int helpContext_ = 0;
};

class QLabel;

// A label at a fixed place of a page.
QLabel* placeLabel(QWidget* parent, const QString& text, int left, int top);

// The pages' sans-serif font, asked for by the name the layouts were drawn with.
QFont pageFont(int pixelSize, bool bold = false);

// Text colour of a widget.
void setTextColour(QWidget* widget, QColor colour);

// The colour that marks an ear on the pages: right red, left blue.
QColor earColour(Ear ear);
