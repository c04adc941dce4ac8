// The levels last opened or saved, most recent first, as the File menu lists
// them and the registry keeps them between runs.
#pragma once

#include <string>
#include <vector>

namespace qzt {

class RecentFiles {
public:
    static constexpr size_t Capacity = 8;

    explicit RecentFiles(std::vector<std::string> paths = {});
    // To the front; a path already listed moves there. Windows paths: letters
    // of either case name the same file.
    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

// "&1 PATH": the item's access key, and the path's own "&" doubled.
std::string recentFileItemText(size_t index, const std::string& path);

}  // namespace qzt
