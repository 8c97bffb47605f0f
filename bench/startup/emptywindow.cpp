// The yardstick of the start-up benchmark: an empty Qt main window, started and
// measured exactly as TAVIK is. The build makes two more names for it: started as
// tavik_empty_window_sized it opens at the size of TAVIK's main window (800 x 572),
// as tavik_empty_window_text it also shows one word in its status bar, so that the
// fonts are loaded as in any window with text, and as tavik_empty_window_maximised it
// shows that word in a window that starts maximised, as TAVIK's does (a window
// manager then gives it the whole screen). As tavik_empty_window_table it is that
// maximised window with a table of numbers filling it besides the word in its status
// bar: the plainest data window a desktop program shows.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTableWidget>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    const bool table = std::strstr(argv[0], "_table") != nullptr;
    const bool maximised = table || std::strstr(argv[0], "_maximised") != nullptr;
    const bool text = maximised || std::strstr(argv[0], "_text") != nullptr;
    if (text || std::strstr(argv[0], "_sized"))
        window.resize(800, 572);
    if (text)
        window.statusBar()->showMessage(QStringLiteral("Ready"));
    if (table) {
        // Twelve rows of the six frequencies, as a page of levels would show them.
        auto* grid = new QTableWidget(12, 6, &window);
        for (int row = 0; row < 12; ++row) {
            for (int column = 0; column < 6; ++column)
                grid->setItem(row, column, new QTableWidgetItem(QString::number(row * 6 + column)));
        }
        window.setCentralWidget(grid);
    }
    if (maximised)
        window.setWindowState(Qt::WindowMaximized);
    window.show();
    return QApplication::exec();
}
