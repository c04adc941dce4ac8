// The pieces PNG files are made of, still or animated: chunks with their
// checksums, the header of an RGB picture, and rows filtered and compressed.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/rgb_image.h"

namespace qzt::png {

constexpr char Signature[] = "\x89PNG\r\n\x1A\n";

void appendBigEndian(std::string& out, uint32_t value);
// Length, type, data and the CRC of type and data.
void appendChunk(std::string& png, const char* type, const std::string& data);
// The data of IHDR for 8-bit RGB pixels.
std::string rgbHeader(int width, int height);
// The picture's rows filtered and compressed, appended to data: the pixels
// of an IDAT or fdAT chunk. False for a picture without pixels or when zlib fails.
bool compressRows(const RgbImage& picture, std::string& data);

}  // namespace qzt::png
