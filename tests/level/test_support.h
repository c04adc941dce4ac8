// Shared by the level tests: a temporary directory, whole-file helpers and
// load steps that record what the loader asked of the screen.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "level/dat_reader.h"

namespace qzt::testing {

class TempDir {
public:
    TempDir() {
        std::random_device entropy;
        path_ = std::filesystem::temp_directory_path() / ("qzt-test-" + std::to_string(entropy()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Records every platform step; the bitmap step succeeds unless told otherwise.
class RecordingSteps : public LoadSteps {
public:
    bool bitmapLoads = true;
    std::string onlyBitmap;  // when set, no other bitmap path loads
    std::vector<std::string> calls;
    std::vector<std::string> bitmapPaths;
    std::vector<std::string> captions;

    void resetScrollPositions() override { calls.push_back("reset"); }
    bool replaceBitmap(const char* path, std::string& why) override {
        calls.push_back("bitmap");
        bitmapPaths.push_back(path ? path : "(none)");
        bool loads = bitmapLoads && path && (onlyBitmap.empty() || onlyBitmap == path);
        if (!loads) why = "no such bitmap";
        return loads;
    }
    void showBitmap() override { calls.push_back("show"); }
    void setCaption(const char* text) override {
        calls.push_back("caption");
        captions.push_back(text);
    }
};

// Joins lines with CR LF after each.
inline std::string crlfLines(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) out += std::string(line) + "\r\n";
    return out;
}

// The ten header lines of a level whose bitmap is level.bmp.
inline std::string headerLines() {
    return crlfLines({"Sub", "Title", "level.bmp", "m.mid", "w.wav", "o.wav", "l.wav", "c.wav", "500",
                      "Y N N N", ""});
}

// Loads bytes as if read from a file in directory "levels/".
inline LoadResult loadText(const std::string& bytes, LevelDocument& doc, RecordingSteps& steps,
                           LoadDiagnostic* diagnostic = nullptr) {
    return loadLevelBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), "levels/", doc,
                          steps, diagnostic);
}

}  // namespace qzt::testing
