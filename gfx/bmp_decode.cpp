#include "gfx/bmp_decode.h"

#include <algorithm>
#include <cstdlib>

#include "gfx/bmp_rle.h"
#include "gfx/little_endian.h"

namespace qzt {
namespace {

ColourTable colourTableOf(const BmpImage& image) {
    ColourTable table{};
    for (size_t i = 0; i < image.palette.size() && i < table.size(); ++i)
        table[i] = {image.palette[i].red, image.palette[i].green, image.palette[i].blue};
    return table;
}

// One colour channel of a bit-field pixel: the bits under the mask, widened
// to 8 bits by repeating them (so all ones is 255) or cut to their top 8.
class Channel {
public:
    explicit Channel(uint32_t mask) : mask_(mask) {
        if (mask == 0) return;  // the reader refuses it; never search an empty mask
        while (!(mask >> shift_ & 1)) ++shift_;
        int bits = 0;
        while (bits + shift_ < 32 && mask >> (shift_ + bits)) ++bits;
        drop_ = std::max(bits - 8, 0);
        if (bits > 8) return;
        for (uint32_t value = 0; value < (1u << bits); ++value) {
            uint32_t widened = 0;
            int filled = 0;
            for (; filled < 8; filled += bits) widened = widened << bits | value;
            widen_[value] = uint8_t(widened >> (filled - 8));
        }
    }
    uint8_t of(uint32_t pixel) const {
        const uint32_t value = (pixel & mask_) >> shift_;
        return drop_ ? uint8_t(value >> drop_) : widen_[value];
    }

private:
    uint32_t mask_;
    int shift_ = 0;
    int drop_ = 0;
    uint8_t widen_[256] = {};
};

struct Masks {
    uint32_t red, green, blue;
};

Masks masksOf(const BmpImage& image) {
    if (image.compression == BmpCompressionBitfields) {
        const uint8_t* m = image.bitmapInfo.data() + BmpInfoHeaderSize;
        return {readLe32(m), readLe32(m + 4), readLe32(m + 8)};
    }
    if (image.bitCount == 16) return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

void decodeIndexedRow(const uint8_t* in, int width, int bits, const ColourTable& colours, uint8_t* out) {
    const int perByte = 8 / bits;
    const uint8_t lowBits = uint8_t((1 << bits) - 1);
    for (int x = 0; x < width; ++x, out += 3) {
        const int shift = 8 - bits * (x % perByte + 1);
        const Rgb& c = colours[in[x / perByte] >> shift & lowBits];
        out[0] = c.red, out[1] = c.green, out[2] = c.blue;
    }
}

void decodeBgrRow(const uint8_t* in, int width, uint8_t* out) {
    // Loaded first, so that the stores need not be read back in case they alias.
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
        const uint8_t blue = in[0], green = in[1], red = in[2];
        out[0] = red, out[1] = green, out[2] = blue;
    }
}

void decodeMaskedRow(const uint8_t* in, int width, int bytesPerPixel, const Channel (&channels)[3], uint8_t* out) {
    for (int x = 0; x < width; ++x, in += bytesPerPixel, out += 3) {
        const uint32_t pixel = bytesPerPixel == 4 ? readLe32(in) : readLe16(in);
        for (int c = 0; c < 3; ++c) out[c] = channels[c].of(pixel);
    }
}

// The reader made sure that every row is inside the pixel data.
void decodeRows(const BmpImage& image, RgbImage& picture) {
    const int bits = image.bitCount;
    const size_t stride = (size_t(image.width) * size_t(bits) + 31) / 32 * 4;
    const ColourTable colours = colourTableOf(image);
    const Masks masks = masksOf(image);
    const Channel channels[3] = {Channel(masks.red), Channel(masks.green), Channel(masks.blue)};
    for (int y = 0; y < picture.height; ++y) {
        const int fileRow = image.height > 0 ? picture.height - 1 - y : y;
        const uint8_t* in = image.pixels.get() + size_t(fileRow) * stride;
        uint8_t* out = picture.row(y);
        if (bits <= 8) decodeIndexedRow(in, image.width, bits, colours, out);
        else if (bits == 24) decodeBgrRow(in, image.width, out);
        else decodeMaskedRow(in, image.width, bits / 8, channels, out);
    }
}

}  // namespace

RgbImage decodeBmpPixels(const BmpImage& image) {
    RgbImage picture(image.width, int(std::abs(int64_t(image.height))));
    const bool rle8 = image.compression == BmpCompressionRle8;
    if (rle8 || image.compression == BmpCompressionRle4) {
        // GDI reads no further than biSizeImage, which the reader keeps inside the data.
        const size_t runBytes = std::min<size_t>(readLe32(image.infoHeader() + 20), image.pixelBytes);
        drawRle({image.pixels.get(), runBytes, rle8 ? 8 : 4}, colourTableOf(image), picture);
    } else {
        decodeRows(image, picture);
    }
    return picture;
}

}  // namespace qzt
