// Child controls made from a layout table, for the main window and the tool
// windows alike.
#pragma once

#include <windows.h>

#include <cstddef>

namespace qzt {

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | SS_SIMPLE;
constexpr DWORD NumberBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER;
constexpr DWORD DropDownListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST;

struct ControlLayout {
    const char* className;
    const char* text;  // null for no window text
    DWORD style;
    int x, y, width, height;
    HWND* handle;  // where the control's handle is kept; null for a label
};

// The controls in table order, all with id 0: handlers tell them apart by handle.
void createControls(HWND parent, const ControlLayout* layouts, size_t count);
template <size_t Count>
void createControls(HWND parent, const ControlLayout (&layouts)[Count]) {
    createControls(parent, layouts, Count);
}

}  // namespace qzt
