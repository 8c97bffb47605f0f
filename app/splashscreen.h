// The splash screen shown while TAVIK starts: the logo, the name and the credits on
// a raised panel, centred on the screen and in front of every window. It frees
// itself when its timer fires, 3000 ms after it was made, or later: never before
// the window it waits for (the main window) has been shown, and the tick itself
// comes only once the start-up work lets the message loop run.
#pragma once

#include "app/credits.h"

#include <QPointer>
#include <QWidget>

class QFrame;
class QTimer;

// TfmSplashScreen: the splash screen.
class TfmSplashScreen : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kShowMilliseconds = 3000;
    static constexpr QSize kClientSize{329, 139};

    // The timer starts with the form; tests give a shorter time.
    explicit TfmSplashScreen(int milliseconds = kShowMilliseconds);

    // Shows the splash and paints it before returning, so that it is on the screen
    // while the forms are being made.
    void showAtOnce();

    // The splash stays until this window has been shown, even when its time is up.
    void keepUntilShown(QWidget* window);

  public slots:
    void Timer1Timer();

  protected:
    // Goes at once when a dialog opens, so that no message opens hidden behind it.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QFrame* SplashPanel = nullptr;
    ProgramHeading heading;
    QTimer* Timer1 = nullptr;
    QPointer<QWidget> waitFor;
};
