// Reading level data files into the document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "level/level_document.h"

namespace qzt {

enum LoadResult : int {
    LoadOk = 0,
    LoadSyntaxError = -1,
    LoadBadMarkerLine = 1,
    LoadEndedEarly = 3,
    LoadBitmapError = 4,
};

// The steps of a load that touch the screen. The editor supplies the real
// ones; the tool and the tests supply their own. Called at fixed points:
// resetScrollPositions with the document reset, replaceBitmap after line 3,
// showBitmap right after a bitmap loaded, setCaption at line 10 and at the end.
class LoadSteps {
public:
    virtual ~LoadSteps() = default;
    virtual void resetScrollPositions() = 0;
    // Drops the current level bitmap and loads the one at path; path is null
    // when line 3 was an unterminated last line (nothing to load). Returns
    // false when there is no bitmap afterwards, with the cause in why.
    virtual bool replaceBitmap(const char* path, std::string& why) = 0;
    // Palette, vertical scroll range and the first picture of the new bitmap.
    virtual void showBitmap() = 0;
    virtual void setCaption(const char* text) = 0;
};

// Where and why a load stopped, for the command-line tool.
struct LoadDiagnostic {
    int line = 0;      // 1-based line of the data file; 0 when not tied to a line
    std::string cause;
};

// Reads the data file at path into doc; the load steps are called as the
// file is read. The path itself is never changed.
LoadResult loadLevelFile(const char* path, LevelDocument& doc, LoadSteps& steps,
                         LoadDiagnostic* diagnostic = nullptr);

// The same over bytes already in memory; directory is what bitmap paths are
// joined to. Used by loadLevelFile and by the fuzzer.
LoadResult loadLevelBytes(const unsigned char* data, size_t size, const std::string& directory,
                          LevelDocument& doc, LoadSteps& steps, LoadDiagnostic* diagnostic = nullptr);

// Why path can't be read as a data file ("does not exist", "is a
// directory", "is not a regular file"...), or empty when it can.
std::string levelFileProblem(const char* path);

// The message the Open command shows for a result; empty for LoadOk.
const char* loadResultMessage(LoadResult result);

// Where a data file's bitmap path points: beside the data file, as loading
// finds it, wherever the process's current directory is.
std::string levelBitmapPath(const char* dataFilePath, const char* bitmapPath);

// ---- The line and token layer of the reader, exposed for tests. ----

// Size of the line buffer: at most 501 bytes are read for one line.
constexpr int LineBufferSize = 501;
// A token holds at most 499 characters and its terminator.
constexpr int TokenBufferSize = 500;

enum class LineKind {
    Text,           // a line (or the "END" of an unterminated "EN?" last line)
    EndOfFile,      // an unterminated last line that is not "EN?"
    Exhausted,      // nothing was left to read: the empty text
};

struct Line {
    LineKind kind = LineKind::Exhausted;
    char text[LineBufferSize] = {};  // NUL-terminated; empty unless kind is Text
};

// Where the line reader's bytes come from when they are not all in memory:
// up to max bytes into out, 0 at the end.
using ByteSource = std::function<size_t(unsigned char* out, size_t max)>;

// Reads lines exactly as the editor reads its stream, from bytes in memory
// or from a source read piece by piece as the lines need them.
class LineReader {
public:
    LineReader(const unsigned char* data, size_t size) : data_(data), available_(size), remaining_(size) {}
    // size is what the file's size says is left; a source that ends sooner ends the file.
    LineReader(ByteSource source, uint64_t size) : source_(std::move(source)), remaining_(size) {}
    void readLine(Line& line);

private:
    void fill();
    void consume(size_t count) {
        data_ += count;
        available_ -= count;
        remaining_ -= count;
    }

    ByteSource source_;
    std::vector<unsigned char> buffer_;
    const unsigned char* data_ = nullptr;  // the bytes not yet read that are at hand
    size_t available_ = 0;
    uint64_t remaining_ = 0;  // all bytes not yet read
};

// Copies the next token of text into token (TokenBufferSize bytes). Returns
// the characters consumed (skipped blanks and tabs plus the token), or -1
// when no token is left, in which case token is left as it was.
int nextToken(const char* text, char* token);

}  // namespace qzt
