// Reading BMP files into what the screen half needs to make a palette and a
// device bitmap. No window code here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qzt {

constexpr uint32_t BmpCompressionRgb = 0;
constexpr uint32_t BmpCompressionRle8 = 1;
constexpr uint32_t BmpCompressionRle4 = 2;
constexpr uint32_t BmpCompressionBitfields = 3;

constexpr int BmpInfoHeaderSize = 40;
constexpr uint16_t LogPaletteVersion = 0x300;
constexpr uint8_t PaletteNoCollapse = 0x04;
constexpr uint32_t MaxBmpColours = 256;
constexpr int32_t MaxBmpDimension = 65535;
constexpr uint64_t MaxBmpDecodedBytes = 512ull << 20;

// One entry of a logical palette, in the LOGPALETTE entry layout.
struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

struct BmpImage {
    // The bitmap-info block in BITMAPINFO layout: a 40-byte info header
    // (biSize 40, biClrImportant 0), the three bit-field masks when the
    // compression is BI_BITFIELDS, then the colour table with reserved bytes 0.
    std::vector<uint8_t> bitmapInfo;
    // Entries of the logical palette, one per colour, flags PC_NOCOLLAPSE.
    std::vector<PaletteEntry> palette;
    int32_t width = 0;   // biWidth, unchanged
    int32_t height = 0;  // biHeight, unchanged (negative for a top-down file)
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t colourCount = 0;
    // The pixel bytes from bfOffBits on, as many as the image can use: the
    // rows' bytes, or for runs what the longest encoding of the image takes.
    // Read into memory, or pointing into the file's mapping.
    std::shared_ptr<const uint8_t> pixels;
    size_t pixelBytes = 0;

    // The info header at the start of bitmapInfo.
    const uint8_t* infoHeader() const { return bitmapInfo.data(); }
    // The LOGPALETTE block: version 0x300, entry count, entries.
    std::vector<uint8_t> logPaletteBlock() const;
};

struct BmpReadResult {
    std::unique_ptr<BmpImage> image;  // null when the file can't be used
    std::string why;                  // the reason, when image is null
};

BmpReadResult readBmpFile(const char* path);
BmpReadResult readBmpBytes(const uint8_t* data, size_t size);

}  // namespace qzt
