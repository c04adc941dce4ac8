// The level file and its bitmap, watched for changes made by other programs:
// from the timer, one stamp read a second for each.
#pragma once

#include <cstdint>
#include <optional>

namespace qzt {

// A level without unsaved changes is read again at once; one with them only
// if the user says so, asked once per change. A new bitmap is loaded and
// shown at once. What cannot be read now is said once, and nothing changes.
void watchLevelFiles(uint64_t nowMs);

// After an open or a save: the level file as it is on disk now (with the
// fingerprint of its bytes), so that the editor's own writes do not count as
// another program's.
void knowLevelFile(std::optional<uint64_t> fingerprint);

}  // namespace qzt
