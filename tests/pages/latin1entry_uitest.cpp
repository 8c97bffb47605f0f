// What a Latin-1 slot takes from typed text: Latin-1 as it is, other letters made
// plain, anything else refused with a note in the status bar, and a full field's
// limit told when a key would go past it.
#include "pages/latin1entry.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(PlainLatin1Letter, TakesOffAccentsAndStrokesAndRefusesTheRest) {
    const struct {
        char16_t letter;
        char16_t plain; // 0: none
    } cases[] = {
        {u'ź', u'z'}, {u'Ž', u'Z'}, {u'ő', u'o'}, {u'Ș', u'S'}, {u'ẞ', 0},     {u'ł', u'l'},
        {u'Ł', u'L'}, {u'đ', u'd'}, {u'Đ', u'D'}, {u'ħ', u'h'}, {u'Ħ', u'H'},  {u'ı', u'i'},
        {u'ŧ', u't'}, {u'Ŧ', u'T'}, {u'ŀ', u'l'}, {u'Ŀ', u'L'}, {u'Ａ', u'A'}, // a wide form
        {u'é', u'e'}, // in Latin-1 already: the slot keeps it, see below
        {u'ǆ', 0},    // two letters
        {u'ﬁ', 0},    {u'Œ', 0},    {u'д', 0},    {u'ά', 0},    {u'€', 0},     {u'→', 0},
        {u'5', 0},
    };
    for (const auto& c : cases) {
        const QChar plain = plainLatin1Letter(QChar(c.letter));
        EXPECT_EQ(plain.unicode(), c.plain) << QString(QChar(c.letter)).toStdString();
    }
}

TEST(ToLatin1Text, KeepsLatin1UpToFFAndNamesTheFirstCharacterLeftOut) {
    const struct {
        const char16_t* text;
        const char16_t* stored;
        char16_t refused; // 0: none
    } cases[] = {
        {u"Łódź", u"Lódz", 0},
        {u"ÿ\u00A0ÀÞ\tz", u"ÿ\u00A0ÀÞ\tz", 0}, // the top of Latin-1 stays as it is
        {u"ŀa€b→c", u"labc", u'€'},
        {u"\u0100", u"A", 0}, // the first letter past Latin-1
        {u"→x€", u"x", u'→'},
        {u"", u"", 0},
    };
    for (const auto& c : cases) {
        const Latin1Text stored = toLatin1Text(QString::fromUtf16(c.text));
        EXPECT_EQ(stored.text, QString::fromUtf16(c.stored)) << stored.text.toStdString();
        EXPECT_EQ(stored.refused.unicode(), c.refused) << stored.text.toStdString();
    }
}

TEST(LimitText, CountsOneCharacterAndManyAndCapitalisesTheHint) {
    EXPECT_EQ(limitText(1), "at most 1 character");
    EXPECT_EQ(limitText(17), "at most 17 characters");
    EXPECT_EQ(limitHint(17), "At most 17 characters");
    EXPECT_EQ(limitHint(0), "At most 0 characters");
}

// A field in a window with a status bar, as on the pages.
struct Latin1Field : ::testing::Test {
    QMainWindow window;
    QLineEdit* edit = new QLineEdit(&window);

    Latin1Field() {
        window.setCentralWidget(edit);
        edit->setValidator(new Latin1Validator("the last name", edit));
        edit->setMaxLength(5);
    }
    QString note() const { return window.statusBar()->currentMessage(); }

    // Types characters that the test library's key table may not have.
    void type(const QString& text) {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(edit, &press);
        }
    }
};

TEST_F(Latin1Field, TypingMakesLettersPlainAndRefusesOthersWithANote) {
    type(QString::fromUtf16(u"Łź"));
    EXPECT_EQ(edit->text(), "Lz");
    EXPECT_EQ(note(), "");
    type(QString::fromUtf16(u"€"));
    EXPECT_EQ(edit->text(), "Lz");
    EXPECT_EQ(note(), QString::fromUtf16(u"\"€\" cannot be stored in the last name."));
}

TEST_F(Latin1Field, AKeyPastTheLimitOfAFullFieldIsTold) {
    const struct {
        const char* text;
        bool selectAll;
        Qt::Key key;
        const char* keyText;
        bool told;
    } cases[] = {
        {"abcde", false, Qt::Key_F, "f", true},
        {"abcd", false, Qt::Key_F, "f", false}, // one left
        {"abcde", true, Qt::Key_F, "f", false}, // the typing replaces the selection
        {"abcde", false, Qt::Key_Left, "", false},
        {"abcde", false, Qt::Key_Backspace, "\b", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.keyText);
        window.statusBar()->clearMessage();
        edit->setText(c.text);
        if (c.selectAll)
            edit->selectAll();
        const QKeyEvent key(QEvent::KeyPress, c.key, Qt::NoModifier, c.keyText);
        noteWhenFull(edit, &key, "the last name");
        EXPECT_EQ(note(), c.told ? "The last name holds at most 5 characters." : "");
    }
}

} // namespace
