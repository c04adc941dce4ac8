// A picture magnified by an integer factor: each pixel becomes a block of
// factor x factor pixels of its colour, never blended.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qzt {

// width x height 32-bit pixels, rows top-down and packed, into target of
// (width x factor) x (height x factor) pixels.
void magnifyPixels(const uint32_t* source, int width, int height, int factor, uint32_t* target);

}  // namespace qzt
