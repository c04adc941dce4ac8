// Builds BMP file bytes for tests. Broken files are made by editing the bytes
// afterwards: every field sits at its usual file offset.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "gfx/little_endian.h"

namespace qzt::test {

// The fields in this order so that a case can give the leading ones: {width, height, bits, ...}.
struct BmpShape {
    int32_t width = 4;
    int32_t height = 2;
    uint16_t bitCount = 8;
    uint32_t compression = 0;  // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    uint32_t headerSize = 40;  // or 108, 124
    // The colour table has this many entries, when 0 2, 16, 256 for 1, 4, 8 bits,
    // with reserved bytes that are not 0 so that a reader has to clear them.
    uint32_t clrUsed = 0;
    // When unset: padded rows of a byte pattern, or for RLE one run per row.
    std::optional<std::vector<uint8_t>> pixels = std::nullopt;
};

inline std::vector<uint8_t> buildBmp(const BmpShape& s) {
    const size_t rows = size_t(std::llabs(int64_t(s.height)));
    std::vector<uint8_t> data;
    if (s.pixels)
        data = *s.pixels;
    else if (s.compression == 1 || s.compression == 2)  // a run, then end of line or of bitmap
        for (size_t row = 0; row < rows; ++row)
            data.insert(data.end(), {uint8_t(std::min(s.width, 255)), uint8_t(row * 17), 0, uint8_t(row + 1 == rows)});
    else
        for (size_t i = 0, n = (size_t(s.width) * s.bitCount + 31) / 32 * 4 * rows; i < n; ++i) data.push_back(uint8_t(i * 7 + 3));

    std::vector<uint8_t> b(std::max<size_t>(14 + s.headerSize, s.compression == 3 ? 66 : 0), 0);
    const auto put = [&b](size_t at, uint32_t value) { writeLe32(&b[at], value); };
    put(0, 'B' | 'M' << 8);
    put(14, s.headerSize);
    put(18, uint32_t(s.width));
    put(22, uint32_t(s.height));
    put(26, 1u | uint32_t(s.bitCount) << 16);
    put(30, s.compression);
    put(34, uint32_t(data.size()));
    put(46, s.clrUsed);
    // Masks behind a 40-byte header, else inside the longer one: the same offset.
    const uint32_t masks[2][3] = {{0xF800, 0x07E0, 0x001F}, {0xFF0000, 0x00FF00, 0x0000FF}};
    if (s.compression == 3)
        for (size_t i = 0; i < 3; ++i) put(54 + 4 * i, masks[s.bitCount != 16][i]);
    const uint32_t colours = s.clrUsed ? s.clrUsed : s.bitCount <= 8 ? 1u << s.bitCount : 0;
    for (uint32_t i = 0; i < colours; ++i)
        b.insert(b.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(3 * i), uint8_t(0x80 | i)});
    put(10, uint32_t(b.size()));
    b.insert(b.end(), data.begin(), data.end());
    put(2, uint32_t(b.size()));
    return b;
}

inline bool writeBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    return bool(file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())).flush());
}

}  // namespace qzt::test
