// The level check: faults of a level that loads, which the game would show
// wrongly or never use. Cheap enough to run after every edit; nothing here
// touches a file: the caller tells the bitmap's size and whether a header
// path names a file beside the level.
//
// Boxes are half-open pixel rectangles. An enemy's box is the (width + 2) x
// (height + 2) pixels of its image set that the view copies: level columns x
// to x + width + 1 and rows y to y + height + 1. The level area is level
// columns 0 to bitmap width - 1 and rows 0 to bitmap height - 198. An enemy
// whose image set is not in use has no box, so no place in the level. A path
// is where the motion model has the enemy at frames 0 to the end of one run
// of its program; an enemy placed outside the level has no path finding.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "level/level_document.h"

namespace qzt {

enum class LintSeverity { Error, Warning };

// The order of findings of one place.
enum class LintRule {
    EnemyImageSetMissing,
    EnemyProgramMissing,
    ImageSetOutsideBitmap,
    FrameOutsideImageSet,
    EnemyOutsideLevel,
    PathLeavesLevel,
    ImageSetUnused,
    ProgramUnused,
    EnemiesStacked,
    DirectionUnknown,
    StepsNotPositive,
    SpeedNotPositive,
    AnimationRateNotPositive,
    FileMissing,
};
constexpr int LintRuleCount = 14;

// The rule's id, e.g. "enemy-image-set-missing".
const char* lintRuleId(LintRule rule);
LintSeverity lintSeverity(LintRule rule);

// What a finding is about, in the order the data file lists them.
enum class LintKind { Header, Program, Enemy, ImageSet };

struct LintFinding {
    LintRule rule = LintRule::FileMissing;
    LintKind kind = LintKind::Header;
    int slot = -1;       // the program, enemy or image set; -1 for the header
    int movement = -1;   // of the program, or of the enemy's program; -1 when none applies
    int64_t frame = -1;  // the game frame (60 a second) a path leaves the level at; -1 otherwise
    std::string message;

    LintSeverity severity() const { return lintSeverity(rule); }
};

// Where a finding is: "header", "enemy 3", "image set 0", "program 2, movement 1".
std::string lintPlaceText(const LintFinding& finding);

// "error" or "warning".
const char* lintSeverityText(LintSeverity severity);
// The finding as "qztlevel lint" and the Level Check window show it:
// "error enemy-program-missing: program 7 is not in use (enemy 1)".
std::string lintFindingText(const LintFinding& finding);

struct BitmapSize {
    int64_t width = 0;
    int64_t rows = 0;
};

struct LintFacts {
    // None: the rules that need the bitmap or the level area are not run.
    std::optional<BitmapSize> bitmap;
    // Whether a music or sound path of the header names a file beside the
    // level; none: file-missing is not run.
    std::function<bool(const char* headerPath)> namesFile;
};

// The findings of the level: header, programs, enemies, image sets, each in
// slot order. A place's findings come in rule order, except that a program's
// movements come after the program's own, movement by movement.
std::vector<LintFinding> lintLevel(const LevelDocument& doc, const LintFacts& facts);

}  // namespace qzt
