#include "pages/configpage.h"

#include <QApplication>
#include <QLabel>

TfmPage5::TfmPage5(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmPage5"), QApplication::palette().color(QPalette::Window)) {
    auto* heading = new QLabel(QStringLiteral("Configuration"), this);
    heading->setFont(pageFont(16, true));
    heading->adjustSize();
    heading->move(16, 10);
    // Without fields the page takes the focus itself, under its own name.
    setAccessibleName(QStringLiteral("Configuration"));
}
