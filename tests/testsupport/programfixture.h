// A fresh program for each window test: the forms created in a scratch start-up
// folder, the main window shown and active, and every dialog answered from a script.
#pragma once

#include "app/forms.h"
#include "app/winmain.h"
#include "controls/datagrid.h"
#include "curves/curvepage.h"
#include "model/document.h"
#include "pages/configpage.h"
#include "pages/databasepage.h"
#include "pages/loudnesspage.h"
#include "pages/patientpage.h"
#include "testsupport/scripteddialogservice.h"
#include "testsupport/testfiles.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

// Texts in test messages as text, not as arrays of 2-byte objects.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Counts the modified notifications the main window receives.
class NotificationCounter : public QObject {
  public:
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Type(kModifiedNotification))
            ++count;
        return false;
    }
};

class ProgramFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(startDir.path().string()));
        installDialogService(&script);
        startProgram();
    }

    void TearDown() override {
        if (fmWinMain)
            destroyForms();
        installDialogService(nullptr);
        QDir::setCurrent(previousDir_);
    }

    // A start as from the desktop: zeroed globals, the forms, the window shown.
    void startProgram(const QString& commandLineFile = QString()) {
        document = DocumentState{};
        fitting = FittingRecord{};
        aidDatabase = AidDatabase{};
        createForms();
        fmWinMain->installEventFilter(&notifications);
        fmWinMain->setCommandLineFile(commandLineFile);
        fmWinMain->show();
        fmWinMain->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmWinMain));
        settle();
    }

    // Closes the main window as the clinician would; true when it closed.
    bool closeProgram() {
        const bool closed = fmWinMain->close();
        settle();
        return closed;
    }

    void restartProgram() {
        if (fmWinMain)
            destroyForms();
        startProgram();
    }

    // Lets posted notifications arrive.
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    template <typename T> static T* find(const char* name) {
        T* widget = fmWinMain->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void click(const char* buttonName) {
        QTest::mouseClick(find<QAbstractButton>(buttonName), Qt::LeftButton);
        settle();
    }

    static void trigger(const char* actionName) {
        find<QAction>(actionName)->trigger();
        settle();
    }

    // Puts a grid's editor on a cell and types into it, as the clinician does: what
    // the cell held is first removed with backspace.
    static void typeInCell(DataGrid* grid, int column, int row, const QString& keys) {
        grid->setFocus();
        grid->setCurrentCell(row, column);
        settle();
        QLineEdit* editor = grid->cellEditor();
        ASSERT_NE(editor, nullptr);
        if (!editor->text().isEmpty()) {
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_Backspace);
        }
        QTest::keyClicks(editor, keys);
    }

    // Types characters a keyboard layout may have but the test library's key table not.
    static void typeCharacters(QWidget* widget, const QString& text) {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(widget, &press);
        }
    }

    // A menu command chosen from the keyboard, as Alt+F then S: the keys go to the
    // widget that has the focus, then to the menu that opens.
    static void chooseFromMenu(Qt::Key menu, Qt::Key item) {
        QTest::keyClick(QApplication::focusWidget(), menu, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        QTest::keyClick(popup, item);
        settle();
    }

    // What the window manager does once a menu or a dialog has gone: the main window
    // is active again. (The headless platform leaves no window active then.)
    static void returnToMainWindow() {
        fmWinMain->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmWinMain));
        settle();
    }

    static QString title() { return fmWinMain->windowTitle(); }
    static QString modifiedPanel() { return fmWinMain->statusText(1); }

    TempDir startDir;
    ScriptedDialogService script;
    NotificationCounter notifications;

  private:
    QString previousDir_;
};
