#include "tools/qztlevel/png_output.h"

#include "level/atomic_file.h"

// The encoder writes through a callback only; files go through the atomic writer.
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace qzt {
namespace {

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

}  // namespace

std::string encodePng(const RgbImage& picture) {
    std::string png;
    const int stride = int(picture.rowBytes());
    if (!stbi_write_png_to_func(appendBytes, &png, picture.width, picture.height, 3, picture.bytes.data(), stride))
        png.clear();
    return png;
}

bool writePngFile(const char* path, const RgbImage& picture, std::string& why) {
    const std::string png = encodePng(picture);
    if (png.empty()) {
        why = "the PNG encoder failed";
        return false;
    }
    return replaceFileAtomically(path, png, why);
}

}  // namespace qzt
