#include "level/file_state.h"

#include "level/regular_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace qzt {
namespace {

constexpr uint64_t FingerprintStart = 14695981039346656037ull;

uint64_t fingerprintMore(uint64_t print, const unsigned char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) print = (print ^ bytes[i]) * 1099511628211ull;
    return print;
}

}  // namespace

FileStamp fileStamp(const char* path) {
    FileStamp stamp;
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.size = uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    stamp.modified = int64_t(uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime);
#else
    struct stat info;
    if (stat(path, &info) != 0) return stamp;
    stamp.size = uint64_t(info.st_size);
    stamp.modified = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
#endif
    stamp.exists = true;
    return stamp;
}

uint64_t fingerprintOf(const std::string& bytes) {
    return fingerprintMore(FingerprintStart, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::optional<uint64_t> fileFingerprint(const char* path) {
    RegularFile file;
    std::string why;
    if (!file.open(path, why)) return std::nullopt;
    uint64_t print = FingerprintStart;
    unsigned char piece[65536];
    uint64_t left = file.size();
    while (left > 0) {
        const size_t got = file.read(piece, sizeof piece);
        if (got == 0) return std::nullopt;
        print = fingerprintMore(print, piece, got);
        left -= got < left ? got : left;
    }
    return print;
}

}  // namespace qzt
