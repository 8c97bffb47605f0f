// The colours a clinician sees on each page: the page backgrounds (the patient and
// database pages one light blue), the ears' red and blue, the faces of the curve
// page's lists and panels in the colours of their curves, and the Overview's yellow
// ear captions on navy.
#include "testsupport/programfixture.h"

#include <QWidget>

namespace {

class PaletteTest : public ProgramFixture {};

TEST_F(PaletteTest, EachPageShowsItsColours) {
    const struct Case {
        const char* pageButton; // shows the page first
        const char* widget;
        QPalette::ColorRole role;
        QColor expected;
    } cases[] = {
        {"ClientInfoButton", "fmClientInfo", QPalette::Window, QColor(166, 202, 240)},
        {"ClientInfoButton", "LLRightEar2", QPalette::ButtonText, QColor(255, 0, 0)},
        {"ClientInfoButton", "LLLeftEar3", QPalette::ButtonText, QColor(0, 0, 255)},
        {"SpeedButton3", "fmPage2", QPalette::Window, QColor(223, 255, 240)},
        {"SpeedButton4", "fmPage3", QPalette::Window, QColor(166, 202, 240)},
        {"EditCurveButton", "fmCurveEdit", QPalette::Window, QColor(0, 0, 128)},
        {"EditCurveButton", "LeftSideCurveCombo", QPalette::Button, QColor(0, 255, 255)},
        {"EditCurveButton", "RightCurveUserPanel", QPalette::Window, QColor(0, 255, 0)},
        {"EditCurveButton", "RightSideHAidCombo", QPalette::Button, QColor(255, 0, 255)},
        {"OverviewButton", "fmOverview", QPalette::Window, QColor(0, 0, 128)},
        {"OverviewButton", "OtherEarLabel", QPalette::WindowText, QColor(255, 255, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widget);
        click(c.pageButton);
        EXPECT_EQ(find<QWidget>(c.widget)->palette().color(c.role), c.expected);
    }
}

} // namespace
