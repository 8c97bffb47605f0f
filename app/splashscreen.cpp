#include "app/splashscreen.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

// How often a splash whose time is up looks again for the window it waits for.
constexpr int kWaitStepMilliseconds = 50;
// The longest the start waits for the window system to put the splash on screen.
constexpr int kExposeTimeoutMilliseconds = 500;

} // namespace

TfmSplashScreen::TfmSplashScreen(int milliseconds)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fmSplashScreen"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Its closing is not the program's last window closing.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kClientSize);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    SplashPanel = new QFrame(this);
    SplashPanel->setObjectName(QStringLiteral("SplashPanel"));
    SplashPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SplashPanel->setLineWidth(2);
    SplashPanel->setGeometry(rect());
    heading = addProgramHeading(SplashPanel, QPoint(20, 14), QPoint(136, 26),
                                kClientSize.width() - 136 - 6);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TfmSplashScreen::Timer1Timer);
    Timer1->start(milliseconds);
    // A message at start (a database that cannot be read, a patient file that cannot
    // be opened) must not open behind the splash, which stays in front of everything.
    qApp->installEventFilter(this);
}

bool TfmSplashScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && qobject_cast<QDialog*>(watched))
        close();
    return QWidget::eventFilter(watched, event);
}

void TfmSplashScreen::showAtOnce() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(screen->geometry().center());
        move(placed.topLeft());
    }
    show();
    raise();
    // The window system maps the window asynchronously (a window manager frames it
    // first); paint once it is there. The wait sleeps until the next event arrives,
    // and the guard's timer ends it should the window never be exposed.
    QTimer guard;
    guard.setSingleShot(true);
    guard.start(kExposeTimeoutMilliseconds);
    while (windowHandle() && !windowHandle()->isExposed() && guard.isActive()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::WaitForMoreEvents);
    }
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfmSplashScreen::keepUntilShown(QWidget* window) {
    waitFor = window;
}

void TfmSplashScreen::Timer1Timer() {
    if (waitFor && !waitFor->isVisible()) {
        Timer1->start(kWaitStepMilliseconds);
        return;
    }
    close();
}
