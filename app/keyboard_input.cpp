#include "app/keyboard_input.h"

namespace qzt {

void onKeyDown(WPARAM) {}

}  // namespace qzt
