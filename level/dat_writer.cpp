#include "level/dat_writer.h"

#include <cstring>

#include "level/atomic_file.h"
#include "level/decimal.h"

namespace qzt {

const char SavedFileComment[] = " ---edited in morvelin's QZT level editor--- ";

namespace {

const char kNewline[] = "\r\n";

void appendNumbers(std::string& out, std::initializer_list<int32_t> values) {
    for (int32_t value : values) {
        appendDecimal(out, value);
        out += ' ';
    }
}

void appendProgram(std::string& out, int slot, const EnemyProgram& program) {
    out += "BEP ";
    appendDecimal(out, slot);
    out += kNewline;
    int count = program.movementCount < MAX_MOVEMENTS ? program.movementCount : MAX_MOVEMENTS;
    for (int i = 0; i < count; ++i) {
        if (const char* keyword = directionKeyword(program.direction[i])) {
            out += ' ';
            out += keyword;
            out += ' ';
        }
        appendNumbers(out, {program.steps[i], program.firstFrame[i], program.lastFrame[i]});
        out += kNewline;
    }
    out += "EEP";
    out += kNewline;
}

}  // namespace

std::string serializeLevel(const LevelDocument& doc) {
    std::string out;
    out.reserve(4096);
    const LevelHeader& header = doc.header;
    for (const char* text : {header.subtitle, header.title, header.bitmapPath, header.musicPath,
                             header.winSoundPath, header.oneUpSoundPath, header.loseSoundPath,
                             header.scoreCountSoundPath}) {
        const void* end = std::memchr(text, '\0', HeaderTextCapacity);
        out.append(text, end ? size_t(static_cast<const char*>(end) - text) : size_t(HeaderTextCapacity));
        out += kNewline;
    }
    appendDecimal(out, header.timeBonus);
    out += kNewline;
    out += "Y N N N";
    out += kNewline;
    out += kNewline;

    for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
        if (doc.programs[slot].used) appendProgram(out, slot, doc.programs[slot]);
    }
    out += kNewline;

    for (const Enemy& enemy : doc.enemies) {
        if (!enemy.used) continue;
        out += "ENEMY ";
        appendNumbers(out, {enemy.program, enemy.speed, enemy.animationRate, enemy.hitPoints, enemy.x, enemy.y,
                            enemy.imageSet});
        out += kNewline;
    }
    out += kNewline;

    for (int slot = 0; slot < MAX_IMAGE_SETS; ++slot) {
        const ImageSet& imageSet = doc.imageSets[slot];
        if (!imageSet.used) continue;
        out += "CIS ";
        appendNumbers(out, {imageSet.x, imageSet.y, imageSet.width, imageSet.height, imageSet.frameCount, slot});
        out += kNewline;
    }
    out += kNewline;

    out += "END";
    out += kNewline;
    out += kNewline;
    out += SavedFileComment;
    return out;
}

SaveOutcome saveLevelFile(const char* path, const LevelDocument& doc) {
    SaveOutcome outcome;
    outcome.ok = replaceFileAtomically(path, serializeLevel(doc), outcome.why);
    return outcome;
}

}  // namespace qzt
