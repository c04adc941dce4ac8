// One timer tick: the next step of the selected enemy's program preview and
// the image-set outlines in their blinking colour.
#pragma once

namespace qzt {

// The drawing; every key-down runs one too.
void runTimerTick();

// WM_TIMER: the tick, then the level's safety on disk (the recovery file, the
// files changed by other programs), which a key's tick leaves alone.
void onTimer();

}  // namespace qzt
