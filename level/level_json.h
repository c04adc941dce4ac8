// A level as JSON: the header, the used image sets, programs and enemies by
// slot, as "qztlevel info" prints it (with the bitmap's facts added) and as
// the editor's clipboard carries the items it copies.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "level/level_document.h"

namespace qzt {

// Texts of the level are bytes without an encoding: each byte becomes the
// character of the same code (U+0000..U+00FF), so no byte is lost and any
// byte can be recovered from the JSON.
std::string bytesAsUtf8(const std::string& bytes);

// Header, used image sets, programs and enemies, and enemyCount.
nlohmann::ordered_json levelJson(const LevelDocument& doc);

// Just the used image sets, programs and enemies: {"imageSets": [...],
// "programs": [...], "enemies": [...]}.
nlohmann::ordered_json levelItemsJson(const LevelDocument& items);

}  // namespace qzt
