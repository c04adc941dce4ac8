// Several enemies at once and the clipboard's rules: selection by Ctrl+click
// and by band, moving and nudging together, what Copy takes and where Paste
// puts it, and the items as JSON text.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <utility>

#include "edit/copy_paste.h"
#include "edit/enemy_selection.h"
#include "edit/view_editing.h"
#include "level/level_import.h"
#include "level/level_json.h"

namespace qzt {
namespace {

// Image set 0 (10 x 10) and program 0 used by enemies 0 at (100, 100) and
// 1 at (130, 100); image set 1 and program 1 by enemy 2 at (300, 200).
struct SelectionRules : ::testing::Test {
    std::unique_ptr<LevelDocument> doc = std::make_unique<LevelDocument>();
    EditorState state;
    SelectionRules() {
        doc->loaded = 1;
        doc->enemyCount = 3;
        doc->imageSets[0] = {1, 200, 10, 10, 2, 0, 1};
        doc->imageSets[1] = {50, 200, 20, 10, 1, 1, 1};
        doc->programs[0].used = 1;
        doc->programs[0].movementCount = 1;
        doc->programs[0].direction[0] = RIGHT;
        doc->programs[1].used = 1;
        doc->enemies[0] = {100, 100, 0, 5, 3, 2, 0, 1};
        doc->enemies[1] = {130, 100, 0, 5, 3, 2, 0, 1};
        doc->enemies[2] = {300, 200, 1, 5, 3, 2, 1, 1};
    }
    // A press at a level point, the view at scroll (0, 0).
    bool pressAt(int x, int y, bool adding) { return selectAt(*doc, state, true, {x + ViewLeft, y + ViewTop, {}}, adding); }
    void moveTo(int x, int y) { movePointer(*doc, state, {x + ViewLeft, y + ViewTop, {}}); }
};

// Ctrl+click takes an enemy in or out, the last one in being the primary;
// a plain press on one of several keeps them for a drag, which moves them
// together, and a press without a drag narrows to it. A band drawn out
// selects what its corners' rectangle touches of the boxes; a band never
// drawn out was a click on empty space.
TEST_F(SelectionRules, CtrlClicksBandsAndDragsActOnSeveralEnemies) {
    pressAt(105, 105, false);
    releaseButton(*doc, state);
    pressAt(305, 205, true);
    EXPECT_EQ(std::pair(state.selectedEnemy, selectedEnemyMask(state)), std::pair(2, uint16_t(0b101)));
    pressAt(105, 105, true);
    EXPECT_EQ(std::pair(state.selectedEnemy, selectedEnemyMask(state)), std::pair(2, uint16_t(0b100)));
    pressAt(50, 50, false);  // empty space: a band from here
    moveTo(130, 100);        // touches enemy 0's box and enemy 1's corner
    EXPECT_TRUE(releaseButton(*doc, state));
    EXPECT_EQ(std::pair(state.selectedEnemy, selectedEnemyMask(state)), std::pair(0, uint16_t(0b011)));
    pressAt(135, 105, false);  // enemy 1, among the two: both dragged
    moveTo(140, 110);
    releaseButton(*doc, state);
    EXPECT_EQ(std::pair(doc->enemies[0].x, doc->enemies[1].x), std::pair(110, 140));
    EXPECT_EQ(selectedEnemyMask(state), 0b011) << "a drag keeps the selection";
    pressAt(115, 115, false);
    releaseButton(*doc, state);
    EXPECT_EQ(selectedEnemyMask(state), 0b001) << "a click narrows it";
    pressAt(60, 60, false);
    releaseButton(*doc, state);
    EXPECT_EQ(selectedEnemyMask(state), 0) << "a click on empty space";
    pressAt(299, 199, true);  // a band with Ctrl adds
    moveTo(310, 205);
    releaseButton(*doc, state);
    pressAt(60, 60, true);
    moveTo(61, 61);
    releaseButton(*doc, state);
    EXPECT_EQ(selectedEnemyMask(state), 0b100);
}

// Delete, the side panel and the arrows act on every selected enemy; the
// arrows move a lone image set too; positions saturate.
TEST_F(SelectionRules, DeleteCommitsAndNudgesActOnEverySelectedEnemy) {
    selectEnemies(state, 0b011, false);
    doc->enemies[1].x = INT32_MAX - 3;
    EXPECT_TRUE(nudgeSelection(*doc, state, 10, -10));
    EXPECT_EQ(std::pair(doc->enemies[0].x, doc->enemies[1].x), std::pair(110, INT32_MAX));
    EXPECT_EQ(doc->enemies[1].y, 90);
    EXPECT_TRUE(commitEnemyField(*doc, state, EnemyField::Speed, 9));
    EXPECT_EQ(doc->enemies[1].speed, 9);
    EXPECT_EQ(doc->enemies[2].speed, 2);
    deleteSelection(*doc, state);
    EXPECT_EQ(int(doc->enemies[0].used) + doc->enemies[1].used + doc->enemies[2].used, 1);
    selectOnlyEnemy(state, -1);
    state.selectedImageSet = 1;
    nudgeSelection(*doc, state, -1, 1);
    EXPECT_EQ(std::pair(doc->imageSets[1].x, doc->imageSets[1].y), std::pair(49, 201));
}

// Image sets and programs reuse a slot alike or take the lowest free; the
// enemies keep their distances from the first, which goes to the point or
// 8 right and down; what was pasted becomes the selection.
TEST_F(SelectionRules, PasteReusesSlotsAlikeAndKeepsTheEnemiesDistances) {
    selectEnemies(state, 0b101, false);
    const auto items = copiedItems(*doc, state);
    EXPECT_EQ(items->enemyCount, 2);
    doc->programs[1].movementCount = 2;  // no longer what was copied
    ASSERT_EQ(pasteItems(*doc, state, *items, Point64{400, 50}), PasteOutcome::Pasted);
    EXPECT_EQ(doc->enemyCount, 5);
    const Enemy& first = doc->enemies[3];
    const Enemy& second = doc->enemies[4];
    EXPECT_EQ(std::tuple(first.x, first.y, first.imageSet, first.program), std::tuple(400, 50, 0, 0));
    EXPECT_EQ(std::tuple(second.x, second.y, second.imageSet, second.program), std::tuple(600, 150, 1, 2));
    EXPECT_TRUE(doc->programs[2].used);
    EXPECT_EQ(std::pair(state.selectedEnemy, selectedEnemyMask(state)), std::pair(3, uint16_t(0b11000)));

    selectOnlyEnemy(state, 2);
    doc->enemies[2].x = INT32_MAX - 2;
    pasteItems(*doc, state, *copiedItems(*doc, state), std::nullopt);
    EXPECT_EQ(std::pair(doc->enemies[5].x, doc->enemies[5].y), std::pair(INT32_MAX, 208));
    selectOnlyEnemy(state, -1);
    state.selectedImageSet = 0;  // a lone image set moves and takes a slot of its own
    pasteItems(*doc, state, *copiedItems(*doc, state), std::nullopt);
    EXPECT_EQ(std::tuple(doc->imageSets[2].x, doc->imageSets[2].y, state.selectedImageSet), std::tuple(9, 208, 2));
}

// Too few slots of any kind: nothing changes, and the kind is named.
TEST_F(SelectionRules, PasteChangesNothingWhenAKindRunsOutOfSlots) {
    selectOnlyEnemy(state, 2);
    const auto items = copiedItems(*doc, state);
    items->programs[1].movementCount = 1;  // alike to nothing: needs a slot
    const struct { void (*fill)(LevelDocument&); PasteOutcome outcome; } cases[] = {
        {[](LevelDocument& d) { for (ImageSet& s : d.imageSets) s.used = 1, s.x = 900; }, PasteOutcome::TooManyImageSets},
        {[](LevelDocument& d) { for (EnemyProgram& p : d.programs) p.used = 1; }, PasteOutcome::TooManyPrograms},
        {[](LevelDocument& d) { for (Enemy& e : d.enemies) e.used = 1; }, PasteOutcome::TooManyEnemies},
    };
    for (const auto& c : cases) {
        auto full = std::make_unique<LevelDocument>(*doc);
        c.fill(*full);
        const auto before = std::make_unique<LevelDocument>(*full);
        EXPECT_EQ(pasteItems(*full, state, *items, std::nullopt), c.outcome);
        EXPECT_TRUE(sameDocument(*full, *before));
    }
}

// The clipboard's text reads back as the items it was made of; text that is
// no items' JSON is refused with its place.
TEST_F(SelectionRules, TheItemsTextReadsBackAndOtherTextIsRefused) {
    selectEnemies(state, 0b101, false);
    const auto items = copiedItems(*doc, state);
    auto read = std::make_unique<LevelDocument>();
    ASSERT_EQ(levelItemsFromJsonText(levelItemsJson(*items).dump(), *read), "");
    EXPECT_TRUE(sameDocument(*read, *items));
    EXPECT_EQ(levelItemsFromJsonText(R"({"imageSets": [], "programs": []})", *read), "enemies: missing");
}

}  // namespace
}  // namespace qzt
