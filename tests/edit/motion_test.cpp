// Enemies in motion: each rule at its edge, the farthest frame, and
// saturation.
#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "edit/motion.h"
#include "edit/recording.h"

namespace qzt {
namespace {

struct Move {
    int32_t direction, steps, firstFrame, lastFrame;
};

// Enemy 0 at (50, 60), speed 3, on image set 0 of 4 frames and on program 0,
// which holds the moves.
LevelDocument levelWith(const std::vector<Move>& moves, int32_t animationRate = 2) {
    LevelDocument doc;
    doc.imageSets[0] = {100, 300, 10, 8, 4, 0, 1};
    doc.enemies[0] = {50, 60, 0, animationRate, 1, 3, 0, 1};
    EnemyProgram& program = doc.programs[0];
    program.used = 1;
    program.movementCount = int32_t(moves.size());
    for (size_t i = 0; i < moves.size(); ++i) {
        program.direction[i] = moves[i].direction;
        program.steps[i] = moves[i].steps;
        program.firstFrame[i] = moves[i].firstFrame;
        program.lastFrame[i] = moves[i].lastFrame;
    }
    return doc;
}

MotionPose poseAt(const LevelDocument& doc, int64_t frame) { return EnemyMotion(doc, doc.enemies[0]).at(frame); }

struct Case {
    const char* rule;
    std::vector<Move> moves;
    int64_t frame;
    MotionPose expected;  // position, frame shown, movement
    int32_t animationRate = 2;
    void (*change)(LevelDocument&) = nullptr;
};

TEST(Motion, EachRuleAtItsEdge) {
    const std::vector<Move> rightThenDown = {{RIGHT, 2, 0, 0}, {DOWN, 3, 1, 1}};
    const Case cases[] = {
        {"frame 0: placed, showing movement 0's first frame", {{RIGHT, 4, 1, 3}}, 0, {{50, 60}, 1, 0}},
        {"a step of speed a frame, a frame further every 2", {{RIGHT, 4, 1, 3}}, 3, {{59, 60}, 2, 0}},
        {"after lastFrame, firstFrame again", {{RIGHT, 9, 1, 2}}, 4, {{62, 60}, 1, 0}},
        {"a movement begins on its own firstFrame", {{RIGHT, 3, 0, 3}, {DOWN, 5, 2, 3}}, 3, {{59, 60}, 2, 1}},
        {"... and counts frames from its own start", {{RIGHT, 3, 0, 3}, {DOWN, 5, 2, 3}}, 5, {{59, 66}, 3, 1}},
        {"steps 0 or below: skipped", {{RIGHT, 0, 3, 3}, {LEFT, -4, 3, 3}, {UP, 2, 1, 1}}, 1, {{50, 57}, 1, 2}},
        {"after the last movement, from the placed position", rightThenDown, 5, {{50, 60}, 0, 0}},
        {"... run after run", rightThenDown, 12, {{56, 60}, 1, 1}},
        {"... up to frame 2^31 - 1, without running the ones before", rightThenDown, INT32_MAX, {{56, 60}, 1, 1}},
        {"frames before 0 run the cycle backwards", rightThenDown, -1, {{56, 66}, 1, 1}},
        {"STOP stays put for its steps, animating", {{STOP, 4, 0, 3}, {RIGHT, 1, 0, 0}}, 3, {{50, 60}, 1, 0}},
        {"codes outside 1 to 9 stay put for their steps",
         {{0, 2, 0, 0}, {10, 2, 0, 0}, {-1, 2, 0, 0}, {RIGHT, 1, 0, 0}}, 6, {{50, 60}, 0, 3}},
        {"rate 0 keeps firstFrame", {{RIGHT, 9, 1, 3}}, 8, {{74, 60}, 1, 0}, 0},
        {"negative rate keeps firstFrame", {{RIGHT, 9, 1, 3}}, 8, {{74, 60}, 1, 0}, -2},
        {"lastFrame below firstFrame keeps firstFrame", {{RIGHT, 9, 3, 0}}, 2, {{56, 60}, 3, 0}},
        {"a frame past the set's last draws frame 0", {{RIGHT, 9, 3, 5}}, 2, {{56, 60}, 0, 0}},
        {"... the last of the set's own count", {{RIGHT, 9, 1, 3}}, 4, {{62, 60}, 0, 0}, 2,
         [](LevelDocument& doc) { doc.imageSets[0].frameCount = 3; }},
        {"a frame below 0 draws frame 0", {{RIGHT, 9, -1, 1}}, 1, {{53, 60}, 0, 0}},
        {"unused program: stands still, frame 0", {{RIGHT, 9, 1, 3}}, 5, {{50, 60}, 0, -1}, 2,
         [](LevelDocument& doc) { doc.programs[0].used = 0; }},
        {"program slot out of 0..14: stands still", {{RIGHT, 9, 1, 3}}, 5, {{50, 60}, 0, -1}, 2,
         [](LevelDocument& doc) { doc.enemies[0].program = 15; }},
        {"no movement with steps: stands still", {{RIGHT, 0, 1, 3}, {DOWN, -1, 1, 3}}, 5, {{50, 60}, 0, -1}},
        {"movements past the count are not run", rightThenDown, 3, {{53, 60}, 0, 0}, 2,
         [](LevelDocument& doc) { doc.programs[0].movementCount = 1; }},
    };
    for (const Case& c : cases) {
        LevelDocument doc = levelWith(c.moves, c.animationRate);
        if (c.change) c.change(doc);
        const MotionPose pose = poseAt(doc, c.frame);
        EXPECT_EQ(pose, c.expected) << c.rule << ": (" << pose.position.x << ", " << pose.position.y << ") frame "
                                    << pose.frame << " movement " << pose.movement;
    }
}

// Three movements of 2^31 - 1 steps of 2^31 - 1 pixels overflow 64 bits; the
// position holds at the end and the way back starts from there.
TEST(Motion, PositionsSaturate) {
    constexpr int64_t M = INT32_MAX;
    LevelDocument doc = levelWith({{UPRIGHT, INT32_MAX, 0, 0}, {UPRIGHT, INT32_MAX, 0, 0}, {UPRIGHT, INT32_MAX, 0, 0},
                                   {DOWNLEFT, 2, 0, 0}});
    doc.enemies[0] = {INT32_MAX, INT32_MIN, 0, 2, 1, INT32_MAX, 0, 1};
    EXPECT_EQ(poseAt(doc, 2 * M).position, (Point64{INT32_MAX + 2 * M * M, INT32_MIN - 2 * M * M}));
    EXPECT_EQ(poseAt(doc, 3 * M + 1).position, (Point64{INT64_MAX - M, INT64_MIN + M}));
}

}  // namespace
}  // namespace qzt
