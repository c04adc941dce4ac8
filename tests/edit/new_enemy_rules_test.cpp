// The enemy that Create New Enemy makes, and the choices and levels that make none.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "edit/document_bytes.h"
#include "edit/new_enemy_rules.h"

namespace qzt {
namespace {

// Image sets 0 and 4, programs 2 and 14, enemies in slots 0, 1 and 3.
std::unique_ptr<LevelDocument> level() {
    auto doc = std::make_unique<LevelDocument>();
    doc->imageSets[0].used = doc->imageSets[4].used = 1;
    doc->programs[2].used = doc->programs[14].used = 1;
    for (int slot : {0, 1, 3}) doc->enemies[slot].used = 1;
    doc->enemyCount = 3;
    return doc;
}

TEST(NewEnemyRules, AListItemCountsOnlyWhenItNamesAUsedSlot) {
    const auto doc = level();
    const struct { const char* text; int32_t imageSet, program; } cases[] = {
        {nullptr, -1, -1}, {"0", 0, -1}, {"4", 4, -1}, {"2", -1, 2}, {"14", -1, 14},
        {"15", -1, -1}, {"-1", -1, -1}, {"x", 0, -1},  // text that is no number reads as 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "no item");
        EXPECT_EQ(listedImageSet(*doc, c.text), c.imageSet);
        EXPECT_EQ(listedProgram(*doc, c.text), c.program);
    }
}

TEST(NewEnemyRules, FillsTheLowestFreeSlotAtOneOneAndCountsIt) {
    auto doc = level();
    doc->enemies[2].x = 300;
    EXPECT_EQ(createEnemy(*doc, {4, 14, 7, -3, 2000000000}), NewEnemyOutcome::Created);
    const Enemy& made = doc->enemies[2];
    EXPECT_EQ((std::vector<int32_t>{made.used, doc->enemyCount, made.x, made.y, made.imageSet, made.program,
                                    made.hitPoints, made.speed, made.animationRate}),
              (std::vector<int32_t>{1, 4, 1, 1, 4, 14, 7, -3, 2000000000}));
    EXPECT_EQ(createEnemy(*doc, {0, 2, 1, 1, 1}), NewEnemyOutcome::Created);
    EXPECT_EQ(doc->enemies[4].used, 1);
}

TEST(NewEnemyRules, AFullLevelOrAMissingChoiceChangesNothing) {
    auto full = level();
    for (Enemy& enemy : full->enemies) enemy.used = 1;
    full->enemyCount = MAX_ENEMIES;
    const auto before = testing::bytesOf(*full);
    EXPECT_EQ(createEnemy(*full, {0, 2, 1, 1, 1}), NewEnemyOutcome::NoFreeSlot);
    EXPECT_EQ(testing::bytesOf(*full), before);
    const NewEnemyChoice missing[] = {{-1, 2, 1, 1, 1}, {0, -1, 1, 1, 1}, {1, 2, 1, 1, 1}, {0, 3, 1, 1, 1},
                                      {15, 2, 1, 1, 1}, {0, 15, 1, 1, 1}};
    for (const NewEnemyChoice& choice : missing) {
        SCOPED_TRACE(std::to_string(choice.imageSet) + " " + std::to_string(choice.program));
        auto doc = level();
        const auto before = testing::bytesOf(*doc);
        EXPECT_EQ(createEnemy(*doc, choice), NewEnemyOutcome::NothingChosen);
        EXPECT_EQ(testing::bytesOf(*doc), before);
    }
}

}  // namespace
}  // namespace qzt
