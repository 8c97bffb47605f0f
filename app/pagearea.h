// The main window's page area: the host panel `WindowPanel`, in which the pages lie
// one over the other, inside a scroller. Where the window is smaller than the page
// shown (a large text scale on a small screen) the area scrolls, so that every
// control stays within reach, and the control that takes the focus is scrolled into
// view; where the page fits, it fills the area as it would without scrolling and no
// scroll bar shows.
#pragma once

#include <QScrollArea>

class PageForm;
class QGridLayout;

class PageArea : public QScrollArea {
    Q_OBJECT
  public:
    explicit PageArea(QWidget* parent);
    ~PageArea() override;

    // The panel the pages are made in.
    QWidget* panel() const { return WindowPanel; }
    // Places a page made in the panel so that it fills it.
    void addPage(PageForm* page);
    // A page just shown: the area may not shrink below what its controls take, and it
    // comes into view from its top-left corner, then as far as the focus needs.
    void showPage(const PageForm* page, QWidget* focus);

  private:
    void scrollIntoView(QWidget* widget);

    QWidget* WindowPanel = nullptr;
    QGridLayout* pageLayout = nullptr;
    QMetaObject::Connection focusFollower;
};
