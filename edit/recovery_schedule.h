// When the recovery file is written and when it goes: from the timer only,
// while the level has unsaved changes, at most once every two seconds and so
// within three of the last change; removed once nothing is left unsaved.
#pragma once

#include <cstdint>
#include <optional>

namespace qzt {

class RecoverySchedule {
public:
    static constexpr uint64_t WriteEveryMs = 2000;

    enum class Action { Nothing, Write, Remove };
    // unsaved: the level differs from its file; unwritten: it also differs
    // from what the recovery file last received.
    Action next(uint64_t nowMs, bool unsaved, bool unwritten) const;

    // A write was tried: a failed one (a read-only folder) is tried again
    // after the same wait, without a word.
    void tried(uint64_t nowMs, bool written);
    // A recovery file is there that the editor did not write: restored from.
    void found() { exists_ = true; }
    void removed() { exists_ = false; }
    bool exists() const { return exists_; }

private:
    std::optional<uint64_t> lastTryMs_;
    bool exists_ = false;
};

}  // namespace qzt
