#include "app/winmain.h"

TfmWinMain::TfmWinMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("fmWinMain");
    setWindowTitle("TAVIK 1.0a");
}
