#include "edit/history.h"

namespace qzt {

const char* stepNameText(StepName name) {
    switch (name) {
    case StepName::Move: return "Move";
    case StepName::Resize: return "Resize";
    case StepName::Delete: return "Delete";
    case StepName::Value: return "Value";
    case StepName::Frames: return "Frames";
    case StepName::NewImageSet: return "New Image Set";
    case StepName::Recording: return "Recording";
    case StepName::Properties: return "Properties";
    case StepName::NewEnemy: return "New Enemy";
    case StepName::ProgramEdit: return "Program Edit";
    case StepName::Paste: return "Paste";
    case StepName::Duplicate: return "Duplicate";
    case StepName::Nudge: return "Nudge";
    case StepName::Cut: return "Cut";
    }
    return "";
}

void History::moved() {
    modified_ = !sameDocument(current(), saved_);
    ++version_;
}

void History::reset(const LevelDocument& doc) {
    states_.assign(1, doc);
    names_.clear();
    position_ = 0;
    saved_ = doc;
    moved();
}

void History::markSaved(const LevelDocument& doc) {
    saved_ = doc;
    moved();
}

bool History::record(const LevelDocument& doc, StepName name) {
    if (sameDocument(doc, current())) return false;
    states_.erase(states_.begin() + std::ptrdiff_t(position_) + 1, states_.end());
    names_.erase(names_.begin() + std::ptrdiff_t(position_), names_.end());
    states_.push_back(doc);
    names_.push_back(name);
    if (states_.size() > MaxSteps + 1) {
        states_.pop_front();
        names_.pop_front();
    }
    position_ = states_.size() - 1;
    moved();
    return true;
}

bool History::amend(const LevelDocument& doc) {
    if (position_ == 0 || sameDocument(doc, current())) return false;
    states_.erase(states_.begin() + std::ptrdiff_t(position_) + 1, states_.end());
    names_.erase(names_.begin() + std::ptrdiff_t(position_), names_.end());
    states_[position_] = doc;
    moved();
    return true;
}

const LevelDocument* History::undo() {
    if (position_ == 0) return nullptr;
    --position_;
    moved();
    return &current();
}

std::optional<StepName> History::undoName() const {
    if (position_ == 0) return std::nullopt;
    return names_[position_ - 1];
}

std::optional<StepName> History::redoName() const {
    if (position_ >= names_.size()) return std::nullopt;
    return names_[position_];
}

const LevelDocument* History::redo() {
    if (position_ + 1 >= states_.size()) return nullptr;
    ++position_;
    moved();
    return &current();
}

}  // namespace qzt
