#include "pages/databasepage.h"

TfmPage3::TfmPage3(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmPage3"), QColor(166, 203, 240)) {
    helpContext = 1021;
}
