// The recovery file beside the open level ("cave.dat.recovery"): written
// from the timer while the level has unsaved changes, removed once it has
// none, and offered when the level is opened again after a crash. It never
// replaces the level file by itself.
#pragma once

#include <cstdint>

namespace qzt {

// From the timer only, never on a drag's or a key's path. A file that cannot
// be written (a read-only folder) is tried again later, without a word.
void keepRecoveryFile(uint64_t nowMs);

// The level reached its file, or the user chose to drop its changes.
void dropRecoveryFile();

// Before the level at path is opened: true when a recovery file beside it
// loads and the user wants its changes back, which the caller then loads in
// the level's place. "No" removes the file; one that does not load is left
// where it is and not offered.
bool recoveryWanted(const char* path);

// After an open, whether its changes came from the recovery file.
void recoveryOpened(bool restored);

}  // namespace qzt
