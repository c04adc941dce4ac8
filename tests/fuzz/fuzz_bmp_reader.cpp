// Any bytes: either a refusal with a reason, or an image whose blocks agree
// with each other, so that the screen half can hand them to GDI as they are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gfx/bmp_file.h"

namespace {

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void check(bool ok) {
    if (!ok) std::abort();
}

void checkImage(const qzt::BmpImage& image, size_t size) {
    const size_t masks = image.compression == qzt::BmpCompressionBitfields ? 12 : 0;
    check(image.colourCount <= qzt::MaxBmpColours);
    check(image.bitmapInfo.size() == 40 + masks + 4 * size_t(image.colourCount));
    check(image.palette.size() == image.colourCount);
    check(image.pixels != nullptr && image.pixelBytes > 0 && image.pixelBytes <= size);
    const uint8_t* header = image.infoHeader();
    check(le32(header) == 40 && le32(header + 36) == 0);
    check(image.width > 0 && image.width <= qzt::MaxBmpDimension && image.height != 0);
    if (image.compression == qzt::BmpCompressionRle8 || image.compression == qzt::BmpCompressionRle4)
        check(le32(header + 20) <= image.pixelBytes);
    for (size_t i = 0; i < image.colourCount; ++i) {
        check(image.bitmapInfo[40 + masks + 4 * i + 3] == 0);
        check(image.palette[i].flags == qzt::PaletteNoCollapse);
    }
    const std::vector<uint8_t> block = image.logPaletteBlock();
    check(block.size() == 8 + 4 * size_t(image.colourCount));
    // Touch every pixel byte so that the sanitizers see the whole buffer.
    uint8_t sum = 0;
    for (size_t i = 0; i < image.pixelBytes; ++i) sum = uint8_t(sum + image.pixels[i]);
    volatile uint8_t sink = sum;
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const qzt::BmpReadResult result = qzt::readBmpBytes(data, size);
    if (result.image)
        checkImage(*result.image, size);
    else
        check(!result.why.empty());
    return 0;
}
