// What Copy takes out of a level and how Paste puts it into one (the same
// level or another): the items are a document of their own whose used slots
// are the ones copied, as in the level they came from.
#pragma once

#include <memory>
#include <optional>

#include "edit/editor_state.h"
#include "edit/view_geometry.h"
#include "level/level_document.h"

namespace qzt {

// The selected enemies with every image set and program they use; else the
// selected image set alone. No used slot when nothing is selected.
std::unique_ptr<LevelDocument> copiedItems(const LevelDocument& doc, const EditorState& state);

// How far from where they were copied pasted items go, each way, when they
// are not put at the pointer.
constexpr int PasteOffset = 8;

enum class PasteOutcome { Pasted, NothingToPaste, TooManyImageSets, TooManyPrograms, TooManyEnemies };

// Each image set and program reuses a used slot of doc whose content is the
// same, or else takes the lowest free one; the enemies take the lowest free
// enemy slots and are counted, as New Enemy's are, and refer to their image
// sets and programs where those went. The enemies keep their distances; the
// first one's top-left corner (or the lone image set's) goes to `at` when
// given (level coordinates for enemies, bitmap ones for an image set), else
// PasteOffset right and down; positions saturate. The pasted items become the
// selection. When any kind has too few free slots nothing changes.
PasteOutcome pasteItems(LevelDocument& doc, EditorState& state, const LevelDocument& items,
                        std::optional<Point64> at);

}  // namespace qzt
