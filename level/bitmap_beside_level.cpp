#include "level/bitmap_beside_level.h"

#include <cerrno>
#include <cstring>

#include "level/atomic_file.h"
#include "level/dat_reader.h"
#include "level/file_paths.h"
#include "level/regular_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace qzt {
namespace {

bool bitmapFound(const std::string& level, const char* bitmapPath) {
    RegularFile file;
    std::string why;
    return file.open(levelBitmapPath(level.c_str(), bitmapPath).c_str(), why);
}

// Makes each folder of path below from, in turn; one that exists is kept.
// Every name counts, ".." too, as the system walks it when loading.
bool makeFolders(const std::string& path, size_t from, std::string& why) {
    for (size_t cut = path.find_first_of("\\/", from); cut != std::string::npos;
         cut = path.find_first_of("\\/", cut + 1)) {
        const std::string folder = path.substr(0, cut);
#ifdef _WIN32
        const bool made = CreateDirectoryW(widePath(folder.c_str()).c_str(), nullptr) ||
                          GetLastError() == ERROR_ALREADY_EXISTS;
        if (!made) why = folder + ": cannot make the folder: error " + std::to_string(GetLastError());
#else
        const bool made = mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
        if (!made) why = folder + ": cannot make the folder: " + std::strerror(errno);
#endif
        if (!made) return false;
    }
    return true;
}

}  // namespace

bool bitmapLeftBehind(const std::string& fromLevel, const std::string& toLevel, const char* bitmapPath) {
    return !fromLevel.empty() && bitmapFound(fromLevel, bitmapPath) && !bitmapFound(toLevel, bitmapPath);
}

bool copyBitmapBeside(const std::string& fromLevel, const std::string& toLevel, const char* bitmapPath,
                      std::string& why) {
    const std::string from = levelBitmapPath(fromLevel.c_str(), bitmapPath);
    const std::string to = levelBitmapPath(toLevel.c_str(), bitmapPath);
    std::string bytes;
    if (!readWholeFile(from.c_str(), bytes, why)) {
        why = from + ": " + why;
        return false;
    }
    if (!makeFolders(to, directoryOf(toLevel.c_str()).size(), why)) return false;
    if (replaceFileAtomically(to.c_str(), bytes, why)) return true;
    why = to + ": " + why;
    return false;
}

}  // namespace qzt
