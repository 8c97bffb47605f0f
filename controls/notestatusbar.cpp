#include "controls/notestatusbar.h"

#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace {

constexpr int kSideMargin = 6;
constexpr int kTopBottomMargin = 3;

} // namespace

NoteStatusBar::NoteStatusBar(QWidget* parent) : QStatusBar(parent) {
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& note) {
        if (!note.isEmpty()) {
            setToolTip(note);
            setAccessibleDescription(note);
        }
        fitNote();
    });
}

QRect NoteStatusBar::noteRect() const {
    return rect().adjusted(kSideMargin, kTopBottomMargin, -kSideMargin, -kTopBottomMargin);
}

int NoteStatusBar::noteLines() const {
    const QString note = currentMessage();
    if (note.isEmpty())
        return 0;
    const QRect wrapped = fontMetrics().boundingRect(QRect(0, 0, noteRect().width(), 1 << 20),
                                                     Qt::TextWordWrap, note);
    return std::max(1, (wrapped.height() + fontMetrics().lineSpacing() / 2) /
                           fontMetrics().lineSpacing());
}

// One line keeps the bar as its layout makes it; more lines make it that much taller.
void NoteStatusBar::fitNote() {
    const int lines = std::min(noteLines(), kMostLines);
    if (lines <= 1) {
        setMinimumHeight(0);
        return;
    }
    const int height = lines * fontMetrics().lineSpacing() + 2 * kTopBottomMargin + 2;
    if (minimumHeight() != height)
        setMinimumHeight(height);
}

void NoteStatusBar::paintEvent(QPaintEvent* event) {
    const QString note = currentMessage();
    if (note.isEmpty()) {
        QStatusBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
    painter.setPen(palette().windowText().color());
    painter.drawText(noteRect(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextWordWrap, note);
}

// A narrower bar may need more lines for the same note.
void NoteStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    fitNote();
}
