// What each control of the Edit Enemy Program window does to the programs.
// The editor has one program open, editorProgram: -1 for none, else a slot
// from 0 to 14. Only a used open program is ever read or written, and only
// its recorded movements.
#pragma once

#include <cstdint>
#include <optional>

#include "level/level_document.h"

namespace qzt {

constexpr int32_t NoOpenProgram = -1;

// The frame lists hold "0" to "7"; the direction list the nine keywords in
// code order, item i standing for code i + 1.
constexpr int FrameItemCount = 8;
constexpr int DirectionItemCount = 9;

// Null while editorProgram names no used slot: none open, deleted elsewhere
// or another level opened since.
const EnemyProgram* openProgram(const LevelDocument& doc, int32_t editorProgram);

// The movements that exist to be listed, read and written.
int recordedMovements(const LevelDocument& doc, int32_t editorProgram);

// "Add Prog": the lowest free slot becomes a used program without movements
// and the open one. Returns it, or -1 with nothing changed when all are used.
int32_t addProgram(LevelDocument& doc, int32_t& editorProgram);

// "Add": appends a STOP movement of 10 steps on frames 0 to 0 to the open
// program. Returns its index, or -1 when none is open or it is full.
int addMovement(LevelDocument& doc, int32_t editorProgram);

// The program list's selected item opens the slot it names; without an item
// or with one naming no slot nothing changes and the result is false.
bool openListedProgram(int32_t& editorProgram, const char* itemText);

// Movement m as the controls show it: list positions, -1 where the stored
// value has no item.
struct MovementItems {
    int frameX = -1;
    int frameY = -1;
    int direction = -1;
    int32_t steps = 0;
};
std::optional<MovementItems> movementItems(const LevelDocument& doc, int32_t editorProgram, int m);

enum class MovementList { FrameX, FrameY, Direction };

// A list's selected item (-1 for none) stored into movement m. Without an
// item or a recorded movement m nothing changes and the result is false.
bool storeListItem(LevelDocument& doc, int32_t editorProgram, int m, MovementList list, int item);
// The steps box's text, as a number, into movement m; the same guards.
bool storeSteps(LevelDocument& doc, int32_t editorProgram, int m, const char* text);

enum class DeleteOutcome { Deleted, InUse, NothingOpen };

// "Delete Prog": frees the open program's slot (its movements stay) and
// closes it, unless a used enemy runs it.
DeleteOutcome deleteOpenProgram(LevelDocument& doc, int32_t& editorProgram);

}  // namespace qzt
