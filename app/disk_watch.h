// The level file and its bitmap, watched for changes made by other programs:
// from the timer, one stamp read a second for each.
#pragma once

#include <cstdint>

namespace qzt {

// A level without unsaved changes is read again at once; one with them only
// if the user says so, asked once per change. A new bitmap is loaded and
// shown at once. What cannot be read now is said once, and nothing changes.
void watchLevelFiles(uint64_t nowMs);

// After an open or a save: the level file as it is on disk now, so that the
// editor's own writes do not count as another program's.
void knowLevelFile();

}  // namespace qzt
