#include "win32/control_text.h"

#include <vector>

#include "level/decimal.h"

namespace qzt {

void setDecimalText(HWND control, int32_t value) {
    char text[MaxDecimalLength + 1] = {};
    formatDecimal(value, text);
    SetWindowTextA(control, text);
}

int32_t decimalText(HWND control, int limit) {
    std::vector<char> text(size_t(limit), '\0');
    GetWindowTextA(control, text.data(), limit);
    return parseDecimal(text.data());
}

}  // namespace qzt
