// The keys of commands that more than one page offers, and how a button's tool tip
// names its key.
#pragma once

#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>
#include <QString>

// Prints from a page that prints (the File menu's Print item).
inline QKeySequence printKey() {
    return QKeySequence(Qt::CTRL | Qt::Key_P);
}

// Shows the other ear on the pages that show one ear at a time. A function key, so
// that an open cell editor, which takes most Ctrl keys for itself, leaves it to the
// page.
inline QKeySequence switchEarsKey() {
    return QKeySequence(Qt::Key_F6);
}

// "Switch ears (F6)": a button's hint with the key that does the same.
inline QString hintWithKey(const QString& hint, const QKeySequence& key) {
    return QStringLiteral("%1 (%2)").arg(hint, key.toString(QKeySequence::NativeText));
}

// Gives a page's button a key that clicks it as the mouse does, while the page is
// shown: the focus, and an open cell editor, stay where they are (a button's own
// shortcut would take the focus). The button's tool tip names the key.
inline void addButtonKey(QAbstractButton* button, const QKeySequence& key) {
    auto* shortcut = new QShortcut(key, button->parentWidget());
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    button->setToolTip(hintWithKey(button->toolTip(), key));
}
