#include "app/main_controls.h"

#include "win32/editor_globals.h"

namespace qzt {
namespace {

constexpr DWORD StaticStyle = WS_CHILD | WS_VISIBLE | SS_SIMPLE;
constexpr DWORD EditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER;
constexpr DWORD ComboStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST;

struct ControlLayout {
    const char* className;
    const char* text;
    DWORD style;
    int x, y, width, height;
    HWND MainWindowHandles::*handle;  // null for a label
};

// Every control after the two scroll bars. A value control lies over the end
// of its label, which is 150 pixels wide.
constexpr ControlLayout PanelControls[] = {
    {"STATIC", "Enemy - ", StaticStyle, 525, 10, 150, 20, nullptr},
    {"STATIC", "NONE", StaticStyle, 595, 10, 150, 20, &MainWindowHandles::enemyIndexText},
    {"STATIC", "X - ", StaticStyle, 530, 32, 150, 20, nullptr},
    {"STATIC", "Y - ", StaticStyle, 530, 54, 150, 20, nullptr},
    {"STATIC", "X", StaticStyle, 555, 32, 150, 20, &MainWindowHandles::enemyXText},
    {"STATIC", "Y", StaticStyle, 555, 54, 150, 20, &MainWindowHandles::enemyYText},
    {"STATIC", "ImageSet - ", StaticStyle, 530, 76, 150, 20, nullptr},
    {"EDIT", "", EditStyle, 605, 76, 25, 20, &MainWindowHandles::enemyImageSetEdit},
    {"STATIC", "Movement - ", StaticStyle, 529, 98, 150, 20, nullptr},
    {"EDIT", "", EditStyle, 607, 98, 25, 20, &MainWindowHandles::enemyProgramEdit},
    {"STATIC", "Hit Pnts - ", StaticStyle, 530, 120, 150, 20, nullptr},
    {"EDIT", "", EditStyle, 600, 120, 25, 20, &MainWindowHandles::enemyHitPointsEdit},
    {"STATIC", "Speed - ", StaticStyle, 530, 142, 150, 20, nullptr},
    {"EDIT", "", EditStyle, 600, 142, 25, 20, &MainWindowHandles::enemySpeedEdit},
    {"STATIC", "Ani-rate - ", StaticStyle, 530, 164, 150, 20, nullptr},
    {"EDIT", "", EditStyle, 600, 164, 25, 20, &MainWindowHandles::enemyAnimationRateEdit},
    {"STATIC", "Imageset - ", StaticStyle, 525, 220, 150, 20, nullptr},
    {"STATIC", "NONE", StaticStyle, 595, 220, 150, 20, &MainWindowHandles::imageSetIndexText},
    {"STATIC", "X - ", StaticStyle, 530, 242, 150, 20, nullptr},
    {"STATIC", "Y - ", StaticStyle, 530, 264, 150, 20, nullptr},
    {"STATIC", "X", StaticStyle, 555, 242, 150, 20, &MainWindowHandles::imageSetXText},
    {"STATIC", "Y", StaticStyle, 555, 264, 150, 20, &MainWindowHandles::imageSetYText},
    {"STATIC", "Frames - ", StaticStyle, 530, 286, 150, 20, nullptr},
    {"COMBOBOX", nullptr, ComboStyle, 530, 308, 100, 90, &MainWindowHandles::framesCombo},
    {"STATIC", "Program being edited - ", StaticStyle, 50, 410, 150, 20, nullptr},
    {"STATIC", "NONE", StaticStyle, 200, 410, 50, 20, &MainWindowHandles::recordProgramText},
    {"STATIC", "# of steps - ", StaticStyle, 275, 410, 75, 20, nullptr},
    {"STATIC", "0", StaticStyle, 350, 410, 25, 20, &MainWindowHandles::recordStepsText},
};

// Every control has id 0: handlers tell them apart by handle.
HWND createChild(const char* className, const char* text, DWORD style, int x, int y, int width, int height) {
    return CreateWindowExA(0, className, text, style, x, y, width, height, editor.main.window, nullptr,
                           editor.instance, nullptr);
}

}  // namespace

void createMainControls() {
    MainWindowHandles& main = editor.main;
    main.horizontalScrollBar = createChild("SCROLLBAR", nullptr, WS_CHILD | SBS_HORZ, ViewLeft, ViewTop + ViewHeight,
                                           ViewWidth, GetSystemMetrics(SM_CXHTHUMB));
    main.verticalScrollBar = createChild("SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, ViewLeft + ViewWidth, ViewTop,
                                         GetSystemMetrics(SM_CYVTHUMB), ViewHeight);
    for (const ControlLayout& layout : PanelControls) {
        HWND control =
            createChild(layout.className, layout.text, layout.style, layout.x, layout.y, layout.width, layout.height);
        if (layout.handle) main.*layout.handle = control;
    }
    static const char* const frameCounts[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    for (const char* count : frameCounts)
        SendMessageA(main.framesCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(count));
}

}  // namespace qzt
