#include "win32/bmp_loader.h"

#include <vector>

#include "gfx/bmp_file.h"

namespace qzt {
namespace {

// The cell keeps one palette at a time; the one it held goes.
void replacePalette(HPALETTE* cell, HPALETTE created) {
    if (*cell && *cell != created) DeleteObject(*cell);
    *cell = created;
}

}  // namespace

HBITMAP LoadBmpFile(const char* path, HDC dc, HPALETTE* palette, int32_t* width, int32_t* height,
                    std::string* why) {
    const BmpReadResult read = readBmpFile(path);
    if (!read.image) {
        if (why) *why = read.why;
        return nullptr;
    }
    const BmpImage& image = *read.image;

    const std::vector<uint8_t> paletteBlock = image.logPaletteBlock();
    replacePalette(palette, CreatePalette(reinterpret_cast<const LOGPALETTE*>(paletteBlock.data())));
    *width = image.width;
    *height = image.height;

    const auto* info = reinterpret_cast<const BITMAPINFO*>(image.bitmapInfo.data());
    HBITMAP bitmap = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, image.pixels.get(), info, DIB_RGB_COLORS);
    if (!bitmap && why) *why = "the screen could not make a bitmap of it";
    return bitmap;
}

}  // namespace qzt
