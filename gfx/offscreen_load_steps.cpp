#include "gfx/offscreen_load_steps.h"

namespace qzt {

bool OffscreenLoadSteps::replaceBitmap(const char* path, std::string& why) {
    bitmap_.reset();
    bitmapPath_.clear();
    if (path == nullptr) return false;  // the loader says why itself
    // The reader names the path itself; why carries only the bitmap's cause.
    BmpReadResult read = readBmpFile(path);
    if (!read.image) {
        why = read.why;
        return false;
    }
    bitmap_ = std::move(read.image);
    bitmapPath_ = path;
    return true;
}

}  // namespace qzt
