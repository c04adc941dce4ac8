// Key-downs of the main window: the recording keys and Delete.
#pragma once

#include <windows.h>

namespace qzt {

void onKeyDown(WPARAM key);

}  // namespace qzt
