// A file the editor read or wrote, watched for changes made by another
// program: at most one stamp read a second; a new stamp alone counts for a
// bitmap, while a level counts as changed only when its bytes differ too, so
// that a file merely touched asks no question.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "level/file_state.h"

namespace qzt {

class FileWatch {
public:
    static constexpr uint64_t CheckEveryMs = 1000;

    // The file at path as it is now on disk; fingerprint is that of its bytes
    // when they count, none when its stamp alone does.
    void know(const std::string& path, const FileStamp& stamp, std::optional<uint64_t> fingerprint);
    void stop() { path_.clear(); }
    const std::string& path() const { return path_; }

    // True once per change: when the file on disk is no longer the one known,
    // which it then becomes. Reads at most one stamp, and then the bytes,
    // once every CheckEveryMs of nowMs.
    bool changed(uint64_t nowMs);
    // Whether changed would look at the disk now.
    bool due(uint64_t nowMs) const { return !path_.empty() && (!lastCheckMs_ || nowMs - *lastCheckMs_ >= CheckEveryMs); }

private:
    std::string path_;
    FileStamp stamp_;
    std::optional<uint64_t> fingerprint_;
    std::optional<uint64_t> lastCheckMs_;
};

}  // namespace qzt
