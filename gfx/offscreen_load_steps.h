// A load that shows nothing, but reads the bitmap file with the editor's reader,
// so a level the editor would refuse fails here too: for the tool, and for the
// editor to try a file before it replaces the level on screen.
#pragma once

#include <memory>
#include <string>

#include "gfx/bmp_file.h"
#include "level/dat_reader.h"

namespace qzt {

class OffscreenLoadSteps final : public LoadSteps {
public:
    void resetScrollPositions() override {}
    bool replaceBitmap(const char* path, std::string& why) override;
    void showBitmap() override {}
    void setCaption(const char*) override {}

    // The bitmap of the last load, null when it had none.
    const BmpImage* bitmap() const { return bitmap_.get(); }
    // The path that bitmap was read from (the data file's directory joined).
    const std::string& bitmapPath() const { return bitmapPath_; }

private:
    std::unique_ptr<BmpImage> bitmap_;
    std::string bitmapPath_;
};

}  // namespace qzt
