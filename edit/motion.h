// Enemies in motion as the game moves them, GameFramesPerSecond frames a
// second: each frame an enemy takes one step of its current movement, and
// after its program's last movement it starts again from where it is placed.
// Its image set's frames cycle through each movement's range meanwhile.
//
// Any game frame is reached in constant time per enemy, forwards or back:
// the motion repeats every cycleFrames() frames.
#pragma once

#include <cstdint>

#include "edit/in_place_list.h"
#include "edit/view_geometry.h"
#include "level/level_document.h"

namespace qzt {

constexpr int GameFramesPerSecond = 60;

// a + b, held at the ends of 64 bits instead of wrapping around.
int64_t saturatingAdd(int64_t a, int64_t b);

// One movement of a run of the program: one with steps above 0.
struct MotionSegment {
    int32_t movement = 0;    // its index in the program
    int64_t startFrame = 0;  // frames into the run when it begins
    int32_t steps = 0;       // it lasts this many frames, one step each
    Point64 start;           // level position when it begins
    Point64 delta;           // one step: the direction's dx and dy times the speed
    int32_t firstFrame = 0;  // the image-set frames it cycles through
    int32_t lastFrame = 0;

    // The position `elapsed` (0..steps) frames after it begins; at
    // startFrame + elapsed for elapsed below steps. Positions saturate.
    Point64 positionAfter(int64_t elapsed) const;
};

// Where an enemy is at one game frame and what it shows.
struct MotionPose {
    Point64 position;       // level coordinates
    int32_t frame = 0;      // the image-set frame drawn: its cell is frame x (width + 1) right of the first
    int32_t movement = -1;  // the program's movement under way; -1 when the enemy stands still
    bool operator==(const MotionPose& o) const {
        return position == o.position && frame == o.frame && movement == o.movement;
    }
};

class EnemyMotion {
public:
    using Segments = InPlaceList<MotionSegment, MAX_MOVEMENTS>;

    // The enemy's run as the document holds it now.
    EnemyMotion(const LevelDocument& doc, const Enemy& enemy);

    // The movements of one run in order; none when the enemy stands still (its
    // program slot is unused or none, or no movement has steps).
    const Segments& segments() const { return segments_; }
    // Frames of one run: the sum of the segments' steps; 0 standing still.
    int64_t cycleFrames() const { return cycleFrames_; }

    // Game frame 0 shows every enemy where it is placed; frames before 0 run
    // the same cycle backwards. An enemy that stands still shows frame 0.
    MotionPose at(int64_t frame) const;

private:
    int32_t frameShown(const MotionSegment& segment, int64_t elapsed) const;

    Point64 placed_;
    int32_t animationRate_ = 0;
    int32_t frameCount_ = 0;  // of a used image set; 0 draws frame 0 always
    int64_t cycleFrames_ = 0;
    Segments segments_;
};

}  // namespace qzt
