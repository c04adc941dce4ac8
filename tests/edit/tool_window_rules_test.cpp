// What the tool windows' controls do to the level, and what they leave
// alone: the program editor (nothing open, a freed slot, a full program, no
// such movement, no item), Create New Enemy and Level Properties.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "edit/document_bytes.h"
#include "edit/header_rules.h"
#include "edit/new_enemy_rules.h"
#include "edit/program_editor_rules.h"

namespace qzt {
namespace {

using testing::bytesOf;
using L = MovementList;

// Program 1 with two movements; program 3 full, run by enemy 3; slot 4 freed
// with its movements; unused enemy 2 names program 1. Image sets 0 and 4;
// enemies 0, 1 and 3 counted.
struct ToolWindowRules : ::testing::Test {
    LevelDocument doc;
    ToolWindowRules() {
        EnemyProgram& one = doc.programs[1];
        one.used = 1;
        one.movementCount = 2;
        one.direction[0] = UP;
        one.steps[0] = 4;
        one.firstFrame[0] = 2;
        one.lastFrame[0] = 7;
        one.direction[1] = 12;
        one.steps[1] = -6;
        one.firstFrame[1] = 8;
        one.lastFrame[1] = -1;
        doc.programs[3].used = 1;
        doc.programs[3].movementCount = MAX_MOVEMENTS;
        doc.programs[4].movementCount = 3;
        doc.enemies[0].used = doc.enemies[1].used = doc.enemies[3].used = 1;
        doc.enemyCount = 3;
        doc.enemies[3].program = 3;
        doc.enemies[2].program = 1;
        doc.imageSets[0].used = doc.imageSets[4].used = 1;
    }
    std::vector<int32_t> movement(int p, int m) const {
        const EnemyProgram& program = doc.programs[p];
        return {program.direction[m], program.steps[m], program.firstFrame[m], program.lastFrame[m]};
    }
};

// An added program takes the lowest free slot, empty, and opens; an added
// movement is a STOP of ten steps on frame 0; a deleted program's slot is
// freed and closed, its movements kept.
TEST_F(ToolWindowRules, ProgramsAreAddedEmptyMovementsAsStopsAndDeletedProgramsKeepTheirMovements) {
    int32_t open = 1;
    doc.programs[0].movementCount = 9;  // left from a deleted program
    EXPECT_TRUE(addProgram(doc, open) == 0 && open == 0 && doc.programs[0].used && !doc.programs[0].movementCount);
    EXPECT_TRUE(addMovement(doc, open = 1) == 2 && doc.programs[1].movementCount == 3);
    EXPECT_EQ(movement(1, 2), (std::vector<int32_t>{STOP, 10, 0, 0}));
    EXPECT_EQ(deleteOpenProgram(doc, open), DeleteOutcome::Deleted);
    EXPECT_EQ(std::tuple(open, doc.programs[1].used, doc.programs[1].movementCount, movement(1, 0)),
              std::tuple(NoOpenProgram, 0, 3, std::vector<int32_t>{UP, 4, 2, 7}));
}

// A list item opens the slot it names; a stored value without an item shows as none.
TEST_F(ToolWindowRules, AMovementShowsAsListPositionsAndTakesAListItemOrTheStepsText) {
    for (const auto& [text, opened] : {std::pair{(const char*)nullptr, 7}, {"0", 0}, {"14", 14}, {"15", 7}, {"-1", 7}}) {
        int32_t open = 7;
        EXPECT_EQ(std::pair(openListedProgram(open, text), open), std::pair(opened != 7, opened)) << (text ? text : "-");
    }
    for (const auto& [m, items] : {std::pair{0, std::vector{7, 4, 2, 7}}, {1, std::vector{-1, -6, -1, -1}}}) {
        const auto shown = movementItems(doc, 1, m);
        ASSERT_TRUE(shown);
        EXPECT_EQ((std::vector{shown->direction, shown->steps, shown->frameX, shown->frameY}), items);
    }
    for (const auto& [list, item, after] :
         {std::tuple{L::FrameX, 0, std::vector<int32_t>{UP, 4, 0, 7}}, {L::FrameX, 7, {UP, 4, 7, 7}},
          {L::FrameY, 3, {UP, 4, 7, 3}}, {L::Direction, 0, {DOWNLEFT, 4, 7, 3}}, {L::Direction, 8, {UPRIGHT, 4, 7, 3}}})
        EXPECT_TRUE(storeListItem(doc, 1, 0, list, item) && movement(1, 0) == after) << item;
    EXPECT_TRUE(storeSteps(doc, 1, 1, "123") && doc.programs[1].steps[1] == 123);
}

TEST_F(ToolWindowRules, NothingOpenAFreedSlotAFullProgramNoSuchMovementOrNoItemChangesNothing) {
    const auto before = bytesOf(doc);
    for (const auto& [open, m] : {std::pair{1, 2}, {1, -1}, {NoOpenProgram, 0}, {4, 0}, {15, 0}})
        EXPECT_FALSE(movementItems(doc, open, m) || storeSteps(doc, open, m, "5") || storeListItem(doc, open, m, L::FrameX, 1))
            << open << " " << m;
    for (const auto& [list, item] : {std::pair{L::FrameX, -1}, {L::FrameY, 8}, {L::Direction, 9}, {L::Direction, -1}})
        EXPECT_FALSE(storeListItem(doc, 1, 0, list, item)) << item;
    for (int32_t closed : {3, NoOpenProgram, 4, 15}) {
        int32_t open = closed;
        EXPECT_EQ(addMovement(doc, open), -1) << open;
        EXPECT_EQ(deleteOpenProgram(doc, open), closed == 3 ? DeleteOutcome::InUse : DeleteOutcome::NothingOpen);
        EXPECT_EQ(open, closed);
    }
    EXPECT_EQ(bytesOf(doc), before);
    for (EnemyProgram& program : doc.programs) program.used = 1;
    const auto full = bytesOf(doc);
    int32_t open = 1;
    EXPECT_TRUE(addProgram(doc, open) == -1 && open == 1 && bytesOf(doc) == full);
}

// A list item counts only when it names a used slot; the new enemy takes the
// lowest free slot at (1, 1) and is counted. A choice missing, or a full
// level, makes none.
TEST_F(ToolWindowRules, ANewEnemyIsMadeOfUsedSlotsInTheLowestFreeSlotAtOneOne) {
    for (const auto& [text, imageSet, program] : {std::tuple{(const char*)nullptr, -1, -1}, {"4", 4, -1}, {"3", -1, 3},
                                                  {"15", -1, -1}, {"-1", -1, -1}, {"x", 0, -1}})  // "x" reads as 0
        EXPECT_EQ(std::pair(listedImageSet(doc, text), listedProgram(doc, text)), std::pair(imageSet, program));
    const auto before = bytesOf(doc);
    for (const NewEnemyChoice& choice : {NewEnemyChoice{-1, 1}, {0, -1}, {1, 1}, {0, 4}, {15, 1}, {0, 15}})
        EXPECT_EQ(createEnemy(doc, choice), NewEnemyOutcome::NothingChosen) << choice.imageSet << " " << choice.program;
    EXPECT_EQ(bytesOf(doc), before);
    doc.enemies[2].x = 300;
    EXPECT_EQ(createEnemy(doc, {4, 3, 7, -3, 2000000000}), NewEnemyOutcome::Created);
    const Enemy& e = doc.enemies[2];
    EXPECT_EQ((std::vector{e.used + 0, doc.enemyCount, e.x, e.y, e.imageSet, e.program, e.hitPoints, e.speed, e.animationRate}),
              (std::vector{1, 4, 1, 1, 4, 3, 7, -3, 2000000000}));
    for (Enemy& enemy : doc.enemies) enemy.used = 1;
    const auto full = bytesOf(doc);
    EXPECT_TRUE(createEnemy(doc, {0, 1}) == NewEnemyOutcome::NoFreeSlot && bytesOf(doc) == full);
}

TEST_F(ToolWindowRules, LevelPropertiesTextsBecomeWholeLinesCutToWhatALineHolds) {
    const std::string s(499, 's'), t(600, 't');
    applyHeader(doc, {{s, t, "art\\level.bmp", "", "two words", "a\r\nb", "c\nd", "e"}, INT32_MIN});
    const LevelHeader& h = doc.header;
    EXPECT_EQ((std::vector<std::string>{h.subtitle, h.title, h.bitmapPath, h.musicPath, h.winSoundPath, h.oneUpSoundPath,
                                        h.loseSoundPath, h.scoreCountSoundPath, std::to_string(h.timeBonus)}),
              (std::vector<std::string>{s, t.substr(0, 499), "art\\level.bmp", "", "two words", "a", "c", "e", "-2147483648"}));
}

}  // namespace
}  // namespace qzt
