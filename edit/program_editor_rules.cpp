#include "edit/program_editor_rules.h"

#include "edit/slot_rules.h"
#include "level/decimal.h"

namespace qzt {
namespace {

EnemyProgram* openProgram(LevelDocument& doc, int32_t editorProgram) {
    return const_cast<EnemyProgram*>(openProgram(static_cast<const LevelDocument&>(doc), editorProgram));
}

// The stored value of a list, and back: the item standing for it or -1.
int itemOf(int32_t value, int firstValue, int items) {
    const int64_t item = int64_t(value) - firstValue;
    return item >= 0 && item < items ? int(item) : -1;
}

// The movement a control may change, or null.
EnemyProgram* writableMovement(LevelDocument& doc, int32_t editorProgram, int m) {
    EnemyProgram* program = openProgram(doc, editorProgram);
    return program && m >= 0 && m < recordedMovements(doc, editorProgram) ? program : nullptr;
}

}  // namespace

const EnemyProgram* openProgram(const LevelDocument& doc, int32_t editorProgram) {
    if (!isUsedSlot(doc.programs, editorProgram)) return nullptr;
    return &doc.programs[editorProgram];
}

int recordedMovements(const LevelDocument& doc, int32_t editorProgram) {
    const EnemyProgram* program = openProgram(doc, editorProgram);
    if (!program || program->movementCount < 0) return 0;
    return program->movementCount < MAX_MOVEMENTS ? program->movementCount : MAX_MOVEMENTS;
}

int32_t addProgram(LevelDocument& doc, int32_t& editorProgram) {
    const int slot = lowestFreeProgram(doc);
    if (slot < 0) return -1;
    doc.programs[slot].used = 1;
    doc.programs[slot].movementCount = 0;
    editorProgram = slot;
    return slot;
}

int addMovement(LevelDocument& doc, int32_t editorProgram) {
    EnemyProgram* program = openProgram(doc, editorProgram);
    const int n = recordedMovements(doc, editorProgram);
    if (!program || n >= MAX_MOVEMENTS) return -1;
    program->direction[n] = STOP;
    program->steps[n] = 10;
    program->firstFrame[n] = 0;
    program->lastFrame[n] = 0;
    program->movementCount = n + 1;
    return n;
}

bool openListedProgram(int32_t& editorProgram, const char* itemText) {
    if (!itemText) return false;
    const int32_t slot = parseDecimal(itemText);
    if (!isSlot(slot, MAX_PROGRAMS)) return false;
    editorProgram = slot;
    return true;
}

std::optional<MovementItems> movementItems(const LevelDocument& doc, int32_t editorProgram, int m) {
    const EnemyProgram* program = openProgram(doc, editorProgram);
    if (!program || m < 0 || m >= recordedMovements(doc, editorProgram)) return std::nullopt;
    MovementItems items;
    items.frameX = itemOf(program->firstFrame[m], 0, FrameItemCount);
    items.frameY = itemOf(program->lastFrame[m], 0, FrameItemCount);
    items.direction = itemOf(program->direction[m], DOWNLEFT, DirectionItemCount);
    items.steps = program->steps[m];
    return items;
}

bool storeListItem(LevelDocument& doc, int32_t editorProgram, int m, MovementList list, int item) {
    EnemyProgram* program = writableMovement(doc, editorProgram, m);
    const int items = list == MovementList::Direction ? DirectionItemCount : FrameItemCount;
    if (!program || item < 0 || item >= items) return false;
    switch (list) {
    case MovementList::FrameX: program->firstFrame[m] = item; break;
    case MovementList::FrameY: program->lastFrame[m] = item; break;
    case MovementList::Direction: program->direction[m] = DOWNLEFT + item; break;
    }
    return true;
}

bool storeSteps(LevelDocument& doc, int32_t editorProgram, int m, const char* text) {
    EnemyProgram* program = writableMovement(doc, editorProgram, m);
    if (!program) return false;
    program->steps[m] = parseDecimal(text);
    return true;
}

DeleteOutcome deleteOpenProgram(LevelDocument& doc, int32_t& editorProgram) {
    EnemyProgram* program = openProgram(doc, editorProgram);
    if (!program) return DeleteOutcome::NothingOpen;
    if (programInUse(doc, editorProgram)) return DeleteOutcome::InUse;
    program->used = 0;
    editorProgram = NoOpenProgram;
    return DeleteOutcome::Deleted;
}

}  // namespace qzt
