// The recovery file beside the open level ("cave.dat.recovery"): written
// from the timer while the level has unsaved changes, removed once it has
// none, and offered when the level is opened again after a crash. It never
// replaces the level file by itself. It carries the editor run that writes
// it, so that another editor on the level neither offers nor touches it
// while that editor runs, and the level file it was made against.
#pragma once

#include <cstdint>
#include <optional>

namespace qzt {

// From the timer only, never on a drag's or a key's path, and not while a
// question is up. A file that cannot be written (a read-only folder) is
// tried again later, without a word; one that went while changes are still
// unsaved is written again.
void keepRecoveryFile(uint64_t nowMs);

// The level reached its file, or the user chose to drop its changes.
void dropRecoveryFile();

// Before the level at path is opened: true when a recovery file beside it
// loads and the user wants its changes back, which the caller then loads in
// the level's place. "No" removes the file; one that does not load is left
// where it is and not offered; one of another running editor is only said.
bool recoveryWanted(const char* path);

// After an open, whether its changes came from the recovery file.
void recoveryOpened(bool restored);

// The level file's fingerprint as unsaved changes are made against it:
// after an open, a reload and a save.
void recoveryBasedOn(std::optional<uint64_t> levelFingerprint);

// After a save to path: a recovery file that an earlier run left beside it
// would offer stale changes, and goes; a running editor's stays.
void dropStaleRecoveryFile(const char* path);

}  // namespace qzt
