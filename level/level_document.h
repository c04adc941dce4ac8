// The one level the editor holds: header, image sets, programs and enemies in
// fixed 15-slot arrays. Plain data; the editing code enforces the slot rules.
#pragma once

#include <cstdint>

namespace qzt {

constexpr int MAX_IMAGE_SETS = 15;
constexpr int MAX_PROGRAMS = 15;
constexpr int MAX_ENEMIES = 15;
constexpr int MAX_MOVEMENTS = 75;

// Level y is bitmap row minus this: rows above it never show in the view.
constexpr int LevelOriginRow = 197;

// A header text holds one line of the data file (499 characters and the NUL).
constexpr int HeaderTextCapacity = 500;

// Keypad-coded: the digit whose keypad position points the way.
enum Direction : int32_t {
    DOWNLEFT = 1,
    DOWN = 2,
    DOWNRIGHT = 3,
    LEFT = 4,
    STOP = 5,
    RIGHT = 6,
    UPLEFT = 7,
    UP = 8,
    UPRIGHT = 9,
};

// The data-file keyword of a direction code, or nullptr for a code without one.
const char* directionKeyword(int32_t code);
// The code of a keyword (compared exactly), or 0 when it is none of the nine.
int32_t directionFromKeyword(const char* word);

struct LevelHeader {
    char subtitle[HeaderTextCapacity] = {};
    char title[HeaderTextCapacity] = {};
    char bitmapPath[HeaderTextCapacity] = {};
    char musicPath[HeaderTextCapacity] = {};
    char winSoundPath[HeaderTextCapacity] = {};
    char oneUpSoundPath[HeaderTextCapacity] = {};
    char loseSoundPath[HeaderTextCapacity] = {};
    char scoreCountSoundPath[HeaderTextCapacity] = {};
    int32_t timeBonus = 0;
    char markerLine[HeaderTextCapacity] = {};
};

// The eight text lines of the header, in file order, with their names.
struct HeaderTextField {
    const char* name;
    char (LevelHeader::*text)[HeaderTextCapacity];
};
extern const HeaderTextField HeaderTextFields[8];

struct ImageSet {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t frameCount = 0;
    int32_t slotIndex = 0;
    uint8_t used = 0;
};

struct Enemy {
    int32_t x = 0;
    int32_t y = 0;
    int32_t imageSet = 0;
    int32_t animationRate = 0;
    int32_t hitPoints = 0;
    int32_t speed = 0;
    int32_t program = 0;
    uint8_t used = 0;
};

struct EnemyProgram {
    int32_t direction[MAX_MOVEMENTS] = {};
    int32_t steps[MAX_MOVEMENTS] = {};
    int32_t firstFrame[MAX_MOVEMENTS] = {};
    int32_t lastFrame[MAX_MOVEMENTS] = {};
    int32_t movementCount = 0;
    uint8_t used = 0;
};

struct LevelDocument {
    LevelHeader header;
    ImageSet imageSets[MAX_IMAGE_SETS];
    EnemyProgram programs[MAX_PROGRAMS];
    Enemy enemies[MAX_ENEMIES];
    int32_t enemyCount = 0;
    uint8_t loaded = 0;
};

// The reset at the start of every load: used flags of enemies, programs and
// image sets cleared, loaded 0, enemyCount 0. Nothing else is cleared.
void resetForLoad(LevelDocument& doc);

// Whether two documents hold the same level, field by field: stale values of
// free slots and movements past the count included, text after a header
// text's end not.
bool sameDocument(const LevelDocument& a, const LevelDocument& b);
bool sameHeader(const LevelHeader& a, const LevelHeader& b);

// Copies text into a header field, cut to the field's capacity.
void setHeaderText(char (&field)[HeaderTextCapacity], const char* text);

}  // namespace qzt
