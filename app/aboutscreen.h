// The About screen, opened from Help / About: the logo, the name, the credits, who
// supported the work and the rights notice. Enter or its button closes it; F1 opens
// its help topic.
#pragma once

#include "app/credits.h"
#include "model/helpfile.h"

#include <QDialog>

class QLabel;
class QPushButton;

// TfmAboutScreen: the About screen.
class TfmAboutScreen : public QDialog {
    Q_OBJECT
    // The help key reads it (app/helprequests.h).
    Q_PROPERTY(int helpContext READ helpContext CONSTANT)
  public:
    static constexpr QSize kClientSize{306, 217};

    explicit TfmAboutScreen(QWidget* parent);

    int helpContext() const { return kAboutScreenHelp; }

  private:
    ProgramHeading heading;
    QLabel* SupportLabel = nullptr;
    QLabel* RightsLabel = nullptr;
    QPushButton* OkButton = nullptr;
};
