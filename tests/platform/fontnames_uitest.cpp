// The forms' text is asked for by the stand-in face's own name, so that the font is
// found at once rather than after a miss on the layouts' name, and it is the face the
// layouts were measured against.
#include "controls/pageform.h"
#include "curves/curvegraphs.h"
#include "platform/fontnames.h"

#include <QFont>
#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

TEST(FontNames, FormFaceIsTheStandInForTheLayoutsFace) {
    EXPECT_EQ(formFace(), "liberation sans"); // Qt keeps substitutes folded
    EXPECT_EQ(QString::fromLatin1(kFormFamily), "MS Sans Serif");
}

TEST(FontNames, FormFontsAskForTheStandInByNameAndGetIt) {
    struct Case {
        const char* what;
        QFont font;
        int pixelSize;
        bool bold;
    };
    const Case cases[] = {
        {"page text", pageFont(11), 11, false},
        {"page heading", pageFont(16, true), 16, true},
        {"page entry", pageFont(13), 13, false},
        {"graph frequency label", graphFrequencyLabelFont(), 16, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.font.family(), "liberation sans") << c.what;
        EXPECT_EQ(QFontInfo(c.font).family(), "Liberation Sans") << c.what;
        EXPECT_EQ(c.font.pixelSize(), c.pixelSize) << c.what;
        EXPECT_EQ(c.font.bold(), c.bold) << c.what;
    }
}

} // namespace
