// The main window's rules, on a document in memory: selection, dragging,
// resizing, deletion, the side panel's commits, scrolling, keypad recording,
// the timer's preview and outlines, and the view while recording. What the
// view, the strokes and the outlines look like is checked on the rendered
// picture (tests/render).
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "edit/hit_tests.h"
#include "edit/preview.h"
#include "edit/recording.h"
#include "edit/scrolling.h"
#include "edit/view_editing.h"
#include "edit/view_plan.h"

namespace qzt {
namespace {

// Image sets 0 (100,300) 30x20 and 1 (110,305) 30x20 overlap; enemy 0 at
// level (50,60), selected, and enemy 1 at (55,65) use set 0, speed 4;
// program 0 is enemy 0's. Client point (cx, cy) at scroll (0, 0) is level
// (cx - 10, cy - 10) and bitmap (cx - 10, cy + 187).
struct MainWindowRules : ::testing::Test {
    LevelDocument doc;
    EditorState state;
    MainWindowRules() {
        doc.loaded = 1;
        doc.enemyCount = 2;
        doc.programs[0].used = 1;
        state.selectedEnemy = 0;
        doc.imageSets[0] = {100, 300, 30, 20, 2, 0, 1};
        doc.imageSets[1] = {110, 305, 30, 20, 2, 1, 1};
        doc.enemies[0] = {50, 60, 0, 0, 0, 4, 0, 1};
        doc.enemies[1] = {55, 65, 0, 0, 0, 4, 0, 1};
    }
    std::pair<int, int> recordAt() const { return {state.recordX, state.recordY}; }
    std::vector<RecordKey> keys(std::initializer_list<unsigned> keys) {
        std::vector<RecordKey> results;
        for (unsigned key : keys) results.push_back(recordKey(doc, state, key));
        return results;
    }
};

Pointer at(int cx, int cy, Scroll s = {}) { return {cx, cy, s}; }
constexpr unsigned Pad(int digit) { return KeyNumpad1 + unsigned(digit) - 1; }
using K = RecordKey;

// Set 2 has a negative width; set 3 reaches past 32 bits. Below sets 0 and 1,
// within their width, nothing is hit. The handle is the five columns around
// the right edge, inside the rows.
TEST_F(MainWindowRules, HitsAreStrictTheLowerSlotWinsAndFarRectanglesNeitherHitNorOverflow) {
    doc.imageSets[2] = {100, 200, -30, 20, 2, 2, 1};
    doc.imageSets[3] = {INT32_MAX - 5, INT32_MAX - 5, INT32_MAX, 9, 2, 3, 1};
    const struct { int (*hit)(const LevelDocument&, Point64); int64_t x, y; int slot; } cases[] = {
        {imageSetAt, 100, 310, -1}, {imageSetAt, 101, 310, 0}, {imageSetAt, 129, 319, 0}, {imageSetAt, 130, 310, 1},
        {imageSetAt, 140, 310, -1}, {imageSetAt, 120, 300, -1}, {imageSetAt, 85, 210, -1}, {imageSetAt, 115, 329, -1},
        {imageSetAt, int64_t(INT32_MAX) + 1, INT32_MAX, 3}, {enemyAt, 50, 70, -1}, {enemyAt, 51, 61, 0},
        {enemyAt, 79, 79, 0}, {enemyAt, 80, 80, 1}, {enemyAt, 85, 70, -1}, {resizeHandleAt, 126, 310, -1},
        {resizeHandleAt, 127, 310, 0}, {resizeHandleAt, 131, 310, 0}, {resizeHandleAt, 132, 310, -1},
        {resizeHandleAt, 127, 300, -1}};
    for (const auto& c : cases) EXPECT_EQ(c.hit(doc, {c.x, c.y}), c.slot) << c.x << "," << c.y;
}

// Bitmap (115, 310) is in set 0 alone; level (80, 80) on enemy 1 alone. The
// image set is dragged first, and only inside the view; the handle resizes
// without bounds, a negative width left of the set, until release.
TEST_F(MainWindowRules, APressSelectsTheLeftButtonDragsAndTheHandleResizes) {
    EXPECT_TRUE(selectAt(doc, state, false, at(125, 123)));
    EXPECT_EQ(std::tuple(state.selectedImageSet, state.selectedEnemy, state.dragging), std::tuple(0, -1, false));
    selectAt(doc, state, true, at(70, 80, {20, 10}));
    state.selectedImageSet = 1;
    EXPECT_FALSE(movePointer(doc, state, at(200, 50, {3, 4})).movedEnemy);
    state.selectedImageSet = -1;
    for (const auto& [cx, cy, inside] : {std::tuple{509, 389, true}, {510, 200, false}, {200, 9, false}})
        EXPECT_EQ(movePointer(doc, state, at(cx, cy)).movedEnemy, inside) << cx << "," << cy;
    EXPECT_EQ(std::tuple(doc.imageSets[1].x, doc.imageSets[1].y, doc.enemies[1].x, doc.enemies[1].y),
              std::tuple(193, 241, 499, 379));
    releaseButton(doc, state);
    EXPECT_FALSE(movePointer(doc, state, at(100, 100)).movedEnemy);
    selectAt(doc, state, true, at(141, 123));
    EXPECT_TRUE(grabResizeHandle(doc, state, at(141, 123)) && movePointer(doc, state, at(60, 600)).resized);
    EXPECT_FALSE(state.banding) << "the handle lies outside the set";
    EXPECT_EQ(std::tuple(state.selectedImageSet, doc.imageSets[0].width, doc.imageSets[0].height), std::tuple(0, -50, 487));
    releaseButton(doc, state);
    EXPECT_FALSE(movePointer(doc, state, at(60, 600)).resized);
}

// Enemy 0 still uses set 0; freed enemy 1 no longer counts.
TEST_F(MainWindowRules, DeleteTakesTheEnemyFirstAndKeepsAnImageSetInUse) {
    state.selectedEnemy = 1;
    state.selectedImageSet = 1;
    EXPECT_TRUE(deleteSelection(doc, state).acted);
    EXPECT_EQ(std::tuple(doc.enemies[1].used, doc.imageSets[1].used, doc.enemyCount), std::tuple(0, 1, 2));
    state.selectedEnemy = -1;
    state.selectedImageSet = 0;
    EXPECT_TRUE(deleteSelection(doc, state).imageSetInUse);
    doc.enemies[0].used = 0;
    EXPECT_FALSE(deleteSelection(doc, state).imageSetInUse || doc.imageSets[0].used);
    state.mode = Recording;
    state.selectedImageSet = 1;
    EXPECT_FALSE(deleteSelection(doc, state).acted || !doc.imageSets[1].used);
}

TEST_F(MainWindowRules, EditCommitsIgnoreSlotsThatAreNotUsed) {
    using F = EnemyField;
    doc.programs[7].used = 1;
    for (const auto& [field, value] : {std::pair{F::Program, 7}, {F::ImageSet, 1}, {F::HitPoints, 11}, {F::Speed, 3},
                                       {F::AnimationRate, 9}, {F::Program, 6}, {F::Program, -1}, {F::ImageSet, 15}})
        commitEnemyField(doc, state, field, value);
    const Enemy& e = doc.enemies[0];
    EXPECT_EQ(std::tuple(e.program, e.imageSet, e.hitPoints, e.speed, e.animationRate), std::tuple(7, 1, 11, 3, 9));
    state.selectedEnemy = -1;
    EXPECT_FALSE(commitEnemyField(doc, state, F::Speed, 1));
}

// No item in the Frames list (a count it lacks; it notifies on a mere change
// of focus) never becomes a count. A new image set takes the lowest free slot
// at level (1, 1), in the view's corner, and needs one.
TEST_F(MainWindowRules, TheFramesListNeverSetsACountFromNoItemAndNewImageSetsTakeAFreeSlot) {
    state.selectedImageSet = 1;
    EXPECT_TRUE(applyFramesSelection(doc, state, framesSelectionOf(8)) && doc.imageSets[1].frameCount == 8);
    EXPECT_TRUE(applyFramesSelection(doc, state, framesSelectionOf(12)) && doc.imageSets[1].frameCount == 8);
    const ImageSet& added = doc.imageSets[newImageSet(doc)];
    EXPECT_EQ(std::tuple(added.slotIndex, added.x, added.y, added.width, added.height), std::tuple(2, 1, LevelOriginRow + 1, 40, 50));
    for (ImageSet& set : doc.imageSets) set.used = 1;
    EXPECT_EQ(newImageSet(doc), -1);
}

// A 1000-row bitmap scrolls to 423, a 300-row one not at all, a top-down one
// as far as its rows; a position beyond a shorter bitmap comes back within it.
TEST(Scrolling, BothTablesAtTheirLimits) {
    for (const auto& [code, from, to] : {std::tuple{int(PageForward), 124, 139}, {PageForward, 130, 140}, {PageBack, 16, 1},
                                         {PageBack, 10, 0}, {LineForward, 140, 140}, {LineBack, 0, 0}, {ThumbTrack, 3, 77}})
        EXPECT_EQ(horizontalScroll(code, from, 77), to) << code << " at " << from;
    for (const auto& [rows, code, from, thumb, to] :
         {std::tuple{1000, int(PageForward), 415, 0, 423}, {1000, PageForward, 400, 0, 415},
          {1000, LineForward, 423, 0, 423}, {1000, PageBack, 14, 0, 0}, {1000, ThumbTrack, 0, 200, 200},
          {300, LineForward, 0, 0, 0}, {300, ThumbTrack, 0, 90, 0}, {677, LineBack, 300, 0, 100},
          {-700, ThumbTrack, 0, 900, 123}})
        EXPECT_EQ(verticalScroll(code, from, thumb, verticalScrollMax(rows)), to) << rows << ":" << code << " " << from;
}

// Digits step in their direction and a new one turns; other keys, Enter
// included, add nothing and move nothing; only the recording position moves,
// and the view shows the enemy there even when its image set is not in use,
// with the steps of its movement. Without a free program nothing starts.
TEST_F(MainWindowRules, RecordingStartsWithTheLowestFreeProgramAndDigitsStepAndTurnUntilEnter) {
    doc.programs[1].movementCount = 9;  // left from a deleted program
    EXPECT_EQ(startRecording(doc, state), RecordingStart::Started);
    EXPECT_EQ(std::tuple(state.mode, state.recordProgram, doc.programs[1].movementCount, doc.enemies[0].program),
              std::tuple(Recording, 1, 0, 1));
    EXPECT_EQ(planLevelView(doc, state, {}).stepsText, "0");
    EXPECT_EQ(keys({Pad(6), Pad(6), Pad(6), Pad(3), Pad(3), 0x41}),
              (std::vector{K::NewMovement, K::Step, K::Step, K::NewMovement, K::Step, K::Ignored}));
    const EnemyProgram& p = doc.programs[1];
    EXPECT_EQ(std::tuple(p.movementCount, p.direction[0], p.steps[0], p.direction[1], p.steps[1], recordAt()),
              std::tuple(2, RIGHT, 3, DOWNRIGHT, 2, std::pair(70, 68)));
    doc.imageSets[0].used = 0;
    const ViewPlan plan = planLevelView(doc, state, {20, 30});
    const std::vector<BitmapCopy> copies{{10, 10, 500, 380, 20, 227}, {60, 48, 32, 22, 100, 300}};
    EXPECT_EQ(std::pair(std::vector<BitmapCopy>(plan.copies.begin(), plan.copies.end()), plan.stepsText),
              std::pair(copies, std::string("2")));
    EXPECT_EQ(keys({KeyEnter, Pad(6)}), (std::vector{K::Finished, K::Ignored}));
    EXPECT_EQ(std::tuple(p.steps[1], recordAt(), doc.enemies[0].x), std::tuple(2, std::pair(70, 68), 50));
    // The next recording starts a movement even in the direction the last one ended with.
    ASSERT_EQ(startRecording(doc, state), RecordingStart::Started);
    EXPECT_EQ(keys({Pad(3), KeyEnter}), (std::vector{K::NewMovement, K::Finished}));
    for (EnemyProgram& program : doc.programs) program.used = 1;
    EXPECT_TRUE(startRecording(doc, state) == RecordingStart::NoFreeProgram && state.mode == Normal);
}

// A 76th movement is refused, whichever key, but the last one still grows.
TEST_F(MainWindowRules, RecordingSaturatesHugeValuesAndRefusesA76thMovement) {
    doc.enemies[0].speed = INT32_MAX;
    startRecording(doc, state);
    for (int i = 0; i < MAX_MOVEMENTS; ++i) keys({Pad(i % 2 ? 6 : 3)});
    EXPECT_EQ(keys({Pad(1), Pad(9)}), (std::vector{K::Refused, K::Refused}));
    const EnemyProgram& p = doc.programs[1];
    EXPECT_EQ(std::pair(p.movementCount, recordAt()), std::pair(MAX_MOVEMENTS, std::pair(INT32_MAX, INT32_MAX)));
    doc.programs[1].steps[MAX_MOVEMENTS - 1] = INT32_MAX;
    EXPECT_TRUE(keys({Pad(3)}) == std::vector{K::Step} && p.steps[MAX_MOVEMENTS - 1] == INT32_MAX);
}

// A tick a movement: a line, STOP's circle, nothing for a code without a
// direction; a redraw, and the end of the program, go back onto the enemy, at
// client (55, 60) for scroll (5, 10). A step left beyond a program that
// shrank draws nothing. The outlines blink blue first.
TEST_F(MainWindowRules, ThePreviewDrawsOneRecordedMovementATickAndWrapsBackOntoTheEnemy) {
    const int32_t directions[] = {RIGHT, STOP, 42, UPLEFT, RIGHT}, steps[] = {3, 9, 1, 2, 5};
    EnemyProgram& program = doc.programs[0];
    for (int i = 0; i < 5; ++i) {
        program.direction[i] = directions[i];
        program.steps[i] = steps[i];
    }
    program.movementCount = 4;
    state.previewStep = 4;
    std::vector<std::tuple<bool, int, ClientPoint>> ticks;
    for (int i = 0; i < 7; ++i) {
        if (i == 2) restartPreview(doc, state, {5, 10});
        const PreviewTick t = advancePreview(doc, state, {5, 10});
        ticks.emplace_back(t.draws, t.stroke.kind, t.stroke.from);
    }
    using S = PreviewStroke;
    EXPECT_EQ(ticks, (std::vector<std::tuple<bool, int, ClientPoint>>{
                         {false, S::Line, {}}, {true, S::Line, {55, 60}}, {true, S::Line, {55, 60}},
                         {true, S::Circle, {67, 60}}, {false, S::Line, {67, 60}}, {true, S::Line, {67, 60}},
                         {true, S::Line, {55, 60}}}));
    doc.enemies[0].program = 15;
    EXPECT_FALSE(advancePreview(doc, state, {}).runs);
    const OutlinePlan first = nextOutlines(doc, state, {2, 3});
    EXPECT_EQ(std::pair(first.colour, first.polylines.at(0)[0]), std::pair(OutlineBlue, ClientPoint{108, 110}));
    EXPECT_EQ(nextOutlines(doc, state, {}).colour, OutlineGreen);
}

}  // namespace
}  // namespace qzt
