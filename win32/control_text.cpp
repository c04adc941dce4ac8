#include "win32/control_text.h"

#include <cstring>
#include <vector>

#include "level/decimal.h"

namespace qzt {

bool showsText(HWND control, const char* text) {
    // Room for a whole header line, the longest text a control is given.
    char shown[512];
    const size_t length = std::strlen(text);
    if (length >= sizeof shown || size_t(GetWindowTextLengthA(control)) != length) return false;
    GetWindowTextA(control, shown, int(sizeof shown));
    return std::strcmp(shown, text) == 0;
}

void showText(HWND control, const char* text) {
    if (!showsText(control, text)) SetWindowTextA(control, text);
}

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

int selectedItem(HWND list) {
    const LRESULT item = SendMessageA(list, CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? -1 : int(item);
}

const char* selectedItemText(HWND list, ItemText& text) {
    const int item = selectedItem(list);
    if (item < 0) return nullptr;
    const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, WPARAM(item), 0);
    if (length == CB_ERR || length >= LRESULT(sizeof text)) return nullptr;
    SendMessageA(list, CB_GETLBTEXT, WPARAM(item), reinterpret_cast<LPARAM>(text));
    return text;
}

void addDecimalItem(HWND list, int32_t value) {
    char text[MaxDecimalLength + 1] = {};
    formatDecimal(value, text);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace qzt
