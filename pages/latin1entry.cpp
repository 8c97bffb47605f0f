#include "pages/latin1entry.h"

#include "controls/statusnote.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool isLatin1(QChar ch) {
    return ch.unicode() <= 0xFF;
}

// Letters whose stroke or bar is part of the letter, so that no decomposition takes
// it off.
QChar strokedLetter(QChar ch) {
    static const char16_t strokes[][2] = {{u'ł', u'l'}, {u'Ł', u'L'}, {u'đ', u'd'}, {u'Đ', u'D'},
                                          {u'ħ', u'h'}, {u'Ħ', u'H'}, {u'ı', u'i'}, {u'ŧ', u't'},
                                          {u'Ŧ', u'T'}, {u'ŀ', u'l'}, {u'Ŀ', u'L'}};
    for (const auto& [letter, plain] : strokes) {
        if (ch.unicode() == letter)
            return QChar(plain);
    }
    return QChar();
}

QString capitalised(const QString& text) {
    return text.isEmpty() ? text : text.at(0).toUpper() + text.mid(1);
}

} // namespace

// The compatibility decomposition splits a letter into its base and its accents (and
// maps wide and other variant forms to the plain letter); one Latin-1 letter left
// once the accents are gone is the letter stored.
QChar plainLatin1Letter(QChar ch) {
    if (!ch.isLetter())
        return QChar();
    QString base;
    for (const QChar part : QString(ch).normalized(QString::NormalizationForm_KD)) {
        if (!part.isMark())
            base += part;
    }
    if (base.size() == 1 && isLatin1(base.at(0)) && base.at(0).isLetter())
        return base.at(0);
    return strokedLetter(ch);
}

Latin1Text toLatin1Text(const QString& text) {
    Latin1Text result;
    for (const QChar ch : text) {
        const QChar kept = isLatin1(ch) ? ch : plainLatin1Letter(ch);
        if (!kept.isNull())
            result.text += kept;
        else if (result.refused.isNull())
            result.refused = ch;
    }
    return result;
}

void noteRefusedCharacter(const QWidget* widget, QChar ch, const QString& what) {
    statusNote(widget, QStringLiteral("\"%1\" cannot be stored in %2.").arg(QString(ch), what));
}

QString limitText(int limit) {
    return QStringLiteral("at most %1 character%2").arg(limit).arg(limit == 1 ? "" : "s");
}

QString limitHint(int limit) {
    return capitalised(limitText(limit));
}

void noteLimit(const QWidget* widget, const QString& what, int limit) {
    statusNote(widget, QStringLiteral("%1 holds %2.").arg(capitalised(what), limitText(limit)));
}

void noteWhenFull(const QLineEdit* edit, const QKeyEvent* key, const QString& what) {
    const bool types = !key->text().isEmpty() && key->text().at(0).isPrint();
    if (types && !edit->hasSelectedText() && edit->text().size() >= edit->maxLength())
        noteLimit(edit, what, edit->maxLength());
}

Latin1Validator::Latin1Validator(const QString& what, QWidget* field)
    : QValidator(field), field_(field), what_(what) {}

QValidator::State Latin1Validator::validate(QString& input, int&) const {
    const Latin1Text stored = toLatin1Text(input);
    if (!stored.refused.isNull()) {
        noteRefusedCharacter(field_, stored.refused, what_);
        return Invalid;
    }
    // Letters are made plain one for one, so the cursor stays where it was.
    input = stored.text;
    return Acceptable;
}
