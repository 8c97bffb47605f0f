#include "platform/fontnames.h"

#include <QFont>

void installFontSubstitutions() {
    // "MS Sans Serif" has no metric-compatible free face; the Arial stand-in keeps
    // captions close to the widths the layouts expect. fontconfig maps "Arial" and
    // "Courier" to their metric-compatible faces by itself.
    QFont::insertSubstitution(kFormFamily, QStringLiteral("Liberation Sans"));
}

QString formFace() {
    return QFont::substitute(QString::fromLatin1(kFormFamily));
}
