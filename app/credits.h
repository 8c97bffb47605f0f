// The program's name, logo and credits, shown alike on the splash screen and the
// About screen.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class QLabel;

// The credit lines. They name no one: TAVIK is credited to its own project.
inline const QString kCreditText = QStringLiteral("Developed by the TAVIK project");
inline const QString kAuthorText = QStringLiteral("Written by the TAVIK developers");
inline const QString kSupportText =
    QStringLiteral("Made with the support of the clinicians\nwho tried it out in daily fitting");
inline const QString kRightsText =
    QStringLiteral("Copyright \u00a9 the TAVIK developers.\nAll rights reserved.");

// The logo, drawn for its size and pixel density at every painting.
class LogoImage : public QWidget {
  public:
    explicit LogoImage(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

struct ProgramHeading {
    LogoImage* Image1 = nullptr;
    QLabel* TitleLabel = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* AuthorLabel = nullptr;
};

// The logo (105 x 105) with its top-left corner at `image`, and the title "TAVIK"
// above the two credit lines from `text` on, each line `width` pixels wide.
ProgramHeading addProgramHeading(QWidget* parent, QPoint image, QPoint text, int width);

// A label of the splash or About screen in their 11-pixel sans-serif font.
QLabel* addCreditLabel(QWidget* parent, const QString& name, const QString& text,
                       const QRect& geometry, Qt::Alignment alignment);
