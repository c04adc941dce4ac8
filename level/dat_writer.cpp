#include "level/dat_writer.h"

#include <cstring>

#include "level/atomic_file.h"
#include "level/decimal.h"

namespace qzt {

const char SavedFileComment[] = " ---edited in morvelin's QZT level editor--- ";

namespace {

// Builds one line at a time and hands it to the file text whole.
class LineWriter {
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    LineWriter& text(const char* text, size_t length) {
        std::memcpy(line_ + length_, text, length);
        length_ += length;
        return *this;
    }
    LineWriter& text(const char* text) { return this->text(text, std::strlen(text)); }
    // A number followed by one blank, as every record field is written.
    LineWriter& field(int32_t value) {
        length_ += size_t(formatDecimal(value, line_ + length_));
        line_[length_++] = ' ';
        return *this;
    }
    LineWriter& number(int32_t value) {
        length_ += size_t(formatDecimal(value, line_ + length_));
        return *this;
    }
    void end() {
        line_[length_++] = '\r';
        line_[length_++] = '\n';
        out_.append(line_, length_);
        length_ = 0;
    }

private:
    std::string& out_;
    // The longest line is a header text; record lines are far shorter.
    char line_[HeaderTextCapacity + 2];
    size_t length_ = 0;
};

size_t headerTextLength(const char* text) {
    const void* end = std::memchr(text, '\0', HeaderTextCapacity);
    return end ? size_t(static_cast<const char*>(end) - text) : size_t(HeaderTextCapacity);
}

void writeProgram(LineWriter& line, int slot, const EnemyProgram& program) {
    line.text("BEP ").number(slot).end();
    int count = program.movementCount < MAX_MOVEMENTS ? program.movementCount : MAX_MOVEMENTS;
    for (int i = 0; i < count; ++i) {
        if (const char* keyword = directionKeyword(program.direction[i])) line.text(" ").text(keyword).text(" ");
        line.field(program.steps[i]).field(program.firstFrame[i]).field(program.lastFrame[i]).end();
    }
    line.text("EEP").end();
}

}  // namespace

std::string serializeLevel(const LevelDocument& doc) {
    std::string out;
    out.reserve(1 << 16);  // more than the largest level
    LineWriter line(out);
    const LevelHeader& header = doc.header;
    for (const HeaderTextField& field : HeaderTextFields) {
        const char* text = header.*field.text;
        line.text(text, headerTextLength(text)).end();
    }
    line.number(header.timeBonus).end();
    line.text("Y N N N").end();
    line.end();

    for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
        if (doc.programs[slot].used) writeProgram(line, slot, doc.programs[slot]);
    }
    line.end();

    for (const Enemy& enemy : doc.enemies) {
        if (!enemy.used) continue;
        line.text("ENEMY ").field(enemy.program).field(enemy.speed).field(enemy.animationRate);
        line.field(enemy.hitPoints).field(enemy.x).field(enemy.y).field(enemy.imageSet).end();
    }
    line.end();

    for (int slot = 0; slot < MAX_IMAGE_SETS; ++slot) {
        const ImageSet& set = doc.imageSets[slot];
        if (!set.used) continue;
        line.text("CIS ").field(set.x).field(set.y).field(set.width).field(set.height).field(set.frameCount);
        line.field(slot).end();
    }
    line.end();

    line.text("END").end();
    line.end();
    out += SavedFileComment;
    return out;
}

SaveOutcome saveLevelFile(const char* path, const LevelDocument& doc) {
    SaveOutcome outcome;
    outcome.ok = replaceFileAtomically(path, serializeLevel(doc), outcome.why);
    return outcome;
}

}  // namespace qzt
