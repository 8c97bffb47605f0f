#include "curves/curvepage.h"

TfmCurveEdit::TfmCurveEdit(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmCurveEdit"), QColor(0, 0, 128)) {}

void TfmCurveEdit::loadPage() {}

void TfmCurveEdit::storePage() {}
