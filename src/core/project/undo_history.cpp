#include "project/undo_history.h"

namespace spurwerk {

std::string StepName::Text() const {
    if (from.empty() && to.empty()) return what;
    if (from.empty()) return what + " " + to;
    return what + " " + from + " \u2192 " + to;
}

std::size_t UndoStep::Cost() const {
    return sizeof(UndoStep) + before.size() + after.size() + name.what.size() + name.from.size() + name.to.size();
}

bool UndoHistory::MergeIntoLast(UndoStep& step) {
    if (sealed_ || position_ == 0 || AtClean() || !step.name.mergesWithSame) return false;
    UndoStep& last = steps_[position_ - 1];
    bool sameSpan = last.offset == step.offset && last.before.size() == step.before.size() &&
                    last.after.size() == step.after.size() && last.sizeAfter == step.sizeBefore &&
                    step.sizeBefore == step.sizeAfter && last.sizeBefore == last.sizeAfter;
    if (!last.name.mergesWithSame || last.name.what != step.name.what || !sameSpan) return false;
    bytes_ -= last.Cost();
    last.after = std::move(step.after);
    last.name.to = std::move(step.name.to);
    if (last.before == last.after) {
        // Dragged back to where it started: nothing is left to undo.
        steps_.pop_back();
        --position_;
        return true;
    }
    bytes_ += last.Cost();
    return true;
}

void UndoHistory::Record(UndoStep step) {
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().Cost();
        steps_.pop_back();
    }
    if (clean_ && *clean_ > position_) clean_.reset();
    if (MergeIntoLast(step)) return;
    if (step.Cost() > maxBytes_) {
        // Too large to keep: nothing before it can be undone either.
        steps_.clear();
        bytes_ = 0;
        position_ = 0;
        clean_.reset();
        sealed_ = true;
        return;
    }
    bytes_ += step.Cost();
    steps_.push_back(std::move(step));
    ++position_;
    sealed_ = false;
    while (bytes_ > maxBytes_) {
        bytes_ -= steps_.front().Cost();
        steps_.pop_front();
        --position_;
        if (clean_) {
            if (*clean_ == 0) clean_.reset();
            else --*clean_;
        }
    }
}

const UndoStep* UndoHistory::NextUndo() const { return position_ > 0 ? &steps_[position_ - 1] : nullptr; }

const UndoStep* UndoHistory::NextRedo() const { return position_ < steps_.size() ? &steps_[position_] : nullptr; }

const UndoStep* UndoHistory::Undo() {
    const UndoStep* step = NextUndo();
    if (step) --position_;
    sealed_ = true;
    return step;
}

const UndoStep* UndoHistory::Redo() {
    const UndoStep* step = NextRedo();
    if (step) ++position_;
    sealed_ = true;
    return step;
}

void UndoHistory::Clear() {
    steps_.clear();
    bytes_ = 0;
    position_ = 0;
    clean_ = 0;
    sealed_ = true;
}

void UndoHistory::MarkClean() {
    clean_ = position_;
    sealed_ = true;
}

}  // namespace spurwerk
