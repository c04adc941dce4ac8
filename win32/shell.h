// What every window of the editor reaches: the program instance, the work
// area read at start-up, the main window with the parts of it that the view's
// drawing uses, and the notices owned by it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "edit/view_geometry.h"

namespace qzt {

struct Shell {
    HINSTANCE instance = nullptr;
    RECT workArea{};
    HWND mainWindow = nullptr;
    HWND horizontalScrollBar = nullptr;
    HWND verticalScrollBar = nullptr;
    // The recording line's step count, which every redraw writes.
    HWND recordStepsText = nullptr;
    // Where the view lies in the main window at its DPI, and its zoom.
    ViewPlacement view;
    // The game frame the view shows while the level's motion plays; none for
    // the level as placed.
    std::optional<int64_t> viewFrame;
    // Disabled while a question is up.
    std::vector<HWND> toolWindows;
};

extern Shell shell;

// System colour COLOR_MENU + 1: every window class's background, and the
// brush that blanks a panel value before it is rewritten.
inline HBRUSH panelBrush() { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1)); }

// Captions that name the kind of action that failed.
constexpr char LoadingCaption[] = "Dat file Loading Error";
constexpr char EditingCaption[] = "Editing Action Error";

// What the user must know, in a box owned by the main window (win32/modal.cpp).
void notice(const char* text, const char* caption);

}  // namespace qzt
