// What a recovery file says of itself, after the level's "END" where no
// reader looks: the level file its changes were made against, and the
// editor run that writes it. So a second editor on the level leaves a
// running editor's file alone, and a restore can tell that the level file
// changed since.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qzt {

struct RecoveryStamp {
    // fingerprintOf the level file's bytes; none when it could not be read.
    std::optional<uint64_t> levelFingerprint;
    uint64_t editorRun = 0;
    bool operator==(const RecoveryStamp& o) const {
        return levelFingerprint == o.levelFingerprint && editorRun == o.editorRun;
    }
};

// The level's bytes as the writer makes them, with the stamp on a last line.
std::string stampedRecovery(const std::string& levelBytes, const RecoveryStamp& stamp);

// The stamp of a recovery file's bytes; none for a file without one (an
// earlier version's, or not a recovery file at all).
std::optional<RecoveryStamp> recoveryStampOf(const std::string& fileBytes);

}  // namespace qzt
