#include "model/undohistory.h"

#include <cstring>

bool sameImage(const DocumentImage& a, const DocumentImage& b) {
    return std::memcmp(&a.record, &b.record, sizeof(FittingRecord)) == 0 &&
           a.measured.ears[0] == b.measured.ears[0] && a.measured.ears[1] == b.measured.ears[1];
}

void UndoHistory::reset(const DocumentImage& now) {
    start_ = now;
    steps_.clear();
    done_ = 0;
}

const DocumentImage& UndoHistory::current() const {
    return done_ == 0 ? start_ : steps_[done_ - 1].after;
}

bool UndoHistory::record(const std::string& label, const ChangePlace& place,
                         const DocumentImage& now) {
    if (sameImage(current(), now))
        return false;
    UndoStep step{label, place, current(), now};
    steps_.resize(done_);
    if (steps_.size() == kLimit) {
        start_ = steps_.front().after;
        steps_.erase(steps_.begin());
    }
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    return true;
}

std::string UndoHistory::undoLabel() const {
    return canUndo() ? steps_[done_ - 1].label : std::string();
}

std::string UndoHistory::redoLabel() const {
    return canRedo() ? steps_[done_].label : std::string();
}

std::optional<UndoStep> UndoHistory::undo() {
    if (!canUndo())
        return std::nullopt;
    return steps_[--done_];
}

std::optional<UndoStep> UndoHistory::redo() {
    if (!canRedo())
        return std::nullopt;
    return steps_[done_++];
}
