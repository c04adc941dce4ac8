#include "app/main_layout.h"

#include <algorithm>
#include <map>
#include <utility>

#include "app/main_controls.h"
#include "app/status_bar.h"
#include "edit/control_layout.h"
#include "win32/dpi.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"

namespace qzt {
namespace {

constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;
// The window's size at 96 DPI; it grows where its controls need more.
constexpr int LeastWidth = 640, LeastHeight = 480;
constexpr int MostZoom = 16;

// The window's icons at the sizes each DPI asks for, loaded once a DPI and
// destroyed as the process ends. At the system's DPI the class's icon has
// them, and start-up need not load any.
class WindowIcons {
public:
    ~WindowIcons() {
        for (auto& [dpi, pair] : icons_)
            for (HICON icon : {pair.first, pair.second})
                if (icon) DestroyIcon(icon);
    }
    void show(UINT dpi) {
        if (dpi == GetDpiForSystem()) {
            for (WPARAM size : {ICON_BIG, ICON_SMALL}) SendMessageA(shell.mainWindow, WM_SETICON, size, 0);
            return;
        }
        auto found = icons_.find(dpi);
        if (found == icons_.end())
            found = icons_.emplace(dpi, std::pair(load(GetSystemMetricsForDpi(SM_CXICON, dpi)),
                                                  load(GetSystemMetricsForDpi(SM_CXSMICON, dpi))))
                        .first;
        const auto [big, small] = found->second;
        if (!big || !small) return;  // a program without the icon keeps the class's
        SendMessageA(shell.mainWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageA(shell.mainWindow, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }

private:
    static HICON load(int size) {
        return static_cast<HICON>(LoadImageA(shell.instance, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
    }
    std::map<UINT, std::pair<HICON, HICON>> icons_;
};

WindowIcons icons;

UINT windowDpi() { return dpiOf(shell.mainWindow); }

RECT workArea() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(shell.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

SIZE outerSize(SIZE client, UINT dpi) {
    RECT rect{0, 0, client.cx, client.cy};
    AdjustWindowRectExForDpi(&rect, WindowStyle, TRUE, 0, dpi);
    return {std::max(LONG(rect.right - rect.left), LONG(scaled(LeastWidth, int(dpi)))),
            std::max(LONG(rect.bottom - rect.top), LONG(scaled(LeastHeight, int(dpi))))};
}

SIZE sizeAt(UINT dpi, int zoom) {
    SIZE client = mainControlsSize(dpi, zoom);
    client.cy += statusBarHeight();
    return outerSize(client, dpi);
}

int largestZoomAt(UINT dpi) {
    const RECT work = workArea();
    int zoom = 1;
    while (zoom < MostZoom) {
        const SIZE size = sizeAt(dpi, zoom + 1);
        if (size.cx > work.right - work.left || size.cy > work.bottom - work.top) break;
        ++zoom;
    }
    return zoom;
}

ZoomRange zoomRangeAt(UINT dpi) {
    const int largest = largestZoomAt(dpi);
    return {std::clamp(scaled(1, int(dpi)), 1, largest), largest};
}

int defaultZoomAt(UINT dpi) { return zoomRangeAt(dpi).defaultZoom; }

// Everything at dpi and zoom; the window at (left, top) unless that would
// push it off the work area.
// The window repaints once, when it is all laid out.
void apply(UINT dpi, int zoom, LONG left, LONG top) {
    HWND window = shell.mainWindow;
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SIZE client = layOutMainControls(dpi, zoom);
    client.cy += layOutStatusBar(dpi);
    const SIZE size = outerSize(client, dpi);
    const RECT work = workArea();
    left = std::max(work.left, std::min(left, LONG(work.right - size.cx)));
    top = std::max(work.top, std::min(top, LONG(work.bottom - size.cy)));
    SetWindowPos(window, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    icons.show(dpi);
    showZoomInStatus();
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace

ZoomRange zoomRange() { return zoomRangeAt(windowDpi()); }

int defaultZoom() { return defaultZoomAt(windowDpi()); }

void setZoom(int zoom) {
    RECT now;
    GetWindowRect(shell.mainWindow, &now);
    apply(windowDpi(), std::clamp(zoom, 1, largestZoomAt(windowDpi())), now.left, now.top);
    if (session.document.loaded) RedrawLevelView();
}

void createMainWindow(HMENU menuBar) {
    const RECT& work = shell.workArea;
    shell.mainWindow = CreateWindowExA(0, MainWindowClass, "QZT Level Editor", WindowStyle,
                                       work.right / 2 - LeastWidth / 2, work.bottom / 2 - LeastHeight / 2, LeastWidth,
                                       LeastHeight, nullptr, menuBar, shell.instance, nullptr);
}

void layOutMainWindow() {
    const UINT dpi = windowDpi();
    const RECT& work = shell.workArea;
    apply(dpi, defaultZoomAt(dpi), work.right / 2 - scaled(LeastWidth / 2, int(dpi)),
          work.bottom / 2 - scaled(LeastHeight / 2, int(dpi)));
}

void onDpiChanged(UINT dpi, const RECT& suggested) {
    apply(dpi, defaultZoomAt(dpi), suggested.left, suggested.top);
    if (session.document.loaded) RedrawLevelView();
}

SIZE mainWindowSizeAt(UINT dpi) { return sizeAt(dpi, defaultZoomAt(dpi)); }

}  // namespace qzt
