#include "edit/history.h"

namespace qzt {

void History::moved() {
    modified_ = !sameDocument(current(), saved_);
    ++version_;
}

void History::reset(const LevelDocument& doc) {
    states_.assign(1, doc);
    position_ = 0;
    saved_ = doc;
    moved();
}

void History::markSaved(const LevelDocument& doc) {
    saved_ = doc;
    moved();
}

bool History::record(const LevelDocument& doc) {
    if (sameDocument(doc, current())) return false;
    states_.erase(states_.begin() + std::ptrdiff_t(position_) + 1, states_.end());
    states_.push_back(doc);
    if (states_.size() > MaxSteps + 1) states_.pop_front();
    position_ = states_.size() - 1;
    moved();
    return true;
}

const LevelDocument* History::undo() {
    if (position_ == 0) return nullptr;
    --position_;
    moved();
    return &current();
}

const LevelDocument* History::redo() {
    if (position_ + 1 >= states_.size()) return nullptr;
    ++position_;
    moved();
    return &current();
}

}  // namespace qzt
