// The level in motion in the view: every used enemy where the game's motion
// has it at a game frame, GameFramesPerSecond frames a second by the clock
// (a late frame is skipped, never slowed down). Nothing of it changes the
// document; an edit stops it and the view shows the level as placed again.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qzt {

// The timer of the main window that wakes the motion; the clock decides.
constexpr UINT_PTR MotionTimerId = 2;

// Playing or paused.
bool motionShown();
// The game frame the view shows while the motion is shown.
int64_t motionFrame();

// Starts at frame 0, or stops.
void toggleMotion();
void pauseOrResumeMotion();
// While paused: frames forward (negative: back), or to frame 0.
void stepMotion(int frames);
void rewindMotion();
void stopMotion();
// The motion timer: the frame the clock has reached, drawn if it is another.
void onMotionTimer();
// Told each time the frame shown changes and when the motion stops.
void setMotionView(void (*view)());

}  // namespace qzt
