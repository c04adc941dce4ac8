// What the three tool windows share: their kind of window, controls made
// from a table, and list items as numbers.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace qzt {

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | SS_SIMPLE;
constexpr DWORD NumberBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER;

struct ControlLayout {
    const char* className;
    const char* text;  // null for no window text
    DWORD style;
    int x, y, width, height;
};

// Hidden, always on top, with a caption and sizing border but no system
// menu, so only its own buttons dismiss it. Placed at (right / 2 - left,
// bottom / 2 - up) of the work area read at start-up.
HWND createToolWindow(const char* className, const char* title, int left, int up, int width, int height);

// The controls in table order, all with id 0: handlers tell them apart by
// handle. handles[i] receives control i.
void createControls(HWND window, const ControlLayout* layouts, HWND* handles, size_t count);
template <size_t Count>
void createControls(HWND window, const ControlLayout (&layouts)[Count], HWND (&handles)[Count]) {
    createControls(window, layouts, handles, Count);
}

// List items are slot numbers, two digits at most.
using ItemText = char[16];

// The selected item's position, -1 for none.
int selectedItem(HWND list);
// The selected item's text, or null without one.
const char* selectedItemText(HWND list, ItemText& text);
void addDecimalItem(HWND list, int32_t value);

}  // namespace qzt
