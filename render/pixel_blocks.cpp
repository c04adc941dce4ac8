#include "render/pixel_blocks.h"

#include <cstring>

namespace qzt {

void magnifyPixels(const uint32_t* source, int width, int height, int factor, uint32_t* target) {
    const size_t targetWidth = size_t(width) * size_t(factor);
    for (int y = 0; y < height; ++y) {
        const uint32_t* from = source + size_t(y) * size_t(width);
        uint32_t* row = target + size_t(y) * size_t(factor) * targetWidth;
        uint32_t* out = row;
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = from[x];
            for (int k = 0; k < factor; ++k) *out++ = colour;
        }
        // The block's other rows are the first one's.
        for (int copy = 1; copy < factor; ++copy) std::memcpy(row + size_t(copy) * targetWidth, row, targetWidth * 4);
    }
}

}  // namespace qzt
