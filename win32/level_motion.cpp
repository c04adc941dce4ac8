#include "win32/level_motion.h"

#include <algorithm>
#include <optional>

#include "edit/motion.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

// A timer message a game frame; the clock, not their count, sets the frame.
constexpr UINT TimerMilliseconds = 1000 / GameFramesPerSecond;

struct Motion {
    bool paused = false;
    int64_t frameAtStart = 0;  // shown when the clock started
    int64_t startCount = 0;    // the performance counter then
};
std::optional<Motion> motion;
void (*motionView)() = nullptr;

int64_t counterNow() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

int64_t frameByClock() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int64_t elapsed = counterNow() - motion->startCount;
    return motion->frameAtStart + elapsed / frequency.QuadPart * GameFramesPerSecond +
           elapsed % frequency.QuadPart * GameFramesPerSecond / frequency.QuadPart;
}

void tellView() {
    if (motionView) motionView();
}

void show(int64_t frame) {
    shell.viewFrame = frame;
    RedrawLevelView();
    tellView();
}

bool motionPaused() { return motion && motion->paused; }

void startClockAt(int64_t frame) {
    motion->frameAtStart = frame;
    motion->startCount = counterNow();
}

}  // namespace

bool motionShown() { return motion.has_value(); }

int64_t motionFrame() { return shell.viewFrame.value_or(0); }

void toggleMotion() {
    if (motion) {
        stopMotion();
        return;
    }
    motion = Motion{};
    startClockAt(0);
    SetTimer(shell.mainWindow, MotionTimerId, TimerMilliseconds, nullptr);
    show(0);
}

void pauseOrResumeMotion() {
    if (!motion) return;
    motion->paused = !motion->paused;
    if (!motion->paused) startClockAt(motionFrame());
}

void stepMotion(int frames) {
    if (motionPaused()) show(std::max<int64_t>(0, motionFrame() + frames));
}

void rewindMotion() {
    if (!motion) return;
    startClockAt(0);
    show(0);
}

void stopMotion() {
    if (!motion) return;
    motion.reset();
    KillTimer(shell.mainWindow, MotionTimerId);
    shell.viewFrame.reset();
    if (session.document.loaded) RedrawLevelView();
    tellView();
}

void onMotionTimer() {
    if (!motion || motion->paused) return;
    const int64_t frame = frameByClock();
    if (frame != motionFrame()) show(frame);
}

void setMotionView(void (*view)()) { motionView = view; }

}  // namespace qzt
