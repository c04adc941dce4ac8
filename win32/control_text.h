// Numbers as the decimal text of controls, both ways.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qzt {

void setDecimalText(HWND control, int32_t value);
// The first limit - 1 characters of the control's text, as a number; text
// that is no number reads 0.
int32_t decimalText(HWND control, int limit);

}  // namespace qzt
