// The JSON description of a loaded level that "qztlevel info" prints.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "gfx/bmp_file.h"
#include "level/level_document.h"

namespace qzt {

// Texts of the level are bytes without an encoding: each byte becomes the
// character of the same code (U+0000..U+00FF), so no byte is lost and any
// byte can be recovered from the JSON.
std::string bytesAsUtf8(const std::string& bytes);

// Header, used image sets, programs and enemies, enemyCount and the bitmap.
nlohmann::ordered_json levelInfoJson(const LevelDocument& doc, const std::string& bitmapPath,
                                     const BmpImage& bitmap);

}  // namespace qzt
