// The About screen, opened from Help / About. For now it holds only its OK button;
// the logo and credits come later.
#pragma once

#include <QDialog>

class TfmAboutScreen : public QDialog {
    Q_OBJECT
  public:
    explicit TfmAboutScreen(QWidget* parent);
};
