// The patient page's choice of loudness levels for the curve fitting: per ear three
// buttons, the patient's measured levels, levels predicted from the threshold, or
// from threshold and UCL. The button down reads "Yes", the others "No".
#pragma once

#include "model/ear.h"

#include <QColor>

#include <cstdint>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QPushButton;
class QWidget;

class LevelSourceButtons {
  public:
    // Makes the heading, the six buttons with their row captions, and the ear names
    // under them on the page.
    void build(QWidget* page);

    // The buttons' ids are the level sources 0 to 2.
    QButtonGroup* group(Ear ear) const;

    // Puts each ear's stored source down with "Yes"; a source outside 0..2 leaves that
    // ear's buttons up, all "No".
    void showSources(int32_t rightSource, int32_t leftSource);
    // Stores the source of each ear that has a button down.
    void storeSources(int32_t& rightSource, int32_t& leftSource) const;
    // After a click: "Yes" on the clicked button if it is down, "No" on the others.
    static void showClicked(QButtonGroup* group, QAbstractButton* clicked);

    // The buttons row by row, each row's right ear before its left.
    void appendTabOrder(std::vector<QWidget*>& chain) const;

  private:
    QPushButton* addButton(QWidget* page, Ear ear, int row);

    QButtonGroup* rightLevelGroup = nullptr;
    QButtonGroup* leftLevelGroup = nullptr;
};
