#include "edit/level_lint.h"

#include <algorithm>
#include <bitset>
#include <cstdint>

#include "edit/motion.h"
#include "edit/recording.h"
#include "edit/slot_rules.h"

namespace qzt {
namespace {

struct RuleInfo {
    const char* id;
    LintSeverity severity;
};

constexpr RuleInfo Rules[LintRuleCount] = {
    {"enemy-image-set-missing", LintSeverity::Error},
    {"enemy-program-missing", LintSeverity::Error},
    {"image-set-outside-bitmap", LintSeverity::Error},
    {"frame-outside-image-set", LintSeverity::Error},
    {"enemy-outside-level", LintSeverity::Warning},
    {"path-leaves-level", LintSeverity::Warning},
    {"image-set-unused", LintSeverity::Warning},
    {"program-unused", LintSeverity::Warning},
    {"enemies-stacked", LintSeverity::Warning},
    {"direction-unknown", LintSeverity::Warning},
    {"steps-not-positive", LintSeverity::Warning},
    {"speed-not-positive", LintSeverity::Warning},
    {"animation-rate-not-positive", LintSeverity::Warning},
    {"file-missing", LintSeverity::Warning},
};

// The music and sound paths: header lines 4 to 8.
constexpr int FirstSoundField = 3;
constexpr int SoundFieldEnd = 8;

// A half-open pixel rectangle, 64-bit: sizes from the file reach past 32 bits.
struct Box {
    int64_t left, top, right, bottom;
    bool inside(const Box& area) const {
        return left >= area.left && top >= area.top && right <= area.right && bottom <= area.bottom;
    }
};

std::string span(const char* pixels, int64_t from, int64_t to) {
    if (to <= from) return std::string("no ") + pixels;
    return std::string(pixels) + " " + std::to_string(from) + " to " + std::to_string(to - 1);
}

std::string boxText(const Box& box) { return span("columns", box.left, box.right) + " and " + span("rows", box.top, box.bottom); }

// The view copies width + 2 by height + 2 pixels for a frame; a size below
// that copies nothing.
int64_t cellWidth(const ImageSet& set) { return std::max<int64_t>(int64_t(set.width) + 2, 0); }
int64_t cellHeight(const ImageSet& set) { return std::max<int64_t>(int64_t(set.height) + 2, 0); }

Box enemyBox(Point64 at, const ImageSet& set) { return {at.x, at.y, at.x + cellWidth(set), at.y + cellHeight(set)}; }

// Steps from `start` until a box of `size` moving `delta` a step leaves
// 0..limit - 1 on one axis, having started inside; INT64_MAX never.
int64_t stepsToLeave(int64_t start, int64_t delta, int64_t size, int64_t limit) {
    if (delta > 0) return (limit - size - start) / delta + 1;
    if (delta < 0) return start / -delta + 1;
    return INT64_MAX;
}

// Steps into the segment until the box is outside the area: 0 when it
// begins outside, at least segment.steps when it stays in.
int64_t stepsToLeave(const MotionSegment& segment, const Box& area, const ImageSet& set) {
    if (!enemyBox(segment.start, set).inside(area)) return 0;
    return std::min(stepsToLeave(segment.start.x, segment.delta.x, cellWidth(set), area.right),
                    stepsToLeave(segment.start.y, segment.delta.y, cellHeight(set), area.bottom));
}

// frameCount cells, each width + 1 right of the one before; at least the
// first frame, which the view draws whatever frameCount says.
int64_t stripFrames(const ImageSet& set) { return std::max<int64_t>(set.frameCount, 1); }
Box stripBox(const ImageSet& set) {
    const int64_t width = std::max<int64_t>(stripFrames(set) * (int64_t(set.width) + 1) + 1, 0);
    return {set.x, set.y, set.x + width, set.y + cellHeight(set)};
}

std::string framesText(int64_t first, int64_t last) {
    return first == last ? "frame " + std::to_string(first) : "frames " + std::to_string(first) + " to " + std::to_string(last);
}

// Why an enemy's image set or program names no record.
std::string missingText(const char* what, int32_t index, int slots) {
    const std::string named = std::string(what) + " " + std::to_string(index);
    if (!isSlot(index, slots)) return named + " is not a slot (0 to " + std::to_string(slots - 1) + ")";
    return named + " is not in use";
}

int movementCount(const EnemyProgram& program) { return std::clamp(program.movementCount, 0, MAX_MOVEMENTS); }

// The first movement that the game runs (steps > 0) and that has the trait; -1 when none.
template <typename Trait>
int firstRunMovement(const EnemyProgram& program, Trait trait) {
    for (int m = 0; m < movementCount(program); ++m)
        if (program.steps[m] > 0 && trait(m)) return m;
    return -1;
}

class Linter {
public:
    Linter(const LevelDocument& doc, const LintFacts& facts) : doc_(doc), facts_(facts) {}

    std::vector<LintFinding> run() {
        checkHeader();
        for (int p = 0; p < MAX_PROGRAMS; ++p)
            if (doc_.programs[p].used) checkProgram(p);
        for (int e = 0; e < MAX_ENEMIES; ++e)
            if (doc_.enemies[e].used) checkEnemy(e);
        for (int s = 0; s < MAX_IMAGE_SETS; ++s)
            if (doc_.imageSets[s].used) checkImageSet(s);
        return std::move(found_);
    }

private:
    void add(LintRule rule, LintKind kind, int slot, std::string message, int movement = -1, int64_t frame = -1) {
        found_.push_back({rule, kind, slot, movement, frame, std::move(message)});
    }

    void checkHeader() {
        if (!facts_.namesFile) return;
        for (int field = FirstSoundField; field < SoundFieldEnd; ++field) {
            const HeaderTextField& text = HeaderTextFields[field];
            const char* path = doc_.header.*text.text;
            if (facts_.namesFile(path)) continue;
            add(LintRule::FileMissing, LintKind::Header, -1,
                std::string(text.name) + " (line " + std::to_string(field + 1) + ") \"" + path +
                    "\" names no file beside the level");
        }
    }

    void checkProgram(int p) {
        if (!programInUse(doc_, p)) {
            add(LintRule::ProgramUnused, LintKind::Program, p, "no enemy runs it");
            return;
        }
        const EnemyProgram& program = doc_.programs[p];
        for (int m = 0; m < movementCount(program); ++m) {
            checkFrames(p, m);
            if (!directionKeyword(program.direction[m]))
                add(LintRule::DirectionUnknown, LintKind::Program, p,
                    "direction " + std::to_string(program.direction[m]) + " is none of 1 to 9", m);
            if (program.steps[m] <= 0)
                add(LintRule::StepsNotPositive, LintKind::Program, p,
                    std::to_string(program.steps[m]) + " steps: the game skips the movement", m);
        }
    }

    // Once for each image set that an enemy runs the program with.
    void checkFrames(int p, int m) {
        const EnemyProgram& program = doc_.programs[p];
        const int64_t first = program.firstFrame[m], last = program.lastFrame[m];
        std::bitset<MAX_IMAGE_SETS> seen;
        for (int e = 0; e < MAX_ENEMIES; ++e) {
            const Enemy& enemy = doc_.enemies[e];
            if (!enemy.used || enemy.program != p || !isUsedSlot(doc_.imageSets, enemy.imageSet) || seen[enemy.imageSet])
                continue;
            seen.set(enemy.imageSet);
            const int64_t count = doc_.imageSets[enemy.imageSet].frameCount;
            if (first >= 0 && last >= 0 && first < count && last < count) continue;
            const std::string has = count > 0 ? "has " + framesText(0, count - 1) : "has no frames (frameCount " + std::to_string(count) + ")";
            add(LintRule::FrameOutsideImageSet, LintKind::Program, p,
                "shows " + framesText(first, last) + ", but enemy " + std::to_string(e) + " runs it with image set " +
                    std::to_string(enemy.imageSet) + ", which " + has,
                m);
        }
    }

    void checkEnemy(int e) {
        const Enemy& enemy = doc_.enemies[e];
        if (!isUsedSlot(doc_.imageSets, enemy.imageSet))
            add(LintRule::EnemyImageSetMissing, LintKind::Enemy, e, missingText("image set", enemy.imageSet, MAX_IMAGE_SETS));
        if (!isUsedSlot(doc_.programs, enemy.program))
            add(LintRule::EnemyProgramMissing, LintKind::Enemy, e, missingText("program", enemy.program, MAX_PROGRAMS));
        checkPlace(e);
        checkStacked(e);
        if (isUsedSlot(doc_.programs, enemy.program)) checkRun(e);
    }

    void checkPlace(int e) {
        const Enemy& enemy = doc_.enemies[e];
        if (!facts_.bitmap || !isUsedSlot(doc_.imageSets, enemy.imageSet)) return;
        const Box area{0, 0, facts_.bitmap->width, facts_.bitmap->rows - LevelOriginRow};
        const ImageSet& set = doc_.imageSets[enemy.imageSet];
        const Box box = enemyBox({enemy.x, enemy.y}, set);
        if (!box.inside(area)) {
            add(LintRule::EnemyOutsideLevel, LintKind::Enemy, e,
                "its box covers " + boxText(box) + "; the level has " + boxText(area));
            return;
        }
        checkPath(e, area, set);
    }

    // Over the frames of one run: each segment shows its start and the
    // positions before its last step, which the next segment's start, or
    // the placed position of the next run, follows.
    void checkPath(int e, const Box& area, const ImageSet& set) {
        const EnemyMotion motion(doc_, doc_.enemies[e]);
        for (const MotionSegment& segment : motion.segments()) {
            const int64_t steps = stepsToLeave(segment, area, set);
            if (steps >= segment.steps) continue;
            const int64_t frame = segment.startFrame + steps;
            add(LintRule::PathLeavesLevel, LintKind::Enemy, e,
                "at frame " + std::to_string(frame) + ", in movement " + std::to_string(segment.movement) +
                    ", its box covers " + boxText(enemyBox(segment.positionAfter(steps), set)) + "; the level has " +
                    boxText(area),
                segment.movement, frame);
            return;
        }
    }

    void checkStacked(int e) {
        const Enemy& enemy = doc_.enemies[e];
        for (int below = 0; below < e; ++below) {
            const Enemy& other = doc_.enemies[below];
            if (!other.used || other.x != enemy.x || other.y != enemy.y || other.imageSet != enemy.imageSet) continue;
            add(LintRule::EnemiesStacked, LintKind::Enemy, e,
                "stands on enemy " + std::to_string(below) + ": both at (" + std::to_string(enemy.x) + ", " +
                    std::to_string(enemy.y) + ") with image set " + std::to_string(enemy.imageSet));
            return;
        }
    }

    // Speed and animation rate, where the enemy's program needs them.
    void checkRun(int e) {
        const Enemy& enemy = doc_.enemies[e];
        const EnemyProgram& program = doc_.programs[enemy.program];
        const std::string ofProgram = " of program " + std::to_string(enemy.program);
        const int moving = firstRunMovement(program, [&](int m) {
            return directionDx(program.direction[m]) != 0 || directionDy(program.direction[m]) != 0;
        });
        if (moving >= 0 && enemy.speed <= 0)
            add(LintRule::SpeedNotPositive, LintKind::Enemy, e,
                "speed " + std::to_string(enemy.speed) + ", but movement " + std::to_string(moving) + ofProgram +
                    " goes " + directionKeyword(program.direction[moving]) + " for " +
                    std::to_string(program.steps[moving]) + " steps",
                moving);
        const int animated = firstRunMovement(program, [&](int m) { return program.firstFrame[m] != program.lastFrame[m]; });
        if (animated >= 0 && enemy.animationRate <= 0)
            add(LintRule::AnimationRateNotPositive, LintKind::Enemy, e,
                "animation rate " + std::to_string(enemy.animationRate) + ", but movement " + std::to_string(animated) +
                    ofProgram + " cycles " + framesText(program.firstFrame[animated], program.lastFrame[animated]),
                animated);
    }

    void checkImageSet(int s) {
        const ImageSet& set = doc_.imageSets[s];
        if (facts_.bitmap) {
            const Box bitmap{0, 0, facts_.bitmap->width, facts_.bitmap->rows};
            const Box strip = stripBox(set);
            if (!strip.inside(bitmap))
                add(LintRule::ImageSetOutsideBitmap, LintKind::ImageSet, s,
                    framesText(0, stripFrames(set) - 1) + (stripFrames(set) == 1 ? " covers " : " cover ") +
                        boxText(strip) + "; the bitmap has " +
                        boxText(bitmap));
        }
        if (!imageSetInUse(doc_, s)) add(LintRule::ImageSetUnused, LintKind::ImageSet, s, "no enemy is drawn with it");
    }

    const LevelDocument& doc_;
    const LintFacts& facts_;
    std::vector<LintFinding> found_;
};

}  // namespace

const char* lintRuleId(LintRule rule) { return Rules[int(rule)].id; }
LintSeverity lintSeverity(LintRule rule) { return Rules[int(rule)].severity; }

std::string lintPlaceText(const LintFinding& finding) {
    const std::string slot = std::to_string(finding.slot);
    switch (finding.kind) {
    case LintKind::Header:
        return "header";
    case LintKind::Program:
        return "program " + slot + (finding.movement >= 0 ? ", movement " + std::to_string(finding.movement) : "");
    case LintKind::Enemy:
        return "enemy " + slot;
    case LintKind::ImageSet:
        return "image set " + slot;
    }
    return {};
}

const char* lintSeverityText(LintSeverity severity) { return severity == LintSeverity::Error ? "error" : "warning"; }

std::string lintFindingText(const LintFinding& finding) {
    return std::string(lintSeverityText(finding.severity())) + ' ' + lintRuleId(finding.rule) + ": " + finding.message +
           " (" + lintPlaceText(finding) + ")";
}

std::vector<LintFinding> lintLevel(const LevelDocument& doc, const LintFacts& facts) { return Linter(doc, facts).run(); }

}  // namespace qzt
