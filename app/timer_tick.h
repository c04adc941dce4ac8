// One timer tick: the next step of the selected enemy's program preview and
// the image-set outlines in their blinking colour.
#pragma once

namespace qzt {

void runTimerTick();

}  // namespace qzt
