#include "app/mouse_input.h"

namespace qzt {

void onButtonDown(bool, LPARAM) {}
void onMouseMove(LPARAM) {}
void onButtonUp() {}

}  // namespace qzt
