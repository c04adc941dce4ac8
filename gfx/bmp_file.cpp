#include "gfx/bmp_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "gfx/little_endian.h"
#include "level/regular_file.h"

namespace qzt {
namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderStart = FileHeaderSize;
constexpr size_t MaskBytes = 12;
// The 108- and 124-byte headers carry their masks where a 40-byte header ends.
constexpr size_t MaskStart = InfoHeaderStart + BmpInfoHeaderSize;
// Everything in front of the pixel data lies within this many bytes:
// the largest header and a full colour table.
constexpr size_t LongestHeaders = FileHeaderSize + 124 + 4 * MaxBmpColours;

// Field offsets within the info header.
constexpr size_t FieldSize = 0;
constexpr size_t FieldWidth = 4;
constexpr size_t FieldHeight = 8;
constexpr size_t FieldBitCount = 14;
constexpr size_t FieldCompression = 16;
constexpr size_t FieldSizeImage = 20;
constexpr size_t FieldClrUsed = 32;
constexpr size_t FieldClrImportant = 36;

BmpReadResult refuse(std::string why) {
    BmpReadResult result;
    result.why = std::move(why);
    return result;
}

bool isSupportedBitCount(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Why the bit count can't go with the compression, or empty when it can.
std::string compressionProblem(uint32_t compression, uint16_t bits) {
    const std::string bitText = std::to_string(bits);
    switch (compression) {
    case BmpCompressionRgb:
        return {};
    case BmpCompressionRle8:
        return bits == 8 ? std::string() : "RLE8 compression needs 8 bits per pixel, not " + bitText;
    case BmpCompressionRle4:
        return bits == 4 ? std::string() : "RLE4 compression needs 4 bits per pixel, not " + bitText;
    case BmpCompressionBitfields:
        return bits == 16 || bits == 32
                   ? std::string()
                   : "bit-field compression needs 16 or 32 bits per pixel, not " + bitText;
    case 4:
        return "compression 4 (JPEG) is not supported";
    case 5:
        return "compression 5 (PNG) is not supported";
    default:
        return "compression " + std::to_string(compression) + " is not supported";
    }
}

uint32_t colourCountOf(uint32_t clrUsed, uint16_t bits) {
    if (clrUsed != 0) return clrUsed;
    if (bits == 1) return 2;
    if (bits == 4) return 16;
    if (bits == 8) return 256;
    return 0;
}

bool isRle(uint32_t compression) {
    return compression == BmpCompressionRle8 || compression == BmpCompressionRle4;
}

// Why bit-field masks can't make pixels (empty, overlapping, or with gaps), or
// empty when they can.
std::string maskProblem(const uint8_t* masks) {
    uint32_t seen = 0;
    for (int i = 0; i < 3; ++i) {
        const uint32_t mask = readLe32(masks + 4 * i);
        const char* name = i == 0 ? "red" : i == 1 ? "green" : "blue";
        if (mask == 0) return std::string("the ") + name + " mask is empty";
        if (mask & seen) return std::string("the ") + name + " mask overlaps another";
        const uint32_t low = mask & (~mask + 1);
        if (((mask + low) & mask) != 0) return std::string("the ") + name + " mask is not contiguous";
        seen |= mask;
    }
    return {};
}

// The pixel bytes an image can use: its rows, or for runs the longest legal
// encoding (each pixel a run of one, an end of line per row, the end).
uint64_t usablePixelBytes(uint32_t compression, uint64_t rowBytes, int32_t width, int64_t rows) {
    if (!isRle(compression)) return rowBytes;
    return uint64_t(rows) * (2 * uint64_t(width) + 2) + 2;
}

// Checks everything in front of the pixel data and builds the image without
// its pixel buffer. head holds the first headLen bytes of a file of fileSize
// bytes (at least min(fileSize, LongestHeaders)). On success pixelOffset is
// where the pixel data starts and image->pixelBytes how much of it is kept.
BmpReadResult readHeaders(const uint8_t* head, size_t headLen, uint64_t fileSize, size_t& pixelOffset) {
    const std::string sizeText = std::to_string(fileSize);
    auto tooShort = [&](const char* what) { return refuse("file is " + sizeText + " bytes, shorter than its " + what); };
    if (headLen >= 2 && (head[0] != 'B' || head[1] != 'M')) return refuse("not a BMP file (signature)");
    if (headLen < InfoHeaderStart + 4)
        return tooShort("headers");

    const uint8_t* info = head + InfoHeaderStart;
    const uint32_t headerSize = readLe32(info + FieldSize);
    if (headerSize == 12) return refuse("12-byte core header is not supported");
    if (headerSize != 40 && headerSize != 108 && headerSize != 124)
        return refuse("info header size " + std::to_string(headerSize) + " is not supported");
    if (headLen < InfoHeaderStart + headerSize)
        return tooShort("headers");

    const int32_t width = readLeSigned32(info + FieldWidth);
    const int32_t height = readLeSigned32(info + FieldHeight);
    const int64_t rows = height < 0 ? -int64_t(height) : int64_t(height);
    if (width <= 0) return refuse("width " + std::to_string(width) + " is not positive");
    if (height == 0) return refuse("height is 0");
    if (width > MaxBmpDimension) return refuse("width " + std::to_string(width) + " is above 65535");
    if (rows > MaxBmpDimension)
        return refuse("height " + std::to_string(height) + " has more than 65535 rows");

    const uint16_t bits = readLe16(info + FieldBitCount);
    const uint32_t compression = readLe32(info + FieldCompression);
    // The compression first: JPEG and PNG data carry a bit count of 0.
    const std::string mismatch = compressionProblem(compression, bits);
    if (!mismatch.empty()) return refuse(mismatch);
    if (!isSupportedBitCount(bits)) return refuse("bit count " + std::to_string(bits) + " is not supported");
    // Runs are drawn from the bottom row up; the screen takes no top-down runs.
    if (isRle(compression) && height < 0)
        return refuse("compressed rows need a bottom-up bitmap, not height " + std::to_string(height));
    const bool bitfields = compression == BmpCompressionBitfields;
    if (bitfields && headLen >= MaskStart + MaskBytes) {
        const std::string masks = maskProblem(head + MaskStart);
        if (!masks.empty()) return refuse(masks);
    }

    // A table beside 16 to 32 bits plays no part in the pixels: it may be long,
    // and the palette keeps at most 256 of it.
    const uint32_t fileColours = colourCountOf(readLe32(info + FieldClrUsed), bits);
    if (fileColours > MaxBmpColours && bits <= 8)
        return refuse("colour count " + std::to_string(fileColours) + " is above 256");
    const uint32_t colours = std::min(fileColours, MaxBmpColours);

    // The device bitmap takes up to 4 bytes a pixel whatever the file's depth,
    // and a compressed file can be tiny: the limit counts what the screen needs.
    const uint64_t screenBytes = uint64_t(width) * uint64_t(rows) * 4;
    if (screenBytes > MaxBmpDecodedBytes)
        return refuse("image needs " + std::to_string(screenBytes) + " bytes, above 512 MiB");
    const uint64_t decodedBytes = (uint64_t(width) * bits + 31) / 32 * 4 * uint64_t(rows);

    const size_t masksAfterHeader = bitfields && headerSize == 40 ? MaskBytes : 0;
    const size_t tableStart = InfoHeaderStart + headerSize + masksAfterHeader;
    const size_t tableBytes = 4 * size_t(colours);
    const uint64_t tableEnd = tableStart + 4 * uint64_t(fileColours);
    if (fileSize < tableEnd || headLen < tableStart + tableBytes)
        return tooShort("headers and colour table");

    const uint32_t offBits = readLe32(head + 10);
    if (offBits < tableEnd)
        return refuse("pixel data offset " + std::to_string(offBits) + " lies inside the headers and colour table (" +
                      std::to_string(tableEnd) + " bytes)");
    if (offBits >= fileSize)
        return refuse("pixel data offset " + std::to_string(offBits) + " is past the end of the file (" +
                      sizeText + " bytes)");
    const uint64_t fileBytes = fileSize - offBits;
    if (!isRle(compression) && fileBytes < decodedBytes)
        return refuse("pixel data is " + std::to_string(fileBytes) + " bytes, rows need " +
                      std::to_string(decodedBytes));
    const size_t pixelBytes = size_t(std::min(fileBytes, usablePixelBytes(compression, decodedBytes, width, rows)));

    auto image = std::make_unique<BmpImage>();
    const size_t maskBytes = bitfields ? MaskBytes : 0;
    image->bitmapInfo.assign(BmpInfoHeaderSize + maskBytes + tableBytes, 0);
    uint8_t* block = image->bitmapInfo.data();
    std::memcpy(block, info, BmpInfoHeaderSize);
    writeLe32(block + FieldSize, BmpInfoHeaderSize);
    writeLe32(block + FieldClrImportant, 0);
    if (colours != fileColours) writeLe32(block + FieldClrUsed, colours);
    // GDI takes biSizeImage as the length of compressed data: never past the buffer.
    if (isRle(compression)) {
        const uint32_t sizeImage = readLe32(block + FieldSizeImage);
        if (sizeImage == 0 || sizeImage > pixelBytes)
            writeLe32(block + FieldSizeImage, uint32_t(std::min<uint64_t>(pixelBytes, UINT32_MAX)));
    }
    if (bitfields) std::memcpy(block + BmpInfoHeaderSize, head + MaskStart, MaskBytes);

    uint8_t* table = block + BmpInfoHeaderSize + maskBytes;
    std::memcpy(table, head + tableStart, tableBytes);
    image->palette.resize(colours);
    for (uint32_t i = 0; i < colours; ++i) {
        uint8_t* entry = table + 4 * size_t(i);
        entry[3] = 0;
        image->palette[i] = PaletteEntry{entry[2], entry[1], entry[0], PaletteNoCollapse};
    }

    image->width = width;
    image->height = height;
    image->bitCount = bits;
    image->compression = compression;
    image->colourCount = colours;
    image->pixelBytes = pixelBytes;
    pixelOffset = offBits;
    BmpReadResult result;
    result.image = std::move(image);
    return result;
}

// Left uninitialised: the caller fills every byte.
uint8_t* allocatePixels(BmpImage& image) {
    uint8_t* bytes = new (std::nothrow) uint8_t[image.pixelBytes];
    if (bytes) image.pixels.reset(bytes, std::default_delete<uint8_t[]>());
    return bytes;
}

std::string noMemory(const BmpImage& image) {
    return "not enough memory for " + std::to_string(image.pixelBytes) + " bytes of pixel data";
}

}  // namespace

std::vector<uint8_t> BmpImage::logPaletteBlock() const {
    std::vector<uint8_t> block(8 + 4 * palette.size(), 0);
    writeLe16(block.data(), LogPaletteVersion);
    writeLe16(block.data() + 2, static_cast<uint16_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) {
        uint8_t* entry = block.data() + 4 + 4 * i;
        entry[0] = palette[i].red;
        entry[1] = palette[i].green;
        entry[2] = palette[i].blue;
        entry[3] = palette[i].flags;
    }
    return block;
}

BmpReadResult readBmpBytes(const uint8_t* data, size_t size) {
    size_t pixelOffset = 0;
    BmpReadResult result = readHeaders(data, size, size, pixelOffset);
    if (!result.image) return result;
    uint8_t* pixels = allocatePixels(*result.image);
    if (!pixels) return refuse(noMemory(*result.image));
    std::memcpy(pixels, data + pixelOffset, result.image->pixelBytes);
    return result;
}

BmpReadResult readBmpFile(const char* path) {
    RegularFile file;
    std::string why;
    if (!path || !file.open(path, why)) return refuse(path ? why : "no path");
    const uint64_t fileSize = file.size();

    // Mapped, the pixels are used where they lie; otherwise the headers and
    // then the usable pixel bytes are read.
    if (std::shared_ptr<const uint8_t> mapped = file.map()) {
        size_t pixelOffset = 0;
        BmpReadResult result = readHeaders(mapped.get(), size_t(fileSize), fileSize, pixelOffset);
        if (result.image) result.image->pixels = std::shared_ptr<const uint8_t>(mapped, mapped.get() + pixelOffset);
        return result;
    }
    uint8_t head[LongestHeaders];
    const size_t headLen = size_t(std::min<uint64_t>(fileSize, LongestHeaders));
    if (!file.readAt(0, head, headLen)) return refuse("cannot read the file");
    size_t pixelOffset = 0;
    BmpReadResult result = readHeaders(head, headLen, fileSize, pixelOffset);
    if (!result.image) return result;
    uint8_t* pixels = allocatePixels(*result.image);
    if (!pixels) return refuse(noMemory(*result.image));
    if (!file.readAt(pixelOffset, pixels, result.image->pixelBytes)) return refuse("cannot read the file");
    return result;
}

}  // namespace qzt
