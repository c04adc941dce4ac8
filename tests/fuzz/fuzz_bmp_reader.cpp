// Any bytes: either a refusal with a reason, or an image whose blocks agree
// with each other, so that the screen half can hand them to GDI as they are.
#include <cstdlib>

#include "gfx/bmp_file.h"
#include "gfx/little_endian.h"

namespace {

bool consistent(const qzt::BmpImage& image, size_t size) {
    using namespace qzt;
    const size_t masks = image.compression == BmpCompressionBitfields ? 12 : 0;
    const uint8_t* header = image.infoHeader();
    bool ok = image.colourCount <= MaxBmpColours && image.palette.size() == image.colourCount &&
              image.bitmapInfo.size() == 40 + masks + 4 * size_t(image.colourCount) && readLe32(header) == 40 &&
              readLe32(header + 36) == 0 && image.width > 0 && image.width <= MaxBmpDimension && image.height != 0 &&
              image.pixels != nullptr && image.pixelBytes > 0 && image.pixelBytes <= size;
    // GDI takes biSizeImage of runs as their length: it must stay inside the buffer.
    if (image.compression == BmpCompressionRle8 || image.compression == BmpCompressionRle4)
        ok = ok && readLe32(header + 20) <= image.pixelBytes;
    for (size_t i = 0; ok && i < image.colourCount; ++i)
        ok = image.bitmapInfo[40 + masks + 4 * i + 3] == 0 && image.palette[i].flags == PaletteNoCollapse;
    // The last pixel byte: a buffer shorter than pixelBytes shows under the sanitizers.
    if (ok) [[maybe_unused]] volatile uint8_t last = image.pixels.get()[image.pixelBytes - 1];
    return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const qzt::BmpReadResult result = qzt::readBmpBytes(data, size);
    if (result.image ? !consistent(*result.image, size) : result.why.empty()) std::abort();
    return 0;
}
