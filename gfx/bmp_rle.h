// Run-length encoded pixels (BI_RLE8, BI_RLE4) drawn onto a black picture.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "gfx/rgb_image.h"

namespace qzt {

using ColourTable = std::array<Rgb, 256>;  // black past the file's colours

struct RleSource {
    const uint8_t* data;
    size_t size;        // the runs end here at the latest
    int bitsPerIndex;   // 8 or 4
};

// Runs start at the picture's last row. Pixels that no run reaches stay as they are.
void drawRle(const RleSource& source, const ColourTable& colours, RgbImage& image);

}  // namespace qzt
