// The patient information page against the real main window.
#include "model/textslot.h"
#include "pages/patientpage.h"
#include "testsupport/programfixture.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

#include <cstring>

namespace {

class PatientPageTest : public ProgramFixture {
  protected:
    static QPushButton* button(const char* name) { return find<QPushButton>(name); }
    static QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    static QPlainTextEdit* memo() { return find<QPlainTextEdit>("CommentsMemo"); }

    // Leaves the page and comes back, so that it stores and loads the record.
    void storeByLeaving() {
        click("SpeedButton3");
        click("ClientInfoButton");
    }
};

TEST_F(PatientPageTest, NewDocumentShowsDefaultsAndFocusesLastName) {
    EXPECT_TRUE(fmClientInfo->isVisible());
    EXPECT_EQ(find<QComboBox>("RightHATypeComboBox")->currentText(), "ITE");
    EXPECT_EQ(find<QComboBox>("LeftHATypeComboBox")->currentText(), "ITE");
    EXPECT_TRUE(button("SelectMonaural")->isChecked());
    EXPECT_EQ(button("LLRightEar1")->text(), "Yes");
    EXPECT_EQ(button("LLLeftEar1")->text(), "Yes");
    EXPECT_EQ(edit("EditTestDate")->text().toStdString(), readText(fitting.testDate));
    EXPECT_EQ(edit("EditTestDate")->text().size(), 10);
    EXPECT_TRUE(edit("EditLastName")->hasFocus());

    click("SpeedButton3");
    click("ClientInfoButton");
    EXPECT_TRUE(edit("EditLastName")->hasFocus());
}

TEST_F(PatientPageTest, LoadShowsTheRecordIncludingTheLevelSourceButtons) {
    writeText(fitting.lastName, "Smith");
    writeText(fitting.comments, "first line\r\nsecond line");
    fitting.rightLevelSource = 2;
    fitting.leftLevelSource = 7; // unknown: the left buttons keep their state, all "No"
    fitting.leftAidStyle = 3;
    fitting.binauralFitting = 1;
    fmClientInfo->loadPatientPage();

    EXPECT_EQ(edit("EditLastName")->text(), "Smith");
    EXPECT_EQ(memo()->toPlainText(), "first line\nsecond line");
    EXPECT_EQ(find<QComboBox>("LeftHATypeComboBox")->currentText(), "CIC");
    EXPECT_TRUE(button("SelectBinaural")->isChecked());
    EXPECT_TRUE(button("LLRightEar3")->isChecked());
    EXPECT_EQ(button("LLRightEar1")->text(), "No");
    EXPECT_EQ(button("LLRightEar2")->text(), "No");
    EXPECT_EQ(button("LLRightEar3")->text(), "Yes");
    for (const char* name : {"LLLeftEar1", "LLLeftEar2", "LLLeftEar3"})
        EXPECT_EQ(button(name)->text(), "No") << name;

    // A store writes the memo's line breaks back as CR LF.
    fmClientInfo->storePatientPage();
    EXPECT_EQ(readText(fitting.comments), "first line\r\nsecond line");
    EXPECT_EQ(fitting.leftLevelSource, 0) << "the left button still down is stored";
}

TEST_F(PatientPageTest, LevelButtonShowsYesOnlyOnItselfAndMarksTheChange) {
    click("LLRightEar2");
    EXPECT_EQ(button("LLRightEar1")->text(), "No");
    EXPECT_EQ(button("LLRightEar2")->text(), "Yes");
    EXPECT_EQ(button("LLRightEar3")->text(), "No");
    EXPECT_EQ(button("LLLeftEar1")->text(), "Yes");
    EXPECT_EQ(modifiedPanel(), " Modified");
    EXPECT_EQ(fitting.rightLevelSource, 1) << "the record follows at once";

    storeByLeaving();
    EXPECT_EQ(fitting.rightLevelSource, 1);
    EXPECT_EQ(fitting.leftLevelSource, 0);
}

TEST_F(PatientPageTest, CharacterKeysMarkTheDocumentChangedOthersDoNot) {
    struct Case {
        const char* what;
        Qt::Key key;
        bool marks;
    };
    const Case cases[] = {
        {"letter", Qt::Key_A, true},
        {"backspace in an empty field", Qt::Key_Backspace, false},
        {"Enter", Qt::Key_Return, false},
        {"Delete in an empty field", Qt::Key_Delete, false},
        {"left arrow", Qt::Key_Left, false},
        {"Home", Qt::Key_Home, false},
    };
    for (const Case& c : cases) {
        document.modified = false;
        edit("EditFirstName")->clear();
        QTest::keyClick(edit("EditFirstName"), c.key);
        EXPECT_EQ(document.modified, c.marks) << c.what;
    }

    // A letter typed into a full field changes nothing; the field's own change counts.
    QLineEdit* mi = edit("EditMI");
    mi->setText("Q");
    EXPECT_TRUE(document.modified);
    mi->setText("");
    EXPECT_FALSE(document.modified);
    QTest::keyClick(mi, Qt::Key_B);
    QTest::keyClick(mi, Qt::Key_C);
    EXPECT_EQ(mi->text(), "b");

    mi->setText("");
    QTest::keyClick(memo(), Qt::Key_X);
    EXPECT_TRUE(document.modified);

    // Keys typed while a button has the focus change nothing.
    memo()->clear();
    document.modified = false;
    button("LLRightEar3")->setFocus();
    QTest::keyClick(button("LLRightEar3"), Qt::Key_X);
    EXPECT_FALSE(document.modified);
}

TEST_F(PatientPageTest, ChoicesOtherThanKeysMarkTheDocumentChanged) {
    click("SelectBinaural");
    EXPECT_TRUE(document.modified);

    document.modified = false;
    QComboBox* style = find<QComboBox>("RightHATypeComboBox");
    style->setFocus();
    QTest::keyClick(style, Qt::Key_Down);
    EXPECT_EQ(style->currentText(), "ITC");
    EXPECT_TRUE(document.modified);

    storeByLeaving();
    EXPECT_EQ(fitting.rightAidStyle, 2);
    EXPECT_EQ(fitting.binauralFitting, 1);
}

TEST_F(PatientPageTest, TypedTextIsStoredAsLatin1AndWhatCannotBeIsToldInTheStatusBar) {
    const auto u = [](const char* text) { return QString::fromUtf8(text); };
    struct Case {
        const char* field;
        QString typed;
        const char* slot;
        std::string expected;
        QString note; // a part of the status-bar note; empty for none
    };
    const Case cases[] = {
        {"EditLastName",
         u("Müller-Łódź"),
         fitting.lastName,
         "M\xfcller-L\xf3"
         "dz",
         {}},
        {"EditFirstName", u("Zoë€"), fitting.firstName, "Zo\xeb", u("€")},
        {"EditID", "123456789012345", fitting.patientId, "1234567890", "at most 10 characters"},
        {"CommentsMemo", u("Łódź ✓"), fitting.comments,
         "L\xf3"
         "dz ",
         u("✓")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        fmWinMain->statusBar()->clearMessage();
        auto* field = find<QWidget>(c.field);
        field->setFocus();
        typeCharacters(field, c.typed);
        const QString note = fmWinMain->statusBar()->currentMessage();
        EXPECT_EQ(c.note.isEmpty() ? note.isEmpty() : note.contains(c.note), true)
            << note.toStdString();
        EXPECT_TRUE(!c.note.startsWith("at most") ||
                    field->toolTip().contains(c.note, Qt::CaseInsensitive))
            << "the hint says the limit";
        storeByLeaving();
        EXPECT_EQ(std::string(c.slot), c.expected);
    }
}

TEST_F(PatientPageTest, CommentsHoldAtMost254StoredBytesWithBreaksCountingTwo) {
    QPlainTextEdit* comments = memo();
    comments->setFocus();
    QTest::keyClicks(comments, QString(250, QLatin1Char('a')));
    QTest::keyClick(comments, Qt::Key_Return);
    QTest::keyClicks(comments, "bcdef");
    EXPECT_EQ(CommentsMemo::storedLength(comments->toPlainText()), 254);
    EXPECT_TRUE(comments->toPlainText().endsWith("\nbc"));

    EXPECT_TRUE(fmWinMain->statusBar()->currentMessage().contains("at most 254 characters"));

    storeByLeaving();
    const std::string stored = readText(fitting.comments);
    EXPECT_EQ(stored.size(), 254u);
    EXPECT_EQ(stored.substr(250), "\r\nbc");

    // The label says the limit the box keeps.
    QStringList labels;
    for (const QLabel* label : fmClientInfo->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Comments: (max 254 characters)"));
}

} // namespace
