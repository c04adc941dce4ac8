#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "test_support.h"

namespace qzt {
namespace {

using testing::RecordingSteps;

class RandomLevels {
public:
    explicit RandomLevels(unsigned seed) : random_(seed) {}

    LevelDocument next() {
        LevelDocument doc;
        char(*fields[])[HeaderTextCapacity] = {&doc.header.subtitle,     &doc.header.title,
                                               &doc.header.bitmapPath,   &doc.header.musicPath,
                                               &doc.header.winSoundPath, &doc.header.oneUpSoundPath,
                                               &doc.header.loseSoundPath, &doc.header.scoreCountSoundPath};
        for (auto field : fields) setHeaderText(*field, text().c_str());
        doc.header.timeBonus = number();
        for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
            EnemyProgram& program = doc.programs[slot];
            program.used = chance(2);
            program.movementCount = int32_t(pick(MAX_MOVEMENTS + 1));
            for (int i = 0; i < MAX_MOVEMENTS; ++i) {
                program.direction[i] = int32_t(1 + pick(9));
                program.steps[i] = number();
                program.firstFrame[i] = number();
                program.lastFrame[i] = number();
            }
        }
        for (Enemy& enemy : doc.enemies) enemy = Enemy{number(), number(), number(), number(), number(), number(),
                                                       number(), uint8_t(chance(2))};
        doc.enemyCount = MAX_ENEMIES;
        for (int slot = 0; slot < MAX_IMAGE_SETS; ++slot) {
            doc.imageSets[slot] = ImageSet{number(), number(), number(), number(), number(), slot, uint8_t(chance(2))};
        }
        doc.loaded = 1;
        return doc;
    }

private:
    // Any byte but NUL and LF, which cannot be part of a line; up to 499 of them.
    std::string text() {
        std::string result(pick(500), 'x');
        for (char& c : result) {
            do c = char(1 + pick(255)); while (c == '\n');
        }
        return result;
    }
    int32_t number() {
        switch (pick(3)) {
            case 0: return int32_t(pick(100));
            case 1: return -int32_t(pick(1000));
            default: return int32_t(uint32_t(random_()));
        }
    }
    uint32_t pick(uint32_t below) { return uint32_t(random_() % below); }
    bool chance(int inverse) { return pick(uint32_t(inverse)) == 0; }

    std::mt19937 random_;
};

void expectSameLevel(const LevelDocument& saved, const LevelDocument& loaded) {
    const char* savedTexts[] = {saved.header.subtitle,     saved.header.title,         saved.header.bitmapPath,
                                saved.header.musicPath,    saved.header.winSoundPath,  saved.header.oneUpSoundPath,
                                saved.header.loseSoundPath, saved.header.scoreCountSoundPath};
    const char* loadedTexts[] = {loaded.header.subtitle,     loaded.header.title,        loaded.header.bitmapPath,
                                 loaded.header.musicPath,    loaded.header.winSoundPath, loaded.header.oneUpSoundPath,
                                 loaded.header.loseSoundPath, loaded.header.scoreCountSoundPath};
    for (int i = 0; i < 8; ++i) EXPECT_STREQ(savedTexts[i], loadedTexts[i]) << "header line " << i + 1;
    EXPECT_EQ(saved.header.timeBonus, loaded.header.timeBonus);
    for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
        const EnemyProgram& a = saved.programs[slot];
        const EnemyProgram& b = loaded.programs[slot];
        ASSERT_EQ(a.used, b.used) << "program " << slot;
        if (!a.used) continue;
        ASSERT_EQ(a.movementCount, b.movementCount);
        for (int i = 0; i < a.movementCount; ++i) {
            EXPECT_EQ(a.direction[i], b.direction[i]);
            EXPECT_EQ(a.steps[i], b.steps[i]);
            EXPECT_EQ(a.firstFrame[i], b.firstFrame[i]);
            EXPECT_EQ(a.lastFrame[i], b.lastFrame[i]);
        }
    }
    for (int slot = 0; slot < MAX_IMAGE_SETS; ++slot) {
        const ImageSet& a = saved.imageSets[slot];
        const ImageSet& b = loaded.imageSets[slot];
        ASSERT_EQ(a.used, b.used) << "image set " << slot;
        if (!a.used) continue;
        EXPECT_EQ(b.slotIndex, slot);
        EXPECT_EQ(std::memcmp(&a, &b, offsetof(ImageSet, slotIndex)), 0) << "image set " << slot;
    }
    int packed = 0;
    for (const Enemy& enemy : saved.enemies) {
        if (!enemy.used) continue;
        const Enemy& back = loaded.enemies[packed++];
        EXPECT_TRUE(back.used);
        EXPECT_EQ(std::memcmp(&enemy, &back, offsetof(Enemy, used)), 0) << "enemy " << packed - 1;
    }
    EXPECT_EQ(loaded.enemyCount, packed);
    for (int slot = packed; slot < MAX_ENEMIES; ++slot) EXPECT_FALSE(loaded.enemies[slot].used);
}

TEST(RoundTrip, RandomDocumentsComeBackWithEnemiesPacked) {
    RandomLevels levels(20261206);
    for (int round = 0; round < 200; ++round) {
        LevelDocument saved = levels.next();
        std::string bytes = serializeLevel(saved);
        LevelDocument loaded;
        RecordingSteps steps;
        ASSERT_EQ(testing::loadText(bytes, loaded, steps), LoadOk) << "round " << round;
        expectSameLevel(saved, loaded);
        EXPECT_EQ(serializeLevel(loaded), bytes) << "round " << round;
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(RoundTrip, MovementsWithoutKeywordAreWrittenButSkippedOnReading) {
    LevelDocument doc;
    doc.programs[6].used = 1;
    doc.programs[6].movementCount = 3;
    int32_t codes[] = {RIGHT, 0, UP};
    for (int i = 0; i < 3; ++i) doc.programs[6].direction[i] = codes[i], doc.programs[6].steps[i] = i + 1;
    LevelDocument loaded;
    RecordingSteps steps;
    ASSERT_EQ(testing::loadText(serializeLevel(doc), loaded, steps), LoadOk);
    EXPECT_EQ(loaded.programs[6].movementCount, 2);
    EXPECT_EQ(loaded.programs[6].direction[1], UP);
    EXPECT_EQ(loaded.programs[6].steps[1], 3);
}

TEST(RoundTrip, EnemyReferencesToUnusedSlotsSurvive) {
    LevelDocument doc;
    doc.enemies[2] = Enemy{5, 6, 14, 1, 1, 1, 9, 1};  // image set 14 and program 9 are not used
    doc.enemyCount = 3;
    LevelDocument loaded;
    RecordingSteps steps;
    ASSERT_EQ(testing::loadText(serializeLevel(doc), loaded, steps), LoadOk);
    EXPECT_EQ(loaded.enemyCount, 1);
    EXPECT_EQ(loaded.enemies[0].program, 9);
    EXPECT_EQ(loaded.enemies[0].imageSet, 14);
}

}  // namespace
}  // namespace qzt
