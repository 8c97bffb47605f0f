// The main window: tool bar, page area and status bar.
#pragma once

#include <QMainWindow>

class TfmWinMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfmWinMain(QWidget* parent = nullptr);
};
