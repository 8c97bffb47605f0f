#include "pages/patientpage.h"

#include "model/document.h"
#include "model/textslot.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QValidator>

namespace {

const QColor kPageColour(166, 202, 240);
const QColor kRightEarColour(Qt::red);
const QColor kLeftEarColour(Qt::blue);

bool isLatin1(QChar ch) {
    return ch.unicode() <= 0xFF;
}

QString keepLatin1(const QString& text) {
    QString kept;
    for (const QChar ch : text) {
        if (isLatin1(ch))
            kept += ch;
    }
    return kept;
}

// The record's slots hold Latin-1 text; an edit takes nothing else.
class Latin1Validator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (const QChar ch : input) {
            if (!isLatin1(ch))
                return Invalid;
        }
        return Acceptable;
    }
};

// A key that types a character, as opposed to one that moves the cursor or the focus.
// Backspace, Enter and control combinations count; so does Delete, which changes the
// text just as backspace does.
bool isCharacterKey(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    return !event->text().isEmpty() || event->key() == Qt::Key_Delete;
}

QString fromSlot(const std::string& latin1) {
    return QString::fromLatin1(latin1);
}

std::string toSlot(const QString& text) {
    return text.toLatin1().toStdString();
}

// The memo shows line breaks as "\n"; the record keeps them as CR LF.
QString commentsFromRecord(const std::string& stored) {
    QString text = fromSlot(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string commentsToRecord(const QString& text) {
    QString stored = text;
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return toSlot(stored);
}

} // namespace

// --- comments field -----------------------------------------------------------

CommentsMemo::CommentsMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("CommentsMemo"));
    // Composed input would slip past the checks below.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setTabChangesFocus(true);
}

int CommentsMemo::storedLength(const QString& text) {
    int length = 0;
    for (const QChar ch : text)
        length += (ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator) ? 2 : 1;
    return length;
}

int CommentsMemo::room() const {
    const int used = storedLength(toPlainText()) - storedLength(textCursor().selectedText());
    return kLimit - used;
}

void CommentsMemo::keyPressEvent(QKeyEvent* event) {
    const bool isBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const bool types = isBreak || (!text.isEmpty() && text.at(0).isPrint());
    if (types) {
        const int needed = isBreak ? 2 : storedLength(text);
        if ((!isBreak && keepLatin1(text) != text) || needed > room()) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CommentsMemo::insertFromMimeData(const QMimeData* source) {
    QString text = keepLatin1(source->text());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const int room = this->room();
    while (!text.isEmpty() && storedLength(text) > room)
        text.chop(1);
    insertPlainText(text);
}

// --- page ---------------------------------------------------------------------

TfmClientInfo::TfmClientInfo(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmClientInfo"), kPageColour) {
    helpContext = 1001;
    auto* title = new QLabel(QStringLiteral("Patient Information"), this);
    title->setFont(pageFont(16, true));
    title->adjustSize();
    title->move((676 - title->width()) / 2, 10);

    buildIdentity();
    buildAidStyles();
    buildLevelSources();
    setTabOrder();
}

QLineEdit* TfmClientInfo::addEdit(const QString& name, const QString& label, int left, int top,
                                  int width, int limit) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(left, top, width, 24);
    edit->setFont(pageFont(13));
    edit->setMaxLength(limit);
    edit->setValidator(new Latin1Validator(edit));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [] { markModified(); });

    auto* caption = new QLabel(label, this);
    caption->adjustSize();
    caption->move(left - 4 - caption->width(), top + (24 - caption->height()) / 2);
    caption->setBuddy(edit);
    return edit;
}

// Edit limits are the capacities of the record's slots, one less than their width,
// so a stored text always keeps its terminating NUL inside the slot.
void TfmClientInfo::buildIdentity() {
    EditLastName = addEdit(QStringLiteral("EditLastName"), QStringLiteral("Last Name:"), 83, 43,
                           186, sizeof(FittingRecord::lastName) - 1);
    EditFirstName = addEdit(QStringLiteral("EditFirstName"), QStringLiteral("First Name:"), 350, 43,
                            128, sizeof(FittingRecord::firstName) - 1);
    EditMI = addEdit(QStringLiteral("EditMI"), QStringLiteral("MI:"), 516, 43, 23,
                     sizeof(FittingRecord::middleInitial) - 1);
    EditID = addEdit(QStringLiteral("EditID"), QStringLiteral("ID#:"), 579, 43, 89,
                     sizeof(FittingRecord::patientId) - 1);
    EditDOB = addEdit(QStringLiteral("EditDOB"), QStringLiteral("Birth Date:"), 80, 75, 79,
                      sizeof(FittingRecord::birthDate) - 1);
    EditClinician = addEdit(QStringLiteral("EditClinician"), QStringLiteral("Clinician:"), 231, 75,
                            265, sizeof(FittingRecord::clinician) - 1);
    EditTestDate = addEdit(QStringLiteral("EditTestDate"), QStringLiteral("Test Date:"), 587, 75,
                           79, sizeof(FittingRecord::testDate) - 1);

    placeLabel(this, QStringLiteral("Comments: (max 255 characters)"), 13, 104);
    CommentsMemo_ = new CommentsMemo(this);
    CommentsMemo_->setGeometry(13, 124, 656, 67);
    CommentsMemo_->setFont(pageFont(13));
    CommentsMemo_->installEventFilter(this);
    connect(CommentsMemo_, &QPlainTextEdit::textChanged, this, [this] {
        if (!loading)
            markModified();
    });
}

void TfmClientInfo::buildAidStyles() {
    auto* heading = new QLabel(QStringLiteral("Hearing Aids"), this);
    heading->setFont(pageFont(16, true));
    heading->adjustSize();
    heading->move(17 + (215 - heading->width()) / 2, 205);

    const auto addStyleBox = [this](const QString& caption, int left, int comboLeft,
                                    const QString& comboName) {
        auto* box = new QGroupBox(caption, this);
        box->setGeometry(left, 228, 103, 55);
        placeLabel(box, QStringLiteral("Type:"), 8, 24);
        auto* combo = new QComboBox(box);
        combo->setObjectName(comboName);
        combo->setGeometry(comboLeft, 20, 50, 24);
        for (const char* style : aidStyleNames)
            combo->addItem(QString::fromLatin1(style));
        connect(combo, &QComboBox::activated, this, &TfmClientInfo::RightHATypeComboBoxChange);
        return combo;
    };
    RightHATypeComboBox =
        addStyleBox(QStringLiteral("Right Ear"), 17, 44, QStringLiteral("RightHATypeComboBox"));
    LeftHATypeComboBox =
        addStyleBox(QStringLiteral("Left Ear"), 129, 43, QStringLiteral("LeftHATypeComboBox"));

    auto* fittingBox = new QGroupBox(QStringLiteral("Fitting Type"), this);
    fittingBox->setGeometry(31, 286, 178, 59);
    fittingTypeGroup = new QButtonGroup(this);
    const auto addFittingButton = [&](const QString& name, const QString& caption, int left) {
        auto* button = new QPushButton(caption, fittingBox);
        button->setObjectName(name);
        button->setGeometry(left, 20, 70, 30);
        button->setCheckable(true);
        fittingTypeGroup->addButton(button);
        connect(button, &QPushButton::clicked, this, &TfmClientInfo::SelectMonauralClick);
        return button;
    };
    SelectMonaural =
        addFittingButton(QStringLiteral("SelectMonaural"), QStringLiteral("Monaural"), 14);
    SelectBinaural =
        addFittingButton(QStringLiteral("SelectBinaural"), QStringLiteral("Binaural"), 99);
}

QPushButton* TfmClientInfo::addLevelButton(const QString& name, int left, int top, QColor colour) {
    auto* button = new QPushButton(QStringLiteral("No"), this);
    button->setObjectName(name);
    button->setGeometry(left, top, 50, 25);
    button->setCheckable(true);
    button->setFont(pageFont(11, true));
    setTextColour(button, colour);
    return button;
}

void TfmClientInfo::buildLevelSources() {
    auto* heading = new QLabel(QStringLiteral("Loudness Levels Used in Curve Fitting"), this);
    heading->setFont(pageFont(16, true));
    heading->adjustSize();
    heading->move(296 + (250 - heading->width()) / 2, 205);

    static const char* const rowCaptions[3] = {"Use patient loudness levels",
                                               "Predict loudness levels using threshold",
                                               "Predict loudness levels using threshold and UCL"};
    constexpr int rowTops[3] = {232, 264, 296};

    rightLevelGroup = new QButtonGroup(this);
    leftLevelGroup = new QButtonGroup(this);
    for (int row = 0; row < 3; ++row) {
        const QString number = QString::number(row + 1);
        rightLevelGroup->addButton(addLevelButton(QStringLiteral("LLRightEar") + number, 296,
                                                  rowTops[row], kRightEarColour),
                                   row);
        leftLevelGroup->addButton(
            addLevelButton(QStringLiteral("LLLeftEar") + number, 496, rowTops[row], kLeftEarColour),
            row);
        auto* caption = new QLabel(QString::fromLatin1(rowCaptions[row]), this);
        caption->setGeometry(356, rowTops[row] - 3, 135, 31);
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
    }
    connect(rightLevelGroup, &QButtonGroup::buttonClicked, this, &TfmClientInfo::LLRightEar1Click);
    connect(leftLevelGroup, &QButtonGroup::buttonClicked, this, &TfmClientInfo::LLLeftEar1Click);

    const auto earLabel = [this](const QString& text, int left, QColor colour) {
        auto* label = new QLabel(text, this);
        label->setFont(pageFont(11, true));
        setTextColour(label, colour);
        label->setGeometry(left - 10, 325, 70, 16);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    };
    earLabel(QStringLiteral("Right Ear"), 296, kRightEarColour);
    earLabel(QStringLiteral("Left Ear"), 496, kLeftEarColour);
}

void TfmClientInfo::setTabOrder() {
    QWidget* const chain[] = {EditLastName,
                              EditFirstName,
                              EditMI,
                              EditID,
                              EditDOB,
                              EditClinician,
                              EditTestDate,
                              CommentsMemo_,
                              RightHATypeComboBox,
                              LeftHATypeComboBox,
                              SelectMonaural,
                              SelectBinaural};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

void TfmClientInfo::loadPatientPage() {
    loading = true;
    EditLastName->setText(fromSlot(readText(fitting.lastName)));
    EditFirstName->setText(fromSlot(readText(fitting.firstName)));
    EditMI->setText(fromSlot(readText(fitting.middleInitial)));
    EditID->setText(fromSlot(readText(fitting.patientId)));
    EditDOB->setText(fromSlot(readText(fitting.birthDate)));
    EditClinician->setText(fromSlot(readText(fitting.clinician)));
    EditTestDate->setText(fromSlot(readText(fitting.testDate)));
    CommentsMemo_->setPlainText(commentsFromRecord(readText(fitting.comments)));

    // A style index outside the list, as a damaged file may hold, shows the first style.
    const auto styleIndex = [](int32_t style) { return style >= 0 && style < 4 ? style : 0; };
    RightHATypeComboBox->setCurrentIndex(styleIndex(fitting.rightAidStyle));
    LeftHATypeComboBox->setCurrentIndex(styleIndex(fitting.leftAidStyle));

    if (fitting.binauralFitting == 0)
        SelectMonaural->setChecked(true);
    else if (fitting.binauralFitting == 1)
        SelectBinaural->setChecked(true);

    for (QButtonGroup* group : {rightLevelGroup, leftLevelGroup}) {
        for (QAbstractButton* button : group->buttons())
            button->setText(QStringLiteral("No"));
    }
    const auto showSource = [](QButtonGroup* group, int32_t source) {
        if (QAbstractButton* button = group->button(source)) {
            button->setChecked(true);
            button->setText(QStringLiteral("Yes"));
        }
    };
    showSource(rightLevelGroup, fitting.rightLevelSource);
    showSource(leftLevelGroup, fitting.leftLevelSource);
    loading = false;
}

void TfmClientInfo::storePatientPage() {
    writeText(fitting.lastName, toSlot(EditLastName->text()));
    writeText(fitting.firstName, toSlot(EditFirstName->text()));
    writeText(fitting.middleInitial, toSlot(EditMI->text()));
    writeText(fitting.birthDate, toSlot(EditDOB->text()));
    writeText(fitting.patientId, toSlot(EditID->text()));
    writeText(fitting.testDate, toSlot(EditTestDate->text()));
    writeText(fitting.clinician, toSlot(EditClinician->text()));
    writeText(fitting.comments, commentsToRecord(CommentsMemo_->toPlainText()));

    fitting.rightAidStyle = RightHATypeComboBox->currentIndex();
    fitting.leftAidStyle = LeftHATypeComboBox->currentIndex();
    fitting.binauralFitting = SelectBinaural->isChecked() ? 1 : 0;
    if (rightLevelGroup->checkedId() >= 0)
        fitting.rightLevelSource = rightLevelGroup->checkedId();
    if (leftLevelGroup->checkedId() >= 0)
        fitting.leftLevelSource = leftLevelGroup->checkedId();
}

void TfmClientInfo::FormShow() {
    loadPatientPage();
    EditLastName->setFocus();
}

void TfmClientInfo::FormHide() {
    storePatientPage();
}

void TfmClientInfo::RightHATypeComboBoxChange() {
    markModified();
}

void TfmClientInfo::SelectMonauralClick() {
    markModified();
}

void TfmClientInfo::showLevelChoice(QButtonGroup* group, QAbstractButton* clicked) {
    for (QAbstractButton* button : group->buttons())
        button->setText(QStringLiteral("No"));
    if (clicked->isChecked())
        clicked->setText(QStringLiteral("Yes"));
    markModified();
}

void TfmClientInfo::LLRightEar1Click(QAbstractButton* button) {
    showLevelChoice(rightLevelGroup, button);
}

void TfmClientInfo::LLLeftEar1Click(QAbstractButton* button) {
    showLevelChoice(leftLevelGroup, button);
}

void TfmClientInfo::FormKeyPress(QKeyEvent* event) {
    if (isCharacterKey(event))
        markModified();
}

bool TfmClientInfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        FormKeyPress(static_cast<QKeyEvent*>(event));
    return PageForm::eventFilter(watched, event);
}
