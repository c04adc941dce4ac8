// Keypad recording, the preview's strokes and colours, the blinking outlines
// and the view's copies, on a document in memory.
#include <climits>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "edit/preview.h"
#include "edit/recording.h"
#include "edit/view_plan.h"

namespace qzt {
namespace {

// Enemy 2 at level (100, 50), speed 4, image set 1 (30 x 20 at (40, 250));
// programs 0 and 1 are used.
struct Level {
    LevelDocument doc;
    EditorState state;
    Level() {
        doc.loaded = 1;
        doc.programs[0].used = doc.programs[1].used = 1;
        Enemy& e = doc.enemies[2];
        e.used = 1, e.x = 100, e.y = 50, e.speed = 4, e.imageSet = 1, e.program = 0;
        ImageSet& s = doc.imageSets[1];
        s.used = 1, s.x = 40, s.y = 250, s.width = 30, s.height = 20, s.frameCount = 3;
        doc.enemyCount = 3;
        state.selectedEnemy = 2;
    }
    std::vector<RecordKey> keys(std::initializer_list<unsigned> keys) {
        std::vector<RecordKey> results;
        for (unsigned key : keys) results.push_back(recordKey(doc, state, key));
        return results;
    }
    void program(int slot, std::vector<std::pair<int32_t, int32_t>> movements) {
        EnemyProgram& p = doc.programs[slot];
        p.movementCount = int32_t(movements.size());
        for (size_t i = 0; i < movements.size(); ++i) std::tie(p.direction[i], p.steps[i]) = movements[i];
    }
};

constexpr unsigned Pad(int digit) { return KeyNumpad1 + unsigned(digit) - 1; }

TEST(Recording, StartsOnTheSelectedEnemyWithTheLowestFreeProgram) {
    Level level;
    level.state.selectedEnemy = -1;
    EXPECT_EQ(startRecording(level.doc, level.state), RecordingStart::NoEnemySelected);
    level.state.selectedEnemy = 2;
    level.doc.programs[2].movementCount = 9;
    EXPECT_EQ(startRecording(level.doc, level.state), RecordingStart::Started);
    EXPECT_EQ(level.state.mode, Recording);
    EXPECT_EQ(std::tuple(level.state.recordProgram, level.state.recordEnemy, level.state.recordX, level.state.recordY),
              std::tuple(2, 2, 100, 50));
    EXPECT_EQ(level.doc.programs[2].movementCount, 0);
    EXPECT_EQ(level.doc.enemies[2].program, 2);
    EXPECT_TRUE(level.doc.programs[0].used);  // the old program stays
    for (EnemyProgram& p : level.doc.programs) p.used = 1;
    level.state = EditorState{};
    level.state.selectedEnemy = 2;
    EXPECT_EQ(startRecording(level.doc, level.state), RecordingStart::NoFreeProgram);
    EXPECT_EQ(level.state.mode, Normal);
}

TEST(Recording, DigitsStepAndTurnAndEnterEnds) {
    Level level;
    ASSERT_EQ(startRecording(level.doc, level.state), RecordingStart::Started);
    using K = RecordKey;
    EXPECT_EQ(level.keys({Pad(6), Pad(6), Pad(6), Pad(3), Pad(3)}),
              (std::vector{K::NewMovement, K::Step, K::Step, K::NewMovement, K::Step}));
    const EnemyProgram& p = level.doc.programs[2];
    EXPECT_EQ(p.movementCount, 2);
    EXPECT_EQ(std::tuple(p.direction[0], p.steps[0], p.direction[1], p.steps[1]), std::tuple(RIGHT, 3, DOWNRIGHT, 2));
    EXPECT_EQ(std::pair(level.state.recordX, level.state.recordY), std::pair(120, 58));
    // Keys without a direction, Enter included, add nothing and move nothing.
    EXPECT_EQ(level.keys({0x41, 0x28, KeyEnter}), (std::vector{K::Ignored, K::Ignored, K::Finished}));
    EXPECT_EQ(level.state.mode, Normal);
    EXPECT_EQ(p.steps[1], 2);
    EXPECT_EQ(std::pair(level.state.recordX, level.state.recordY), std::pair(120, 58));
    EXPECT_EQ(level.keys({Pad(6)}), std::vector{K::Ignored});
    EXPECT_EQ(level.doc.enemies[2].x, 100);  // only the recording position moved
}

TEST(Recording, StopStandsStillAndA76thMovementIsRefused) {
    Level level;
    startRecording(level.doc, level.state);
    level.keys({Pad(5), Pad(5)});
    EXPECT_EQ(std::pair(level.state.recordX, level.state.recordY), std::pair(100, 50));
    EXPECT_EQ(level.doc.programs[2].steps[0], 2);
    for (int i = 1; i < MAX_MOVEMENTS; ++i) level.keys({Pad(i % 2 ? 8 : 2)});
    const EnemyProgram& p = level.doc.programs[2];
    EXPECT_EQ(p.movementCount, MAX_MOVEMENTS);
    const EditorState before = level.state;
    EXPECT_EQ(level.keys({Pad(4)}), std::vector{RecordKey::Refused});
    EXPECT_EQ(std::tuple(p.movementCount, level.state.recordX, level.state.lastDirection),
              std::tuple(MAX_MOVEMENTS, before.recordX, before.lastDirection));
    EXPECT_EQ(level.keys({Pad(2)}), std::vector{RecordKey::Step});  // the last movement still grows
    EXPECT_EQ(p.steps[MAX_MOVEMENTS - 1], 2);
}

TEST(Recording, HugeSpeedsAndStepCountsSaturate) {
    Level level;
    level.doc.enemies[2].speed = INT32_MAX;
    startRecording(level.doc, level.state);
    level.keys({Pad(3), Pad(3)});
    EXPECT_EQ(std::pair(level.state.recordX, level.state.recordY), std::pair(INT32_MAX, INT32_MAX));
    level.doc.programs[2].steps[0] = INT32_MAX;
    level.keys({Pad(3)});
    EXPECT_EQ(level.doc.programs[2].steps[0], INT32_MAX);
}

TEST(Preview, ColoursShadeFromRedTowardOrange) {
    for (const auto& [count, step, colour] : {std::tuple{4, 0, 0x0000FAu}, {4, 1, 0x0032FAu}, {4, 2, 0x0064FAu},
                                              {4, 3, 0x0096FAu}, {0, 2, 0x00F4FAu}, {1, 3, 0x0077FAu}})
        EXPECT_EQ(previewColour(count, step), colour) << count << " " << step;
}

TEST(Preview, DrawsOneMovementATickAndWrapsBackOntoTheEnemy) {
    Level level;
    level.program(0, {{RIGHT, 3}, {STOP, 9}, {42, 1}, {UPLEFT, 2}});
    const Scroll scroll{5, 10};
    restartPreview(level.doc, level.state, scroll);
    EXPECT_EQ(std::pair(level.state.previewX, level.state.previewY), std::pair(105, 50));
    std::vector<std::tuple<bool, int, ClientPoint, ClientPoint>> ticks;
    for (int i = 0; i < 5; ++i) {
        const PreviewTick t = advancePreview(level.doc, level.state, scroll);
        EXPECT_TRUE(t.runs);
        ticks.emplace_back(t.draws, t.stroke.kind, t.stroke.from, t.stroke.to);
        if (i == 1) {
            EXPECT_EQ(std::tuple(t.stroke.left, t.stroke.top, t.stroke.right, t.stroke.bottom),
                      std::tuple(115, 48, 121, 54));
        }
    }
    using S = PreviewStroke;
    const std::vector<std::tuple<bool, int, ClientPoint, ClientPoint>> expected = {
        {true, S::Line, {105, 50}, {117, 50}},
        {true, S::Circle, {117, 50}, {}},
        {false, S::Line, {117, 50}, {}},
        {true, S::Line, {117, 50}, {109, 42}},
        {true, S::Line, {105, 50}, {117, 50}},  // wrapped: from the enemy again
    };
    EXPECT_EQ(ticks, expected);
}

TEST(Preview, RunsOnlyForAProgramSlotAndReadsOnlyRecordedMovements) {
    Level level;
    level.program(0, {});
    level.doc.programs[0].direction[0] = RIGHT;
    level.doc.programs[0].steps[0] = 5;
    PreviewTick t = advancePreview(level.doc, level.state, {});
    EXPECT_TRUE(t.runs);
    EXPECT_FALSE(t.draws);
    EXPECT_EQ(level.state.previewStep, 0);
    // A step left beyond a program that shrank draws nothing and wraps.
    level.program(0, {{UP, 1}});
    level.state.previewStep = 74;
    EXPECT_FALSE(advancePreview(level.doc, level.state, {}).draws);
    EXPECT_EQ(level.state.previewStep, 0);
    for (int32_t program : {-1, 15}) {
        level.doc.enemies[2].program = program;
        EXPECT_FALSE(advancePreview(level.doc, level.state, {}).runs);
    }
    level.doc.enemies[2].program = 0;
    level.doc.loaded = 0;
    EXPECT_FALSE(advancePreview(level.doc, level.state, {}).runs);
}

TEST(Outlines, BlinkBlueFirstAndBoxTheFirstFrameAndTheStrip) {
    Level level;
    level.doc.imageSets[4] = level.doc.imageSets[1];
    level.doc.imageSets[4].used = 0;
    OutlinePlan plan = nextOutlines(level.doc, level.state, {2, 3});
    EXPECT_TRUE(plan.runs);
    EXPECT_EQ(plan.colour, OutlineBlue);
    // (40, 250) at scroll (2, 3) is client (48, 60); 31 x 21 cells, three of them.
    const OutlinePolyline expected = {{{48, 60}, {79, 60}, {79, 81}, {48, 81}, {48, 60}, {141, 60}, {141, 81}, {48, 81}}};
    ASSERT_EQ(plan.polylines.size(), 1u);
    EXPECT_EQ(plan.polylines[0], expected);
    EXPECT_EQ(nextOutlines(level.doc, level.state, {}).colour, OutlineGreen);
    EXPECT_EQ(nextOutlines(level.doc, level.state, {}).colour, OutlineBlue);
    level.doc.imageSets[1].width = INT32_MAX;
    level.doc.imageSets[1].frameCount = INT32_MAX;
    EXPECT_EQ(nextOutlines(level.doc, level.state, {}).polylines[0][5].x, INT32_MAX);
    level.doc.loaded = 0;
    const bool blink = level.state.outlineBlink;
    EXPECT_FALSE(nextOutlines(level.doc, level.state, {}).runs);
    EXPECT_EQ(level.state.outlineBlink, blink);
}

TEST(ViewPlan, BackgroundThenEnemiesInSlotOrderThenTheRecordingEnemy) {
    Level level;
    level.doc.enemies[0] = level.doc.enemies[2];
    level.doc.enemies[0].x = -7;
    level.doc.enemies[1] = level.doc.enemies[2];
    level.doc.enemies[1].imageSet = 3;  // not in use: not drawn
    level.doc.enemies[5] = level.doc.enemies[2];  // beyond enemyCount
    ViewPlan plan = planLevelView(level.doc, level.state, {20, 30});
    const std::vector<BitmapCopy> expected = {
        {10, 10, 500, 380, 20, 227}, {-17, 30, 32, 22, 40, 250}, {90, 30, 32, 22, 40, 250}};
    EXPECT_EQ(std::vector<BitmapCopy>(plan.copies.begin(), plan.copies.end()), expected);
    EXPECT_FALSE(plan.writesSteps);

    level.doc.enemies[2].imageSet = 4;  // recorded with a set not in use: drawn all the same
    level.doc.imageSets[4] = level.doc.imageSets[1];
    level.doc.imageSets[4].used = 0;
    level.doc.imageSets[4].x = 77;
    startRecording(level.doc, level.state);
    plan = planLevelView(level.doc, level.state, {});
    EXPECT_EQ(plan.stepsText, "0");
    level.keys({Pad(9), Pad(9)});
    plan = planLevelView(level.doc, level.state, {});
    EXPECT_EQ(plan.copies.back(), (BitmapCopy{118, 52, 32, 22, 77, 250}));
    EXPECT_EQ(plan.copies.size(), 3u);
    EXPECT_EQ(plan.stepsText, "2");
}

}  // namespace
}  // namespace qzt
