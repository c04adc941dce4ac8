// BMP files read as GDI takes them, refused with a reason, and decoded.
#include <gtest/gtest.h>

#include "gfx/bmp_decode.h"
#include "tests/gfx/bmp_builder.h"

namespace qzt {
namespace {

using namespace test;
using Bytes = std::vector<uint8_t>;
using Edits = std::vector<std::pair<size_t, uint32_t>>;  // 32-bit values at file offsets

Bytes edited(Bytes file, const Edits& edits) {
    for (const auto& [at, value] : edits) writeLe32(&file[at], value);
    return file;
}
BmpReadResult readBytes(const Bytes& b) { return readBmpBytes(b.data(), b.size()); }
Bytes pixelsOf(const BmpImage& image) { return Bytes(image.pixels.get(), image.pixels.get() + image.pixelBytes); }
Bytes tail(const Bytes& b, size_t from) { return Bytes(b.begin() + std::ptrdiff_t(from), b.end()); }

// What is handed on: the file's header cut to 40 bytes with biSize 40 and
// biClrImportant 0, its masks, its colour table with reserved bytes 0; a
// palette of the table's colours flagged PC_NOCOLLAPSE; and the bytes from
// bfOffBits to the end of the file, whatever bfSize says.
TEST(BmpRead, HeaderMasksColoursAndPixelsAsGdiTakesThem) {
    // Behind the table a gap of 6 bytes, then the pixels; bfSize is never the file's size.
    struct Case { BmpShape shape; uint32_t colours; size_t tableAt; uint32_t bfSize; };
    for (const Case& c : {Case{{}, 256, 54, 0}, Case{{4, 2, 8, 0, 40, 20}, 20, 54, 141}, Case{{4, -3, 4}, 16, 54, 1},
                          Case{{4, 2, 16, 3}, 0, 66, 0}, Case{{4, -2, 32, 3, 124, 3}, 3, 138, 0xFFFFFFFF}}) {
        const size_t tableEnd = c.tableAt + 4 * c.colours;
        Bytes file = buildBmp(c.shape);
        file.insert(file.begin() + std::ptrdiff_t(tableEnd), {1, 2, 3, 4, 5, 6});
        file = edited(file, {{10, uint32_t(tableEnd + 6)}, {2, c.bfSize}, {50, 5}});  // biClrImportant 5
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;

        Bytes info = edited(Bytes(file.begin() + 14, file.begin() + 54 + (c.shape.compression == 3 ? 12 : 0)), {{0, 40}, {36, 0}});
        Bytes logPalette{0x00, 0x03, uint8_t(c.colours), uint8_t(c.colours >> 8)};
        for (size_t i = 0; i < c.colours; ++i) {
            const uint8_t* entry = &file[c.tableAt + 4 * i];
            info.insert(info.end(), {entry[0], entry[1], entry[2], 0});
            logPalette.insert(logPalette.end(), {entry[2], entry[1], entry[0], 0x04});
        }
        logPalette.resize(logPalette.size() + 4);  // sizeof(LOGPALETTE) counts one entry of its own
        EXPECT_EQ(std::tie(r.image->bitmapInfo, r.image->colourCount, r.image->height), std::tie(info, c.colours, c.shape.height));
        EXPECT_EQ(r.image->logPaletteBlock(), logPalette);
        EXPECT_EQ(pixelsOf(*r.image), tail(file, tableEnd + 6));
    }
}

// Only what the image can use is kept, however long the file; GDI takes
// biSizeImage as the length of runs, so it never says more than is kept. A
// long table beside direct colours is allowed and cut to what a palette holds.
TEST(BmpRead, KeepsOnlyTheUsableBytesAndAtMost256Colours) {
    struct Case { BmpShape shape; uint32_t sizeImage; size_t extra, pixelBytes; uint32_t keptSizeImage; };
    for (const Case& c : {Case{{}, 0, 100000, 8, 0}, Case{{4, 2, 8, 1}, 0, 100000, 22, 22},
                          Case{{200, 10, 8, 1}, 100000, 0, 40, 40}, Case{{200, 10, 8, 1}, 5, 0, 40, 5},
                          Case{{200, 10, 4, 2}, 0xFFFFFFFF, 0, 40, 40}}) {
        Bytes file = edited(buildBmp(c.shape), {{34, c.sizeImage}});
        file.resize(file.size() + c.extra, 0x55);
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(std::pair(r.image->pixelBytes, readLe32(r.image->infoHeader() + 20)), std::pair(c.pixelBytes, c.keptSizeImage));
    }
    const Bytes file = buildBmp({4, 2, 24, 0, 40, 300});
    const BmpReadResult r = readBytes(file);
    ASSERT_TRUE(r.image) << r.why;
    EXPECT_EQ(std::tuple(r.image->colourCount, readLe32(r.image->infoHeader() + 32), r.image->bitmapInfo.size()),
              std::tuple(256u, 256u, size_t(40 + 4 * 256)));
    EXPECT_EQ(pixelsOf(*r.image), tail(file, 54 + 4 * 300));
}

TEST(BmpRead, RefusesWithItsReason) {
    // Edits of the default file: 4 x 2 at 8 bits, 1086 bytes, the pixels at 1078.
    struct Case { std::string why; Edits edits; size_t cutTo = SIZE_MAX; BmpShape shape{}; };
    const BmpShape masks{4, 2, 16, 3};  // red, green, blue at 54, 58, 62
    const Case cases[] = {
        {"not a BMP file (signature)", {{0, 'B' | 'A' << 8}}},
        {"file is 500 bytes, shorter than its headers and colour table", {}, 500},
        {"12-byte core header is not supported", {{14, 12}}},
        {"info header size 64 is not supported", {{14, 64}}},
        {"compression 5 (PNG) is not supported", {{28, 0}, {30, 5}}},  // its bit count is 0
        {"compression 6 is not supported", {{30, 6}}},
        {"RLE4 compression needs 4 bits per pixel, not 8", {{30, 2}}},
        {"compressed rows need a bottom-up bitmap, not height -2", {{30, 1}, {22, uint32_t(-2)}}},
        {"bit count 2 is not supported", {{28, 2}}},
        {"colour count 257 is above 256", {{46, 257}}},
        {"width 0 is not positive", {{18, 0}}},
        {"height is 0", {{22, 0}}},
        {"width 65536 is above 65535", {{18, 65536}}},
        {"height -65536 has more than 65535 rows", {{22, uint32_t(-65536)}}},
        {"image needs 537001984 bytes, above 512 MiB", {{18, 32768}, {22, 4097}}},
        {"pixel data is 8 bytes, rows need 134217728", {{18, 32768}, {22, 4096}}},  // exactly 512 MiB on screen
        {"pixel data is 7 bytes, rows need 8", {}, 1085},
        {"pixel data offset 54 lies inside the headers and colour table (1078 bytes)", {{10, 54}}},
        {"the red mask is empty", {{54, 0}}, SIZE_MAX, masks},
        {"the green mask overlaps another", {{58, 0xF800}}, SIZE_MAX, masks},
        {"the blue mask is not contiguous", {{62, 0x15}}, SIZE_MAX, masks},
    };
    for (const Case& c : cases) {
        Bytes file = edited(buildBmp(c.shape), c.edits);
        file.resize(std::min(file.size(), c.cutTo));
        const BmpReadResult r = readBytes(file);
        EXPECT_EQ(std::pair(bool(r.image), r.why), std::pair(false, c.why));
    }
}

using Rows = std::vector<std::vector<Rgb>>;  // top row first

// Rows of the builder's table colours (blue i, green 255 - i, red 3i); -1 is black.
Rows indexed(const std::vector<std::vector<int>>& indexes) {
    Rows rows;
    for (const auto& line : indexes) {
        rows.emplace_back();
        for (int i : line) rows.back().push_back(i < 0 ? Rgb{} : Rgb{uint8_t(3 * i), uint8_t(255 - i), uint8_t(i)});
    }
    return rows;
}

Rows decode(const Bytes& file) {
    const BmpReadResult read = readBytes(file);
    EXPECT_TRUE(read.image) << read.why;
    const RgbImage picture = read.image ? decodeBmpPixels(*read.image) : RgbImage();
    Rows rows(size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) rows[size_t(y)].push_back(picture.at(x, y));
    return rows;
}

// Rows of every depth, with padding, in both row orders; runs with every
// escape, where what no run reaches is black, and runs and deltas that leave
// the picture are cut there, never wrapped or written outside.
TEST(BmpDecode, RowsOfEveryDepthAndRunsWithEveryEscapeGiveTheirColours) {
    struct Case { const char* what; Bytes file; Rows expected; };
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
        {"32 bits 8-8-8", buildBmp({2, 1, 32, 0, 40, 0, Bytes{1, 2, 3, 4, 0xFF, 0x80, 0x00, 0xAA}}), {{{3, 2, 1}, {0x00, 0x80, 0xFF}}}},
        {"16-bit fields 5-6-5: repeated bits fill 8", buildBmp({3, 1, 16, 3, 40, 0, Bytes{0x00, 0xF8, 0xE0, 0x07, 0x41, 0x08, 0, 0}}),
         {{{255, 0, 0}, {0, 255, 0}, {8, 8, 8}}}},
        {"32-bit fields in a 124-byte header, top-down", buildBmp({1, -2, 32, 3, 124, 0, Bytes{0x56, 0x34, 0x12, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}}),
         {{{0x12, 0x34, 0x56}}, {{0xFF, 0xFF, 0xFF}}}},
        {"10-bit fields keep their top 8, a 3-bit field repeats", edited(buildBmp({2, 1, 32, 3, 40, 0, Bytes{0x00, 0x00, 0xF0, 0x3F,
         0x05, 0x04, 0x00, 0x20}}), {{54, 0x3FF00000}, {58, 0x7}, {62, 0x38}}), {{{0xFF, 0, 0}, {0x80, 0xB6, 0}}}},
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
        {"RLE8 ends at biSizeImage, as GDI reads it", edited(buildBmp({3, 1, 8, 1, 40, 0, Bytes{1, 2, 1, 3, 1, 4, 0, 1}}), {{34, 4}}),
         indexed({{2, 3, -1}})},
    };
    for (const Case& c : cases) EXPECT_EQ(decode(c.file), c.expected) << c.what;
}

}  // namespace
}  // namespace qzt
