// PNG files of pictures, written like a level: whole or not at all.
#pragma once

#include <string>

#include "gfx/rgb_image.h"

namespace qzt {

// The picture as PNG bytes; empty when the encoder fails.
std::string encodePng(const RgbImage& picture);

// Writes the PNG in path's place; on failure path is untouched and why says why.
bool writePngFile(const char* path, const RgbImage& picture, std::string& why);

}  // namespace qzt
