// A picture as 8-bit red, green and blue bytes, rows from the top, no padding:
// the form the decoder gives, the renderer draws on and PNG writers take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qzt {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;  // black until drawn on

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), bytes(size_t(w) * size_t(h) * 3, 0) {}

    size_t rowBytes() const { return size_t(width) * 3; }
    uint8_t* row(int y) { return bytes.data() + size_t(y) * rowBytes(); }
    const uint8_t* row(int y) const { return bytes.data() + size_t(y) * rowBytes(); }
    Rgb at(int x, int y) const {
        const uint8_t* p = row(y) + size_t(x) * 3;
        return {p[0], p[1], p[2]};
    }
    void set(int x, int y, Rgb c) {
        uint8_t* p = row(y) + size_t(x) * 3;
        p[0] = c.red, p[1] = c.green, p[2] = c.blue;
    }
};

// Every pixel made a factor x factor block (nearest neighbour).
RgbImage scaledUp(const RgbImage& image, int factor);

// A rectangle of pixels (x, y) to (x + width, y + height), exclusive, lying
// inside the image.
struct PixelArea {
    int x = 0, y = 0, width = 0, height = 0;
};
RgbImage cropped(const RgbImage& image, PixelArea area);

}  // namespace qzt
