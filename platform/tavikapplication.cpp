#include "platform/tavikapplication.h"

#include "platform/dialogservice.h"

#include <QFont>

TavikApplication::TavikApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The page layouts were drawn in "MS Sans Serif"; the metric-compatible Arial
    // stand-in keeps their captions the widths the layouts expect.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
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
