// Selection, dragging, resizing, deletion, the side panel's commits and the
// scroll tables, on a document in memory.
#include <climits>
#include <tuple>

#include <gtest/gtest.h>

#include "edit/hit_tests.h"
#include "edit/scrolling.h"
#include "edit/view_editing.h"

namespace qzt {
namespace {

ImageSet imageSet(int32_t x, int32_t y, int32_t width, int32_t height, int32_t frames = 2) {
    ImageSet set;
    set.x = x, set.y = y, set.width = width, set.height = height, set.frameCount = frames, set.used = 1;
    return set;
}

Enemy enemy(int32_t x, int32_t y, int32_t set, int32_t program = 0) {
    Enemy e;
    e.x = x, e.y = y, e.imageSet = set, e.program = program, e.speed = 4, e.used = 1;
    return e;
}

// Image sets 0 (100,300) 30x20 and 1 (110,305) 30x20 overlap; enemy 0 at
// level (50,60) and enemy 1 at (55,65) use set 0; enemy 2's set is no slot.
LevelDocument twoOfEach() {
    LevelDocument doc;
    doc.loaded = 1;
    doc.imageSets[0] = imageSet(100, 300, 30, 20);
    doc.imageSets[1] = imageSet(110, 305, 30, 20);
    doc.enemies[0] = enemy(50, 60, 0);
    doc.enemies[1] = enemy(55, 65, 0);
    doc.enemies[2] = enemy(0, 0, 15);
    doc.programs[0].used = 1;
    doc.enemyCount = 3;
    return doc;
}

TEST(HitTests, BoundsAreStrictAndTheLowerSlotWins) {
    const LevelDocument doc = twoOfEach();
    for (const auto& [x, y, expected] : {std::tuple{100, 310, -1}, {101, 310, 0}, {129, 319, 0}, {130, 310, 1},
                                         {115, 321, 1}, {140, 310, -1}, {120, 300, -1}, {139, 324, 1}})
        EXPECT_EQ(imageSetAt(doc, {x, y}), expected) << x << "," << y;
    for (const auto& [x, y, expected] : {std::tuple{50, 70, -1}, {51, 61, 0}, {60, 70, 0}, {79, 79, 0}, {80, 80, 1},
                                         {80, 70, 1}, {85, 70, -1}, {1, 1, -1}})
        EXPECT_EQ(enemyAt(doc, {x, y}), expected) << x << "," << y;
    // The handle is the five columns around the right edge, inside the rows.
    for (const auto& [x, y, expected] : {std::tuple{126, 310, -1}, {127, 310, 0}, {131, 310, 0}, {132, 310, -1},
                                         {137, 310, 1}, {142, 310, -1}, {127, 300, -1}})
        EXPECT_EQ(resizeHandleAt(doc, {x, y}), expected) << x << "," << y;
}

TEST(HitTests, NegativeSizesAndFarRectanglesNeverHitNorOverflow) {
    LevelDocument doc;
    doc.imageSets[0] = imageSet(100, 300, -30, 20);
    doc.imageSets[1] = imageSet(INT32_MAX - 5, INT32_MAX - 5, INT32_MAX, INT32_MAX);
    doc.enemies[0] = enemy(INT32_MAX - 5, INT32_MAX - 5, 1);
    for (int x : {70, 85, 99, 101}) EXPECT_EQ(imageSetAt(doc, {x, 310}), -1);
    EXPECT_EQ(imageSetAt(doc, {int64_t(INT32_MAX) + 10, int64_t(INT32_MAX) + 10}), 1);
    EXPECT_EQ(enemyAt(doc, {int64_t(INT32_MAX) + 10, int64_t(INT32_MAX) + 10}), 0);
    EXPECT_EQ(imageSetAt(doc, {INT32_MIN, INT32_MIN}), -1);
}

// Client point (cx, cy) at scroll (0, 0) is level (cx - 10, cy - 10) and
// bitmap (cx - 10, cy + 187).
Pointer at(int cx, int cy, Scroll s = {}) { return {cx, cy, s}; }

TEST(ViewEditing, APressSelectsBothIndependentlyAndOnlyTheLeftButtonDrags) {
    LevelDocument doc = twoOfEach();
    EditorState state;
    // Bitmap (115, 310) is in set 0; level (60, 70) on enemy 0.
    EXPECT_TRUE(selectAt(doc, state, false, at(125, 123)));
    EXPECT_EQ(state.selectedImageSet, 0);
    EXPECT_EQ(state.selectedEnemy, -1);
    EXPECT_FALSE(state.dragging);
    selectAt(doc, state, true, at(70, 80));
    EXPECT_EQ(state.selectedEnemy, 0);
    EXPECT_EQ(state.selectedImageSet, -1);
    EXPECT_TRUE(state.dragging);
    // Scrolled, the same client point is another level point.
    selectAt(doc, state, true, at(70, 80, {20, 10}));
    EXPECT_EQ(state.selectedEnemy, 1);

    // Not Normal, or no level: no selection, but the handle still works.
    for (const auto& [loaded, mode] : {std::pair{uint8_t(0), Normal}, {uint8_t(1), Recording}}) {
        doc.loaded = loaded;
        state = EditorState{};
        state.mode = mode;
        EXPECT_FALSE(selectAt(doc, state, true, at(70, 80)));
        EXPECT_EQ(state.selectedEnemy, -1);
        EXPECT_FALSE(state.dragging);
        EXPECT_TRUE(grabResizeHandle(doc, state, at(141, 123)));  // bitmap (131, 310)
        EXPECT_EQ(state.mode, Resizing);
        EXPECT_EQ(state.selectedImageSet, 0);
        releaseButton(state);
        EXPECT_EQ(state.mode, Normal);
    }
}

TEST(ViewEditing, DraggingMovesTheImageSetFirstAndOnlyInsideTheView) {
    LevelDocument doc = twoOfEach();
    EditorState state;
    selectAt(doc, state, true, at(145, 125));  // set 1, no enemy
    state.selectedEnemy = 0;
    MoveOutcome moved = movePointer(doc, state, at(200, 50, {3, 4}));
    EXPECT_TRUE(moved.movedImageSet);
    EXPECT_FALSE(moved.movedEnemy);
    EXPECT_EQ(std::pair(doc.imageSets[1].x, doc.imageSets[1].y), std::pair(193, 241));
    EXPECT_EQ(doc.enemies[0].x, 50);

    state.selectedImageSet = -1;
    for (const auto& [cx, cy, inside] : {std::tuple{10, 10, true}, {509, 389, true}, {510, 200, false},
                                         {200, 9, false}, {600, 40, false}}) {
        moved = movePointer(doc, state, at(cx, cy));
        EXPECT_EQ(moved.movedEnemy, inside) << cx << "," << cy;
        if (inside) {
            EXPECT_EQ(std::pair(doc.enemies[0].x, doc.enemies[0].y), std::pair(cx - 10, cy - 10));
        }
    }
    releaseButton(state);
    EXPECT_FALSE(movePointer(doc, state, at(100, 100)).movedEnemy);
}

TEST(ViewEditing, ResizingFollowsThePointerWithoutBoundsUntilRelease) {
    LevelDocument doc = twoOfEach();
    EditorState state;
    selectAt(doc, state, true, at(141, 123));
    grabResizeHandle(doc, state, at(141, 123));
    // Outside the view, left of the set: a negative width, never hit again.
    const MoveOutcome outcome = movePointer(doc, state, at(60, 600));
    EXPECT_TRUE(outcome.resized);
    EXPECT_FALSE(outcome.movedImageSet);
    EXPECT_EQ(std::pair(doc.imageSets[0].width, doc.imageSets[0].height), std::pair(-50, 487));
    EXPECT_EQ(imageSetAt(doc, {80, 310}), -1);
    releaseButton(state);
    EXPECT_FALSE(movePointer(doc, state, at(200, 200)).resized);
    EXPECT_TRUE(movePointer(doc, state, at(151, 123)).overResizeHandle);  // set 1's handle
    // A pointer far out is held to 32 bits.
    state.mode = Resizing;
    doc.imageSets[0].x = INT32_MIN;
    movePointer(doc, state, at(65535, 65535, {140, INT32_MAX}));
    EXPECT_EQ(doc.imageSets[0].width, INT32_MAX);
}

TEST(ViewEditing, DeleteTakesTheEnemyFirstAndKeepsAnImageSetInUse) {
    LevelDocument doc = twoOfEach();
    EditorState state;
    state.selectedEnemy = 1;
    state.selectedImageSet = 1;
    EXPECT_TRUE(deleteSelection(doc, state).acted);
    EXPECT_FALSE(doc.enemies[1].used);
    EXPECT_TRUE(doc.imageSets[1].used);
    EXPECT_EQ(doc.enemyCount, 3);

    state.selectedEnemy = -1;
    state.selectedImageSet = 0;  // enemy 0 still uses it
    EXPECT_TRUE(deleteSelection(doc, state).imageSetInUse);
    EXPECT_TRUE(doc.imageSets[0].used);
    doc.enemies[0].used = 0;
    EXPECT_FALSE(deleteSelection(doc, state).imageSetInUse);
    EXPECT_FALSE(doc.imageSets[0].used);

    state.mode = Recording;
    state.selectedImageSet = 1;
    EXPECT_FALSE(deleteSelection(doc, state).acted);
    EXPECT_TRUE(doc.imageSets[1].used);
}

TEST(ViewEditing, EditCommitsIgnoreSlotsThatAreNotUsed) {
    LevelDocument doc = twoOfEach();
    EditorState state;
    state.selectedEnemy = 0;
    for (const auto& [field, value] : {std::pair{EnemyField::Program, 7}, {EnemyField::Program, -1},
                                       {EnemyField::Program, 15}, {EnemyField::ImageSet, 2}, {EnemyField::ImageSet, 15}})
        EXPECT_TRUE(commitEnemyField(doc, state, field, value));
    EXPECT_EQ(std::pair(doc.enemies[0].program, doc.enemies[0].imageSet), std::pair(0, 0));
    doc.programs[7].used = 1;
    commitEnemyField(doc, state, EnemyField::Program, 7);
    commitEnemyField(doc, state, EnemyField::ImageSet, 1);
    commitEnemyField(doc, state, EnemyField::HitPoints, 11);
    commitEnemyField(doc, state, EnemyField::Speed, 3);
    commitEnemyField(doc, state, EnemyField::AnimationRate, 9);
    const Enemy& e = doc.enemies[0];
    EXPECT_EQ(std::tuple(e.program, e.imageSet, e.hitPoints, e.speed, e.animationRate), std::tuple(7, 1, 11, 3, 9));
    state.selectedEnemy = -1;
    EXPECT_FALSE(commitEnemyField(doc, state, EnemyField::Speed, 1));
}

TEST(ViewEditing, FramesListSetsTheCountButNeverFromNoSelection) {
    LevelDocument doc = twoOfEach();
    EditorState state;
    state.selectedImageSet = 1;
    EXPECT_TRUE(applyFramesSelection(doc, state, 4));
    EXPECT_EQ(doc.imageSets[1].frameCount, 5);
    EXPECT_TRUE(applyFramesSelection(doc, state, -1));  // still redraws
    EXPECT_EQ(doc.imageSets[1].frameCount, 5);
    state.selectedImageSet = -1;
    EXPECT_TRUE(applyFramesSelection(doc, state, 2));
    state.mode = Recording;
    EXPECT_FALSE(applyFramesSelection(doc, state, 2));
    for (const auto& [count, item] : {std::pair{1, 0}, {8, 7}, {0, -1}, {9, -1}, {-3, -1}})
        EXPECT_EQ(framesSelectionOf(count), item);
}

TEST(ViewEditing, NewImageSetsTakeTheLowestFreeSlotUntilAllAreUsed) {
    LevelDocument doc;
    doc.imageSets[0].used = 1;
    doc.imageSets[2].used = 1;
    EXPECT_EQ(newImageSet(doc), 1);
    const ImageSet& set = doc.imageSets[1];
    EXPECT_EQ(std::tuple(set.x, set.y, set.width, set.height, set.frameCount, set.slotIndex),
              std::tuple(1, 198, 40, 50, 2, 1));
    for (int expected = 3; expected < MAX_IMAGE_SETS; ++expected) EXPECT_EQ(newImageSet(doc), expected);
    EXPECT_EQ(newImageSet(doc), -1);
}

TEST(Scrolling, BothTablesAtTheirLimits) {
    for (const auto& [code, from, to] : {std::tuple{int(PageForward), 130, 140}, {PageForward, 125, 140},
                                         {PageForward, 124, 139}, {PageForward, 128, 140}, {PageBack, 10, 0}, {PageBack, 15, 0},
                                         {PageBack, 16, 1}, {LineForward, 140, 140}, {LineBack, 0, 0},
                                         {LineBack, 7, 6}, {ThumbTrack, 3, 77}, {4, 33, 33}, {8, 33, 33}})
        EXPECT_EQ(horizontalScroll(code, from, 77), to) << code << " at " << from;
    const int m = verticalScrollMax(1000);
    EXPECT_EQ(m, 423);
    for (const auto& [code, from, to] : {std::tuple{int(PageForward), 415, 423}, {PageForward, 400, 415},
                                         {LineForward, 423, 423}, {LineForward, 10, 11}, {PageBack, 14, 0},
                                         {ThumbTrack, 0, 200}, {6, 50, 50}})
        EXPECT_EQ(verticalScroll(code, from, 200, m), to) << code << " at " << from;
}

TEST(Scrolling, AShortBitmapDoesNotScroll) {
    EXPECT_EQ(verticalScrollMax(500), 0);
    EXPECT_EQ(verticalScrollMax(-700), 123);
    EXPECT_EQ(verticalScrollMax(INT32_MIN), INT32_MAX - 576);
    const int m = verticalScrollMax(300);
    for (int code : {int(LineForward), int(PageForward), int(ThumbTrack), int(LineBack), 8})
        EXPECT_EQ(verticalScroll(code, 0, 90, m), 0) << code;
    // A position left beyond a shorter bitmap comes back within it.
    EXPECT_EQ(verticalScroll(LineBack, 300, 0, 100), 100);
}

}  // namespace
}  // namespace qzt
