#include <gtest/gtest.h>

#include <random>

#include "level/dat_writer.h"
#include "test_support.h"

namespace qzt {
namespace {

using testing::crlfLines;

using testing::headerLines;

LevelDocument loadBack(const std::string& bytes) {
    LevelDocument doc;
    testing::RecordingSteps steps;
    EXPECT_EQ(testing::loadText(bytes, doc, steps), LoadOk);
    return doc;
}

TEST(DatWriter, WritesTheExampleBackByteForByte) {
    std::string bytes = testing::exampleLevelBytes();
    EXPECT_EQ(serializeLevel(loadBack(bytes)), bytes);
    EXPECT_EQ(serializeLevel(loadBack(headerLines() + "END")), headerLines() + crlfLines({"", "", "", "END", ""}) +
                                                " ---edited in morvelin's QZT level editor--- ");
}

TEST(DatWriter, WritesUsedSlotsOnlyWithSlotNumbersAndPacksEnemies) {
    LevelDocument doc = loadBack(headerLines() + "END");
    doc.programs[1].movementCount = 3;  // not used: never written
    EnemyProgram& program = doc.programs[3];
    program.used = 1;
    program.movementCount = 3;
    int32_t movements[3][4] = {{UP, 12, 0, 3}, {0, 7, 1, 2}, {42, -3, INT32_MIN, INT32_MAX}};
    for (int i = 0; i < 3; ++i) {
        program.direction[i] = movements[i][0], program.steps[i] = movements[i][1];
        program.firstFrame[i] = movements[i][2], program.lastFrame[i] = movements[i][3];
    }
    doc.programs[5].used = 1;  // no movements: BEP directly followed by EEP
    doc.enemies[0] = Enemy{1, 2, 3, 4, 5, 6, 7, 1};
    doc.enemies[2] = Enemy{9, 9, 9, 9, 9, 9, 9, 0};
    doc.enemies[4] = Enemy{-3, 0, 0, 0, 0, 0, 0, 1};
    doc.imageSets[5] = ImageSet{7, 8, 9, 10, 3, 11, 1};  // slotIndex disagrees: the slot is written
    EXPECT_EQ(serializeLevel(doc),
              headerLines() +
                  crlfLines({"BEP 3", " UP 12 0 3 ", "7 1 2 ", "-3 -2147483648 2147483647 ", "EEP", "BEP 5", "EEP", "",
                             "ENEMY 7 6 4 5 1 2 3 ", "ENEMY 0 0 0 0 -3 0 0 ", "", "CIS 7 8 9 10 3 5 ", "", "END", ""}) +
                  SavedFileComment);
    // A movement without keyword is written but not read back; enemies come back packed.
    LevelDocument back = loadBack(serializeLevel(doc));
    EXPECT_EQ(back.programs[3].movementCount, 1);
    EXPECT_TRUE(back.enemies[1].used);
    EXPECT_EQ(back.enemies[1].x, -3);
    EXPECT_EQ(back.enemyCount, 2);

    program.movementCount = 1000;  // never read past the arrays
    std::string bytes = serializeLevel(doc);
    EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + bytes.find("BEP 5"), '\n'), 11 + 1 + MAX_MOVEMENTS + 1);
}

// Any byte but NUL and LF can stand in a header text.
std::string randomText(std::mt19937& random) {
    std::string text(random() % 500, 'x');
    for (char& c : text) do c = char(1 + random() % 255); while (c == '\n');
    return text;
}

TEST(DatWriter, RandomDocumentsReadBackToTheSameFile) {
    std::mt19937 random(20261206);
    auto number = [&] { return random() % 3 ? int32_t(random() % 200) - 100 : int32_t(random()); };
    for (int round = 0; round < 200; ++round) {
        LevelDocument doc;
        for (const HeaderTextField& header : HeaderTextFields) {
            char* field = doc.header.*header.text;
            std::string text = randomText(random);
            text.copy(field, text.size());
            field[text.size()] = '\0';
        }
        doc.header.timeBonus = number();
        int usedEnemies = 0;
        for (int slot = 0; slot < 15; ++slot) {
            EnemyProgram& program = doc.programs[slot];
            program.used = random() % 2;
            program.movementCount = int32_t(random() % (MAX_MOVEMENTS + 1));
            for (int i = 0; i < MAX_MOVEMENTS; ++i) {
                program.direction[i] = int32_t(1 + random() % 9);
                program.steps[i] = number(), program.firstFrame[i] = number(), program.lastFrame[i] = number();
            }
            doc.enemies[slot] = Enemy{number(), number(), number(), number(), number(), number(), number(),
                                      uint8_t(random() % 2)};
            usedEnemies += doc.enemies[slot].used;
            doc.imageSets[slot] = ImageSet{number(), number(), number(), number(), number(), slot, uint8_t(random() % 2)};
        }
        std::string bytes = serializeLevel(doc);
        LevelDocument back = loadBack(bytes);
        ASSERT_EQ(serializeLevel(back), bytes) << "round " << round;
        ASSERT_EQ(back.enemyCount, usedEnemies);
        for (int slot = 0; slot < 15; ++slot) {
            ASSERT_EQ(back.programs[slot].used, doc.programs[slot].used);
            ASSERT_EQ(back.imageSets[slot].used, doc.imageSets[slot].used);
            ASSERT_EQ(back.enemies[slot].used, slot < usedEnemies);
        }
    }
}

}  // namespace
}  // namespace qzt
