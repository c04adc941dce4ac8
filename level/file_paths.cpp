#include "level/file_paths.h"

namespace qzt {

std::string directoryOf(const char* path) {
    const char* cut = nullptr;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/') cut = p + 1;
    }
    return cut ? std::string(path, size_t(cut - path)) : std::string();
}

}  // namespace qzt
