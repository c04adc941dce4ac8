#include "tools/qztlevel/png_output.h"

#include "tools/qztlevel/png_chunks.h"

namespace qzt {

std::string encodePng(const RgbImage& picture) {
    std::string idat;
    if (!png::compressRows(picture, idat)) return {};
    std::string file = png::Signature;
    png::appendChunk(file, "IHDR", png::rgbHeader(picture.width, picture.height));
    png::appendChunk(file, "IDAT", idat);
    png::appendChunk(file, "IEND", {});
    return file;
}

}  // namespace qzt
