#include "platform/tavikapplication.h"

#include "platform/dialogservice.h"
#include "platform/focusframe.h"
#include "platform/fontnames.h"

TavikApplication::TavikApplication(int& argc, char** argv) : QApplication(argc, argv) {
    installFontSubstitutions();
    installFocusFrameStyle();
    // The installed desktop entry (dist/org.tavik.TAVIK.desktop): the desktop shows
    // its name and icon for TAVIK's windows.
    setDesktopFileName(QStringLiteral("org.tavik.TAVIK"));
}

bool TavikApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showExceptionBox(error);
    } catch (...) {
        showExceptionBox(QStringLiteral("An unknown error occurred."));
    }
    return false;
}

void showExceptionBox(const std::exception& error) {
    // Texts of our errors are UTF-8, file names included.
    showExceptionBox(QString::fromUtf8(error.what()));
}

void showExceptionBox(const QString& text) {
    dialogs().error(QApplication::activeWindow(), QStringLiteral("TAVIK"), text);
}
