#include "app/fileintake.h"

#include "platform/instancechannel.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

// How often a queued file looks again whether the modal dialog in its way is gone.
constexpr int kRetryMilliseconds = 200;

bool isDragEvent(const QEvent* event) {
    return event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
           event->type() == QEvent::Drop;
}

} // namespace

QString droppedPatientFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().front();
    if (!url.isLocalFile())
        return {};
    const QFileInfo file(url.toLocalFile());
    if (file.suffix().compare(QLatin1String("TAV"), Qt::CaseInsensitive) != 0 || file.isDir())
        return {};
    return file.absoluteFilePath();
}

FileIntake::FileIntake(QWidget* window, Opener open)
    : QObject(window), window_(window), open_(std::move(open)) {
    retry_.setInterval(kRetryMilliseconds);
    connect(&retry_, &QTimer::timeout, this, &FileIntake::openNext);
    window_->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

void FileIntake::request(const QString& path) {
    pending_.append(path);
    QTimer::singleShot(0, this, &FileIntake::openNext);
}

void FileIntake::listenTo(InstanceListener& listener) {
    connect(&listener, &InstanceListener::raiseRequested, this, &FileIntake::bringToFront);
    connect(&listener, &InstanceListener::openRequested, this, [this](const QString& path) {
        bringToFront();
        request(path);
    });
}

void FileIntake::bringToFront() {
    if (window_->isMinimized())
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

// One file at a time, each after the question and dialogs of the one before.
void FileIntake::openNext() {
    if (opening_ || pending_.isEmpty())
        return;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        retry_.start();
        return;
    }
    retry_.stop();
    opening_ = true;
    const QString path = pending_.takeFirst();
    // An error opening the file is the exception box's; the queue goes on after it.
    struct Done {
        FileIntake* self;
        ~Done() {
            self->opening_ = false;
            if (!self->pending_.isEmpty())
                QTimer::singleShot(0, self, &FileIntake::openNext);
        }
    } done{this};
    open_(path);
}

// Drops anywhere in the main window come here first, so that a file dropped on a
// text field opens rather than landing in the field as text. Drags that carry no
// files go on to the widget under the cursor.
bool FileIntake::eventFilter(QObject* watched, QEvent* event) {
    if (!isDragEvent(event) || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != window_)
        return false;
    return handleDrag(event);
}

bool FileIntake::handleDrag(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData() || !drop->mimeData()->hasUrls())
        return false;
    const QString path = droppedPatientFile(drop->mimeData());
    if (path.isEmpty()) {
        // Refused: the cursor shows that nothing can be dropped here.
        drop->setDropAction(Qt::IgnoreAction);
        drop->ignore();
        return true;
    }
    // A copy, where the source offers one: the file stays where it is.
    if (drop->possibleActions() & Qt::CopyAction) {
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
    } else {
        drop->acceptProposedAction();
    }
    if (event->type() == QEvent::Drop)
        request(path);
    return true;
}
