#include "app/credits.h"

#include "artwork/logo.h"
#include "controls/pageform.h"

#include <QLabel>
#include <QPainter>

namespace {

constexpr int kLogoSize = 105;

} // namespace

LogoImage::LogoImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setAccessibleName(QStringLiteral("TAVIK logo"));
}

void LogoImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawProgramLogo(painter, QRectF(rect()));
}

QLabel* addCreditLabel(QWidget* parent, const QString& name, const QString& text,
                       const QRect& geometry, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(pageFont(11));
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

ProgramHeading addProgramHeading(QWidget* parent, QPoint image, QPoint text, int width) {
    ProgramHeading heading;
    heading.Image1 = new LogoImage(parent);
    heading.Image1->setGeometry(image.x(), image.y(), kLogoSize, kLogoSize);

    heading.TitleLabel = new QLabel(QStringLiteral("TAVIK"), parent);
    heading.TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    heading.TitleLabel->setFont(pageFont(24, true));
    heading.TitleLabel->setGeometry(text.x(), text.y(), width, 32);

    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    heading.Label1 = addCreditLabel(parent, QStringLiteral("Label1"), kCreditText,
                                    QRect(text.x(), text.y() + 40, width, 16), left);
    heading.AuthorLabel = addCreditLabel(parent, QStringLiteral("AuthorLabel"), kAuthorText,
                                         QRect(text.x(), text.y() + 58, width, 16), left);
    return heading;
}
