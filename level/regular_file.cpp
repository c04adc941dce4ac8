#include "level/regular_file.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qzt {

bool readWholeFile(const char* path, std::string& bytes, std::string& why) {
    RegularFile file;
    if (!file.open(path, why)) return false;
    bytes.resize(size_t(file.size()));
    if (file.readAt(0, &bytes[0], bytes.size())) return true;
    why = "cannot be read";
    return false;
}

#ifdef _WIN32

std::wstring widePath(const char* path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length - 1 : 0), L'\0');
    if (length > 1) MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], length);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    // Only a full path may take the prefix; leave room for a short file
    // name beside it.
    const bool absolute = wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\';
    if (absolute && wide.size() + 16 >= MAX_PATH) wide.insert(0, L"\\\\?\\");
    return wide;
}

RegularFile::~RegularFile() {
    if (handle_) CloseHandle(handle_);
}

bool RegularFile::open(const char* path, std::string& why) {
    const std::wstring wide = widePath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        why = "is a directory";
        return false;
    }
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        why = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                  ? "does not exist"
                  : "cannot be opened (error " + std::to_string(error) + ")";
        return false;
    }
    handle_ = file;
    LARGE_INTEGER size;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        why = "is not a regular file";
        return false;
    }
    size_ = uint64_t(size.QuadPart);
    return true;
}

size_t RegularFile::read(void* out, size_t max) {
    DWORD got = 0;
    const DWORD want = DWORD(max > 0x40000000 ? 0x40000000 : max);
    return handle_ && ReadFile(handle_, out, want, &got, nullptr) ? size_t(got) : 0;
}

bool RegularFile::readAt(uint64_t offset, void* out, size_t n) {
    LARGE_INTEGER at;
    at.QuadPart = LONGLONG(offset);
    if (!handle_ || !SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN)) return false;
    auto* bytes = static_cast<char*>(out);
    while (n > 0) {
        const size_t got = read(bytes, n);
        if (got == 0) return false;
        bytes += got;
        n -= got;
    }
    return true;
}

std::shared_ptr<const uint8_t> RegularFile::map() {
    if (!handle_ || size_ == 0 || size_ > SIZE_MAX) return nullptr;
    HANDLE mapping = CreateFileMappingW(handle_, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return nullptr;
    // The view keeps the mapping alive on its own.
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);
    if (!view) return nullptr;
    return std::shared_ptr<const uint8_t>(static_cast<const uint8_t*>(view),
                                          [](const uint8_t* p) { UnmapViewOfFile(p); });
}

#else

RegularFile::~RegularFile() {
    if (fd_ >= 0) close(fd_);
}

bool RegularFile::open(const char* path, std::string& why) {
    // Non-blocking, so that a FIFO without a writer does not hang the open.
    fd_ = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        why = errno == EISDIR ? "is a directory" : errno == ENOENT ? "does not exist" : std::strerror(errno);
        return false;
    }
    struct stat info;
    if (fstat(fd_, &info) != 0) {
        why = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        why = "is a directory";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        why = "is not a regular file";
        return false;
    }
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    size_ = uint64_t(info.st_size);
    return true;
}

size_t RegularFile::read(void* out, size_t max) {
    for (;;) {
        const ssize_t got = ::read(fd_, out, max);
        if (got >= 0) return size_t(got);
        if (errno != EINTR) return 0;
    }
}

bool RegularFile::readAt(uint64_t offset, void* out, size_t n) {
    auto* bytes = static_cast<char*>(out);
    while (n > 0) {
        const ssize_t got = pread(fd_, bytes, n, off_t(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        offset += uint64_t(got);
        n -= size_t(got);
    }
    return true;
}

std::shared_ptr<const uint8_t> RegularFile::map() {
    if (fd_ < 0 || size_ == 0 || size_ > SIZE_MAX) return nullptr;
    const size_t length = size_t(size_);
    void* view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd_, 0);
    if (view == MAP_FAILED) return nullptr;
    return std::shared_ptr<const uint8_t>(static_cast<const uint8_t*>(view),
                                          [length](const uint8_t* p) { munmap(const_cast<uint8_t*>(p), length); });
}

#endif

}  // namespace qzt
