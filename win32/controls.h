// Child controls made from a layout table, for the main window and the tool
// windows alike, and laid out again from it at every DPI.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <vector>

#include "edit/control_layout.h"

namespace qzt {

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | SS_SIMPLE;
constexpr DWORD NumberBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER;
constexpr DWORD DropDownListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST;

// The widest value a number box or a value's static shows.
constexpr char WidestNumber[] = "-2147483648";

struct ControlLayout {
    const char* className;
    const char* text;  // null for no window text
    DWORD style;
    int x, y, width, height;  // in pixels at 96 DPI
    HWND* handle;  // where the control's handle is kept; null for a label
    // The widest text the control shows, when it is not its own.
    const char* widest = nullptr;
};

// A window's controls, made in table order, all with id 0: handlers tell them
// apart by handle.
class ControlSet {
public:
    ControlSet() = default;
    ControlSet(const ControlLayout* table, size_t count) : table_(table), count_(count) {}
    template <size_t Count>
    explicit ControlSet(const ControlLayout (&table)[Count]) : ControlSet(table, Count) {}

    // Makes the controls where layOut would place them, in that font; returns
    // where each went, in table order.
    std::vector<PixelBox> create(HWND parent, UINT dpi, AxisScale x, AxisScale y);
    // Places the controls for dpi in the message font, widened where their
    // text needs it; returns where each went, in table order.
    std::vector<PixelBox> layOut(UINT dpi, AxisScale x, AxisScale y);
    // What each control needs for its text at dpi, and where the table puts
    // it; measured once a DPI, as the texts measured never change.
    const std::vector<ControlSpot>& spots(UINT dpi) const;

private:
    const ControlLayout* table_ = nullptr;
    size_t count_ = 0;
    std::vector<HWND> handles_;
    std::vector<PixelBox> placed_;  // where each was last put
    mutable std::map<UINT, std::vector<ControlSpot>> spots_;
};

}  // namespace qzt
