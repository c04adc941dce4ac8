#include "gfx/bmp_decode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/gfx/bmp_builder.h"

namespace qzt {
namespace {

using namespace test;
using Bytes = std::vector<uint8_t>;
using Rows = std::vector<std::vector<Rgb>>;  // top row first

constexpr Rgb Black{0, 0, 0};
// Colour i of the builder's tables: blue i, green 255 - i, red 3i.
Rgb tableColour(int i) { return {uint8_t(3 * i), uint8_t(255 - i), uint8_t(i)}; }
// Rows of table colours; -1 is black.
Rows indexed(const std::vector<std::vector<int>>& indexes) {
    Rows rows;
    for (const auto& line : indexes) {
        rows.emplace_back();
        for (int i : line) rows.back().push_back(i < 0 ? Black : tableColour(i));
    }
    return rows;
}

Rows rowsOf(const RgbImage& picture) {
    Rows rows(size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) rows[size_t(y)].push_back(picture.at(x, y));
    return rows;
}

Rows decode(const Bytes& file) {
    const BmpReadResult read = readBmpBytes(file.data(), file.size());
    if (!read.image) {
        ADD_FAILURE() << read.why;
        return {};
    }
    return rowsOf(decodeBmpPixels(*read.image));
}

Bytes withMasks(Bytes file, uint32_t red, uint32_t green, uint32_t blue) {
    putLe32(file, 54, red), putLe32(file, 58, green), putLe32(file, 62, blue);
    return file;
}

struct Case {
    const char* what;
    Bytes file;
    Rows expected;
};

// Uncompressed rows of every depth, with padding, in both row orders.
TEST(BmpDecode, RowsOfEveryDepthGiveTheirColours) {
    const Case cases[] = {
        {"1 bit, 9 wide: a second byte and padding", buildBmp({9, 2, 1, 0, 40, 0, Bytes{0xA0, 0x80, 0, 0, 0x01, 0x00, 0, 0}}),
         indexed({{0, 0, 0, 0, 0, 0, 0, 1, 0}, {1, 0, 1, 0, 0, 0, 0, 0, 1}})},
        {"4 bits, 3 colours: indexes past the table are black", buildBmp({3, 2, 4, 0, 40, 3, Bytes{0x01, 0x20, 0, 0, 0x3F, 0xE0, 0, 0}}),
         indexed({{-1, -1, -1}, {0, 1, 2}})},
        {"8 bits top-down, 20 colours", buildBmp({3, -2, 8, 0, 40, 20, Bytes{19, 20, 255, 0, 7, 0, 1, 0}}),
         indexed({{19, -1, -1}, {7, 0, 1}})},
        {"24 bits bottom-up: blue, green, red and padding", buildBmp({2, 2, 24, 0, 40, 0, Bytes{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}}),
         {{{9, 8, 7}, {12, 11, 10}}, {{3, 2, 1}, {6, 5, 4}}}},
        {"16 bits 5-5-5", buildBmp({3, 1, 16, 0, 40, 0, Bytes{0x00, 0x7C, 0xE0, 0x03, 0x21, 0x84, 0, 0}}),
         {{{255, 0, 0}, {0, 255, 0}, {8, 8, 8}}}},  // the top bit of 0x8421 is no colour's
        {"32 bits 8-8-8", buildBmp({2, 1, 32, 0, 40, 0, Bytes{1, 2, 3, 4, 0xFF, 0x80, 0x00, 0xAA}}),
         {{{3, 2, 1}, {0x00, 0x80, 0xFF}}}},
        {"16-bit fields 5-6-5: repeated bits fill 8", buildBmp({3, 1, 16, 3, 40, 0, Bytes{0x00, 0xF8, 0xE0, 0x07, 0x41, 0x08, 0, 0}}),
         {{{255, 0, 0}, {0, 255, 0}, {8, 8, 8}}}},
        {"32-bit fields in a 124-byte header, top-down", buildBmp({1, -2, 32, 3, 124, 0, Bytes{0x56, 0x34, 0x12, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}}),
         {{{0x12, 0x34, 0x56}}, {{0xFF, 0xFF, 0xFF}}}},
        {"10-bit fields keep their top 8, a 3-bit field repeats",
         withMasks(buildBmp({2, 1, 32, 3, 40, 0, Bytes{0x00, 0x00, 0xF0, 0x3F, 0x05, 0x04, 0x00, 0x20}}), 0x3FF00000, 0x7, 0x38),
         {{{0xFF, 0, 0}, {0x80, 0xB6, 0}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decode(c.file), c.expected);
    }
}

// Runs with every escape; what no run reaches is black, and runs and deltas
// that leave the picture are cut there, never wrapped or written outside.
TEST(BmpDecode, RunsWithEveryEscape) {
    const Case cases[] = {
        {"RLE8: run, odd absolute block with its pad, end of line, delta, end of bitmap",
         buildBmp({6, 4, 8, 1, 40, 0, Bytes{2, 5, 0, 3, 7, 8, 9, 0xEE, 0, 0, 0, 2, 2, 1, 1, 4, 0, 1, 9, 9}}),
         indexed({{-1, -1, -1, -1, -1, -1}, {-1, -1, 4, -1, -1, -1}, {-1, -1, -1, -1, -1, -1}, {5, 5, 7, 8, 9, -1}})},
        {"RLE8: a run past the right edge is cut, then the next line goes on",
         buildBmp({3, 2, 8, 1, 40, 0, Bytes{5, 1, 0, 0, 1, 2}}), indexed({{2, -1, -1}, {1, 1, 1}})},
        {"RLE8: a delta past the bottom ends the picture", buildBmp({2, 2, 8, 1, 40, 0, Bytes{1, 3, 0, 2, 0, 5, 1, 4}}),
         indexed({{-1, -1}, {3, -1}})},
        {"RLE8: a delta past the right edge drops the rest of the line",
         buildBmp({3, 2, 8, 1, 40, 0, Bytes{0, 2, 200, 0, 1, 6, 0, 0, 1, 7}}), indexed({{7, -1, -1}, {-1, -1, -1}})},
        {"RLE4: runs alternate the two indexes; absolute blocks pad to a word",
         buildBmp({7, 2, 4, 2, 40, 0, Bytes{5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 2, 1, 0, 1, 0xF0, 0, 1}}),
         indexed({{3, 4, 5, -1, 15, -1, -1}, {1, 2, 1, 2, 1, -1, -1}})},
        {"RLE4: odd absolute block, then a run", buildBmp({6, 1, 4, 2, 40, 0, Bytes{0, 3, 0x34, 0x50, 3, 0x67, 0, 1}}),
         indexed({{3, 4, 5, 6, 7, 6}})},
        {"RLE8 cut short inside an absolute block: what is there is drawn",
         buildBmp({4, 1, 8, 1, 40, 0, Bytes{0, 4, 6, 7}}), indexed({{6, 7, -1, -1}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decode(c.file), c.expected);
    }
}

// GDI reads runs no further than biSizeImage says; neither does the decoder.
TEST(BmpDecode, RunsEndAtTheSizeTheHeaderGives) {
    Bytes file = buildBmp({3, 1, 8, 1, 40, 0, Bytes{1, 2, 1, 3, 1, 4, 0, 1}});
    putLe32(file, 34, 4);
    EXPECT_EQ(decode(file), indexed({{2, 3, -1}}));
}

}  // namespace
}  // namespace qzt
