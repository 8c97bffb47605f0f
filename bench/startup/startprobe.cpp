// A Qt plugin that the start-up benchmark loads into the program it measures, the
// same way into TAVIK and into an empty main window. It notes when the main window is
// first on the screen (its first exposure handled: every widget in it painted and
// the picture handed to the display) and how long a splash screen took from its
// first event to the end of its last painting before the main window began to show,
// writes both (milliseconds since the moment the benchmark started the process) and
// the main window's size to the file TAVIK_PROBE_REPORT names, lets the program run on for
// TAVIK_PROBE_SETTLE_MS and ends it. The program is not changed.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

double nowMs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double envNumber(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text ? std::strtod(text, nullptr) : fallback;
}

// The widget a window-system window belongs to, for a widget or its QWindow.
QWidget* widgetOf(QObject* object) {
    if (object->isWidgetType())
        return static_cast<QWidget*>(object)->window();
    if (!object->isWindowType())
        return nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowHandle() && window->windowHandle() == qobject_cast<QWindow*>(object))
            return window;
    }
    return nullptr;
}

bool isSplash(const QWidget* window) {
    return window && std::strcmp(window->metaObject()->className(), "TfmSplashScreen") == 0;
}

class StartProbe : public QObject {
  public:
    StartProbe() : startedMs_(envNumber("TAVIK_PROBE_START_MS", nowMs())) {
        QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (shownMs_ > 0)
            return false;
        QWidget* window = widgetOf(watched);
        if (!window)
            return false;
        const bool splash = isSplash(window);
        const bool main = qobject_cast<QMainWindow*>(window) != nullptr;
        if (splash && splashStartMs_ < 0)
            splashStartMs_ = nowMs();
        if (main && event->type() == QEvent::Show)
            mainShowing_ = true;
        // A window is on the screen once its exposure (painting every widget in it and
        // handing the picture to the display) or its own painting is done: both are
        // handled here, timed to their end.
        const bool drawing = (event->type() == QEvent::Expose && watched->isWindowType()) ||
                             (event->type() == QEvent::Paint && watched == window);
        if (!drawing || (!splash && !main))
            return false;
        watched->event(event);
        if (splash && !mainShowing_)
            splashEndMs_ = nowMs();
        if (main && event->type() == QEvent::Expose) {
            shownMs_ = nowMs();
            size_ = window->size();
            QTimer::singleShot(static_cast<int>(envNumber("TAVIK_PROBE_SETTLE_MS", 500)),
                               [this] { report(); });
        }
        return true;
    }

  private:
    static void copyFile(const char* from, const char* to) {
        std::FILE* in = std::fopen(from, "r");
        std::FILE* out = in ? std::fopen(to, "w") : nullptr;
        char buffer[4096];
        std::size_t n = 0;
        while (out && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
            std::fwrite(buffer, 1, n, out);
        if (out)
            std::fclose(out);
        if (in)
            std::fclose(in);
    }

    void report() const {
        if (const char* path = std::getenv("TAVIK_PROBE_REPORT")) {
            if (std::FILE* file = std::fopen(path, "w")) {
                const double splash = splashEndMs_ > 0 ? splashEndMs_ - splashStartMs_ : 0;
                std::fprintf(file, "%.3f %.3f %dx%d\n", shownMs_ - startedMs_, splash,
                             size_.width(), size_.height());
                std::fclose(file);
            }
        }
        // For finding where the memory goes: the process's mappings as they stand.
        if (const char* path = std::getenv("TAVIK_PROBE_SMAPS"))
            copyFile("/proc/self/smaps", path);
        std::fflush(nullptr);
        ::_exit(0); // as measured: no closing work of either program counts
    }

    double startedMs_;
    double splashStartMs_ = -1;
    double splashEndMs_ = -1;
    double shownMs_ = -1;
    bool mainShowing_ = false;
    QSize size_;
};

} // namespace

class StartProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "startprobe.json")
  public:
    QObject* create(const QString& name, const QString&) override {
        if (name.compare(QLatin1String("tavikstartprobe"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new StartProbe();
    }
};

#include "startprobe.moc"
