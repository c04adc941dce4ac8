#include "gfx/bmp_file.h"
#include "gfx/bmp_decode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/gfx/bmp_builder.h"

namespace qzt {
namespace {

using namespace test;
using Bytes = std::vector<uint8_t>;

BmpReadResult readBytes(const Bytes& b) { return readBmpBytes(b.data(), b.size()); }
Bytes pixelsOf(const BmpImage& image) { return Bytes(image.pixels.get(), image.pixels.get() + image.pixelBytes); }
Bytes tail(const Bytes& b, size_t from) { return Bytes(b.begin() + std::ptrdiff_t(from), b.end()); }

// What is handed on: the file's header cut to 40 bytes with biSize 40 and
// biClrImportant 0, its masks, its colour table with reserved bytes 0; a
// palette of the table's colours flagged PC_NOCOLLAPSE; and the bytes from
// bfOffBits to the end of the file, whatever bfSize says.
TEST(BmpRead, HeaderMasksColoursAndPixelsAsGdiTakesThem) {
    // Behind the table a gap of 6 bytes, then the pixels; bfSize is never the file's size.
    struct Case { const char* what; BmpShape shape; uint32_t colours; size_t tableAt; uint32_t bfSize; };
    const Case cases[] = {
        {"8 bits", {}, 256, 54, 0},
        {"biClrUsed 20", {4, 2, 8, 0, 40, 20}, 20, 54, 141},  // one byte into the pixels
        {"4 bits, top-down", {4, -3, 4}, 16, 54, 0xFFFFFFFF},
        {"1 bit", {4, 2, 1}, 2, 54, 1},
        {"16-bit masks behind the header", {4, 2, 16, 3}, 0, 66, 0},
        {"32-bit masks inside a 108-byte header, top-down", {4, -2, 32, 3, 108}, 0, 122, 0},
        {"16-bit masks inside a 124-byte header, biClrUsed 3", {4, 2, 16, 3, 124, 3}, 3, 138, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = buildBmp(c.shape);
        const size_t tableEnd = c.tableAt + 4 * c.colours;
        file.insert(file.begin() + std::ptrdiff_t(tableEnd), {1, 2, 3, 4, 5, 6});
        putLe32(file, 10, uint32_t(tableEnd + 6));
        putLe32(file, 2, c.bfSize);
        putLe32(file, 50, 5);  // biClrImportant
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;

        Bytes info(file.begin() + 14, file.begin() + 54 + (c.shape.compression == 3 ? 12 : 0));
        putLe32(info, 0, 40);
        putLe32(info, 36, 0);
        Bytes logPalette{0x00, 0x03, uint8_t(c.colours), uint8_t(c.colours >> 8)};
        for (size_t i = 0; i < c.colours; ++i) {
            const uint8_t* entry = &file[c.tableAt + 4 * i];
            info.insert(info.end(), {entry[0], entry[1], entry[2], 0});
            logPalette.insert(logPalette.end(), {entry[2], entry[1], entry[0], 0x04});
        }
        logPalette.resize(logPalette.size() + 4);  // sizeof(LOGPALETTE) counts one entry of its own
        EXPECT_EQ(r.image->bitmapInfo, info);
        EXPECT_EQ(r.image->logPaletteBlock(), logPalette);
        EXPECT_EQ(r.image->colourCount, c.colours);
        EXPECT_EQ(r.image->height, c.shape.height);
        EXPECT_EQ(pixelsOf(*r.image), tail(file, tableEnd + 6));
    }
}

// GDI takes biSizeImage as the length of the runs; rows need no such limit.
TEST(BmpRead, RleSizeImageNeverPastTheData) {
    struct Case { uint16_t bits; uint32_t compression, sizeImage; bool kept; };
    for (const Case& c : {Case{8, 1, 0, false}, Case{8, 1, 100000, false}, Case{8, 1, 5, true},
                          Case{4, 2, 0xFFFFFFFF, false}, Case{8, 0, 0, true}}) {
        SCOPED_TRACE("compression " + std::to_string(c.compression) + ", biSizeImage " + std::to_string(c.sizeImage));
        Bytes file = buildBmp({200, 10, c.bits, c.compression});  // decoded rows far larger than the runs
        putLe32(file, 34, c.sizeImage);
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(r.image->pixelBytes, file.size() - getLe32(&file[10]));
        EXPECT_EQ(getLe32(r.image->infoHeader() + 20), c.kept ? c.sizeImage : r.image->pixelBytes);
    }
}

TEST(BmpRead, RefusesWithItsReason) {
    struct Case { std::string why; std::vector<std::pair<size_t, uint32_t>> edits; size_t cutTo = SIZE_MAX; BmpShape shape{}; };
    // Edits of the default file: 4 x 2 at 8 bits, 1086 bytes, the pixels at 1078.
    const BmpShape masks{4, 2, 16, 3};  // red, green, blue at 54, 58, 62
    const Case cases[] = {
        {"not a BMP file (signature)", {{0, 'B' | 'A' << 8}}},
        {"file is 500 bytes, shorter than its headers and colour table", {}, 500},
        {"12-byte core header is not supported", {{14, 12}}},
        {"info header size 64 is not supported", {{14, 64}}},
        {"compression 4 (JPEG) is not supported", {{30, 4}}},
        {"compression 5 (PNG) is not supported", {{28, 0}, {30, 5}}},  // their bit count is 0
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
        Bytes file = buildBmp(c.shape);
        for (const auto& [at, value] : c.edits) putLe32(file, at, value);
        file.resize(std::min(file.size(), c.cutTo));
        const BmpReadResult r = readBytes(file);
        EXPECT_FALSE(r.image) << c.why;
        EXPECT_EQ(r.why, c.why);
    }
}

// Only what the image can use is kept, however long the file; a long table
// beside direct colours is allowed and cut to what a palette holds.
TEST(BmpRead, KeepsOnlyTheUsableBytesAndAtMost256Colours) {
    for (const auto& [shape, usable] : {std::pair{BmpShape{}, size_t(8)}, {BmpShape{4, 2, 8, 1}, size_t(22)}}) {
        Bytes file = buildBmp(shape);
        file.resize(file.size() + 100000, 0x55);
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(r.image->pixelBytes, usable);
    }
    const Bytes file = buildBmp({4, 2, 24, 0, 40, 300});
    const BmpReadResult r = readBytes(file);
    ASSERT_TRUE(r.image) << r.why;
    EXPECT_EQ(r.image->colourCount, 256u);
    EXPECT_EQ(getLe32(r.image->infoHeader() + 32), 256u);
    EXPECT_EQ(r.image->bitmapInfo.size(), 40u + 4 * 256);
    EXPECT_EQ(pixelsOf(*r.image), tail(file, 54 + 4 * 300));
}

TEST(BmpRead, FileGivesWhatTheBytesGive) {
    const std::string path = ::testing::TempDir() + "qzt_bmp_file_test.bmp";
    for (const BmpShape& shape : {BmpShape(), BmpShape{300, 7}}) {  // the second's pixels lie past the first read
        const Bytes file = buildBmp(shape);
        ASSERT_TRUE(writeBytesToFile(path, file));
        const BmpReadResult r = readBmpFile(path.c_str());
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(r.image->bitmapInfo, readBytes(file).image->bitmapInfo);
        EXPECT_EQ(pixelsOf(*r.image), tail(file, 1078));
    }
    std::remove(path.c_str());
    EXPECT_EQ(readBmpFile(path.c_str()).why, "does not exist");
    EXPECT_EQ(readBmpFile(::testing::TempDir().c_str()).why, "is a directory");
}

// Every prefix of a file of each kind, read at an odd address from a buffer
// that ends where the prefix does, so that a misaligned or stray read shows
// under the sanitizers: refused with a reason, or read within the bytes and
// decoded into the whole picture.
TEST(BmpRead, EveryTruncationRefusedOrReadAndDecodedWithinTheBytes) {
    const BmpShape shapes[] = {{}, {4, 2, 16, 3, 124}, {9, 3, 1}, {5, 2, 4}, {3, -2, 8}, {3, 2, 24}, {3, 2, 16},
                               {2, 2, 32, 3}, {40, 3, 8, 1}, {40, 3, 4, 2}};
    for (const BmpShape& shape : shapes) {
        const Bytes file = buildBmp(shape);
        const size_t offBits = getLe32(&file[10]);
        for (size_t length = 0; length <= file.size(); ++length) {
            SCOPED_TRACE("bits " + std::to_string(shape.bitCount) + ", length " + std::to_string(length));
            Bytes buffer(1 + length);
            std::copy(file.begin(), file.begin() + std::ptrdiff_t(length), buffer.begin() + 1);
            const BmpReadResult r = readBmpBytes(buffer.data() + 1, length);
            // Uncompressed rows must all be there; runs may stop anywhere.
            const bool runs = shape.compression == 1 || shape.compression == 2;
            ASSERT_EQ(bool(r.image), runs ? length > offBits : length == file.size()) << r.why;
            if (!r.image) {
                EXPECT_NE(r.why, "");
                continue;
            }
            EXPECT_EQ(pixelsOf(*r.image), tail(buffer, 1 + offBits));
            const RgbImage picture = decodeBmpPixels(*r.image);
            EXPECT_EQ(std::tuple(picture.width, picture.height, picture.bytes.size()),
                      std::tuple(shape.width, std::abs(shape.height), size_t(shape.width * std::abs(shape.height) * 3)));
        }
    }
}

}  // namespace
}  // namespace qzt
