// The undo history on plain records: steps, their order, and what a new change
// after an undo forgets.
#include "model/undohistory.h"

#include <gtest/gtest.h>

namespace {

DocumentImage withAidStyle(int32_t right, int32_t left) {
    DocumentImage image;
    image.record.rightAidStyle = right;
    image.record.leftAidStyle = left;
    return image;
}

TEST(UndoHistory, StepsUndoAndRedoInOrderAndANewChangeForgetsTheUndone) {
    UndoHistory history;
    history.reset(withAidStyle(1, 1));
    EXPECT_FALSE(history.record("same", {}, withAidStyle(1, 1)));
    EXPECT_TRUE(
        history.record("right", {"fmClientInfo", "RightHATypeComboBox"}, withAidStyle(2, 1)));
    EXPECT_TRUE(history.record("left", {}, withAidStyle(2, 3)));
    EXPECT_EQ(history.undoLabel(), "left");
    EXPECT_EQ(history.redoLabel(), "");

    EXPECT_EQ(history.undo()->before.record.leftAidStyle, 1);
    const std::optional<UndoStep> first = history.undo();
    EXPECT_EQ(first->place.field, "RightHATypeComboBox");
    EXPECT_EQ(first->before.record.rightAidStyle, 1);
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(history.redoLabel(), "right");
    EXPECT_EQ(history.redo()->after.record.rightAidStyle, 2);
    EXPECT_EQ(history.current().record.rightAidStyle, 2);

    // A change after an undo forgets the step undone.
    EXPECT_TRUE(history.record("style", {}, withAidStyle(0, 1)));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.size(), 2u);
    EXPECT_EQ(history.undo()->before.record.rightAidStyle, 2);
}

TEST(UndoHistory, MeasuredFlagsAloneMakeAStep) {
    UndoHistory history;
    history.reset(withAidStyle(1, 1));
    DocumentImage flagged = withAidStyle(1, 1);
    flagged.measured.ears[1][5][7] = true;
    EXPECT_TRUE(history.record("flag", {}, flagged));
}

TEST(UndoHistory, KeepsTheNewestStepsUpToItsLimit) {
    UndoHistory history;
    history.reset(withAidStyle(0, 0));
    for (int32_t i = 1; i <= int32_t(UndoHistory::kLimit) + 2; ++i)
        history.record("step", {}, withAidStyle(i, 0));
    EXPECT_EQ(history.size(), 500u);
    while (history.canUndo())
        history.undo();
    EXPECT_EQ(history.current().record.rightAidStyle, 2);
}

} // namespace
