#include "report/selectprint.h"

#include "platform/fontnames.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 247;
constexpr int kClientHeight = 153;

// A caption shows an aid's name as it is: an "&" in it is no keyboard shortcut.
QString escapeMnemonic(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString unescapeMnemonic(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

} // namespace

TfmSelectPrint::TfmSelectPrint(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("fmSelectPrint"));
    setWindowTitle(QStringLiteral("Select Curves to Print"));
    setFixedSize(kClientWidth, kClientHeight);
    QFont formFont(kFormFamily);
    formFont.setPointSize(8);
    setFont(formFont);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(16, 12, 214, 89);

    const struct {
        QCheckBox*& box;
        const char* name;
        const char* text;
        int left;
        int top;
        const char* hint;
    } boxes[] = {
        {LeftChoice1, "LeftChoice1", "LeftChoice1", 12, 8, "Print the fitted curves"},
        {LeftChoice2, "LeftChoice2", "500 Hz (user)/3000 Hz (user)", 11, 31,
         "Print your own curves"},
        {LeftChoice3, "LeftChoice3", "LeftChoice3", 11, 54, "Print the hearing-aid curves"},
    };
    for (const auto& b : boxes) {
        b.box = new QCheckBox(QString::fromLatin1(b.text), Panel1);
        b.box->setObjectName(QString::fromLatin1(b.name));
        b.box->setGeometry(b.left, b.top, 180, 17);
        b.box->setToolTip(QString::fromLatin1(b.hint));
    }

    OKButton = new QPushButton(QStringLiteral("&Ok"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(86, 115, 75, 25);
    OKButton->setDefault(true);
    OKButton->setAccessibleName(QStringLiteral("Ok"));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(LeftChoice1, LeftChoice2);
    setTabOrder(LeftChoice2, LeftChoice3);
    setTabOrder(LeftChoice3, OKButton);
}

std::array<QCheckBox*, kReportChoiceCount> TfmSelectPrint::choices() const {
    return {LeftChoice1, LeftChoice2, LeftChoice3};
}

void TfmSelectPrint::prepare(const std::array<QString, kReportChoiceCount>& captions) {
    const auto boxes = choices();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setText(escapeMnemonic(captions[i]));
        boxes[i]->setAccessibleName(captions[i]);
        boxes[i]->setChecked(false);
    }
    LeftChoice1->setFocus();
}

bool TfmSelectPrint::isTicked(int choice) const {
    return choice >= 0 && choice < kReportChoiceCount &&
           choices()[static_cast<std::size_t>(choice)]->isChecked();
}

QString TfmSelectPrint::caption(int choice) const {
    if (choice < 0 || choice >= kReportChoiceCount)
        return {};
    return unescapeMnemonic(choices()[static_cast<std::size_t>(choice)]->text());
}

// top = window top + (window height - dialog height) div 2, and left likewise.
void TfmSelectPrint::centreOver(const QWidget* window) {
    if (!window)
        return;
    const QRect outer = window->frameGeometry();
    const QSize own = frameGeometry().size();
    move(outer.left() + (outer.width() - own.width()) / 2,
         outer.top() + (outer.height() - own.height()) / 2);
}
