#include "app/main_controls.h"

#include <algorithm>
#include <vector>

#include "edit/control_layout.h"
#include "edit/view_geometry.h"
#include "win32/controls.h"
#include "win32/dpi.h"
#include "win32/shell.h"

namespace qzt {

SidePanelControls sidePanel;

namespace {

constexpr int WindowMargin = 10;

// A value control lies over the end of its label, which is 150 pixels wide;
// the layout keeps each label to the room before its value. The scroll bars
// follow the view, whatever its zoom.
const ControlLayout Controls[] = {
    {"SCROLLBAR", nullptr, WS_CHILD | SBS_HORZ, ViewLeft, ViewTop + ViewHeight, ViewWidth, 0,
     &shell.horizontalScrollBar},
    {"SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, ViewLeft + ViewWidth, ViewTop, 0, ViewHeight, &shell.verticalScrollBar},
    {"STATIC", "Enemy - ", LabelStyle, 525, 10, 150, 20, nullptr},
    {"STATIC", "NONE", LabelStyle, 595, 10, 150, 20, &sidePanel.enemyIndexText, WidestNumber},
    {"STATIC", "X - ", LabelStyle, 530, 32, 150, 20, nullptr},
    {"STATIC", "Y - ", LabelStyle, 530, 54, 150, 20, nullptr},
    {"STATIC", "X", LabelStyle, 555, 32, 150, 20, &sidePanel.enemyXText, WidestNumber},
    {"STATIC", "Y", LabelStyle, 555, 54, 150, 20, &sidePanel.enemyYText, WidestNumber},
    {"STATIC", "ImageSet - ", LabelStyle, 530, 76, 150, 20, nullptr},
    {"EDIT", "", NumberBoxStyle, 605, 76, 25, 20, &sidePanel.enemyImageSetEdit, WidestNumber},
    {"STATIC", "Movement - ", LabelStyle, 529, 98, 150, 20, nullptr},
    {"EDIT", "", NumberBoxStyle, 607, 98, 25, 20, &sidePanel.enemyProgramEdit, WidestNumber},
    {"STATIC", "Hit Pnts - ", LabelStyle, 530, 120, 150, 20, nullptr},
    {"EDIT", "", NumberBoxStyle, 600, 120, 25, 20, &sidePanel.enemyHitPointsEdit, WidestNumber},
    {"STATIC", "Speed - ", LabelStyle, 530, 142, 150, 20, nullptr},
    {"EDIT", "", NumberBoxStyle, 600, 142, 25, 20, &sidePanel.enemySpeedEdit, WidestNumber},
    {"STATIC", "Ani-rate - ", LabelStyle, 530, 164, 150, 20, nullptr},
    {"EDIT", "", NumberBoxStyle, 600, 164, 25, 20, &sidePanel.enemyAnimationRateEdit, WidestNumber},
    {"STATIC", "Imageset - ", LabelStyle, 525, 220, 150, 20, nullptr},
    {"STATIC", "NONE", LabelStyle, 595, 220, 150, 20, &sidePanel.imageSetIndexText, WidestNumber},
    {"STATIC", "X - ", LabelStyle, 530, 242, 150, 20, nullptr},
    {"STATIC", "Y - ", LabelStyle, 530, 264, 150, 20, nullptr},
    {"STATIC", "X", LabelStyle, 555, 242, 150, 20, &sidePanel.imageSetXText, WidestNumber},
    {"STATIC", "Y", LabelStyle, 555, 264, 150, 20, &sidePanel.imageSetYText, WidestNumber},
    {"STATIC", "Frames - ", LabelStyle, 530, 286, 150, 20, nullptr},
    {"COMBOBOX", nullptr, DropDownListStyle, 530, 308, 100, 90, &sidePanel.framesCombo, "8"},
    {"STATIC", "Program being edited - ", LabelStyle, 50, 410, 150, 20, nullptr},
    {"STATIC", "NONE", LabelStyle, 200, 410, 50, 20, &sidePanel.recordProgramText, "NONE"},
    {"STATIC", "# of steps - ", LabelStyle, 275, 410, 75, 20, nullptr},
    {"STATIC", "0", LabelStyle, 350, 410, 25, 20, &shell.recordStepsText, WidestNumber},
};
constexpr size_t ScrollBarCount = 2;

ControlSet controls(Controls);

struct MainAxes {
    ViewPlacement view;
    AxisScale x, y;
};

// What lies below the view keeps its distance from the view's bottom, though
// never above where the side panel's rows reach at this DPI: a view magnified
// less than the DPI, on a screen too small for more, would put the recording
// line over them.
MainAxes axesAt(UINT dpi, int zoom) {
    const int d = int(dpi);
    ViewPlacement view{scaled(ViewLeft, d), scaled(ViewTop, d), zoom};
    const int below = std::max(view.bottom(), scaled(ViewTop + ViewHeight, d));
    return {view, AxisScale{d, ViewLeft + ViewWidth, view.right()}, AxisScale{d, ViewTop + ViewHeight, below}};
}

// The bars as long as the view's sides and as thick as the system's at dpi.
void placeScrollBars(const ViewPlacement& view, UINT dpi) {
    SetWindowPos(shell.horizontalScrollBar, nullptr, view.left, view.bottom(), view.right() - view.left,
                 GetSystemMetricsForDpi(SM_CXHTHUMB, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(shell.verticalScrollBar, nullptr, view.right(), view.top, GetSystemMetricsForDpi(SM_CYVTHUMB, dpi),
                 view.bottom() - view.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE sizeAround(const std::vector<PixelBox>& boxes, const MainAxes& axes, UINT dpi) {
    int right = axes.view.right() + GetSystemMetricsForDpi(SM_CYVTHUMB, dpi);
    int bottom = axes.view.bottom() + GetSystemMetricsForDpi(SM_CXHTHUMB, dpi);
    for (size_t i = ScrollBarCount; i < boxes.size(); ++i) {
        right = std::max(right, boxes[i].right());
        bottom = std::max(bottom, boxes[i].bottom());
    }
    const int margin = scaled(WindowMargin, int(dpi));
    return {right + margin, bottom + margin};
}

}  // namespace

void createMainControls(int zoom) {
    const UINT dpi = dpiOf(shell.mainWindow);
    const MainAxes axes = axesAt(dpi, zoom);
    controls.create(shell.mainWindow, dpi, axes.x, axes.y);
    static const char* const frameCounts[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    for (const char* count : frameCounts)
        SendMessageA(sidePanel.framesCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(count));
}

SIZE mainControlsSize(UINT dpi, int zoom) {
    const MainAxes axes = axesAt(dpi, zoom);
    return sizeAround(layOutControls(controls.spots(dpi), axes.x, axes.y), axes, dpi);
}

SIZE layOutMainControls(UINT dpi, int zoom) {
    const MainAxes axes = axesAt(dpi, zoom);
    shell.view = axes.view;
    const std::vector<PixelBox> boxes = controls.layOut(dpi, axes.x, axes.y);
    placeScrollBars(axes.view, dpi);
    return sizeAround(boxes, axes, dpi);
}

}  // namespace qzt
