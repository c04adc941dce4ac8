// Any bytes: either a refusal with a reason, or an image whose blocks agree
// with each other, so that the screen half can hand them to GDI as they are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfx/bmp_file.h"

namespace {

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

void check(bool ok) { if (!ok) std::abort(); }

void checkImage(const qzt::BmpImage& image, size_t size) {
    const size_t masks = image.compression == qzt::BmpCompressionBitfields ? 12 : 0;
    const uint8_t* header = image.infoHeader();
    check(image.colourCount <= qzt::MaxBmpColours && image.palette.size() == image.colourCount);
    check(image.bitmapInfo.size() == 40 + masks + 4 * size_t(image.colourCount));
    check(le32(header) == 40 && le32(header + 36) == 0);
    check(image.width > 0 && image.width <= qzt::MaxBmpDimension && image.height != 0);
    check(image.pixels != nullptr && image.pixelBytes > 0 && image.pixelBytes <= size);
    // GDI takes biSizeImage of runs as their length: it must stay inside the buffer.
    if (image.compression == qzt::BmpCompressionRle8 || image.compression == qzt::BmpCompressionRle4)
        check(le32(header + 20) <= image.pixelBytes);
    for (size_t i = 0; i < image.colourCount; ++i)
        check(image.bitmapInfo[40 + masks + 4 * i + 3] == 0 && image.palette[i].flags == qzt::PaletteNoCollapse);
    // The last pixel byte: a buffer shorter than pixelBytes shows under the sanitizers.
    [[maybe_unused]] volatile uint8_t last = image.pixels.get()[image.pixelBytes - 1];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const qzt::BmpReadResult result = qzt::readBmpBytes(data, size);
    if (result.image) checkImage(*result.image, size);
    else check(!result.why.empty());
    return 0;
}
