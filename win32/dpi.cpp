#include "win32/dpi.h"

#include <map>


namespace qzt {
namespace {

// One font a DPI, deleted as the process ends.
class FontCache {
public:
    ~FontCache() {
        for (auto& [dpi, font] : fonts_) DeleteObject(font);
    }
    HFONT at(UINT dpi) {
        HFONT& font = fonts_[dpi];
        if (font) return font;
        // The per-DPI metrics exist only as wide characters.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
            font = CreateFontIndirectW(&metrics.lfMessageFont);
        if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        return font;
    }

private:
    std::map<UINT, HFONT> fonts_;
};

FontCache fonts;

}  // namespace

UINT dpiOf(HWND window) {
    const UINT dpi = window ? GetDpiForWindow(window) : 0;
    return dpi ? dpi : GetDpiForSystem();
}

HFONT messageFont(UINT dpi) { return fonts.at(dpi); }

}  // namespace qzt
