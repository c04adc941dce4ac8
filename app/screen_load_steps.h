// The steps of a level load that reach the screen: the level bitmap, its
// palette, the vertical scroll range, the first picture and the caption.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win32/gdi_guards.h"

#include "level/dat_reader.h"

namespace qzt {

class ScreenLoadSteps : public LoadSteps {
public:
    ScreenLoadSteps() = default;
    ScreenLoadSteps(const ScreenLoadSteps&) = delete;
    ScreenLoadSteps& operator=(const ScreenLoadSteps&) = delete;

    void resetScrollPositions() override;
    bool replaceBitmap(const char* path, std::string& why) override;
    void showBitmap() override;
    void setCaption(const char* text) override;

private:
    // The main window's device context, from replaceBitmap to showBitmap.
    std::optional<WindowDC> windowDc_;
};

}  // namespace qzt
