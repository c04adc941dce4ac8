#include "edit/motion.h"

#include <algorithm>
#include <climits>

#include "edit/recording.h"
#include "edit/slot_rules.h"

namespace qzt {

int64_t saturatingAdd(int64_t a, int64_t b) {
    if (b > 0 && a > INT64_MAX - b) return INT64_MAX;
    if (b < 0 && a < INT64_MIN - b) return INT64_MIN;
    return a + b;
}

// Within one movement every step goes the same way, so saturating once at
// the end is saturating at each step. elapsed x delta stays within 2^62.
Point64 MotionSegment::positionAfter(int64_t elapsed) const {
    return {saturatingAdd(start.x, elapsed * delta.x), saturatingAdd(start.y, elapsed * delta.y)};
}

EnemyMotion::EnemyMotion(const LevelDocument& doc, const Enemy& enemy)
    : placed_{enemy.x, enemy.y}, animationRate_(enemy.animationRate) {
    if (isUsedSlot(doc.imageSets, enemy.imageSet)) frameCount_ = doc.imageSets[enemy.imageSet].frameCount;
    if (!isUsedSlot(doc.programs, enemy.program)) return;
    const EnemyProgram& program = doc.programs[enemy.program];
    const int32_t count = std::clamp(program.movementCount, 0, MAX_MOVEMENTS);
    Point64 position = placed_;
    for (int32_t i = 0; i < count; ++i) {
        if (program.steps[i] <= 0) continue;
        const int32_t direction = program.direction[i];
        const int64_t speed = enemy.speed;
        const Point64 delta{directionDx(direction) * speed, directionDy(direction) * speed};
        const MotionSegment segment{i, cycleFrames_, program.steps[i], position, delta, program.firstFrame[i],
                                    program.lastFrame[i]};
        segments_.push_back(segment);
        position = segment.positionAfter(segment.steps);
        cycleFrames_ += segment.steps;
    }
}

// The image set's frame `elapsed` frames into the movement: from the first
// frame on, one further every animationRate frames, back to the first after
// the last.
int32_t EnemyMotion::frameShown(const MotionSegment& segment, int64_t elapsed) const {
    int64_t frame = segment.firstFrame;
    if (animationRate_ > 0 && segment.lastFrame >= segment.firstFrame)
        frame += elapsed / animationRate_ % (int64_t(segment.lastFrame) - segment.firstFrame + 1);
    return frame >= 0 && frame < frameCount_ ? int32_t(frame) : 0;
}

MotionPose EnemyMotion::at(int64_t frame) const {
    if (segments_.empty()) return {placed_, 0, -1};
    // t frames into the current run: the placed position and t steps on.
    int64_t t = frame % cycleFrames_;
    if (t < 0) t += cycleFrames_;
    // The segment holding step t: the last one to begin at or before it.
    const auto beginsAfter = [](int64_t step, const MotionSegment& s) { return step < s.startFrame; };
    const MotionSegment& segment = *(std::upper_bound(segments_.begin(), segments_.end(), t, beginsAfter) - 1);
    const int64_t elapsed = t - segment.startFrame;
    return {segment.positionAfter(elapsed), frameShown(segment, elapsed), segment.movement};
}

}  // namespace qzt
