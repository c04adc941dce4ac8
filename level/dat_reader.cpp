#include "level/dat_reader.h"

#include <cstring>

#include "level/blanks.h"
#include "level/decimal.h"
#include "level/file_paths.h"
#include "level/regular_file.h"

namespace qzt {

namespace {

const char kMarkerLine[] = "Y N N N";
const char kDefaultCaption[] = "QZT Level Editor";

// Paths in data files are written for the game's platform, where "\" separates
// directories; elsewhere it has to become "/" to name the same file.
std::string joinBitmapPath(const std::string& directory, const char* bitmapPath) {
    std::string joined = directory + bitmapPath;
#ifndef _WIN32
    for (size_t i = directory.size(); i < joined.size(); ++i) {
        if (joined[i] == '\\') joined[i] = '/';
    }
#endif
    return joined;
}

std::string quoted(const char* text) {
    const size_t shown = 40;
    std::string result = "\"" + std::string(text).substr(0, shown);
    return result + (std::strlen(text) > shown ? "...\"" : "\"");
}

// One load: the reader of the bytes, the two token buffers and where it stopped.
class Loader {
public:
    Loader(LineReader reader, const std::string& directory, LevelDocument& doc, LoadSteps& steps,
           LoadDiagnostic* diagnostic)
        : reader_(std::move(reader)), directory_(directory), doc_(doc), steps_(steps), diagnostic_(diagnostic) {}

    LoadResult run();

private:
    LoadResult readHeader();
    LoadResult readRecords();
    LoadResult readProgramBlock(int slot);
    LoadResult readImageSet(const char* rest);
    LoadResult readEnemy(const char* rest);

    void nextLine() {
        reader_.readLine(line_);
        ++lineNumber_;
    }
    bool lineMissing() const { return line_.kind != LineKind::Text; }
    // Reads the next token of text at pos into buffer; false when none is left.
    static bool takeToken(const char* text, int& pos, char* buffer) {
        int used = nextToken(text + pos, buffer);
        if (used < 0) return false;
        pos += used;
        return true;
    }
    LoadResult fail(LoadResult result, const std::string& cause) {
        if (diagnostic_) {
            diagnostic_->line = lineNumber_;
            diagnostic_->cause = cause;
        }
        return result;
    }
    LoadResult endedEarly() {
        return fail(LoadEndedEarly, line_.kind == LineKind::EndOfFile
                                        ? "the file ends in a line without a line end, before END"
                                        : "the file ends before END");
    }

    LineReader reader_;
    std::string directory_;
    LevelDocument& doc_;
    LoadSteps& steps_;
    LoadDiagnostic* diagnostic_;
    Line line_;
    int lineNumber_ = 0;
    char recordToken_[TokenBufferSize] = {};
    char movementToken_[TokenBufferSize] = {};
};

LoadResult Loader::run() {
    resetForLoad(doc_);
    steps_.resetScrollPositions();
    LoadResult result = readHeader();
    if (result != LoadOk) return result;
    result = readRecords();
    if (result != LoadOk) return result;
    steps_.setCaption(doc_.header.title);
    doc_.loaded = 1;
    return LoadOk;
}

LoadResult Loader::readHeader() {
    LevelHeader& header = doc_.header;
    nextLine();
    setHeaderText(header.subtitle, line_.text);
    if (line_.kind == LineKind::EndOfFile) return endedEarly();
    nextLine();
    setHeaderText(header.title, line_.text);
    if (line_.kind == LineKind::EndOfFile) return endedEarly();

    nextLine();
    setHeaderText(header.bitmapPath, line_.text);
    std::string joined = joinBitmapPath(directory_, header.bitmapPath);
    std::string why;
    bool unterminated = line_.kind == LineKind::EndOfFile;
    if (!steps_.replaceBitmap(unterminated ? nullptr : joined.c_str(), why)) {
        return fail(LoadBitmapError, unterminated ? "the bitmap line has no line end" : joined + ": " + why);
    }
    steps_.showBitmap();

    // Lines 4 to 8: the music and sound paths.
    for (int field = 3; field < 8; ++field) {
        nextLine();
        setHeaderText(header.*HeaderTextFields[field].text, line_.text);
        if (line_.kind == LineKind::EndOfFile) return endedEarly();
    }

    nextLine();
    header.timeBonus = parseDecimal(line_.text);

    nextLine();
    setHeaderText(header.markerLine, line_.text);
    if (lineMissing() || std::strcmp(line_.text, kMarkerLine) != 0) {
        steps_.setCaption(kDefaultCaption);
        return fail(LoadBadMarkerLine, std::string("expected \"Y N N N\", found ") + quoted(line_.text));
    }
    return LoadOk;
}

LoadResult Loader::readRecords() {
    for (;;) {
        nextLine();
        if (lineMissing()) return endedEarly();
        const char* text = line_.text;
        int pos = 0;
        if (!takeToken(text, pos, recordToken_)) continue;
        if (std::strcmp(recordToken_, "END") == 0) return LoadOk;
        LoadResult result = LoadOk;
        if (std::strcmp(recordToken_, "BEP") == 0) {
            if (!takeToken(text, pos, recordToken_)) return fail(LoadSyntaxError, "BEP needs a program number");
            int slot = parseDecimal(recordToken_);
            if (slot < 0 || slot >= MAX_PROGRAMS) {
                return fail(LoadSyntaxError, "program number " + std::to_string(slot) + " is outside 0..14");
            }
            doc_.programs[slot].used = 1;
            result = readProgramBlock(slot);
        } else if (std::strcmp(recordToken_, "CIS") == 0) {
            result = readImageSet(text + pos);
        } else if (std::strcmp(recordToken_, "ENEMY") == 0) {
            result = readEnemy(text + pos);
        }
        if (result != LoadOk) return result;
    }
}

LoadResult Loader::readProgramBlock(int slot) {
    EnemyProgram& program = doc_.programs[slot];
    int count = 0;
    program.movementCount = 0;
    for (;;) {
        nextLine();
        if (lineMissing()) return endedEarly();
        const char* text = line_.text;
        int pos = 0;
        if (takeToken(text, pos, movementToken_)) {
            if (std::strcmp(movementToken_, "EEP") == 0) return LoadOk;
            int32_t code = directionFromKeyword(movementToken_);
            if (code != 0) {
                if (count == MAX_MOVEMENTS) {
                    return fail(LoadSyntaxError, "program " + std::to_string(slot) + " has more than 75 movements");
                }
                program.direction[count] = code;
                int32_t* const fields[] = {&program.steps[count], &program.firstFrame[count],
                                           &program.lastFrame[count]};
                for (int32_t* field : fields) {
                    if (!takeToken(text, pos, movementToken_)) {
                        return fail(LoadSyntaxError, std::string(directionKeyword(code)) + " needs 3 numbers");
                    }
                    *field = parseDecimal(movementToken_);
                }
                ++count;
            }
        }
        program.movementCount = count;
    }
}

LoadResult Loader::readImageSet(const char* rest) {
    int32_t values[6];
    int pos = 0;
    for (int32_t& value : values) {
        if (!takeToken(rest, pos, recordToken_)) return fail(LoadSyntaxError, "CIS needs 6 numbers");
        value = parseDecimal(recordToken_);
    }
    int slot = values[5];
    if (slot < 0 || slot >= MAX_IMAGE_SETS) {
        return fail(LoadSyntaxError, "image set number " + std::to_string(slot) + " is outside 0..14");
    }
    ImageSet& imageSet = doc_.imageSets[slot];
    imageSet.used = 1;
    imageSet.slotIndex = slot;
    imageSet.x = values[0];
    imageSet.y = values[1];
    imageSet.width = values[2];
    imageSet.height = values[3];
    imageSet.frameCount = values[4];
    return LoadOk;
}

LoadResult Loader::readEnemy(const char* rest) {
    int e = doc_.enemyCount;
    if (e >= MAX_ENEMIES) return fail(LoadSyntaxError, "more than 15 enemies");
    Enemy& enemy = doc_.enemies[e];
    enemy.used = 1;
    int32_t* const fields[] = {&enemy.program, &enemy.speed, &enemy.animationRate, &enemy.hitPoints,
                               &enemy.x,       &enemy.y,     &enemy.imageSet};
    int pos = 0;
    for (int32_t* field : fields) {
        if (!takeToken(rest, pos, recordToken_)) return fail(LoadSyntaxError, "ENEMY needs 7 numbers");
        *field = parseDecimal(recordToken_);
    }
    doc_.enemyCount = e + 1;
    return LoadOk;
}

}  // namespace

// Keeps a whole line's worth of bytes at hand, or all that is left.
void LineReader::fill() {
    const size_t needed = size_t(remaining_ < LineBufferSize ? remaining_ : LineBufferSize);
    if (!source_ || available_ >= needed) return;
    constexpr size_t Piece = 1 << 16;
    if (buffer_.empty()) buffer_.resize(Piece);
    if (available_ > 0) std::memmove(buffer_.data(), data_, available_);
    data_ = buffer_.data();
    const size_t room = size_t(remaining_ < Piece ? remaining_ : Piece);
    while (available_ < needed) {
        const size_t got = source_(buffer_.data() + available_, room - available_);
        if (got == 0) {
            remaining_ = available_;  // the file was shorter than its size said
            return;
        }
        available_ += got;
    }
}

void LineReader::readLine(Line& line) {
    fill();
    const size_t left = size_t(remaining_ < LineBufferSize ? remaining_ : LineBufferSize);
    line.text[0] = '\0';
    if (left == 0) {
        line.kind = LineKind::Exhausted;
        return;
    }
    const unsigned char* bytes = data_;
    // At most 501 bytes are read for one line (indices 0..500).
    const void* lf = std::memchr(bytes, '\n', left);
    line.kind = LineKind::Text;
    if (lf) {
        // The byte before the LF (the CR) is dropped with it.
        size_t n = size_t(static_cast<const unsigned char*>(lf) - bytes);
        size_t length = n == 0 ? 0 : n - 1;
        std::memcpy(line.text, bytes, length);
        line.text[length] = '\0';
        consume(n + 1);
    } else if (left >= LineBufferSize) {
        // A line longer than 500 bytes: 499 characters; the next two bytes are lost.
        std::memcpy(line.text, bytes, LineBufferSize - 2);
        line.text[LineBufferSize - 2] = '\0';
        consume(LineBufferSize);
    } else {
        // An unterminated last line counts only as "END", from its first two bytes.
        consume(left);
        if (left == 3 && bytes[0] == 'E' && bytes[1] == 'N') {
            std::memcpy(line.text, "END", 4);
        } else {
            line.kind = LineKind::EndOfFile;
        }
    }
}

int nextToken(const char* text, char* token) {
    if (text[0] == '\0') return -1;
    int pos = 0;
    while (isBlank(text[pos])) {
        ++pos;
        if (text[pos] == '\n' || text[pos] == '\0') return -1;
    }
    if (text[pos] == '\n' || text[pos] == '\0') return -1;
    int copied = 0;
    while (copied < TokenBufferSize - 1) {
        char c = text[pos + copied];
        if (c == '\0' || c == '\n' || isBlank(c)) break;
        token[copied++] = c;
    }
    token[copied] = '\0';
    return pos + copied;
}

std::string levelBitmapPath(const char* dataFilePath, const char* bitmapPath) {
    return joinBitmapPath(directoryOf(dataFilePath), bitmapPath);
}

LoadResult loadLevelBytes(const unsigned char* data, size_t size, const std::string& directory,
                          LevelDocument& doc, LoadSteps& steps, LoadDiagnostic* diagnostic) {
    return Loader(LineReader(data, size), directory, doc, steps, diagnostic).run();
}

LoadResult loadLevelFile(const char* path, LevelDocument& doc, LoadSteps& steps, LoadDiagnostic* diagnostic) {
    // Read as the lines need it, so reading stops where the load does. A file
    // that can't be opened reads as no bytes at all, as a failed stream would.
    RegularFile file;
    std::string problem;
    const bool opened = file.open(path, problem);
    LineReader reader([&file](unsigned char* out, size_t max) { return file.read(out, max); },
                      opened ? file.size() : 0);
    // The path is only read: the bitmap's path is joined in a string of its own.
    LoadResult result = Loader(std::move(reader), directoryOf(path), doc, steps, diagnostic).run();
    if (!opened && diagnostic) {
        diagnostic->line = 0;
        diagnostic->cause = "the data file " + problem;
    }
    return result;
}

std::string levelFileProblem(const char* path) {
    RegularFile file;
    std::string problem;
    return file.open(path, problem) ? std::string() : problem;
}

const char* loadResultMessage(LoadResult result) {
    switch (result) {
        case LoadOk: return "";
        case LoadSyntaxError: return "Inncorrect syntax in .dat file";
        case LoadBadMarkerLine: return "Line 10 did not=\"Y N N N\"";
        case LoadEndedEarly: return "File ended before expected";
        case LoadBitmapError: return "Error reading .bmp.  Make sure the directory specified in the file is correct.";
    }
    return "";
}

}  // namespace qzt
