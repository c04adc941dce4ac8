// Builds BMP file bytes for tests: any header size, bit count and compression,
// with the file-header fields open to override so that broken files can be
// made as easily as good ones.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace qzt {
namespace test {

// File offsets of the fields that tests change most often.
constexpr size_t BmpOffBfSize = 2;
constexpr size_t BmpOffBfOffBits = 10;
constexpr size_t BmpOffBiSize = 14;
constexpr size_t BmpOffBiWidth = 18;
constexpr size_t BmpOffBiHeight = 22;
constexpr size_t BmpOffBiBitCount = 28;
constexpr size_t BmpOffBiCompression = 30;
constexpr size_t BmpOffBiSizeImage = 34;
constexpr size_t BmpOffBiClrUsed = 46;
constexpr size_t BmpOffBiClrImportant = 50;

// A colour-table entry in file order.
struct BmpColour {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};

struct BmpSpec {
    int32_t width = 4;
    int32_t height = 2;
    uint16_t bitCount = 8;
    uint32_t compression = 0;  // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    uint32_t headerSize = 40;  // 12 writes a core header, 108 and 124 the extended ones
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
    // The colour table. When empty, as many entries as biClrUsed (or 2, 16,
    // 256 for 1, 4, 8 bits) give: entry i is blue i, green 255 - i,
    // red 3 * i, reserved colourReserved.
    std::vector<BmpColour> colours;
    uint8_t colourReserved = 0;
    // Red, green and blue masks for BI_BITFIELDS; all zero gives 5-6-5 for
    // 16 bits and 8-8-8 for 32 bits.
    std::array<uint32_t, 3> masks{0, 0, 0};
    // The pixel data. When unset: padded rows of a byte pattern, or for RLE
    // one encoded run per row ending with end-of-bitmap.
    std::optional<std::vector<uint8_t>> pixels;
    size_t gapBeforePixels = 0;  // zero bytes between the colour table and the pixels
    std::optional<uint32_t> sizeImage;  // default: the size of the pixel data
    std::optional<uint32_t> bfSize;     // default: the file size
    std::optional<uint32_t> bfOffBits;  // default: where the pixel data is written
};

inline void putLe16(std::vector<uint8_t>& bytes, size_t at, uint16_t v) {
    bytes[at] = static_cast<uint8_t>(v);
    bytes[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline void putLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline uint32_t getLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline size_t bmpRowBytes(int32_t width, uint16_t bitCount) {
    return (size_t(width) * bitCount + 31) / 32 * 4;
}

inline size_t bmpRows(int32_t height) { return size_t(std::llabs(int64_t(height))); }

inline std::vector<BmpColour> bmpColourTable(const BmpSpec& spec) {
    if (!spec.colours.empty()) return spec.colours;
    uint32_t count = spec.clrUsed;
    if (count == 0) count = spec.bitCount == 1 ? 2 : spec.bitCount == 4 ? 16 : spec.bitCount == 8 ? 256 : 0;
    std::vector<BmpColour> table(count);
    for (uint32_t i = 0; i < count; ++i)
        table[i] = BmpColour{uint8_t(i), uint8_t(255 - i), uint8_t(3 * i), spec.colourReserved};
    return table;
}

// Each row is one colour index (row number modulo 16), in runs of at most 255.
inline std::vector<uint8_t> bmpRleRuns(const BmpSpec& spec) {
    std::vector<uint8_t> data;
    const size_t rows = bmpRows(spec.height);
    for (size_t row = 0; row < rows; ++row) {
        const uint8_t index = uint8_t(row % 16);
        const uint8_t value = spec.compression == 2 ? uint8_t(index << 4 | index) : index;
        for (int32_t left = spec.width; left > 0; left -= 255) {
            data.push_back(uint8_t(std::min<int32_t>(left, 255)));
            data.push_back(value);
        }
        data.push_back(0);
        data.push_back(row + 1 == rows ? 1 : 0);
    }
    return data;
}

inline std::vector<uint8_t> bmpPatternRows(const BmpSpec& spec) {
    std::vector<uint8_t> data(bmpRowBytes(spec.width, spec.bitCount) * bmpRows(spec.height));
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 7 + 3);
    return data;
}

inline std::vector<uint8_t> bmpInfoHeader(const BmpSpec& spec, size_t pixelBytes) {
    std::vector<uint8_t> h(spec.headerSize, 0);
    if (spec.headerSize == 12) {
        putLe32(h, 0, 12);
        putLe16(h, 4, uint16_t(spec.width));
        putLe16(h, 6, uint16_t(spec.height));
        putLe16(h, 8, 1);
        putLe16(h, 10, spec.bitCount);
        return h;
    }
    h.resize(std::max<size_t>(spec.headerSize, 124), 0);
    putLe32(h, 0, spec.headerSize);
    putLe32(h, 4, uint32_t(spec.width));
    putLe32(h, 8, uint32_t(spec.height));
    putLe16(h, 12, 1);
    putLe16(h, 14, spec.bitCount);
    putLe32(h, 16, spec.compression);
    putLe32(h, 20, spec.sizeImage.value_or(uint32_t(pixelBytes)));
    putLe32(h, 24, 2835);
    putLe32(h, 28, 2835);
    putLe32(h, 32, spec.clrUsed);
    putLe32(h, 36, spec.clrImportant);
    if (spec.headerSize >= 108) {
        if (spec.compression == 3)
            for (size_t i = 0; i < 3; ++i) putLe32(h, 40 + 4 * i, spec.masks[i]);
        putLe32(h, 56, 0x73524742);  // 'sRGB'
        putLe32(h, 108, 4);          // LCS_GM_IMAGES
    }
    h.resize(spec.headerSize);
    return h;
}

inline std::vector<uint8_t> buildBmp(BmpSpec spec) {
    if (spec.compression == 3 && spec.masks == std::array<uint32_t, 3>{0, 0, 0})
        spec.masks = spec.bitCount == 16 ? std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                                         : std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    const bool rle = spec.compression == 1 || spec.compression == 2;
    const std::vector<uint8_t> pixels = spec.pixels ? *spec.pixels : rle ? bmpRleRuns(spec) : bmpPatternRows(spec);

    std::vector<uint8_t> bytes(14, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    const std::vector<uint8_t> info = bmpInfoHeader(spec, pixels.size());
    bytes.insert(bytes.end(), info.begin(), info.end());
    if (spec.compression == 3 && spec.headerSize == 40) {
        bytes.resize(bytes.size() + 12);
        for (size_t i = 0; i < 3; ++i) putLe32(bytes, bytes.size() - 12 + 4 * i, spec.masks[i]);
    }
    for (const BmpColour& c : bmpColourTable(spec)) {
        bytes.insert(bytes.end(), {c.blue, c.green, c.red});
        if (spec.headerSize != 12) bytes.push_back(c.reserved);
    }
    bytes.resize(bytes.size() + spec.gapBeforePixels, 0);
    const size_t offBits = bytes.size();
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    putLe32(bytes, BmpOffBfSize, spec.bfSize.value_or(uint32_t(bytes.size())));
    putLe32(bytes, BmpOffBfOffBits, spec.bfOffBits.value_or(uint32_t(offBits)));
    return bytes;
}

inline bool writeBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace test
}  // namespace qzt
