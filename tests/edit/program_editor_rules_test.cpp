// What the program editor's controls do to the programs, and what they leave
// alone: nothing open, a freed slot, a full program, no such movement, no item.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "edit/document_bytes.h"
#include "edit/program_editor_rules.h"

namespace qzt {
namespace {

using testing::bytesOf;

// Program 1 with two movements; program 3 full; enemy 5 runs program 3.
std::unique_ptr<LevelDocument> level() {
    auto doc = std::make_unique<LevelDocument>();
    EnemyProgram& one = doc->programs[1];
    one.used = 1;
    one.movementCount = 2;
    one.direction[0] = UP, one.steps[0] = 4, one.firstFrame[0] = 2, one.lastFrame[0] = 7;
    one.direction[1] = 12, one.steps[1] = -6, one.firstFrame[1] = 8, one.lastFrame[1] = -1;
    doc->programs[3].used = 1;
    doc->programs[3].movementCount = MAX_MOVEMENTS;
    doc->enemies[5].used = 1;
    doc->enemies[5].program = 3;
    doc->enemies[6].program = 1;  // not a used enemy
    return doc;
}

// (open program, movement) pairs that name no recorded movement of a used program.
const std::pair<int32_t, int> NoMovement[] = {{1, 2}, {1, -1}, {NoOpenProgram, 0}, {4, 0}, {15, 0}};

std::vector<int32_t> movement(const EnemyProgram& p, int m) {
    return {p.direction[m], p.steps[m], p.firstFrame[m], p.lastFrame[m]};
}

TEST(ProgramEditorRules, AddProgramTakesTheLowestFreeSlotEmptyAndOpensIt) {
    auto doc = level();
    doc->programs[0].movementCount = 9;  // left from a deleted program
    int32_t open = 1;
    EXPECT_EQ(addProgram(*doc, open), 0);
    EXPECT_EQ(std::tuple(open, doc->programs[0].used, doc->programs[0].movementCount), std::tuple(0, 1, 0));
    EXPECT_EQ(addProgram(*doc, open), 2);

    for (EnemyProgram& program : doc->programs) program.used = 1;
    const auto before = bytesOf(*doc);
    EXPECT_EQ(addProgram(*doc, open), -1);
    EXPECT_EQ(open, 2);
    EXPECT_EQ(bytesOf(*doc), before);
}

TEST(ProgramEditorRules, AddMovementAppendsAStopOfTenStepsOnFrameZeroUpToSeventyFive) {
    auto doc = level();
    EXPECT_EQ(addMovement(*doc, 1), 2);
    EXPECT_EQ(doc->programs[1].movementCount, 3);
    EXPECT_EQ(movement(doc->programs[1], 2), (std::vector<int32_t>{STOP, 10, 0, 0}));

    doc->programs[4].movementCount = 1;  // slot 4 is not used
    const auto before = bytesOf(*doc);
    for (int32_t open : {3, NoOpenProgram, 4, 15}) {
        SCOPED_TRACE(open);
        EXPECT_EQ(addMovement(*doc, open), -1);
        EXPECT_EQ(bytesOf(*doc), before);
    }
}

TEST(ProgramEditorRules, OnlyAListItemNamingASlotOpensAProgram) {
    const struct { const char* text; bool opens; int32_t open; } cases[] = {
        {nullptr, false, 7}, {"0", true, 0}, {"14", true, 14}, {"15", false, 7}, {"-1", false, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "no item");
        int32_t open = 7;
        EXPECT_EQ(openListedProgram(open, c.text), c.opens);
        EXPECT_EQ(open, c.open);
    }
}

TEST(ProgramEditorRules, AMovementShowsAsListPositionsWithNoneForAValueWithoutAnItem) {
    auto doc = level();
    for (auto [m, items] : {std::pair{0, std::vector{7, 4, 2, 7}}, std::pair{1, std::vector{-1, -6, -1, -1}}}) {
        const auto shown = movementItems(*doc, 1, m);
        ASSERT_TRUE(shown);
        EXPECT_EQ((std::vector{shown->direction, shown->steps, shown->frameX, shown->frameY}), items);
    }
    doc->programs[1].direction[0] = 0;
    EXPECT_EQ(movementItems(*doc, 1, 0)->direction, -1);

    // Nothing to show: no such movement, no open program, a freed slot.
    doc->programs[4].movementCount = 3;
    for (auto [open, m] : NoMovement) EXPECT_FALSE(movementItems(*doc, open, m)) << open << " " << m;
}

TEST(ProgramEditorRules, AListItemOrTheStepsTextGoesIntoItsFieldOfARecordedMovement) {
    const struct { MovementList list; int item; std::vector<int32_t> movement; } cases[] = {
        {MovementList::FrameX, 0, {UP, 4, 0, 7}},      {MovementList::FrameX, 7, {UP, 4, 7, 7}},
        {MovementList::FrameY, 3, {UP, 4, 2, 3}},      {MovementList::Direction, 0, {DOWNLEFT, 4, 2, 7}},
        {MovementList::Direction, 8, {UPRIGHT, 4, 2, 7}},
    };
    for (const auto& c : cases) {
        auto doc = level();
        EXPECT_TRUE(storeListItem(*doc, 1, 0, c.list, c.item));
        EXPECT_EQ(movement(doc->programs[1], 0), c.movement) << c.item;
    }
    const struct { const char* text; int32_t steps; } texts[] = {{"123", 123}, {"", 0}, {"x9", 0}, {"99999999999", INT32_MAX}};
    for (const auto& t : texts) {
        auto doc = level();
        EXPECT_TRUE(storeSteps(*doc, 1, 1, t.text));
        EXPECT_EQ(doc->programs[1].steps[1], t.steps) << t.text;
    }
}

TEST(ProgramEditorRules, NoItemNoRecordedMovementOrNoUsedOpenProgramChangesNothing) {
    auto doc = level();
    doc->programs[4].movementCount = 3;  // slot 4 freed with its movements
    const auto before = bytesOf(*doc);
    const struct { int32_t open; int m; MovementList list; int item; } cases[] = {
        {1, 0, MovementList::FrameX, -1}, {1, 0, MovementList::FrameY, 8},    {1, 0, MovementList::Direction, 9},
        {1, 0, MovementList::Direction, -1}, {1, 2, MovementList::FrameX, 1}, {1, -1, MovementList::FrameX, 1},
        {NoOpenProgram, 0, MovementList::FrameX, 1}, {4, 0, MovementList::Direction, 1}, {15, 0, MovementList::FrameY, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.open) + " " + std::to_string(c.m) + " " + std::to_string(c.item));
        EXPECT_FALSE(storeListItem(*doc, c.open, c.m, c.list, c.item));
    }
    for (auto [open, m] : NoMovement) EXPECT_FALSE(storeSteps(*doc, open, m, "5")) << open << " " << m;
    EXPECT_EQ(bytesOf(*doc), before);
}

TEST(ProgramEditorRules, DeleteFreesAProgramNoUsedEnemyRunsKeepingItsMovements) {
    auto doc = level();
    int32_t open = 3;
    auto before = bytesOf(*doc);
    EXPECT_EQ(deleteOpenProgram(*doc, open), DeleteOutcome::InUse);
    EXPECT_EQ(open, 3);
    EXPECT_EQ(bytesOf(*doc), before);

    open = 1;  // an unused enemy refers to it
    EXPECT_EQ(deleteOpenProgram(*doc, open), DeleteOutcome::Deleted);
    EXPECT_EQ(std::tuple(open, doc->programs[1].used, doc->programs[1].movementCount), std::tuple(NoOpenProgram, 0, 2));
    EXPECT_EQ(movement(doc->programs[1], 0), (std::vector<int32_t>{UP, 4, 2, 7}));

    before = bytesOf(*doc);
    for (int32_t closed : {NoOpenProgram, 1, 15}) {
        open = closed;
        EXPECT_EQ(deleteOpenProgram(*doc, open), DeleteOutcome::NothingOpen);
        EXPECT_EQ(open, closed);
    }
    EXPECT_EQ(bytesOf(*doc), before);
}

}  // namespace
}  // namespace qzt
