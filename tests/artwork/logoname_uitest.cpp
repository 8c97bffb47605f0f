// The logo's name is a stored outline; it must stay the outline the face would give,
// and the table must build the path it describes.
#include "artwork/logoname.h"
#include "platform/fontnames.h"

#include <QFont>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

namespace {

QPainterPath outlineFromFace() {
    QFont font(kSansFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, QStringLiteral("TAVIK"));
    return path;
}

// The path's elements as rows of the stored table, ready to paste.
QString tableOf(const QPainterPath& path) {
    static constexpr char kinds[] = {'M', 'L', 'C', 'D'};
    QString text;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        text += QStringLiteral("{'%1', %2, %3},\n")
                    .arg(QChar::fromLatin1(kinds[e.type]))
                    .arg(QString::number(e.x, 'g', 9), QString::number(e.y, 'g', 9));
    }
    return text;
}

bool samePath(const QPainterPath& a, const QPainterPath& b) {
    if (a.elementCount() != b.elementCount() || a.fillRule() != b.fillRule())
        return false;
    for (int i = 0; i < a.elementCount(); ++i) {
        const QPainterPath::Element ea = a.elementAt(i);
        const QPainterPath::Element eb = b.elementAt(i);
        if (ea.type != eb.type || std::abs(ea.x - eb.x) > 1e-4 || std::abs(ea.y - eb.y) > 1e-4)
            return false;
    }
    return true;
}

TEST(LogoName, StoredOutlineIsTheFacesOutline) {
    const QPainterPath fromFace = outlineFromFace();
    const bool same = samePath(logoNameOutline(), fromFace);
    if (!same)
        std::cout << "The face's outline, to store in artwork/logoname.cpp:\n"
                  << tableOf(fromFace).toStdString();
    EXPECT_TRUE(same);
}

TEST(LogoName, OutlineHasFiveLettersSixContoursAndItsBox) {
    const QPainterPath& name = logoNameOutline();
    int contours = 0;
    for (const OutlinePoint& p : logoNamePoints())
        contours += p.kind == 'M';
    EXPECT_EQ(contours, 6); // T, A and its counter, V, I, K
    EXPECT_EQ(name.elementCount(), 90);
    EXPECT_EQ(name.fillRule(), Qt::OddEvenFill);
    const QRectF box = name.boundingRect();
    EXPECT_DOUBLE_EQ(box.left(), 1.125);
    EXPECT_DOUBLE_EQ(box.top(), -68.796875);
    EXPECT_DOUBLE_EQ(box.bottom(), 0);
    EXPECT_DOUBLE_EQ(box.right(), 284.203125);
    // Inside the T's stem, outside in the A's counter, inside the A's stroke.
    EXPECT_TRUE(name.contains(QPointF(30, -30)));
    EXPECT_FALSE(name.contains(QPointF(89.7, -30)));
    EXPECT_TRUE(name.contains(QPointF(64, -5)));
}

} // namespace
