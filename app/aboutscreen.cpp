#include "app/aboutscreen.h"

#include <QPushButton>

TfmAboutScreen::TfmAboutScreen(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("fmAboutScreen"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(306, 217);
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    ok->setGeometry((306 - 75) / 2, 217 - 37, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
