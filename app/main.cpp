#include "app/winmain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("TAVIK");
    TfmWinMain window;
    window.showMaximized();
    return QApplication::exec();
}
