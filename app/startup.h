// Start-up of the editor and its message loop; WinMain is just the two.
#pragma once

#include <windows.h>

namespace qzt {

// The main window's message timer: the preview and the outlines.
constexpr UINT_PTR EditorTimerId = 1;
constexpr UINT EditorTimerMilliseconds = 250;

// Everything that lives for the whole run, up to the timer; then the level
// named on the command line, if any, is opened. False, with no window made,
// when a window class fails to register.
bool startEditor(HINSTANCE instance, int showCommand, const char* commandLine);

// Serves every window of the thread until the quit message; returns 0.
int runMessageLoop();

}  // namespace qzt
