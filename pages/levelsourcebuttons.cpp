#include "pages/levelsourcebuttons.h"

#include "controls/choicebutton.h"
#include "controls/pageform.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kRows = 3;
constexpr int kEarLefts[2] = {296, 496};
const char* const kEarNames[2] = {"Right Ear", "Left Ear"};
const char* const kRowCaptions[kRows] = {"Use patient loudness levels",
                                         "Predict loudness levels using threshold",
                                         "Predict loudness levels using threshold and UCL"};
constexpr int kRowTops[kRows] = {232, 264, 296};

void showSource(QButtonGroup* group, int32_t source) {
    for (QAbstractButton* button : group->buttons())
        button->setText(QStringLiteral("No"));
    if (QAbstractButton* button = group->button(source)) {
        button->setChecked(true);
        button->setText(QStringLiteral("Yes"));
    }
}

} // namespace

QPushButton* LevelSourceButtons::addButton(QWidget* page, Ear ear, int row) {
    const int index = recordIndex(ear);
    const QString name =
        (ear == Ear::Right ? QStringLiteral("LLRightEar") : QStringLiteral("LLLeftEar")) +
        QString::number(row + 1);
    auto* button = new ChoiceButton<QPushButton>(QStringLiteral("No"), page);
    button->setObjectName(name);
    button->setAccessibleName(QString::fromLatin1(kEarNames[index]) + QStringLiteral(", ") +
                              QString::fromLatin1(kRowCaptions[row]));
    button->setGeometry(kEarLefts[index], kRowTops[row], 50, 25);
    button->setCheckable(true);
    button->setFont(pageFont(11, true));
    setTextColour(button, earColour(ear));
    group(ear)->addButton(button, row);
    return button;
}

void LevelSourceButtons::build(QWidget* page) {
    auto* heading = new QLabel(QStringLiteral("Loudness Levels Used in Curve Fitting"), page);
    heading->setFont(pageFont(16, true));
    heading->adjustSize();
    heading->move(296 + (250 - heading->width()) / 2, 205);

    rightLevelGroup = new QButtonGroup(page);
    leftLevelGroup = new QButtonGroup(page);
    for (int row = 0; row < kRows; ++row) {
        for (const Ear ear : kEars)
            addButton(page, ear, row);
        auto* caption = new QLabel(QString::fromLatin1(kRowCaptions[row]), page);
        caption->setGeometry(356, kRowTops[row] - 3, 135, 31);
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
    }

    for (const Ear ear : kEars) {
        const int index = recordIndex(ear);
        auto* label = new QLabel(QString::fromLatin1(kEarNames[index]), page);
        label->setFont(pageFont(11, true));
        setTextColour(label, earColour(ear));
        label->setGeometry(kEarLefts[index] - 10, 325, 70, 16);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
}

QButtonGroup* LevelSourceButtons::group(Ear ear) const {
    return ear == Ear::Right ? rightLevelGroup : leftLevelGroup;
}

void LevelSourceButtons::showSources(int32_t rightSource, int32_t leftSource) {
    showSource(rightLevelGroup, rightSource);
    showSource(leftLevelGroup, leftSource);
}

void LevelSourceButtons::storeSources(int32_t& rightSource, int32_t& leftSource) const {
    if (rightLevelGroup->checkedId() >= 0)
        rightSource = rightLevelGroup->checkedId();
    if (leftLevelGroup->checkedId() >= 0)
        leftSource = leftLevelGroup->checkedId();
}

void LevelSourceButtons::showClicked(QButtonGroup* group, QAbstractButton* clicked) {
    for (QAbstractButton* button : group->buttons())
        button->setText(QStringLiteral("No"));
    if (clicked->isChecked())
        clicked->setText(QStringLiteral("Yes"));
}

void LevelSourceButtons::appendTabOrder(std::vector<QWidget*>& chain) const {
    for (int row = 0; row < kRows; ++row) {
        chain.push_back(rightLevelGroup->button(row));
        chain.push_back(leftLevelGroup->button(row));
    }
}
