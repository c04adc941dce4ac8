#include "level/level_document.h"

#include <algorithm>
#include <cstring>

namespace qzt {

namespace {

// Indexed by code; index 0 stands for every code without a keyword.
const char* const kDirectionKeywords[] = {
    nullptr, "DOWNLEFT", "DOWN", "DOWNRIGHT", "LEFT", "STOP", "RIGHT", "UPLEFT", "UP", "UPRIGHT",
};

}  // namespace

const HeaderTextField HeaderTextFields[8] = {
    {"subtitle", &LevelHeader::subtitle},
    {"title", &LevelHeader::title},
    {"bitmapPath", &LevelHeader::bitmapPath},
    {"musicPath", &LevelHeader::musicPath},
    {"winSoundPath", &LevelHeader::winSoundPath},
    {"oneUpSoundPath", &LevelHeader::oneUpSoundPath},
    {"loseSoundPath", &LevelHeader::loseSoundPath},
    {"scoreCountSoundPath", &LevelHeader::scoreCountSoundPath},
};

const char* directionKeyword(int32_t code) {
    return code >= DOWNLEFT && code <= UPRIGHT ? kDirectionKeywords[code] : nullptr;
}

int32_t directionFromKeyword(const char* word) {
    // Sorted out by the first letter: this runs for every line of a program block.
    int32_t first = 0, last = -1;
    switch (word[0]) {
        case 'D': first = DOWNLEFT, last = DOWNRIGHT; break;
        case 'L': first = last = LEFT; break;
        case 'S': first = last = STOP; break;
        case 'R': first = last = RIGHT; break;
        case 'U': first = UPLEFT, last = UPRIGHT; break;
    }
    for (int32_t code = first; code <= last; ++code) {
        if (std::strcmp(word, kDirectionKeywords[code]) == 0) return code;
    }
    return 0;
}

void resetForLoad(LevelDocument& doc) {
    for (Enemy& enemy : doc.enemies) enemy.used = 0;
    for (EnemyProgram& program : doc.programs) program.used = 0;
    for (ImageSet& imageSet : doc.imageSets) imageSet.used = 0;
    doc.loaded = 0;
    doc.enemyCount = 0;
}

namespace {

bool same(int32_t a, int32_t b) { return a == b; }

bool sameText(const char (&a)[HeaderTextCapacity], const char (&b)[HeaderTextCapacity]) {
    return std::strncmp(a, b, HeaderTextCapacity) == 0;
}

bool same(const ImageSet& a, const ImageSet& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.frameCount == b.frameCount &&
           a.slotIndex == b.slotIndex && a.used == b.used;
}

bool same(const Enemy& a, const Enemy& b) {
    return a.x == b.x && a.y == b.y && a.imageSet == b.imageSet && a.animationRate == b.animationRate &&
           a.hitPoints == b.hitPoints && a.speed == b.speed && a.program == b.program && a.used == b.used;
}

bool same(const EnemyProgram& a, const EnemyProgram& b);

template <typename T, size_t N>
bool sameArray(const T (&a)[N], const T (&b)[N]) {
    return std::equal(a, a + N, b, [](const T& x, const T& y) { return same(x, y); });
}

bool same(const EnemyProgram& a, const EnemyProgram& b) {
    return sameArray(a.direction, b.direction) && sameArray(a.steps, b.steps) &&
           sameArray(a.firstFrame, b.firstFrame) && sameArray(a.lastFrame, b.lastFrame) &&
           a.movementCount == b.movementCount && a.used == b.used;
}

}  // namespace

bool sameHeader(const LevelHeader& a, const LevelHeader& b) {
    for (const HeaderTextField& field : HeaderTextFields)
        if (!sameText(a.*field.text, b.*field.text)) return false;
    return a.timeBonus == b.timeBonus && sameText(a.markerLine, b.markerLine);
}

bool sameDocument(const LevelDocument& a, const LevelDocument& b) {
    return sameHeader(a.header, b.header) && sameArray(a.imageSets, b.imageSets) &&
           sameArray(a.programs, b.programs) && sameArray(a.enemies, b.enemies) && a.enemyCount == b.enemyCount &&
           a.loaded == b.loaded;
}

void setHeaderText(char (&field)[HeaderTextCapacity], const char* text) {
    size_t length = std::strlen(text);
    if (length > HeaderTextCapacity - 1) length = HeaderTextCapacity - 1;
    std::memcpy(field, text, length);
    field[length] = '\0';
}

}  // namespace qzt
