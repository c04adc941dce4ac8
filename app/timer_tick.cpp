#include "app/timer_tick.h"

namespace qzt {

void runTimerTick() {}

}  // namespace qzt
