#include "gfx/bmp_rle.h"

#include <algorithm>

namespace qzt {
namespace {

constexpr uint8_t Escape = 0;
constexpr uint8_t EndOfLine = 0;
constexpr uint8_t EndOfBitmap = 1;
constexpr uint8_t Delta = 2;

// Where the next pixel goes. Pixels past the right edge are dropped, never
// wrapped onto the next row; x stops at the width so that it cannot overflow.
class RleCursor {
public:
    RleCursor(const ColourTable& colours, RgbImage& image) : colours_(colours), image_(image) {}

    bool insideRows() const { return line_ < image_.height; }
    void endLine() { x_ = 0, ++line_; }
    void move(int dx, int dy) { x_ = std::min(x_ + dx, image_.width), line_ += dy; }
    // count pixels alternating between two indexes (the same one for RLE8).
    void run(int count, uint8_t first, uint8_t second) {
        const Rgb colour[2] = {colours_[first], colours_[second]};
        put(count, [&](int i) { return colour[i & 1]; });
    }
    // count indexes of 8 or 4 bits, the high nibble first.
    void block(const uint8_t* indexes, int count, int bits) {
        if (bits == 8) put(count, [&](int i) { return colours_[indexes[i]]; });
        else put(count, [&](int i) { return colours_[i & 1 ? indexes[i / 2] & 0x0F : indexes[i / 2] >> 4]; });
    }

private:
    template <typename ColourOf>
    void put(int count, ColourOf colourOf) {
        if (!insideRows()) return;
        const int n = std::min(count, image_.width - x_);
        uint8_t* p = image_.row(image_.height - 1 - line_) + size_t(x_) * 3;
        for (int i = 0; i < n; ++i, p += 3) {
            const Rgb c = colourOf(i);
            p[0] = c.red, p[1] = c.green, p[2] = c.blue;
        }
        x_ += n;
    }

    const ColourTable& colours_;
    RgbImage& image_;
    int x_ = 0;
    int line_ = 0;  // rows of runs in file order
};

}  // namespace

void drawRle(const RleSource& source, const ColourTable& colours, RgbImage& image) {
    RleCursor cursor(colours, image);
    const uint8_t* p = source.data;
    const uint8_t* const end = source.data + source.size;
    const bool rle8 = source.bitsPerIndex == 8;
    while (end - p >= 2 && cursor.insideRows()) {
        const uint8_t count = p[0], value = p[1];
        p += 2;
        if (count != Escape) {
            if (rle8) cursor.run(count, value, value);
            else cursor.run(count, value >> 4, value & 0x0F);
        } else if (value == EndOfLine) {
            cursor.endLine();
        } else if (value == EndOfBitmap) {
            return;
        } else if (value == Delta) {
            if (end - p < 2) return;
            cursor.move(p[0], p[1]);
            p += 2;
        } else {
            // An absolute block of `value` indexes, padded to a whole word; a
            // block cut short by the end of the data gives what it holds.
            const size_t bytes = rle8 ? value : (size_t(value) + 1) / 2;
            const size_t held = std::min(size_t(end - p), bytes);
            cursor.block(p, int(std::min<size_t>(value, held * (rle8 ? 1 : 2))), source.bitsPerIndex);
            p += std::min(size_t(end - p), bytes + (bytes & 1));
        }
    }
}

}  // namespace qzt
