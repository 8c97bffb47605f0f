// The application object. An error that escapes an event handler is shown in the
// program's exception box (caption "TAVIK", error icon, OK) and the message loop
// goes on; the handler that raised it is abandoned.
#pragma once

#include <QApplication>

#include <exception>

class TavikApplication : public QApplication {
    Q_OBJECT
  public:
    TavikApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the exception box with the error's text.
void showExceptionBox(const std::exception& error);
void showExceptionBox(const QString& text);
