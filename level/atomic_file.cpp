#include "level/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace qzt {

namespace {

#ifdef _WIN32
int openExclusive(const char* path) {
    return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int writeSome(int fd, const char* data, size_t size) {
    return _write(fd, data, unsigned(size > 0x40000000 ? 0x40000000 : size));
}
int flushToDisk(int fd) { return _commit(fd); }
int closeFile(int fd) { return _close(fd); }
bool putInPlace(const char* from, const char* to, std::string& why) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    why = "cannot replace the file (error " + std::to_string(GetLastError()) + ")";
    return false;
}
const int kWritableBit = _S_IWRITE;
void keepModeOf(const char*, int) {}
#else
int openExclusive(const char* path) { return open(path, O_WRONLY | O_CREAT | O_EXCL, 0666); }
ssize_t writeSome(int fd, const char* data, size_t size) { return write(fd, data, size); }
int flushToDisk(int fd) { return fsync(fd); }
int closeFile(int fd) { return close(fd); }
bool putInPlace(const char* from, const char* to, std::string& why) {
    if (std::rename(from, to) != 0) {
        why = std::string("cannot replace the file: ") + std::strerror(errno);
        return false;
    }
    // The rename itself reaches the disk with its directory.
    std::string directory(to);
    size_t slash = directory.find_last_of('/');
    directory = slash == std::string::npos ? "." : directory.substr(0, slash + 1);
    int dirFd = open(directory.c_str(), O_RDONLY);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    return true;
}
const int kWritableBit = S_IWUSR;
// The new file takes the permissions of the one it replaces.
void keepModeOf(const char* path, int fd) {
    struct stat info;
    if (stat(path, &info) == 0) fchmod(fd, info.st_mode & 07777);
}
#endif

std::string lastError() { return std::strerror(errno); }

// Refuses targets that a replace would wrongly succeed on: a directory, or a
// file marked read-only (the directory may still be writable).
bool targetAccepts(const char* path, std::string& why) {
    struct stat info;
    if (stat(path, &info) != 0) return true;  // a new file
    if ((info.st_mode & S_IFMT) == S_IFDIR) {
        why = "the path is a directory";
        return false;
    }
    if (!(info.st_mode & kWritableBit)) {
        why = "the file is read-only";
        return false;
    }
    return true;
}

int createTemporaryBeside(const char* path, std::string& tempPath) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = std::string(path) + "~" + std::to_string(entropy() % 100000) + ".tmp";
        int fd = openExclusive(tempPath.c_str());
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        auto written = writeSome(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        done += size_t(written);
    }
    return true;
}

}  // namespace

bool replaceFileAtomically(const char* path, const std::string& bytes, std::string& why) {
    if (!targetAccepts(path, why)) return false;
    std::string tempPath;
    int fd = createTemporaryBeside(path, tempPath);
    if (fd < 0) {
        why = "cannot create a file in its directory: " + lastError();
        return false;
    }
    keepModeOf(path, fd);
    bool written = writeAll(fd, bytes) && flushToDisk(fd) == 0;
    if (!written) why = "cannot write: " + lastError();
    if (closeFile(fd) != 0 && written) {
        written = false;
        why = "cannot write: " + lastError();
    }
    if (written && !putInPlace(tempPath.c_str(), path, why)) written = false;
    if (!written) std::remove(tempPath.c_str());
    return written;
}

}  // namespace qzt
