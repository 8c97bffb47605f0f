// The splash screen's time on screen, driven through its timer, and the splash and About screens'
// texts, each whole in its place.
#include "app/aboutscreen.h"
#include "app/splashscreen.h"

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Whether the splash frees itself within the time given; qWaitFor also runs the
// deferred deletes that closing the splash posts.
bool freedWithin(const QPointer<TfmSplashScreen>& splash, int timeoutMs) {
    return QTest::qWaitFor([&] { return splash.isNull(); }, timeoutMs);
}

QTimer* timerOf(const TfmSplashScreen& splash) {
    return splash.findChild<QTimer*>("Timer1");
}

// Every label's text fits its label, and every label lies inside the form.
void expectLabelsWhole(const QWidget& form) {
    const QList<QLabel*> labels = form.findChildren<QLabel*>();
    EXPECT_GE(labels.size(), 3);
    for (const QLabel* label : labels) {
        SCOPED_TRACE(label->objectName().toStdString());
        const QRect needed = label->fontMetrics().boundingRect(
            label->rect(), int(label->alignment()), label->text());
        EXPECT_TRUE(label->rect().contains(needed))
            << "needs " << needed.width() << " x " << needed.height() << ", has " << label->width()
            << " x " << label->height();
        EXPECT_TRUE(form.rect().contains(QRect(label->mapTo(&form, QPoint(0, 0)), label->size())));
    }
}

TEST(SplashScreen, ShowsOnTopAndFreesItselfWhenItsTimeIsUp) {
    {
        // The program's splash, on the screen for its 3000 ms.
        QPointer<TfmSplashScreen> program = new TfmSplashScreen();
        EXPECT_EQ(timerOf(*program)->interval(), 3000);
        program->showAtOnce();
        EXPECT_TRUE(program->isVisible());
        EXPECT_TRUE(program->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_FALSE(program->testAttribute(Qt::WA_QuitOnClose))
            << "its closing is not the program's last window closing";
        delete program;
    }
    // The time given is the timer's; the splash stays until the timer fires, which
    // the test makes happen at once instead of waiting it out.
    QPointer<TfmSplashScreen> splash = new TfmSplashScreen(60000);
    splash->showAtOnce();
    QTimer* timer = timerOf(*splash);
    EXPECT_EQ(timer->interval(), 60000);
    EXPECT_TRUE(timer->isActive() && timer->isSingleShot());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(splash.isNull()) << "freed before its time was up";
    timer->start(0);
    EXPECT_TRUE(freedWithin(splash, 3000));
}

// A start that takes longer than the splash's time: it stays until the main window
// is there, and goes soon after.
TEST(SplashScreen, StaysUntilTheMainWindowShows) {
    QWidget mainWindow;
    QPointer<TfmSplashScreen> splash = new TfmSplashScreen(60000);
    splash->keepUntilShown(&mainWindow);
    splash->showAtOnce();
    QTimer* timer = timerOf(*splash);
    QSignalSpy ticks(timer, &QTimer::timeout);
    timer->start(0);
    // Its time is up twice over: the first tick and the next look for the window.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.size() >= 2; }, 3000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(splash.isNull()) << "freed before the main window was shown";
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(timer->isActive()) << "it keeps looking for the main window";
    mainWindow.show();
    EXPECT_TRUE(freedWithin(splash, 3000));
}

// A message at start is never hidden behind the splash, which stays on top.
TEST(SplashScreen, GoesAsSoonAsADialogOpens) {
    QPointer<TfmSplashScreen> splash = new TfmSplashScreen(60000);
    splash->showAtOnce();
    QDialog message;
    message.show();
    EXPECT_TRUE(freedWithin(splash, 3000));
}

TEST(SplashAndAboutScreens, TheirTextsAreWholeInTheirPlaces) {
    TfmSplashScreen splash;
    expectLabelsWhole(splash);
    TfmAboutScreen about(nullptr);
    expectLabelsWhole(about);
    EXPECT_EQ(about.findChild<QLabel*>("SupportLabel")->text().count('\n'), 1) << "two lines";
    EXPECT_EQ(about.findChild<QLabel*>("RightsLabel")->text().count('\n'), 1) << "two lines";
}

} // namespace
