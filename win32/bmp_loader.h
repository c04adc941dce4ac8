// Turning a BMP file into a device bitmap for a window's device context and a
// logical palette from its colour table.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace qzt {

// Loads the BMP file at path as a bitmap compatible with dc. Once the file's
// headers and colour table are accepted, *palette receives the new palette
// (the one it held is deleted) and *width, *height the image's size; a file
// refused earlier leaves all three untouched. Returns null when there is no
// bitmap, with the reason in *why when why is given.
HBITMAP LoadBmpFile(const char* path, HDC dc, HPALETTE* palette, int32_t* width, int32_t* height,
                    std::string* why = nullptr);

}  // namespace qzt
