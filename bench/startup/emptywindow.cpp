// The yardstick of the start-up benchmark: an empty Qt main window, started and
// measured exactly as TAVIK is. The build makes two more names for it: started as
// tavik_empty_window_sized it opens at the size of TAVIK's main window (800 x 572),
// as tavik_empty_window_text it also shows one word in its status bar, so that the
// fonts are loaded as in any window with text, and as tavik_empty_window_maximised it
// shows that word in a window that starts maximised, as TAVIK's does (a window
// manager then gives it the whole screen).
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    const bool maximised = std::strstr(argv[0], "_maximised") != nullptr;
    const bool text = maximised || std::strstr(argv[0], "_text") != nullptr;
    if (text || std::strstr(argv[0], "_sized"))
        window.resize(800, 572);
    if (text)
        window.statusBar()->showMessage(QStringLiteral("Ready"));
    if (maximised)
        window.setWindowState(Qt::WindowMaximized);
    window.show();
    return QApplication::exec();
}
