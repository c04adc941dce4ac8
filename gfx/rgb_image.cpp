#include "gfx/rgb_image.h"

#include <cstring>

namespace qzt {

RgbImage scaledUp(const RgbImage& image, int factor) {
    if (factor == 1) return image;
    RgbImage big(image.width * factor, image.height * factor);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* from = image.row(y);
        uint8_t* first = big.row(y * factor);
        for (int x = 0; x < image.width; ++x)
            for (int i = 0; i < factor; ++i) std::memcpy(first + (size_t(x) * factor + i) * 3, from + size_t(x) * 3, 3);
        for (int i = 1; i < factor; ++i) std::memcpy(big.row(y * factor + i), first, big.rowBytes());
    }
    return big;
}

RgbImage cropped(const RgbImage& image, PixelArea area) {
    RgbImage part(area.width, area.height);
    for (int y = 0; y < area.height; ++y)
        std::memcpy(part.row(y), image.row(area.y + y) + size_t(area.x) * 3, part.rowBytes());
    return part;
}

}  // namespace qzt
