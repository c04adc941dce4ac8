// Shared by the tests: a temporary directory, whole-file helpers, load steps
// that record what the loader asked of the screen, and level texts.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "level/dat_reader.h"
#include "level/dat_writer.h"

namespace qzt::testing {

class TempDir {
public:
    TempDir() { std::filesystem::create_directories(path_); }
    ~TempDir() { std::error_code ignored; std::filesystem::remove_all(path_, ignored); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());  // the listing's order is the system's
        return names;
    }

private:
    std::filesystem::path path_ = std::filesystem::temp_directory_path() / ("qzt-test-" + std::to_string(std::random_device()()));
};

inline void writeFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

inline std::string readFile(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// Records every platform step: "reset", "bitmap PATH", "show", "caption TEXT".
// The bitmap loads unless onlyBitmap names another path.
struct RecordingSteps : LoadSteps {
    std::string onlyBitmap;
    std::vector<std::string> calls;

    void resetScrollPositions() override { calls.push_back("reset"); }
    bool replaceBitmap(const char* path, std::string& why) override {
        calls.push_back(std::string("bitmap ") + (path ? path : "(none)"));
        if (path && (onlyBitmap.empty() || onlyBitmap == path)) return true;
        why = "no such bitmap";
        return false;
    }
    void showBitmap() override { calls.push_back("show"); }
    void setCaption(const char* text) override { calls.push_back(std::string("caption ") + text); }
};

// Joins lines with CR LF after each.
inline std::string crlfLines(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) out += std::string(line) + "\r\n";
    return out;
}

// The ten header lines and the empty eleventh.
inline std::string headerLines(const std::string& bitmap = "level.bmp", const std::string& title = "Title",
                               const std::string& marker = "Y N N N") {
    return crlfLines({"Sub", title.c_str(), bitmap.c_str(), "m.mid", "w.wav", "o.wav", "l.wav", "c.wav", "500",
                      marker.c_str(), ""});
}

// A level in the exact bytes the editor writes: a title of bytes above 127,
// numbers at both ends of 32 bits, programs in slots 0 and 2 going every way,
// two enemies, image sets in slots 0 and 1; every field of a kind different.
inline std::string exampleLevelBytes() {
    return crlfLines({"Into_the_Caves", "Level_\xE9\x80\xFF", "level3.bmp", "cave.mid", "win.wav", "oneup.wav",
                      "lose.wav", "count.wav", "-2147483648", "Y N N N", "", "BEP 0", " RIGHT 12 0 1 ",
                      " DOWNLEFT 4 2 3 ", " DOWN 1 2 3 ", " DOWNRIGHT 1 2 3 ", " LEFT 1 2 3 ", "EEP", "BEP 2",
                      " STOP 20 0 0 ", " UPLEFT 5 6 7 ", " UP 2147483647 -1 0 ", " UPRIGHT 8 9 10 ", "EEP", "",
                      "ENEMY 0 2 5 10 120 40 1 ", "ENEMY 2 1 8 3 300 150 0 ", "", "CIS 1 198 40 50 2 0 ",
                      "CIS 100 197 32 31 4 1 ", "", "END", ""}) +
           SavedFileComment;
}

// Loads bytes as if read from a file in directory "levels/".
inline LoadResult loadText(const std::string& bytes, LevelDocument& doc, RecordingSteps& steps,
                           LoadDiagnostic* diagnostic = nullptr) {
    return loadLevelBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), "levels/", doc, steps,
                          diagnostic);
}

}  // namespace qzt::testing
