#include <gtest/gtest.h>

#include "example_level.h"
#include "level/dat_writer.h"

namespace qzt {
namespace {

using testing::crlfLines;

LevelDocument headerOnlyDocument() {
    LevelDocument doc;
    const char* texts[] = {"Into_the_Caves", "Level_Three", "level3.bmp", "cave.mid",
                           "win.wav",        "oneup.wav",   "lose.wav",   "count.wav"};
    char(*fields[])[HeaderTextCapacity] = {&doc.header.subtitle,     &doc.header.title,
                                           &doc.header.bitmapPath,   &doc.header.musicPath,
                                           &doc.header.winSoundPath, &doc.header.oneUpSoundPath,
                                           &doc.header.loseSoundPath, &doc.header.scoreCountSoundPath};
    for (int i = 0; i < 8; ++i) setHeaderText(*fields[i], texts[i]);
    doc.header.timeBonus = 500;
    doc.loaded = 1;
    return doc;
}

std::string headerBytes() {
    return crlfLines({"Into_the_Caves", "Level_Three", "level3.bmp", "cave.mid", "win.wav", "oneup.wav",
                      "lose.wav", "count.wav", "500", "Y N N N", ""});
}

// Everything after the header of a document with no used slots.
std::string emptyTail() { return crlfLines({"", "", "", "END", ""}) + SavedFileComment; }

TEST(DatWriter, WritesTheExampleLevelByteForByte) {
    LevelDocument doc = headerOnlyDocument();
    EnemyProgram& first = doc.programs[0];
    first.used = 1;
    first.movementCount = 2;
    first.direction[0] = RIGHT, first.steps[0] = 12, first.firstFrame[0] = 0, first.lastFrame[0] = 1;
    first.direction[1] = DOWNLEFT, first.steps[1] = 4, first.firstFrame[1] = 2, first.lastFrame[1] = 3;
    EnemyProgram& third = doc.programs[2];
    third.used = 1;
    third.movementCount = 1;
    third.direction[0] = STOP, third.steps[0] = 20;
    doc.enemies[0] = Enemy{120, 40, 1, 5, 10, 2, 0, 1};
    doc.enemies[1] = Enemy{300, 150, 0, 8, 3, 1, 2, 1};
    doc.enemyCount = 2;
    doc.imageSets[0] = ImageSet{1, 198, 40, 50, 2, 0, 1};
    doc.imageSets[1] = ImageSet{100, 198, 32, 32, 4, 1, 1};

    EXPECT_EQ(serializeLevel(doc), testing::exampleLevelBytes());
}

TEST(DatWriter, EmptyDocumentIsHeaderFourEmptyLinesEndAndComment) {
    std::string bytes = serializeLevel(headerOnlyDocument());
    EXPECT_EQ(bytes, headerBytes() + emptyTail());
    // The comment closes the file without a line end.
    ASSERT_GE(bytes.size(), 45u);
    EXPECT_EQ(bytes.substr(bytes.size() - 45), " ---edited in morvelin's QZT level editor--- ");
}

TEST(DatWriter, WritesOnlyUsedSlotsAndSlotNumbersOfProgramsAndImageSets) {
    LevelDocument doc = headerOnlyDocument();
    doc.programs[1].movementCount = 3;  // not used: never written, whatever it holds
    doc.programs[3].used = 1;           // no movements: BEP directly followed by EEP
    doc.imageSets[5] = ImageSet{7, 8, 9, 10, 3, 11, 1};  // slotIndex disagrees: the slot wins
    std::string expected = headerBytes() + crlfLines({"BEP 3", "EEP", "", "", "CIS 7 8 9 10 3 5 ", "", "END", ""}) +
                           SavedFileComment;
    EXPECT_EQ(serializeLevel(doc), expected);
}

TEST(DatWriter, MovementLinesCarryKeywordPiecesOrNoneForUnknownCodes) {
    LevelDocument doc = headerOnlyDocument();
    EnemyProgram& program = doc.programs[0];
    program.used = 1;
    program.movementCount = 3;
    program.direction[0] = UP, program.steps[0] = 12, program.firstFrame[0] = 0, program.lastFrame[0] = 3;
    program.direction[1] = 0, program.steps[1] = 7, program.firstFrame[1] = 1, program.lastFrame[1] = 2;
    program.direction[2] = 42, program.steps[2] = -3, program.firstFrame[2] = -2147483647 - 1,
    program.lastFrame[2] = 2147483647;
    std::string expected = headerBytes() +
                           crlfLines({"BEP 0", " UP 12 0 3 ", "7 1 2 ", "-3 -2147483648 2147483647 ", "EEP", "", "",
                                      "", "END", ""}) +
                           SavedFileComment;
    EXPECT_EQ(serializeLevel(doc), expected);
}

TEST(DatWriter, EnemiesArePackedInSlotOrderWithoutSlotNumbers) {
    LevelDocument doc = headerOnlyDocument();
    doc.enemies[0] = Enemy{1, 2, 3, 4, 5, 6, 7, 1};
    doc.enemies[3] = Enemy{-3, 0, 0, 0, 0, 0, 0, 1};
    doc.enemies[4] = Enemy{10, 20, 1, 2, 3, 4, 5, 1};
    doc.enemies[2] = Enemy{99, 99, 99, 99, 99, 99, 99, 0};
    doc.enemyCount = 5;
    std::string expected = headerBytes() +
                           crlfLines({"", "ENEMY 7 6 4 5 1 2 3 ", "ENEMY 0 0 0 0 -3 0 0 ", "ENEMY 5 4 2 3 10 20 1 ",
                                      "", "", "END", ""}) +
                           SavedFileComment;
    EXPECT_EQ(serializeLevel(doc), expected);
}

TEST(DatWriter, HeaderTextsAreWrittenWholeWithInnerBlanks) {
    LevelDocument doc = headerOnlyDocument();
    setHeaderText(doc.header.title, "Into the  Caves ");
    std::string bytes = serializeLevel(doc);
    EXPECT_NE(bytes.find("\r\nInto the  Caves \r\n"), std::string::npos);
}

TEST(DatWriter, NeverReadsPastTheMovementArrays) {
    LevelDocument doc = headerOnlyDocument();
    doc.programs[0].used = 1;
    doc.programs[0].movementCount = 1000;
    std::string bytes = serializeLevel(doc);
    size_t lines = 0;
    for (size_t at = bytes.find("BEP 0\r\n"); at < bytes.find("EEP"); at = bytes.find("\r\n", at) + 2) ++lines;
    EXPECT_EQ(lines, 1u + MAX_MOVEMENTS);
}

}  // namespace
}  // namespace qzt
