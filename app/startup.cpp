#include "app/startup.h"

#include "app/fileintake.h"
#include "app/forms.h"
#include "app/helprequests.h"
#include "app/splashscreen.h"
#include "app/winmain.h"
#include "platform/dialogservice.h"
#include "platform/fontwarmup.h"
#include "platform/instancechannel.h"
#include "platform/singleinstance.h"
#include "platform/tavikapplication.h"

#include <QFileInfo>

#include <cstdio>

namespace {

const QString kAlreadyRunningText = QStringLiteral("The program is already running.");

// The file a start names, as an absolute path; empty when it names no existing file.
QString namedFile(const QString& argument) {
    const QFileInfo file(argument);
    if (argument.isEmpty() || !file.exists() || file.isDir())
        return {};
    return file.absoluteFilePath();
}

// Another copy runs. A file named on the command line goes to it, and this start
// ends with 0 once that copy has taken it. Without a file the running copy comes to
// the front and this start says so and ends with 1, as it also does when the
// running copy does not take the file.
int handToRunningCopy(const QString& file) {
    if (file.isEmpty()) {
        sendToRunningInstance({InstanceRequest::Kind::Raise, {}});
        dialogs().message(nullptr, QStringLiteral("Error"), kAlreadyRunningText);
        return 1;
    }
    const HandOffResult result = sendToRunningInstance({InstanceRequest::Kind::Open, file});
    if (result == HandOffResult::Delivered)
        return 0;
    const QString why = result == HandOffResult::NoAnswer
                            ? QStringLiteral("It did not answer in time")
                            : QStringLiteral("It does not take files from other starts");
    dialogs().message(nullptr, QStringLiteral("Error"),
                      kAlreadyRunningText + QStringLiteral("  ") + why +
                          QStringLiteral(", so the file %1 was not opened.").arg(file));
    return 1;
}

// Runs the forms and the message loop; exceptions that escape are shown.
void runProgram(InstanceListener& listener) {
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
        fmWinMain->fileIntake().listenTo(listener);
        listener.deliverRequests();
        fmWinMain->setCommandLineFile(QCoreApplication::arguments().value(1));
        fmWinMain->show();
        QApplication::exec();
    } catch (const std::exception& error) {
        showExceptionBox(error);
    }
    delete splash;
}

} // namespace

int WinMain(int argc, char** argv) {
    // Held until the process ends; the system then releases the lock.
    SingleInstanceGuard guard;
    if (!guard.acquire()) {
        TavikApplication app(argc, argv);
        return handToRunningCopy(namedFile(QCoreApplication::arguments().value(1)));
    }

    std::jthread fonts = readFontConfigurationAside();
    TavikApplication app(argc, argv);
    // A second start hands its file over through this; without it the program still
    // runs, and a second start says that it is running. It listens as soon as it can,
    // so that a second start made meanwhile finds it; what arrives before the window
    // exists is kept until then.
    InstanceListener listener;
    if (!listener.listen())
        std::fprintf(stderr, "TAVIK: cannot take files from other starts at %s\n",
                     qPrintable(instanceChannelName()));
    fonts.join();
    runProgram(listener);
    destroyForms();
    return 0;
}
