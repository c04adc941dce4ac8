// Any bytes the reader accepts decode into a whole picture, reading nothing
// past the pixel data and writing nothing outside the picture.
#include <cstdlib>

#include "gfx/bmp_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const qzt::BmpReadResult read = qzt::readBmpBytes(data, size);
    if (!read.image) return 0;
    const qzt::RgbImage picture = qzt::decodeBmpPixels(*read.image);
    const int64_t rows = read.image->height < 0 ? -int64_t(read.image->height) : read.image->height;
    if (picture.width != read.image->width || picture.height != rows || picture.bytes.size() != size_t(picture.width * rows * 3))
        std::abort();
    return 0;
}
