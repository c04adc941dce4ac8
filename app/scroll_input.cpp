#include "app/scroll_input.h"

namespace qzt {

void onHorizontalScroll(WPARAM) {}
void onVerticalScroll(WPARAM) {}

}  // namespace qzt
