// The two scroll bars move the view.
#pragma once

#include <windows.h>

namespace qzt {

void onHorizontalScroll(WPARAM wParam);
void onVerticalScroll(WPARAM wParam);

}  // namespace qzt
