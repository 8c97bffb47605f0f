// A short session of the real program under a Wayland compositor: the main window
// shown, every page shown, the About screen opened over it, a patient saved and the
// window closed. Prints each failed check and ends with 1 if there was one.
#include "app/aboutscreen.h"
#include "app/forms.h"
#include "app/pagetable.h"
#include "app/winmain.h"
#include "controls/pageform.h"
#include "model/document.h"
#include "platform/tavikapplication.h"
#include "testsupport/scripteddialogservice.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

int failures = 0;

void check(bool passed, const char* what) {
    std::printf("%s: %s\n", passed ? "ok" : "FAILED", what);
    std::fflush(stdout);
    failures += passed ? 0 : 1;
}

void showEveryPage() {
    for (const Page& page : fmWinMain->pages()) {
        if (!page.entry->visible)
            continue;
        page.action->trigger();
        QCoreApplication::processEvents();
        check(page.form->isVisible(), qPrintable(page.entry->menuName));
    }
}

// The compositor places the About screen over its parent window.
void openAbout() {
    bool overMain = false;
    QTimer::singleShot(0, fmAboutScreen, [&overMain] {
        const QWindow* own = fmAboutScreen->windowHandle();
        overMain = own && own->transientParent() == fmWinMain->windowHandle();
        fmAboutScreen->accept();
    });
    fmWinMain->findChild<QAction*>(QStringLiteral("About1"))->trigger();
    check(overMain, "About screen has the main window as transient parent");
}

void savePatient(ScriptedDialogService& script, const QString& path) {
    fmWinMain->findChild<QAction*>(QStringLiteral("PatientInformation1"))->trigger();
    // The headless compositor has no keyboard, and Qt's Wayland plugin cannot take
    // typed keys without one: the text is put into the field instead.
    fmWinMain->findChild<QLineEdit*>(QStringLiteral("EditLastName"))->setText("Wayland");
    script.setNextFileName(path);
    fmWinMain->findChild<QAction*>(QStringLiteral("Save1"))->trigger();
    check(QFileInfo(path).size() == 1372, "patient file saved");
    check(fmWinMain->windowTitle() == QLatin1String("TAVIK 1.0a - WAYLAND.TAV"), "title names it");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.TAV\n", argv[0]);
        return 2;
    }
    TavikApplication app(argc, argv);
    check(QGuiApplication::platformName() == QLatin1String("wayland"), "runs on Wayland");
    ScriptedDialogService script;
    installDialogService(&script);
    createForms();
    fmWinMain->show();
    check(QTest::qWaitForWindowExposed(fmWinMain, 30000), "main window shown");
    showEveryPage();
    openAbout();
    savePatient(script, QString::fromLocal8Bit(argv[1]));
    check(fmWinMain->close(), "main window closes");
    destroyForms();
    installDialogService(nullptr);
    return failures == 0 ? 0 : 1;
}
