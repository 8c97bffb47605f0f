// The splash screen's time on screen, and the splash and About screens' texts, each
// whole in its place.
#include "app/aboutscreen.h"
#include "app/splashscreen.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Waits until the splash has freed itself; the milliseconds that took, or -1.
qint64 waitUntilFreed(const QPointer<TfmSplashScreen>& splash, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    while (splash && waited.elapsed() < timeoutMs) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(10);
    }
    return splash ? -1 : waited.elapsed();
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
        EXPECT_EQ(program->findChild<QTimer*>("Timer1")->interval(), 3000);
        program->showAtOnce();
        EXPECT_TRUE(program->isVisible());
        EXPECT_TRUE(program->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_FALSE(program->testAttribute(Qt::WA_QuitOnClose))
            << "its closing is not the program's last window closing";
        delete program;
    }
    // A short time, which a slow start may already have used up while showing it.
    QPointer<TfmSplashScreen> splash = new TfmSplashScreen(60);
    QElapsedTimer sinceMade;
    sinceMade.start();
    splash->showAtOnce();
    EXPECT_GE(waitUntilFreed(splash, 3000), 0);
    EXPECT_GE(sinceMade.elapsed(), 60);
}

// A start that takes longer than the splash's time: it stays until the main window
// is there, and goes soon after.
TEST(SplashScreen, StaysUntilTheMainWindowShows) {
    QWidget mainWindow;
    QPointer<TfmSplashScreen> splash = new TfmSplashScreen(20);
    splash->keepUntilShown(&mainWindow);
    splash->showAtOnce();
    QTest::qWait(200);
    ASSERT_FALSE(splash.isNull()) << "freed before the main window was shown";
    EXPECT_TRUE(splash->isVisible());
    mainWindow.show();
    EXPECT_GE(waitUntilFreed(splash, 1000), 0);
}

// A message at start is never hidden behind the splash, which stays on top.
TEST(SplashScreen, GoesAsSoonAsADialogOpens) {
    QPointer<TfmSplashScreen> splash = new TfmSplashScreen(60000);
    splash->showAtOnce();
    QDialog message;
    message.show();
    EXPECT_GE(waitUntilFreed(splash, 1000), 0);
}

TEST(SplashAndAboutScreens, TheirTextsAreWholeInTheirPlaces) {
    TfmSplashScreen splash;
    expectLabelsWhole(splash);
    TfmAboutScreen about(nullptr);
    expectLabelsWhole(about);
    EXPECT_EQ(about.findChild<QLabel*>("SupportLabel")->text().count('\n'), 1) << "two lines";
    EXPECT_EQ(about.findChild<QLabel*>("RightsLabel")->text().count('\n'), 1) << "two lines";
    EXPECT_EQ(about.property("helpContext").toInt(), 1041);
}

} // namespace
