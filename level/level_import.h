// The way back from a level's JSON (level/level_json.h) to a document.
#pragma once

#include <string>

#include "level/level_document.h"

namespace qzt {

// Fills doc, fresh, from JSON text of the shape "qztlevel info" prints: the
// bitmap facts are ignored, keyword and enemyCount may be left out and must
// agree when given. Texts go back to bytes, one per character U+0001..U+00FF.
// Returns the first fault ("imageSets[2].slot: 17 is not a slot (0..14)"),
// or empty when doc holds the level.
std::string levelFromJsonText(const std::string& text, LevelDocument& doc);

// Fills items, fresh, from JSON text of the items alone (levelItemsJson's
// shape), checked as a level's; the same result.
std::string levelItemsFromJsonText(const std::string& text, LevelDocument& items);

}  // namespace qzt
