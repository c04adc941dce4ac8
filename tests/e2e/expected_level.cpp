// The level that editor_e2e.sh's session must save, as the core writer
// writes it: the level read from IN with the session's edits.
//   expected_level IN OUT TITLE BONUS IMAGESET PROGRAM HITPOINTS SPEED RATE DIRECTION STEPS FIRST LAST X Y
// A new program, with the one movement given, takes the lowest free program
// slot; a new enemy at (1, 1) the lowest free enemy slot; enemy 0 moves to
// (X, Y).
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "edit/slot_rules.h"
#include "gfx/offscreen_load_steps.h"
#include "level/dat_writer.h"

int main(int argc, char** argv) {
    using namespace qzt;
    if (argc != 16) {
        std::fprintf(stderr, "usage: expected_level IN OUT TITLE BONUS IMAGESET PROGRAM HITPOINTS SPEED RATE "
                             "DIRECTION STEPS FIRST LAST X Y\n");
        return 2;
    }
    const auto number = [&](int i) { return std::atoi(argv[i]); };
    auto doc = std::make_unique<LevelDocument>();
    OffscreenLoadSteps steps;
    if (loadLevelFile(argv[1], *doc, steps) != LoadOk) {
        std::fprintf(stderr, "expected_level: %s does not load\n", argv[1]);
        return 1;
    }
    setHeaderText(doc->header.title, argv[3]);
    doc->header.timeBonus = number(4);

    const int programSlot = lowestFreeProgram(*doc), enemySlot = lowestFreeEnemy(*doc);
    if (programSlot < 0 || enemySlot < 0) {
        std::fprintf(stderr, "expected_level: no free program or enemy slot\n");
        return 1;
    }
    EnemyProgram& program = doc->programs[programSlot];
    program.used = 1;
    program.movementCount = 1;
    program.direction[0] = number(10);
    program.steps[0] = number(11);
    program.firstFrame[0] = number(12);
    program.lastFrame[0] = number(13);

    Enemy& enemy = doc->enemies[enemySlot];
    enemy.used = 1;
    enemy.x = 1;
    enemy.y = 1;
    enemy.imageSet = number(5);
    enemy.program = number(6);
    enemy.hitPoints = number(7);
    enemy.speed = number(8);
    enemy.animationRate = number(9);
    ++doc->enemyCount;
    doc->enemies[0].x = number(14);
    doc->enemies[0].y = number(15);

    const SaveOutcome saved = saveLevelFile(argv[2], *doc);
    if (!saved.ok) std::fprintf(stderr, "expected_level: %s\n", saved.why.c_str());
    return saved.ok ? 0 : 1;
}
