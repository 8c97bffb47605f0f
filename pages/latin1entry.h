// Text typed for the patient file and the database: their slots hold Latin-1 only.
// A letter outside Latin-1 becomes its plain letter where one exists (Ł gives L, ź
// gives z); anything else is refused with a short note in the status bar, and a key
// that a full field stops is told there too, so that nothing typed is lost unseen.
#pragma once

#include "controls/statusnote.h"

#include <QString>
#include <QValidator>

class QKeyEvent;
class QLineEdit;
class QWidget;

// The Latin-1 letter a letter outside Latin-1 is stored as: the letter without its
// accents, or, for the few letters that carry a stroke in the letter itself, the
// letter without it. Null for anything else.
QChar plainLatin1Letter(QChar ch);

struct Latin1Text {
    QString text;  // what can be stored, letters made plain
    QChar refused; // the first character left out, null when none was
};

// A text as it can be stored: Latin-1 characters as they are, other letters made
// plain, everything else left out.
Latin1Text toLatin1Text(const QString& text);

// Says that a character cannot be stored in `what` ("the last name").
void noteRefusedCharacter(const QWidget* widget, QChar ch, const QString& what);

// "at most 17 characters", as the notes say a field's limit, and "At most 17
// characters", as its hint says it.
QString limitText(int limit);
QString limitHint(int limit);

// Says that `what` holds at most `limit` characters.
void noteLimit(const QWidget* widget, const QString& what, int limit);

// Says so in the status bar when a key would type past the limit of a full edit.
void noteWhenFull(const QLineEdit* edit, const QKeyEvent* key, const QString& what);

// The check of a line edit whose text goes into a Latin-1 slot: other letters are
// made plain as they come in, typed or pasted; text with anything else is refused.
class Latin1Validator : public QValidator {
  public:
    // `what` names the field in the notes ("the last name").
    Latin1Validator(const QString& what, QWidget* field);
    State validate(QString& input, int& position) const override;

  private:
    QWidget* field_;
    QString what_;
};
