// The steps of a level load that reach the screen: the level bitmap, its
// palette, the vertical scroll range, the first picture and the caption.
#pragma once

#include <string>

#include "level/dat_reader.h"

namespace qzt {

class ScreenLoadSteps final : public LoadSteps {
public:
    void resetScrollPositions() override;
    bool replaceBitmap(const char* path, std::string& why) override;
    void showBitmap() override;
    void setCaption(const char* text) override;
};

}  // namespace qzt
