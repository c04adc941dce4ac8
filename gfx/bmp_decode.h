// The pixels of a bitmap the reader accepted, as RGB rows from the top, the
// way the screen shows them.
#pragma once

#include "gfx/bmp_file.h"
#include "gfx/rgb_image.h"

namespace qzt {

// Every depth and compression the reader takes. A colour index beyond the
// table is black; so is every pixel that runs leave unwritten. Runs and deltas
// that leave the image are cut. Reads only image.pixels[0, pixelBytes).
RgbImage decodeBmpPixels(const BmpImage& image);

}  // namespace qzt
