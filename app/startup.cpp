#include "app/startup.h"

#include "app/forms.h"
#include "app/helprequests.h"
#include "app/splashscreen.h"
#include "app/winmain.h"
#include "platform/dialogservice.h"
#include "platform/fontwarmup.h"
#include "platform/singleinstance.h"
#include "platform/tavikapplication.h"

int WinMain(int argc, char** argv) {
    // Held until the process ends; the system then releases the lock.
    SingleInstanceGuard guard;
    if (!guard.acquire()) {
        TavikApplication app(argc, argv);
        dialogs().message(nullptr, QStringLiteral("Error"),
                          QStringLiteral("The program is already running."));
        return 1;
    }

    std::jthread fonts = readFontConfigurationAside();
    TavikApplication app(argc, argv);
    fonts.join();
    // The splash is on the screen while the forms are made, and frees itself once
    // its time is up and the main window shows.
    QPointer<TfmSplashScreen> splash = new TfmSplashScreen();
    splash->showAtOnce();
    QApplication::setApplicationName(QStringLiteral("TAVIK"));
    setApplicationHelpFile(QString::fromLatin1(kStartHelpFileName));
    try {
        createForms();
        if (splash)
            splash->keepUntilShown(fmWinMain);
        fmWinMain->setCommandLineFile(QCoreApplication::arguments().value(1));
        fmWinMain->show();
        QApplication::exec();
    } catch (const std::exception& error) {
        showExceptionBox(error);
    }
    delete splash;
    destroyForms();
    return 0;
}
