#include "report/selectprint.h"

#include "platform/fontnames.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRect>

#include <string>
#include <vector>

namespace {

// The panel and Ok keep their places; the three other buttons stand in a column to
// the right of the panel, Cancel in Ok's row; the note spans the dialog under them.
constexpr int kClientWidth = 362;
constexpr int kClientHeight = 185;
constexpr int kNoteTop = 146;
constexpr int kNoteHeight = 32;
constexpr int kSideButtonLeft = 246;
constexpr int kSideButtonWidth = 100;
constexpr int kButtonHeight = 25;

// A caption shows an aid's name as it is: an "&" in it is no keyboard shortcut.
QString escapeMnemonic(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString unescapeMnemonic(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

const char* const kNothingTicked = "Tick the curves to print: at least one pair.";
const char* const kNothingToPrint =
    "Nothing to print: no pair has a complete curve. Choose a curve or an aid, or type "
    "your own.";
const char* const kNoCurveHint = "Nothing to print: neither curve of this pair is complete";

} // namespace

TfmSelectPrint::TfmSelectPrint(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("fmSelectPrint"));
    setWindowTitle(QStringLiteral("Select Curves to Print"));
    setFixedSize(kClientWidth, kClientHeight);
    QFont formFont(formFace());
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

    addButtons();
    OKButton->setDefault(true);
    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
    NoteLabel->setGeometry(16, kNoteTop, kClientWidth - 32, kNoteHeight);
    NoteLabel->setWordWrap(true);
    NoteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    setTabOrder(LeftChoice1, LeftChoice2);
    setTabOrder(LeftChoice2, LeftChoice3);
    setTabOrder(LeftChoice3, OKButton);
    setTabOrder(OKButton, PreviewButton);
    setTabOrder(PreviewButton, SavePdfButton);
    setTabOrder(SavePdfButton, CancelButton);
}

// Ok under the panel; Preview and Save as PDF beside the panel's top, Cancel beside Ok.
void TfmSelectPrint::addButtons() {
    const struct {
        QPushButton*& button;
        const char* name;
        const char* text;
        const char* accessibleName;
        QRect place;
        const char* hint;
        SelectPrintEnding ending;
    } buttons[] = {
        {OKButton, "OKButton", "&Ok", "Ok", QRect(86, 115, 75, kButtonHeight),
         "Print the ticked curves", SelectPrintEnding::Print},
        {PreviewButton, "PreviewButton", "Pre&view\u2026", "Preview",
         QRect(kSideButtonLeft, 12, kSideButtonWidth, kButtonHeight),
         "Show the pages as they will be printed", SelectPrintEnding::Preview},
        {SavePdfButton, "SavePdfButton", "Save as &PDF\u2026", "Save as PDF",
         QRect(kSideButtonLeft, 45, kSideButtonWidth, kButtonHeight),
         "Save the ticked curves' reports as a PDF file", SelectPrintEnding::SavePdf},
        {CancelButton, "CancelButton", "Cancel", "Cancel",
         QRect(kSideButtonLeft, 115, kSideButtonWidth, kButtonHeight), "Close without printing",
         SelectPrintEnding::Cancel},
    };
    for (const auto& b : buttons) {
        b.button = new QPushButton(QString::fromUtf8(b.text), this);
        b.button->setObjectName(QString::fromLatin1(b.name));
        b.button->setGeometry(b.place);
        b.button->setAccessibleName(QString::fromLatin1(b.accessibleName));
        b.button->setToolTip(QString::fromLatin1(b.hint));
        const SelectPrintEnding ending = b.ending;
        connect(b.button, &QPushButton::clicked, this, [this, ending] { end(ending); });
    }
}

// A button that would print, preview or save nothing keeps the dialog open and says
// what to tick.
void TfmSelectPrint::end(SelectPrintEnding ending) {
    if (ending == SelectPrintEnding::Cancel) {
        reject();
        return;
    }
    const auto boxes = choices();
    if (std::ranges::none_of(boxes, [](const QCheckBox* box) { return box->isChecked(); })) {
        const bool anyOffered =
            std::ranges::any_of(boxes, [](const QCheckBox* box) { return box->isEnabled(); });
        showNote(
            anyOffered
                ? (QString::fromLatin1(kNothingTicked) + QLatin1Char(' ') + notOffered_).trimmed()
                : QString::fromLatin1(kNothingToPrint));
        return;
    }
    ending_ = ending;
    accept();
}

// The note is read out as it appears.
void TfmSelectPrint::showNote(const QString& text) {
    NoteLabel->setText(text);
    NoteLabel->setAccessibleName(text);
    QAccessibleEvent changed(NoteLabel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

// The close box and Escape come here as well as the Cancel button.
void TfmSelectPrint::reject() {
    ending_ = SelectPrintEnding::Cancel;
    QDialog::reject();
}

std::array<QCheckBox*, kReportChoiceCount> TfmSelectPrint::choices() const {
    return {LeftChoice1, LeftChoice2, LeftChoice3};
}

void TfmSelectPrint::prepare(const std::array<QString, kReportChoiceCount>& captions,
                             const PairFlags& offered, const PairFlags& ticked) {
    const auto boxes = choices();
    std::vector<std::string> empty;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setText(escapeMnemonic(captions[i]));
        boxes[i]->setAccessibleName(captions[i]);
        boxes[i]->setEnabled(offered[i]);
        boxes[i]->setChecked(offered[i] && ticked[i]);
        boxes[i]->setAccessibleDescription(offered[i] ? QString()
                                                      : QString::fromLatin1(kNoCurveHint));
        if (!offered[i])
            empty.push_back(captions[i].toStdString());
    }
    notOffered_ = QString::fromStdString(noCurveToPrintNote(empty));
    const bool anyOffered = std::ranges::any_of(offered, [](bool on) { return on; });
    showNote(anyOffered ? notOffered_ : QString::fromLatin1(kNothingToPrint));
    ending_ = SelectPrintEnding::Print;
    setResult(0);
    for (QCheckBox* box : boxes) {
        if (box->isEnabled()) {
            box->setFocus();
            break;
        }
    }
}

PairFlags TfmSelectPrint::ticks() const {
    PairFlags ticked{};
    const auto boxes = choices();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        ticked[i] = boxes[i]->isChecked();
    return ticked;
}

QString TfmSelectPrint::note() const {
    return NoteLabel->text();
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
