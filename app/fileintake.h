// Patient files that reach the running program from outside its own dialogs: one
// dropped on the main window, or one handed over by a second start. Each is opened
// through the unsaved-changes question, but later, once no modal dialog is open:
// never inside the drop or socket handler that delivered it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class InstanceListener;
class QMimeData;
class QWidget;

// The one local *.TAV file (in any case) that the data name, or an empty text for
// anything else: no files, several files, another kind of file.
QString droppedPatientFile(const QMimeData* data);

class FileIntake : public QObject {
    Q_OBJECT
  public:
    using Opener = std::function<void(const QString& path)>;

    // open runs the document command for one file; window is the main window, which
    // also takes the drops of every widget in it.
    FileIntake(QWidget* window, Opener open);

    // Queues the file; it is opened once the event loop is free of modal dialogs.
    void request(const QString& path);
    // Takes the requests of a second start: the window comes to the front, and a
    // file handed over is queued.
    void listenTo(InstanceListener& listener);
    // Shows the window in front of the others, restored if it was minimised.
    void bringToFront();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void openNext();
    bool handleDrag(QEvent* event);

    QWidget* window_;
    Opener open_;
    QStringList pending_;
    QTimer retry_; // looks again while a modal dialog is open
    bool opening_ = false;
};
