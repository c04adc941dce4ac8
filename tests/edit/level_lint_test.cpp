// The level check's rules: a clean level has no finding, and each fault put
// into it gives exactly its own finding, with its place and numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "edit/level_lint.h"

namespace qzt {
namespace {

// On a 640 x 800 bitmap (level rows 0 to 602): image sets 0 and 1, four and
// five 30 x 20 frames from (0, 0) and (0, 30); program 0 goes 10 steps RIGHT
// then 10 LEFT on frames 0 to 3; enemies 0 and 1 run it at speed 2 with image
// set 0, boxes 32 x 22, and enemy 2 with image set 1 where enemy 0 stands.
struct CleanLevel {
    LevelDocument doc;
    LintFacts facts{BitmapSize{640, 800}, [](const char* path) { return std::strcmp(path, "gone.wav") != 0; }};

    CleanLevel() {
        doc.imageSets[0] = ImageSet{0, 0, 30, 20, 4, 0, 1};
        doc.imageSets[1] = ImageSet{0, 30, 30, 20, 5, 1, 1};
        EnemyProgram& program = doc.programs[0];
        program.used = 1;
        program.movementCount = 2;
        for (int m : {0, 1}) {
            program.direction[m] = m == 0 ? RIGHT : LEFT;
            program.steps[m] = 10;
            program.lastFrame[m] = 3;
        }
        doc.enemies[0] = Enemy{100, 100, 0, 5, 1, 2, 0, 1};
        doc.enemies[1] = Enemy{300, 200, 0, 5, 1, 2, 0, 1};
        doc.enemies[2] = Enemy{100, 100, 1, 5, 1, 2, 0, 1};
        doc.enemyCount = 3;
    }

    std::vector<std::string> findings() const {
        std::vector<std::string> said;
        for (const LintFinding& f : lintLevel(doc, facts))
            said.push_back(std::string(lintRuleId(f.rule)) + " (" + lintPlaceText(f) + ") m" + std::to_string(f.movement) +
                           " f" + std::to_string(f.frame) + ": " + f.message);
        return said;
    }
};

TEST(LevelLint, EachFaultGivesItsOwnFindingAndNothingElse) {
    using Fault = std::function<void(LevelDocument&)>;
    const std::pair<Fault, std::string> cases[] = {
        {[](LevelDocument&) {}, ""},
        {[](LevelDocument& d) { d.enemies[1].imageSet = -1; },
         "enemy-image-set-missing (enemy 1) m-1 f-1: image set -1 is not a slot (0 to 14)"},
        {[](LevelDocument& d) { d.enemies[1].program = 7; }, "enemy-program-missing (enemy 1) m-1 f-1: program 7 is not in use"},
        {[](LevelDocument& d) { d.imageSets[0].x = 515; }, ""},  // the strip's last column is 639
        {[](LevelDocument& d) { d.imageSets[0].x = 516; },
         "image-set-outside-bitmap (image set 0) m-1 f-1: frames 0 to 3 cover columns 516 to 640 and rows 0 to 21; "
         "the bitmap has columns 0 to 639 and rows 0 to 799"},
        // Enemies 0 and 1 run it with image set 0: one finding.
        {[](LevelDocument& d) { d.programs[0].lastFrame[1] = 4; },
         "frame-outside-image-set (program 0, movement 1) m1 f-1: shows frames 0 to 4, but enemy 0 runs it with "
         "image set 0, which has frames 0 to 3"},
        {[](LevelDocument& d) { d.enemies[1].y = 581; }, ""},  // the box's last row is 602
        {[](LevelDocument& d) { d.enemies[1].y = 582; },
         "enemy-outside-level (enemy 1) m-1 f-1: its box covers columns 300 to 331 and rows 582 to 603; the level "
         "has columns 0 to 639 and rows 0 to 602"},
        // Moving 10 steps RIGHT then LEFT from column 588, the box reaches column 639 at frame 10.
        {[](LevelDocument& d) { d.enemies[1].x = 588; }, ""},
        {[](LevelDocument& d) { d.enemies[1].x = 589; },
         "path-leaves-level (enemy 1) m1 f10: at frame 10, in movement 1, its box covers columns 609 to 640 and rows "
         "200 to 221; the level has columns 0 to 639 and rows 0 to 602"},
        {[](LevelDocument& d) { d.enemies[1].speed = 40; },
         "path-leaves-level (enemy 1) m0 f8: at frame 8, in movement 0, its box covers columns 620 to 651 and rows 200 "
         "to 221; the level has columns 0 to 639 and rows 0 to 602"},
        {[](LevelDocument& d) {
             d.programs[0].direction[0] = STOP;
             d.programs[0].steps[0] = INT32_MAX;
             d.enemies[1].x = 10;
         },
         "path-leaves-level (enemy 1) m1 f2147483653: at frame 2147483653, in movement 1, its box covers columns -2 to "
         "29 and rows 200 to 221; the level has columns 0 to 639 and rows 0 to 602"},
        // The run's last step lands on the next run's first frame, back where the enemy is placed.
        {[](LevelDocument& d) {
             d.programs[0].steps[1] = 11;
             d.enemies[1].x = 0;
         },
         ""},
        {[](LevelDocument& d) { d.imageSets[2] = d.imageSets[0]; },
         "image-set-unused (image set 2) m-1 f-1: no enemy is drawn with it"},
        {[](LevelDocument& d) { d.programs[3] = d.programs[0]; },
         "program-unused (program 3) m-1 f-1: no enemy runs it"},
        {[](LevelDocument& d) { d.enemies[1] = d.enemies[0]; },
         "enemies-stacked (enemy 1) m-1 f-1: stands on enemy 0: both at (100, 100) with image set 0"},
        {[](LevelDocument& d) { d.programs[0].direction[1] = 12; },
         "direction-unknown (program 0, movement 1) m1 f-1: direction 12 is none of 1 to 9"},
        // A skipped movement needs no animation rate.
        {[](LevelDocument& d) {
             d.programs[0].steps[1] = 0;
             d.programs[0].lastFrame[0] = 0;
             d.enemies[1].animationRate = 0;
         },
         "steps-not-positive (program 0, movement 1) m1 f-1: 0 steps: the game skips the movement"},
        {[](LevelDocument& d) { d.enemies[1].speed = 0; },
         "speed-not-positive (enemy 1) m0 f-1: speed 0, but movement 0 of program 0 goes RIGHT for 10 steps"},
        {[](LevelDocument& d) { d.enemies[1].animationRate = 0; },
         "animation-rate-not-positive (enemy 1) m0 f-1: animation rate 0, but movement 0 of program 0 cycles frames 0 to 3"},
        // Standing on one frame, an enemy needs neither.
        {[](LevelDocument& d) {
             d.enemies[1].speed = d.enemies[1].animationRate = 0;
             d.programs[0].direction[0] = d.programs[0].direction[1] = STOP;
             d.programs[0].lastFrame[0] = d.programs[0].lastFrame[1] = 0;
         },
         ""},
        {[](LevelDocument& d) { setHeaderText(d.header.loseSoundPath, "gone.wav"); },
         "file-missing (header) m-1 f-1: loseSoundPath (line 7) \"gone.wav\" names no file beside the level"},
    };
    for (const auto& [fault, finding] : cases) {
        CleanLevel level;
        fault(level.doc);
        EXPECT_EQ(level.findings(), finding.empty() ? std::vector<std::string>{} : std::vector<std::string>{finding});
    }
}

// Header, programs, enemies, image sets; a program's movements after its own.
// Without a bitmap or a way to look for files, the rules that need them do not run.
TEST(LevelLint, FindingsComeInTheDataFilesOrderAndOnlyRulesWithTheirFactsRun) {
    CleanLevel level;
    LevelDocument& doc = level.doc;
    setHeaderText(doc.header.musicPath, "gone.wav");
    doc.imageSets[3] = doc.imageSets[0];
    doc.imageSets[0].x = -1;
    doc.enemies[4] = Enemy{-5, 0, 3, 0, 1, 2, 2, 1};
    doc.programs[2] = doc.programs[0];
    doc.programs[2].steps[0] = -3;
    doc.programs[2].lastFrame[1] = 9;
    const auto ids = [&level] {
        std::vector<std::string> rules;
        for (const LintFinding& f : lintLevel(level.doc, level.facts))
            rules.push_back(std::string(lintRuleId(f.rule)) + " " + lintPlaceText(f));
        return rules;
    };
    EXPECT_EQ(ids(), (std::vector<std::string>{
                         "file-missing header", "steps-not-positive program 2, movement 0",
                         "frame-outside-image-set program 2, movement 1", "enemy-outside-level enemy 4",
                         "animation-rate-not-positive enemy 4", "image-set-outside-bitmap image set 0"}));
    level.facts = LintFacts{};
    EXPECT_EQ(ids(), (std::vector<std::string>{"steps-not-positive program 2, movement 0",
                                               "frame-outside-image-set program 2, movement 1",
                                               "animation-rate-not-positive enemy 4"}));
}

}  // namespace
}  // namespace qzt
