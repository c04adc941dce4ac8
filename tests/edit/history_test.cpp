// The history of steps, whole-document equality, and what Level Properties
// writes into the header.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "edit/header_rules.h"
#include "edit/history.h"
#include "edit/slot_rules.h"

namespace qzt {
namespace {

std::unique_ptr<LevelDocument> levelAt(int32_t x) {
    auto doc = std::make_unique<LevelDocument>();
    doc->loaded = 1;
    doc->enemies[0].used = 1;
    doc->enemies[0].x = x;
    return doc;
}

TEST(History, AGestureIsOneStepAndUndoRedoWalkThemWithTheModifiedState) {
    History history;
    auto doc = levelAt(0);
    history.reset(*doc);
    const uint64_t version = history.version();
    EXPECT_FALSE(history.record(*doc)) << "a gesture that changes nothing";
    EXPECT_EQ(history.version(), version);
    // A drag: many moves, one step.
    for (int32_t x = 1; x <= 1000; ++x) doc->enemies[0].x = x;
    EXPECT_TRUE(history.record(*doc));
    doc->enemies[0].hitPoints = 7;
    EXPECT_TRUE(history.record(*doc));
    EXPECT_EQ(history.steps(), 2u);
    EXPECT_EQ(history.version(), version + 2);
    EXPECT_TRUE(history.modified());

    const LevelDocument* step = history.undo();
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->enemies[0].x, 1000);
    EXPECT_EQ(step->enemies[0].hitPoints, 0);
    step = history.undo();
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->enemies[0].x, 0);
    EXPECT_FALSE(history.modified()) << "back at what was loaded";
    EXPECT_EQ(history.undo(), nullptr);
    EXPECT_EQ(history.redo()->enemies[0].x, 1000);

    // Saved here; a new gesture then drops the step that was undone.
    *doc = history.current();
    history.markSaved(*doc);
    EXPECT_FALSE(history.modified());
    doc->enemies[0].y = 5;
    EXPECT_TRUE(history.record(*doc));
    EXPECT_EQ(history.redo(), nullptr);
    EXPECT_EQ(history.undo()->enemies[0].hitPoints, 0);
    EXPECT_FALSE(history.modified());
}

TEST(History, KeepsTheLatestThousandSteps) {
    History history;
    auto doc = levelAt(0);
    history.reset(*doc);
    for (int32_t x = 1; x <= int32_t(History::MaxSteps) + 5; ++x) {
        doc->enemies[0].x = x;
        history.record(*doc);
    }
    EXPECT_EQ(history.steps(), History::MaxSteps);
    const LevelDocument* oldest = nullptr;
    while (const LevelDocument* step = history.undo()) oldest = step;
    ASSERT_NE(oldest, nullptr);
    EXPECT_EQ(oldest->enemies[0].x, 5);
    EXPECT_TRUE(history.modified()) << "what was loaded is no longer among the steps";
}

TEST(SameDocument, EveryFieldCountsStaleOnesTooButNotTextAfterItsEnd) {
    const auto a = levelAt(3);
    auto b = levelAt(3);
    EXPECT_TRUE(sameDocument(*a, *b));
    b->header.title[5] = 'x';  // after the end of an empty title
    EXPECT_TRUE(sameDocument(*a, *b));
    const auto changes = {
        +[](LevelDocument& d) { d.header.title[0] = 'x'; },
        +[](LevelDocument& d) { d.header.timeBonus = 1; },
        +[](LevelDocument& d) { d.imageSets[14].frameCount = 2; },
        +[](LevelDocument& d) { d.programs[3].steps[74] = 1; },  // past the count: stale, still the document's
        +[](LevelDocument& d) { d.programs[3].movementCount = 1; },
        +[](LevelDocument& d) { d.enemies[14].speed = 1; },
        +[](LevelDocument& d) { d.enemies[0].used = 0; },
        +[](LevelDocument& d) { d.enemyCount = 2; },
    };
    for (auto change : changes) {
        auto c = levelAt(3);
        change(*c);
        EXPECT_FALSE(sameDocument(*a, *c));
    }
}

TEST(HeaderRules, TextsBecomeWholeLinesCutToWhatALineHolds) {
    auto doc = levelAt(0);
    HeaderEntry entry;
    entry.texts = {std::string(499, 's'), std::string(600, 't'), "art\\level.bmp", "", "two words", "a\r\nb",
                   "c\nd", "e"};
    entry.timeBonus = -2147483647 - 1;
    applyHeader(*doc, entry);
    const LevelHeader& h = doc->header;
    EXPECT_EQ(std::string(h.subtitle), std::string(499, 's'));
    EXPECT_EQ(std::string(h.title), std::string(499, 't'));
    EXPECT_EQ(std::string(h.bitmapPath), "art\\level.bmp");
    EXPECT_EQ(std::string(h.musicPath), "");
    EXPECT_EQ(std::string(h.winSoundPath), "two words");
    EXPECT_EQ(std::string(h.oneUpSoundPath), "a");
    EXPECT_EQ(std::string(h.loseSoundPath), "c");
    EXPECT_EQ(std::string(h.scoreCountSoundPath), "e");
    EXPECT_EQ(h.timeBonus, -2147483647 - 1);
}

TEST(SlotRules, SelectionsOfSlotsNoLongerUsedAreDropped) {
    auto doc = levelAt(0);
    doc->imageSets[2].used = 1;
    EditorState state;
    for (const auto& [enemy, set, keptEnemy, keptSet] :
         {std::tuple{0, 2, 0, 2}, std::tuple{1, 3, -1, -1}, std::tuple{-1, 15, -1, -1}, std::tuple{20, -1, -1, -1}}) {
        state.selectedEnemy = enemy, state.selectedImageSet = set;
        keepUsedSelections(*doc, state);
        EXPECT_EQ(state.selectedEnemy, keptEnemy);
        EXPECT_EQ(state.selectedImageSet, keptSet);
    }
}

}  // namespace
}  // namespace qzt
