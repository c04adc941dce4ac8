#include "level/level_document.h"

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

void setHeaderText(char (&field)[HeaderTextCapacity], const char* text) {
    size_t length = std::strlen(text);
    if (length > HeaderTextCapacity - 1) length = HeaderTextCapacity - 1;
    std::memcpy(field, text, length);
    field[length] = '\0';
}

}  // namespace qzt
