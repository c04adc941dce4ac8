// What the Create New Enemy window makes of its choices: only used slots
// become an enemy's image set or program.
#pragma once

#include <cstdint>

#include "level/level_document.h"

namespace qzt {

// The used slot a list item names; -1 without an item (null) or when the
// item names no used slot, e.g. after another level was opened.
int32_t listedImageSet(const LevelDocument& doc, const char* itemText);
int32_t listedProgram(const LevelDocument& doc, const char* itemText);

struct NewEnemyChoice {
    int32_t imageSet = -1;  // -1: none chosen
    int32_t program = -1;
    int32_t hitPoints = 0;
    int32_t speed = 0;
    int32_t animationRate = 0;
};

enum class NewEnemyOutcome { Created, NoFreeSlot, NothingChosen };

// The lowest free enemy slot gets the choice at position (1, 1) and is
// counted. A full level, or a choice without a used image set and program,
// changes nothing.
NewEnemyOutcome createEnemy(LevelDocument& doc, const NewEnemyChoice& choice);

}  // namespace qzt
