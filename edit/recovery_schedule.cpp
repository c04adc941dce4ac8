#include "edit/recovery_schedule.h"

namespace qzt {

RecoverySchedule::Action RecoverySchedule::next(uint64_t nowMs, bool unsaved, bool unwritten) const {
    if (!unsaved) return exists_ ? Action::Remove : Action::Nothing;
    if (!unwritten || (lastTryMs_ && nowMs - *lastTryMs_ < WriteEveryMs)) return Action::Nothing;
    return Action::Write;
}

void RecoverySchedule::tried(uint64_t nowMs, bool written) {
    lastTryMs_ = nowMs;
    exists_ = exists_ || written;
}

}  // namespace qzt
