// What is on disk at a path, to tell whether another program changed it: a
// stamp read without opening the file, and a fingerprint of its bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qzt {

struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    int64_t modified = 0;  // the last write, in the system's own units
    bool operator==(const FileStamp& o) const { return exists == o.exists && size == o.size && modified == o.modified; }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// One attribute read; no file is opened.
FileStamp fileStamp(const char* path);

// A 64-bit fingerprint of bytes (FNV-1a): equal bytes, equal prints.
uint64_t fingerprintOf(const std::string& bytes);
// The fingerprint of a regular file's bytes; none when it cannot be read.
std::optional<uint64_t> fileFingerprint(const char* path);

}  // namespace qzt
