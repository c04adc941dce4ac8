// PNG files of pictures.
#pragma once

#include <string>

#include "gfx/rgb_image.h"

namespace qzt {

// The picture as PNG bytes; empty when the encoder fails.
std::string encodePng(const RgbImage& picture);

}  // namespace qzt
