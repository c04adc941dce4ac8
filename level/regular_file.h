// Opening a data file or a bitmap for reading: regular files only, never
// blocking on a FIFO or a device, read in pieces or mapped whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace qzt {

class RegularFile {
public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // False, with the cause in why ("is a directory", "is not a regular
    // file", or the system's word), when path is not a regular file that
    // can be read.
    bool open(const char* path, std::string& why);
    uint64_t size() const { return size_; }
    // Up to max bytes from the current position; 0 at the end or on an error.
    size_t read(void* out, size_t max);
    // n bytes at offset; false when they can't all be read.
    bool readAt(uint64_t offset, void* out, size_t n);
    // The whole file, mapped read-only and kept mapped while any copy of the
    // pointer lives (also after the file is closed); null when the file is
    // empty or the system can't map it.
    std::shared_ptr<const uint8_t> map();

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    uint64_t size_ = 0;
};

// Every byte of the regular file at path; false, with the cause in why
// (as open gives it, or "cannot be read"), when it can't all be read.
bool readWholeFile(const char* path, std::string& bytes, std::string& why);

#ifdef _WIN32
// A path for the wide-character calls: "\\?\" in front of a long absolute
// one, so that it may reach past MAX_PATH.
std::wstring widePath(const char* path);
#endif

}  // namespace qzt
