// Numbers as the decimal text of controls and of list items, both ways.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qzt {

// Whether the control shows exactly text. A refresh writes only what
// changed: every text set repaints its control.
bool showsText(HWND control, const char* text);
// Sets the text unless it is shown already.
void showText(HWND control, const char* text);

void setDecimalText(HWND control, int32_t value);
// The first limit - 1 characters of the control's text, as a number; text
// that is no number reads 0.
int32_t decimalText(HWND control, int limit);

// List items are slot numbers, two digits at most.
using ItemText = char[16];

// The selected item's position, -1 for none.
int selectedItem(HWND list);
// The selected item's text, or null without one.
const char* selectedItemText(HWND list, ItemText& text);
void addDecimalItem(HWND list, int32_t value);

}  // namespace qzt
