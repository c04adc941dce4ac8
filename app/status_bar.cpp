#include "app/status_bar.h"

#include <commctrl.h>

#include <string>

#include "edit/control_layout.h"
#include "edit/enemy_selection.h"
#include "edit/slot_rules.h"
#include "win32/dpi.h"
#include "win32/level_motion.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

enum Part { PointerPart, SelectionPart, ZoomPart, MotionPart, PartCount };
// Where each part ends, at 96 DPI; the last reaches the window's edge.
constexpr int PartEnds[PartCount] = {140, 300, 400, -1};

HWND statusBar;

// The part repaints with the window's next paint, not at once: the pointer's
// point changes with every move of a drag.
void setPart(Part part, const std::string& text) {
    if (statusText(part) == text) return;
    SendMessageA(statusBar, WM_SETREDRAW, FALSE, 0);
    SendMessageA(statusBar, SB_SETTEXTA, WPARAM(part), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(statusBar, WM_SETREDRAW, TRUE, 0);
    RECT area;
    SendMessageA(statusBar, SB_GETRECT, WPARAM(part), reinterpret_cast<LPARAM>(&area));
    InvalidateRect(statusBar, &area, TRUE);
}

}  // namespace

void createStatusBar() {
    statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, shell.mainWindow,
                                nullptr, shell.instance, nullptr);
}

int layOutStatusBar(UINT dpi) {
    SendMessageA(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont(dpi)), FALSE);
    int ends[PartCount];
    for (int part = 0; part < PartCount; ++part) ends[part] = PartEnds[part] < 0 ? -1 : scaled(PartEnds[part], int(dpi));
    SendMessageA(statusBar, SB_SETPARTS, PartCount, reinterpret_cast<LPARAM>(ends));
    fitStatusBar();
    return statusBarHeight();
}

int statusBarHeight() {
    RECT rect;
    GetWindowRect(statusBar, &rect);
    return int(rect.bottom - rect.top);
}

void fitStatusBar() { SendMessageA(statusBar, WM_SIZE, 0, 0); }

void showPointerInStatus(std::optional<Point64> level) {
    setPart(PointerPart, level ? std::to_string(level->x) + ", " + std::to_string(level->y) : "");
}

void showSelectionInStatus() {
    const EditorState& state = session.state;
    std::string text;
    const int others = selectedEnemyCount(state) - 1;
    if (isUsedSlot(session.document.enemies, state.selectedEnemy))
        text = "Enemy " + std::to_string(state.selectedEnemy) + (others > 0 ? " and " + std::to_string(others) + " more" : "");
    else if (isUsedSlot(session.document.imageSets, state.selectedImageSet))
        text = "Image set " + std::to_string(state.selectedImageSet);
    setPart(SelectionPart, text);
}

void showZoomInStatus() { setPart(ZoomPart, std::to_string(shell.view.zoom * 100) + " %"); }

void showMotionInStatus() { setPart(MotionPart, motionShown() ? "Frame " + std::to_string(motionFrame()) : ""); }

std::string statusText(int part) {
    const LRESULT length = LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, WPARAM(part), 0));
    std::string text(size_t(length) + 1, '\0');
    SendMessageA(statusBar, SB_GETTEXTA, WPARAM(part), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(size_t(length));
    return text;
}

}  // namespace qzt
