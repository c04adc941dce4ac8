#include "gfx/bmp_file.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/gfx/bmp_builder.h"

namespace qzt {
namespace {

using test::BmpSpec;
using test::buildBmp;
using test::getLe32;
using test::putLe32;

using Bytes = std::vector<uint8_t>;

BmpReadResult readBytes(const Bytes& bytes) { return readBmpBytes(bytes.data(), bytes.size()); }

// A field of the handed-on info header, by its offset in a file.
uint32_t infoField(const BmpImage& image, size_t fileOffset) {
    return getLe32(image.infoHeader() + fileOffset - test::BmpOffBiSize);
}

Bytes pixelsOf(const BmpImage& image) { return Bytes(image.pixels.get(), image.pixels.get() + image.pixelBytes); }

Bytes fileTail(const Bytes& bytes, size_t from) { return Bytes(bytes.begin() + std::ptrdiff_t(from), bytes.end()); }

// The colour table in bitmapInfo and the palette both come from the file's
// table at tableOffset: reserved bytes 0, flags PC_NOCOLLAPSE.
void expectColoursFrom(const Bytes& file, size_t tableOffset, const BmpImage& image, size_t masks) {
    ASSERT_EQ(image.bitmapInfo.size(), 40 + masks + 4 * image.colourCount);
    ASSERT_EQ(image.palette.size(), image.colourCount);
    for (size_t i = 0; i < image.colourCount; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const uint8_t* in = file.data() + tableOffset + 4 * i;
        const uint8_t* out = image.bitmapInfo.data() + 40 + masks + 4 * i;
        EXPECT_EQ(Bytes(out, out + 3), Bytes(in, in + 3));
        EXPECT_EQ(out[3], 0);
        EXPECT_EQ(image.palette[i].red, in[2]);
        EXPECT_EQ(image.palette[i].green, in[1]);
        EXPECT_EQ(image.palette[i].blue, in[0]);
        EXPECT_EQ(image.palette[i].flags, 0x04);
    }
}

TEST(BmpColours, CountFollowsClrUsedElseBitCount) {
    struct Case {
        uint16_t bits;
        uint32_t clrUsed;
        uint32_t expected;
    };
    for (const Case& c : {Case{8, 0, 256}, Case{8, 20, 20}, Case{4, 0, 16}, Case{1, 0, 2}, Case{24, 0, 0},
                          Case{16, 0, 0}, Case{32, 0, 0}, Case{24, 5, 5}, Case{1, 256, 256}}) {
        SCOPED_TRACE(std::to_string(c.bits) + " bits, biClrUsed " + std::to_string(c.clrUsed));
        BmpSpec spec;
        spec.bitCount = c.bits;
        spec.clrUsed = c.clrUsed;
        spec.colourReserved = 0xAB;
        const Bytes file = buildBmp(spec);
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(r.image->colourCount, c.expected);
        expectColoursFrom(file, 54, *r.image, 0);
        EXPECT_EQ(pixelsOf(*r.image), fileTail(file, 54 + 4 * c.expected));
    }
}

TEST(BmpColours, LogPaletteBlockLayout) {
    BmpSpec spec;
    spec.clrUsed = 2;
    spec.colours = {{10, 20, 30, 99}, {1, 2, 3, 4}};
    BmpReadResult r = readBytes(buildBmp(spec));
    ASSERT_TRUE(r.image) << r.why;
    EXPECT_EQ(r.image->logPaletteBlock(), (Bytes{0x00, 0x03, 2, 0, 30, 20, 10, 4, 3, 2, 1, 4, 0, 0, 0, 0}));

    spec = BmpSpec();
    spec.bitCount = 24;
    r = readBytes(buildBmp(spec));
    ASSERT_TRUE(r.image) << r.why;
    EXPECT_EQ(r.image->logPaletteBlock(), (Bytes{0x00, 0x03, 0, 0, 0, 0, 0, 0}));
}

TEST(BmpHeader, HandedOnAsFortyBytesWithClrImportantZero) {
    for (uint32_t headerSize : {40u, 108u, 124u}) {
        SCOPED_TRACE("biSize " + std::to_string(headerSize));
        BmpSpec spec;
        spec.headerSize = headerSize;
        spec.clrUsed = 7;
        spec.clrImportant = 5;
        spec.sizeImage = 12345;
        const Bytes file = buildBmp(spec);
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;
        Bytes expected(file.begin() + 14, file.begin() + 54);
        putLe32(expected, 0, 40);
        putLe32(expected, 36, 0);
        EXPECT_EQ(Bytes(r.image->infoHeader(), r.image->infoHeader() + 40), expected);
        expectColoursFrom(file, 14 + headerSize, *r.image, 0);
    }
}

TEST(BmpHeader, DimensionsAsInTheFile) {
    for (int32_t height : {1000, -3, 1}) {
        SCOPED_TRACE("height " + std::to_string(height));
        BmpSpec spec;
        spec.width = 3;
        spec.height = height;
        spec.bitCount = 24;
        const BmpReadResult r = readBytes(buildBmp(spec));
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(r.image->width, 3);
        EXPECT_EQ(r.image->height, height);
        EXPECT_EQ(int32_t(infoField(*r.image, test::BmpOffBiHeight)), height);
    }
}

TEST(BmpPixels, TakenFromOffBitsToEndWhateverBfSizeSays) {
    BmpSpec spec;
    spec.bitCount = 4;
    spec.gapBeforePixels = 6;
    Bytes file = buildBmp(spec);
    file.insert(file.end(), {0xEE, 0xEF});  // trailing bytes belong to the pixel data too
    const size_t offBits = 54 + 64 + 6;
    for (uint32_t bfSize : {0u, 1u, 14u, 60u, uint32_t(file.size() + 1000), 0xFFFFFFFFu}) {
        SCOPED_TRACE("bfSize " + std::to_string(bfSize));
        putLe32(file, test::BmpOffBfSize, bfSize);
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(pixelsOf(*r.image), fileTail(file, offBits));
    }
}

struct Refusal {
    const char* name;
    BmpSpec spec;
    std::function<void(Bytes&)> change;
    std::string why;
};

BmpSpec withBits(uint16_t bits, uint32_t compression = 0) {
    BmpSpec spec;
    spec.bitCount = bits;
    spec.compression = compression;
    return spec;
}

BmpSpec withHeader(uint32_t headerSize) {
    BmpSpec spec;
    spec.headerSize = headerSize;
    return spec;
}

BmpSpec withClrUsed(uint32_t clrUsed) {
    BmpSpec spec;
    spec.clrUsed = clrUsed;
    return spec;
}

std::function<void(Bytes&)> setField(size_t at, uint32_t value) {
    return [at, value](Bytes& b) { putLe32(b, at, value); };
}

std::function<void(Bytes&)> cutTo(size_t length) {
    return [length](Bytes& b) { b.resize(length); };
}

std::function<void(Bytes&)> setBytes(size_t at, std::vector<uint8_t> values) {
    return [at, values](Bytes& b) { std::copy(values.begin(), values.end(), b.begin() + std::ptrdiff_t(at)); };
}

TEST(BmpRefusals, EachWithItsReason) {
    const auto none = [](Bytes&) {};
    BmpSpec shortRows = withBits(24);
    shortRows.width = 3;  // 9 bytes of pixels, padded to 12 per row
    shortRows.pixels = Bytes(23, 0);
    BmpSpec tall = withBits(32);  // rows of 65536 bytes
    tall.width = 16384;
    tall.pixels = Bytes(4, 0);
    const uint32_t fullFile = uint32_t(buildBmp(BmpSpec()).size());

    const std::vector<Refusal> cases = {
        {"B A", {}, setBytes(0, {'B', 'A'}), "not a BMP file (signature)"},
        {"X M", {}, setBytes(0, {'X', 'M'}), "not a BMP file (signature)"},
        {"empty", {}, cutTo(0), "file is 0 bytes, shorter than its headers"},
        {"no biSize", {}, cutTo(17), "file is 17 bytes, shorter than its headers"},
        {"cut header", {}, cutTo(40), "file is 40 bytes, shorter than its headers"},
        {"cut 124 header", withHeader(124), cutTo(100), "file is 100 bytes, shorter than its headers"},
        {"cut colour table", {}, cutTo(500), "file is 500 bytes, shorter than its headers and colour table"},
        {"cut masks", withBits(16, 3), cutTo(60), "file is 60 bytes, shorter than its headers and colour table"},
        {"core header", withHeader(12), none, "12-byte core header is not supported"},
        {"header 64", withHeader(64), none, "info header size 64 is not supported"},
        {"header 56", withHeader(56), none, "info header size 56 is not supported"},
        {"jpeg", {}, setField(test::BmpOffBiCompression, 4), "compression 4 is not supported"},
        {"alpha bit fields", withBits(32), setField(test::BmpOffBiCompression, 6), "compression 6 is not supported"},
        {"RLE8 at 4 bits", withBits(4, 1), none, "RLE8 compression needs 8 bits per pixel, not 4"},
        {"RLE4 at 8 bits", withBits(8, 2), none, "RLE4 compression needs 4 bits per pixel, not 8"},
        {"bit fields at 24", withBits(24, 3), none, "bit-field compression needs 16 or 32 bits per pixel, not 24"},
        {"bit fields at 8", withBits(8, 3), none, "bit-field compression needs 16 or 32 bits per pixel, not 8"},
        {"2 bits", withBits(2), none, "bit count 2 is not supported"},
        {"0 bits", withBits(24), setBytes(test::BmpOffBiBitCount, {0, 0}), "bit count 0 is not supported"},
        {"300 colours", withClrUsed(300), none, "colour count 300 is above 256"},
        {"257 colours", withClrUsed(257), none, "colour count 257 is above 256"},
        {"width 0", {}, setField(test::BmpOffBiWidth, 0), "width 0 is not positive"},
        {"width -4", {}, setField(test::BmpOffBiWidth, uint32_t(-4)), "width -4 is not positive"},
        {"height 0", {}, setField(test::BmpOffBiHeight, 0), "height is 0"},
        {"width 65536", {}, setField(test::BmpOffBiWidth, 65536), "width 65536 is above 65535"},
        {"height 65536", {}, setField(test::BmpOffBiHeight, 65536), "height 65536 has more than 65535 rows"},
        {"height -65536", {}, setField(test::BmpOffBiHeight, uint32_t(-65536)),
         "height -65536 has more than 65535 rows"},
        {"lowest height", {}, setField(test::BmpOffBiHeight, 0x80000000u),
         "height -2147483648 has more than 65535 rows"},
        {"decoded 512 MiB + 1 row", tall, setField(test::BmpOffBiHeight, 8193),
         "image needs 536936448 bytes, above 512 MiB"},
        {"decoded 512 MiB", tall, setField(test::BmpOffBiHeight, uint32_t(-8192)),
         "pixel data is 4 bytes, rows need 536870912"},
        {"largest dimensions", withBits(32), [](Bytes& b) {
             putLe32(b, test::BmpOffBiWidth, 65535);
             putLe32(b, test::BmpOffBiHeight, 65535);
         },
         "image needs 17179344900 bytes, above 512 MiB"},
        {"short rows", shortRows, none, "pixel data is 23 bytes, rows need 24"},
        {"offset at end", {}, setField(test::BmpOffBfOffBits, fullFile),
         "pixel data offset " + std::to_string(fullFile) + " is past the end of the file (" +
             std::to_string(fullFile) + " bytes)"},
        {"offset far out", {}, setField(test::BmpOffBfOffBits, 0xFFFFFFFFu),
         "pixel data offset 4294967295 is past the end of the file (" + std::to_string(fullFile) + " bytes)"},
        {"offset 0", {}, setField(test::BmpOffBfOffBits, 0),
         "pixel data offset 0 lies inside the headers and colour table (1078 bytes)"},
        {"offset in colour table", {}, setField(test::BmpOffBfOffBits, 54),
         "pixel data offset 54 lies inside the headers and colour table (1078 bytes)"},
        {"offset on the masks", withBits(16, 3), setField(test::BmpOffBfOffBits, 54),
         "pixel data offset 54 lies inside the headers and colour table (66 bytes)"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file = buildBmp(c.spec);
        c.change(file);
        const BmpReadResult r = readBytes(file);
        EXPECT_FALSE(r.image);
        EXPECT_EQ(r.why, c.why);
    }
}

TEST(BmpFile, ReadsWhatTheBytesReaderReads) {
    const std::string path = ::testing::TempDir() + "qzt_bmp_file_test.bmp";
    BmpSpec small = withBits(24);  // all of it inside the first header read
    small.width = 3;
    BmpSpec large;  // pixel data far behind the header read
    large.width = 300;
    large.height = 7;
    large.gapBeforePixels = 100;
    for (const BmpSpec& spec : {small, large}) {
        const Bytes file = buildBmp(spec);
        ASSERT_TRUE(test::writeBytesToFile(path, file));
        const BmpReadResult fromFile = readBmpFile(path.c_str());
        const BmpReadResult fromBytes = readBytes(file);
        ASSERT_TRUE(fromFile.image) << fromFile.why;
        ASSERT_TRUE(fromBytes.image);
        EXPECT_EQ(fromFile.image->bitmapInfo, fromBytes.image->bitmapInfo);
        EXPECT_EQ(fromFile.image->logPaletteBlock(), fromBytes.image->logPaletteBlock());
        EXPECT_EQ(fromFile.image->width, spec.width);
        EXPECT_EQ(fromFile.image->height, spec.height);
        EXPECT_EQ(pixelsOf(*fromFile.image), pixelsOf(*fromBytes.image));
    }
    Bytes cut = buildBmp(large);
    cut.pop_back();
    ASSERT_TRUE(test::writeBytesToFile(path, cut));
    const BmpReadResult refused = readBmpFile(path.c_str());
    EXPECT_FALSE(refused.image);
    EXPECT_EQ(refused.why, readBytes(cut).why);
    std::remove(path.c_str());
}

TEST(BmpFile, MissingFileCannotBeOpened) {
    const BmpReadResult r = readBmpFile((::testing::TempDir() + "qzt_no_such_dir/none.bmp").c_str());
    EXPECT_FALSE(r.image);
    EXPECT_EQ(r.why, "cannot open the file");
}

TEST(BmpExtendedHeaders, MasksAndColourTableWhereTheHeaderPutsThem) {
    struct Case {
        uint32_t headerSize;
        uint16_t bits;
        uint32_t compression;
        uint32_t clrUsed;
        size_t tableOffset;
    };
    for (const Case& c : {Case{108, 16, 3, 0, 122}, Case{124, 32, 3, 0, 138}, Case{124, 16, 3, 3, 138},
                          Case{40, 16, 3, 2, 66}, Case{40, 32, 3, 0, 66}, Case{108, 8, 0, 0, 122},
                          Case{124, 32, 0, 0, 138}, Case{124, 4, 2, 0, 138}}) {
        SCOPED_TRACE("biSize " + std::to_string(c.headerSize) + ", " + std::to_string(c.bits) +
                     " bits, compression " + std::to_string(c.compression));
        BmpSpec spec = withBits(c.bits, c.compression);
        spec.headerSize = c.headerSize;
        spec.clrUsed = c.clrUsed;
        spec.masks = {0x7C00, 0x03E0, 0x001F};
        const Bytes file = buildBmp(spec);
        const BmpReadResult r = readBytes(file);
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(infoField(*r.image, test::BmpOffBiSize), 40u);
        EXPECT_EQ(r.image->compression, c.compression);
        const size_t masks = c.compression == 3 ? 12 : 0;
        if (masks) {
            const uint8_t* m = r.image->bitmapInfo.data() + 40;
            EXPECT_EQ(getLe32(m), 0x7C00u);
            EXPECT_EQ(getLe32(m + 4), 0x03E0u);
            EXPECT_EQ(getLe32(m + 8), 0x001Fu);
        }
        expectColoursFrom(file, c.tableOffset, *r.image, masks);
        EXPECT_EQ(pixelsOf(*r.image), fileTail(file, c.tableOffset + 4 * r.image->colourCount));
    }
}

TEST(BmpRle, SizeImageNeverPastTheData) {
    struct Case {
        uint16_t bits;
        uint32_t compression;
        uint32_t sizeImage;
        bool keptAsIs;
    };
    for (const Case& c : {Case{8, 1, 0, false}, Case{8, 1, 100000, false}, Case{8, 1, 5, true}, Case{4, 2, 0, false},
                          Case{4, 2, 0xFFFFFFFF, false}, Case{4, 2, 3, true}}) {
        SCOPED_TRACE("RLE" + std::to_string(c.bits) + ", biSizeImage " + std::to_string(c.sizeImage));
        BmpSpec spec = withBits(c.bits, c.compression);
        spec.width = 200;  // decoded rows far larger than the runs
        spec.height = 10;
        spec.sizeImage = c.sizeImage;
        const BmpReadResult r = readBytes(buildBmp(spec));
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(r.image->pixelBytes, test::bmpRleRuns(spec).size());
        EXPECT_EQ(infoField(*r.image, test::BmpOffBiSizeImage), c.keptAsIs ? c.sizeImage : r.image->pixelBytes);
    }
    BmpSpec uncompressed;
    uncompressed.sizeImage = 0;  // GDI works that out itself for uncompressed rows
    const BmpReadResult r = readBytes(buildBmp(uncompressed));
    ASSERT_TRUE(r.image) << r.why;
    EXPECT_EQ(infoField(*r.image, test::BmpOffBiSizeImage), 0u);
}

// Every prefix of a file, each in a buffer of its own length so that a read
// past the end shows under the address sanitizer.
TEST(BmpTruncated, EveryLengthRefusedOrReadSensibly) {
    BmpSpec colours = withClrUsed(4);
    colours.width = 3;
    BmpSpec masks = withBits(16, 3);
    masks.headerSize = 124;
    BmpSpec runs = withBits(8, 1);
    runs.clrUsed = 3;
    for (const BmpSpec& spec : {colours, masks, runs}) {
        const Bytes file = buildBmp(spec);
        const size_t offBits = getLe32(file.data() + test::BmpOffBfOffBits);
        for (size_t length = 0; length <= file.size(); ++length) {
            SCOPED_TRACE("compression " + std::to_string(spec.compression) + ", length " + std::to_string(length));
            const Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(length));
            const BmpReadResult r = readBytes(cut);
            // Uncompressed rows must all be there; runs may stop anywhere.
            const bool usable = spec.compression == 1 ? length > offBits : length == file.size();
            ASSERT_EQ(bool(r.image), usable) << r.why;
            if (!r.image) {
                EXPECT_FALSE(r.why.empty());
                continue;
            }
            EXPECT_EQ(pixelsOf(*r.image), fileTail(cut, offBits));
            EXPECT_LE(infoField(*r.image, test::BmpOffBiSizeImage), r.image->pixelBytes);
        }
    }
}

TEST(BmpBytes, ReadFromAnyAlignment) {
    BmpSpec spec = withBits(32, 3);
    spec.headerSize = 108;
    const Bytes file = buildBmp(spec);
    const BmpReadResult aligned = readBytes(file);
    ASSERT_TRUE(aligned.image) << aligned.why;
    for (size_t shift = 1; shift < 4; ++shift) {
        Bytes shifted(shift, 0);
        shifted.insert(shifted.end(), file.begin(), file.end());
        const BmpReadResult r = readBmpBytes(shifted.data() + shift, file.size());
        ASSERT_TRUE(r.image) << r.why;
        EXPECT_EQ(r.image->bitmapInfo, aligned.image->bitmapInfo);
        EXPECT_EQ(pixelsOf(*r.image), pixelsOf(*aligned.image));
    }
}

}  // namespace
}  // namespace qzt
