#include "app/pagearea.h"

#include "controls/pageform.h"

#include <QApplication>
#include <QGridLayout>
#include <QScrollBar>

#include <algorithm>

PageArea::PageArea(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("PageScrollArea"));
    // No frame and no place in the Tab chain: where the page fits, the window looks
    // and behaves as if the page lay in it directly.
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    WindowPanel = new QWidget;
    WindowPanel->setObjectName(QStringLiteral("WindowPanel"));
    pageLayout = new QGridLayout(WindowPanel);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    setWidget(WindowPanel);
    focusFollower = connect(qApp, &QApplication::focusChanged, this,
                            [this](QWidget*, QWidget* now) { scrollIntoView(now); });
}

// The focus moves while the area's widgets go; it is no longer followed by then.
PageArea::~PageArea() {
    disconnect(focusFollower);
}

void PageArea::addPage(PageForm* page) {
    pageLayout->addWidget(page, 0, 0);
}

// The area a page's controls take, from its top-left corner: below it the controls
// at the page's right and bottom would be out of reach. A page that places its
// controls to fit the area it is given says the least it needs instead.
void PageArea::showPage(const PageForm* page, QWidget* focus) {
    const QRect controls = page->childrenRect();
    const QSize least = page->minimumSize();
    WindowPanel->setMinimumSize(least.isEmpty() ? QSize(std::max(controls.right() + 1, 0),
                                                        std::max(controls.bottom() + 1, 0))
                                                : least);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    scrollIntoView(focus);
}

// The whole control, not only a text field's cursor, with a margin of a few pixels
// that shows what lies around it as well.
void PageArea::scrollIntoView(QWidget* widget) {
    constexpr int kMargin = 8;
    if (!widget || !WindowPanel->isAncestorOf(widget))
        return;
    const QRect place(widget->mapTo(WindowPanel, QPoint(0, 0)), widget->size());
    ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + kMargin,
                  place.height() / 2 + kMargin);
}
