#include "edit/recent_files.h"

#include <algorithm>
#include <cctype>

namespace qzt {
namespace {

bool samePath(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

RecentFiles::RecentFiles(std::vector<std::string> paths) {
    // What the registry held, in its order, without repeats or empty ones.
    for (auto it = paths.rbegin(); it != paths.rend(); ++it)
        if (!it->empty()) add(*it);
}

void RecentFiles::add(const std::string& path) {
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > Capacity) paths_.resize(Capacity);
}

void RecentFiles::remove(const std::string& path) {
    paths_.erase(std::remove_if(paths_.begin(), paths_.end(), [&](const std::string& p) { return samePath(p, path); }),
                 paths_.end());
}

std::string recentFileItemText(size_t index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : path) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

}  // namespace qzt
