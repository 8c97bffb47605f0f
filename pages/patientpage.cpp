#include "pages/patientpage.h"

#include "controls/choicebutton.h"
#include "controls/choicecombo.h"
#include "model/document.h"
#include "model/textslot.h"
#include "pages/latin1entry.h"
#include "platform/qtcolour.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// What an edit holds, as its notes name it ("the last name").
const char* const kWhatProperty = "tavikWhat";

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

TfmClientInfo::TfmClientInfo(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmClientInfo"), qColor(kFormPageColour)) {
    auto* title = new QLabel(QStringLiteral("Patient Information"), this);
    title->setFont(pageFont(16, true));
    title->adjustSize();
    title->move((676 - title->width()) / 2, 10);

    buildIdentity();
    buildAidStyles();
    levelSources.build(this);
    connect(levelSources.group(Ear::Right), &QButtonGroup::buttonClicked, this,
            &TfmClientInfo::LLRightEar1Click);
    connect(levelSources.group(Ear::Left), &QButtonGroup::buttonClicked, this,
            &TfmClientInfo::LLLeftEar1Click);
    setTabOrder();
}

// Each edit is named by its label and says its limit in its hint.
QLineEdit* TfmClientInfo::addEdit(const QString& name, const QString& label, const QString& what,
                                  QRect place, int limit) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->setFont(pageFont(13));
    edit->setMaxLength(limit);
    edit->setValidator(new Latin1Validator(what, edit));
    edit->setProperty(kWhatProperty, what);
    const QString hint = limitHint(limit);
    edit->setToolTip(hint);
    edit->setAccessibleName(QString(label).remove(QLatin1Char(':')));
    edit->setAccessibleDescription(hint);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, &TfmClientInfo::fieldChanged);
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        commit(edit, edit->accessibleName());
        forgetTyping(edit);
    });

    auto* caption = new QLabel(label, this);
    caption->adjustSize();
    caption->move(place.left() - 4 - caption->width(),
                  place.top() + (place.height() - caption->height()) / 2);
    caption->setBuddy(edit);
    caption->setToolTip(hint);
    return edit;
}

// Edit limits are the capacities of the record's slots, one less than their width,
// so a stored text always keeps its terminating NUL inside the slot.
void TfmClientInfo::buildIdentity() {
    const auto edit = [this](const char* name, const char* label, const char* what, int left,
                             int top, int width, int limit) {
        return addEdit(QString::fromLatin1(name), QString::fromLatin1(label),
                       QString::fromLatin1(what), QRect(left, top, width, 24), limit);
    };
    EditLastName = edit("EditLastName", "Last Name:", "the last name", 83, 43, 186,
                        sizeof(FittingRecord::lastName) - 1);
    EditFirstName = edit("EditFirstName", "First Name:", "the first name", 350, 43, 128,
                         sizeof(FittingRecord::firstName) - 1);
    EditMI = edit("EditMI", "MI:", "the middle initial", 516, 43, 23,
                  sizeof(FittingRecord::middleInitial) - 1);
    EditID = edit("EditID", "ID#:", "the ID", 579, 43, 89, sizeof(FittingRecord::patientId) - 1);
    EditDOB = edit("EditDOB", "Birth Date:", "the birth date", 80, 75, 79,
                   sizeof(FittingRecord::birthDate) - 1);
    EditClinician = edit("EditClinician", "Clinician:", "the clinician's name", 231, 75, 265,
                         sizeof(FittingRecord::clinician) - 1);
    EditTestDate = edit("EditTestDate", "Test Date:", "the test date", 587, 75, 79,
                        sizeof(FittingRecord::testDate) - 1);

    // The label states the limit the box keeps: the 254 characters the record's slot
    // is given, a line break counting as two.
    placeLabel(this, QStringLiteral("Comments: (max %1 characters)").arg(CommentsMemo::kLimit), 13,
               104);
    CommentsMemo_ = new CommentsMemo(this);
    CommentsMemo_->setGeometry(13, 124, 656, 67);
    CommentsMemo_->setFont(pageFont(13));
    CommentsMemo_->installEventFilter(this);
    connect(CommentsMemo_, &QPlainTextEdit::textChanged, this, &TfmClientInfo::fieldChanged);
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
        auto* combo = new ChoiceCombo(box);
        combo->setObjectName(comboName);
        combo->setAccessibleName(caption + QStringLiteral(", Type"));
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
        auto* button = new ChoiceButton<QPushButton>(caption, fittingBox);
        button->setObjectName(name);
        button->setAccessibleName(QStringLiteral("Fitting Type, ") + caption);
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

// The fields and choices as the page lists them, then the level sources row by row,
// each row's right ear before its left.
void TfmClientInfo::setTabOrder() {
    std::vector<QWidget*> chain = {EditLastName,
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
    levelSources.appendTabOrder(chain);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
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

    levelSources.showSources(fitting.rightLevelSource, fitting.leftLevelSource);
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
    levelSources.storeSources(fitting.rightLevelSource, fitting.leftLevelSource);
}

QWidget* TfmClientInfo::firstField() const {
    return EditLastName;
}

void TfmClientInfo::FormShow() {
    loadPatientPage();
    focusField(EditLastName);
}

void TfmClientInfo::FormHide() {
    storePatientPage();
}

// The record follows every key, so that it, and the modified mark, always hold what
// the page shows; a field's change becomes one undo step as the clinician leaves it
// or presses Enter.
void TfmClientInfo::fieldChanged() {
    if (loading)
        return;
    storePatientPage();
    refreshModified();
}

void TfmClientInfo::commit(const QWidget* field, const QString& label) {
    storePatientPage();
    commitChange(label.toStdString(), placeOf(field));
}

// Once a field's change is a step, Ctrl+Z in it undoes that step, not the keys
// typed before it.
void TfmClientInfo::forgetTyping(QLineEdit* edit) {
    if (!edit->isUndoAvailable() && !edit->isRedoAvailable())
        return;
    const QSignalBlocker quiet(edit);
    const int cursor = edit->cursorPosition();
    edit->setText(edit->text());
    edit->setCursorPosition(cursor);
}

// Both style combos.
void TfmClientInfo::RightHATypeComboBoxChange() {
    const bool left = sender() == LeftHATypeComboBox;
    commit(left ? LeftHATypeComboBox : RightHATypeComboBox,
           left ? QStringLiteral("Left Ear hearing aid type")
                : QStringLiteral("Right Ear hearing aid type"));
}

void TfmClientInfo::SelectMonauralClick() {
    commit(SelectBinaural->isChecked() ? SelectBinaural : SelectMonaural,
           QStringLiteral("fitting type"));
}

void TfmClientInfo::LLRightEar1Click(QAbstractButton* button) {
    LevelSourceButtons::showClicked(levelSources.group(Ear::Right), button);
    commit(button, QStringLiteral("Right Ear level source"));
}

void TfmClientInfo::LLLeftEar1Click(QAbstractButton* button) {
    LevelSourceButtons::showClicked(levelSources.group(Ear::Left), button);
    commit(button, QStringLiteral("Left Ear level source"));
}

// A full edit says so when a further character would not fit. The comments are one
// step as the clinician leaves them.
bool TfmClientInfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (const auto* edit = qobject_cast<QLineEdit*>(watched))
            noteWhenFull(edit, key, edit->property(kWhatProperty).toString());
    }
    if (event->type() == QEvent::FocusOut && watched == CommentsMemo_)
        commit(CommentsMemo_, QStringLiteral("Comments"));
    return PageForm::eventFilter(watched, event);
}
