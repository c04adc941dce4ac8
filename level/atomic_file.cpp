#include "level/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "level/file_paths.h"

#ifdef _WIN32
#include <windows.h>

#include "level/regular_file.h"
#else
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qzt {

namespace {

// Every save writes a file of its own, made under a fresh name, so two saves
// of one target never touch each other's bytes. The names of one process
// step through all 2^32 from a random start; one taken by another process's
// save is passed over. Short and of fixed length, so any legal target has
// room for it beside itself.
std::string temporaryName() {
    static std::atomic<uint32_t> next{std::random_device{}()};
    char text[20];
    std::snprintf(text, sizeof text, ".qzt%08x.tmp", unsigned(next.fetch_add(0x9E3779B9u)));
    return text;
}

// Names taken this often mean something else is wrong with the directory.
constexpr int NameTries = 64;

#ifdef _WIN32

std::string systemError(DWORD error) { return "error " + std::to_string(error); }

bool writeAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = DWORD(bytes.size() - done > 0x40000000 ? 0x40000000 : bytes.size() - done);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, want, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// Closes the handle it was given, if one was opened.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (open()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool open() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// What the new file keeps of the one it replaces: the attributes a file
// may be created with, and the permissions (the security descriptor's DACL).
// A new target gets its folder's defaults.
struct KeptTraits {
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    std::vector<char> permissions;  // none: the folder's defaults
};

constexpr DWORD KeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// None where they cannot be read, as on file systems that keep none (FAT).
std::vector<char> permissionsOf(const std::wstring& path) {
    DWORD size = 0;
    GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<char> descriptor(size);
    if (size == 0 || !GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size))
        descriptor.clear();
    return descriptor;
}

// An existing target is replaced where its links lead, so a link stays a
// link; the handle follows them, so its type and attributes are the final
// file's. A target that does not exist is made as named.
bool resolveTarget(std::wstring& target, KeptTraits& kept, std::string& why) {
    const Handle file(CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.open()) return true;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info)) {
        why = "the path is not a regular file";
        return false;
    }
    // A rename would wrongly succeed on these.
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        why = "the path is a directory";
        return false;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        why = "the file is read-only";
        return false;
    }
    const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.get(), &final[0], DWORD(final.size()), flags);
    if (length >= final.size()) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(file.get(), &final[0], length, flags);
    }
    // Without a final path (no drive letter for its volume), the name given.
    if (length > 0 && length < final.size()) target = final.substr(0, length);
    if (info.dwFileAttributes & KeptAttributes) kept.attributes = info.dwFileAttributes & KeptAttributes;
    kept.permissions = permissionsOf(target);
    return true;
}

// Made exclusively under a fresh name beside the target.
HANDLE createTemporary(const std::wstring& folder, std::wstring& path, DWORD attributes) {
    for (int tries = 0; tries < NameTries; ++tries) {
        const std::string name = temporaryName();
        path = folder + std::wstring(name.begin(), name.end());
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE | WRITE_DAC, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Wide calls throughout, so a path the save dialog accepts is never too long here.
bool replace(const char* path, const std::string& bytes, std::string& why) {
    std::wstring target = widePath(path);
    KeptTraits kept;
    if (!resolveTarget(target, kept, why)) return false;
    const size_t nameAt = target.find_last_of(L"\\") + 1;  // 0 when there is no directory
    std::wstring temp;
    bool done;
    {
        const Handle file(createTemporary(target.substr(0, nameAt), temp, kept.attributes));
        if (!file.open()) {
            why = "cannot create a file in its directory: " + systemError(GetLastError());
            return false;
        }
        // Where the file system keeps no permissions there are none to lose.
        if (!kept.permissions.empty())
            SetKernelObjectSecurity(file.get(), DACL_SECURITY_INFORMATION, kept.permissions.data());
        done = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
        if (!done) why = "cannot write: " + systemError(GetLastError());
    }
    if (done && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        why = "cannot replace the file: " + systemError(GetLastError());
        done = false;
    }
    if (!done) DeleteFileW(temp.c_str());
    return done;
}

#else

std::string lastError() { return std::strerror(errno); }

// A link is written through: its target is the file to replace.
std::string resolveLink(const char* path) {
    struct stat info;
    if (lstat(path, &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    if (char* real = realpath(path, nullptr)) {
        std::string resolved = real;
        free(real);
        return resolved;
    }
    // A dangling link: the file it names is made.
    char target[PATH_MAX];
    const ssize_t length = readlink(path, target, sizeof target - 1);
    if (length <= 0) return path;
    const std::string named(target, size_t(length));
    return named[0] == '/' ? named : directoryOf(path) + named;
}

class Directory {
public:
    explicit Directory(const std::string& path)
        : fd_(open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~Directory() {
        if (fd_ >= 0) close(fd_);
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        done += size_t(written);
    }
    return true;
}

// Refuses targets that a rename would wrongly succeed on: a directory, a
// device, FIFO or socket (the rename would put a file in the node's place),
// or a file marked read-only (the directory may still be writable).
bool targetAccepts(const struct stat* info, std::string& why) {
    if (!info) return true;
    if (S_ISDIR(info->st_mode)) {
        why = "the path is a directory";
        return false;
    }
    if (!S_ISREG(info->st_mode)) {
        why = "the path is not a regular file";
        return false;
    }
    if (!(info->st_mode & S_IWUSR)) {
        why = "the file is read-only";
        return false;
    }
    return true;
}

// Made exclusively under a fresh name; a link planted there is not followed.
int createTemporary(const Directory& directory, std::string& name) {
    for (int tries = 0; tries < NameTries; ++tries) {
        name = temporaryName();
        const int fd = openat(directory.fd(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Names relative to the directory, so only the file name's length counts.
bool replace(const char* path, const std::string& bytes, std::string& why) {
    const std::string target = resolveLink(path);
    const std::string directoryPath = directoryOf(target.c_str());
    const std::string name = target.substr(directoryPath.size());
    Directory directory(directoryPath);
    if (directory.fd() < 0) {
        why = "cannot create a file in its directory: " + lastError();
        return false;
    }
    struct stat info;
    const bool exists = fstatat(directory.fd(), name.c_str(), &info, 0) == 0;
    if (!targetAccepts(exists ? &info : nullptr, why)) return false;

    std::string temp;
    const int fd = createTemporary(directory, temp);
    if (fd < 0) {
        why = "cannot create a file in its directory: " + lastError();
        return false;
    }
    // The new file takes the permissions of the one it replaces.
    if (exists) fchmod(fd, info.st_mode & 07777);
    bool done = writeAll(fd, bytes) && fsync(fd) == 0;
    if (!done) why = "cannot write: " + lastError();
    if (close(fd) != 0 && done) {
        done = false;
        why = "cannot write: " + lastError();
    }
    if (done && renameat(directory.fd(), temp.c_str(), directory.fd(), name.c_str()) != 0) {
        why = "cannot replace the file: " + lastError();
        done = false;
    }
    if (!done) {
        unlinkat(directory.fd(), temp.c_str(), 0);
        return false;
    }
    // The rename itself reaches the disk with its directory.
    fsync(directory.fd());
    return true;
}

#endif

}  // namespace

bool replaceFileAtomically(const char* path, const std::string& bytes, std::string& why) {
    return replace(path, bytes, why);
}

}  // namespace qzt
