#include "pages/commentsmemo.h"

#include "controls/pageform.h"
#include "pages/latin1entry.h"

#include <QKeyEvent>
#include <QMimeData>

CommentsMemo::CommentsMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("CommentsMemo"));
    const QString hint = limitHint(kLimit) + QStringLiteral("; a line break counts as two");
    setAccessibleName(QStringLiteral("Comments"));
    setAccessibleDescription(hint);
    setToolTip(hint);
    // Composed input would slip past the checks below.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setTabChangesFocus(true);
}

int CommentsMemo::storedLength(const QString& text) {
    int length = 0;
    for (const QChar ch : text)
        length += (ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator) ? 2 : 1;
    return length;
}

int CommentsMemo::room() const {
    const int used = storedLength(toPlainText()) - storedLength(textCursor().selectedText());
    return kLimit - used;
}

// Letters outside Latin-1 go in as their plain letters; what cannot be stored, or
// would not fit, is refused with a word in the status bar.
void CommentsMemo::keyPressEvent(QKeyEvent* event) {
    const bool isBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const bool types = isBreak || (!text.isEmpty() && text.at(0).isPrint());
    if (!types) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const Latin1Text stored = isBreak ? Latin1Text{text, QChar()} : toLatin1Text(text);
    if (!stored.refused.isNull()) {
        noteRefusedCharacter(this, stored.refused, kWhat);
        return;
    }
    if ((isBreak ? 2 : storedLength(stored.text)) > room()) {
        noteFull();
        return;
    }
    QKeyEvent plain(event->type(), event->key(), event->modifiers(), stored.text,
                    event->isAutoRepeat(), event->count());
    QPlainTextEdit::keyPressEvent(&plain);
}

void CommentsMemo::insertFromMimeData(const QMimeData* source) {
    const Latin1Text stored = toLatin1Text(source->text());
    QString text = stored.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const int room = this->room();
    const bool fits = storedLength(text) <= room;
    while (!text.isEmpty() && storedLength(text) > room)
        text.chop(1);
    insertPlainText(text);
    if (!stored.refused.isNull())
        noteRefusedCharacter(this, stored.refused, kWhat);
    else if (!fits)
        noteFull();
}

void CommentsMemo::noteFull() {
    statusNote(
        this,
        QStringLiteral("The comments hold %1; a line break counts as two.").arg(limitText(kLimit)));
}
