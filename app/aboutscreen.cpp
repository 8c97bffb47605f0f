#include "app/aboutscreen.h"
#include "model/version.h"

#include <QLabel>
#include <QPushButton>

TfmAboutScreen::TfmAboutScreen(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("fmAboutScreen"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(kClientSize);
    // Modal to the main window only, so that the help window F1 opens from here can
    // be read and scrolled while the About screen is still up.
    setWindowModality(Qt::WindowModal);

    const int width = kClientSize.width();
    heading = addProgramHeading(this, QPoint(10, 6), QPoint(124, 18), width - 124 - 6);
    // The screen's texts stay as they are; the name tells its version, as the title bar
    // does, to whoever points at it.
    heading.TitleLabel->setToolTip(QStringLiteral("TAVIK ") + QLatin1String(kProgramVersion));
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    SupportLabel = addCreditLabel(this, QStringLiteral("SupportLabel"), kSupportText,
                                  QRect(6, 114, width - 12, 30), centred);
    RightsLabel = addCreditLabel(this, QStringLiteral("RightsLabel"), kRightsText,
                                 QRect(6, 146, width - 12, 30), centred);

    OkButton = new QPushButton(QStringLiteral("&Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    OkButton->setGeometry((width - 75) / 2, kClientSize.height() - 33, 75, 25);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
}
