#include "app/main_controls.h"

#include "edit/view_geometry.h"
#include "win32/controls.h"
#include "win32/shell.h"

namespace qzt {

SidePanelControls sidePanel;

void createMainControls() {
    SidePanelControls& p = sidePanel;
    // A value control lies over the end of its label, which is 150 pixels wide.
    const ControlLayout controls[] = {
        {"SCROLLBAR", nullptr, WS_CHILD | SBS_HORZ, ViewLeft, ViewTop + ViewHeight, ViewWidth,
         GetSystemMetrics(SM_CXHTHUMB), &shell.horizontalScrollBar},
        {"SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, ViewLeft + ViewWidth, ViewTop, GetSystemMetrics(SM_CYVTHUMB),
         ViewHeight, &shell.verticalScrollBar},
        {"STATIC", "Enemy - ", LabelStyle, 525, 10, 150, 20, nullptr},
        {"STATIC", "NONE", LabelStyle, 595, 10, 150, 20, &p.enemyIndexText},
        {"STATIC", "X - ", LabelStyle, 530, 32, 150, 20, nullptr},
        {"STATIC", "Y - ", LabelStyle, 530, 54, 150, 20, nullptr},
        {"STATIC", "X", LabelStyle, 555, 32, 150, 20, &p.enemyXText},
        {"STATIC", "Y", LabelStyle, 555, 54, 150, 20, &p.enemyYText},
        {"STATIC", "ImageSet - ", LabelStyle, 530, 76, 150, 20, nullptr},
        {"EDIT", "", NumberBoxStyle, 605, 76, 25, 20, &p.enemyImageSetEdit},
        {"STATIC", "Movement - ", LabelStyle, 529, 98, 150, 20, nullptr},
        {"EDIT", "", NumberBoxStyle, 607, 98, 25, 20, &p.enemyProgramEdit},
        {"STATIC", "Hit Pnts - ", LabelStyle, 530, 120, 150, 20, nullptr},
        {"EDIT", "", NumberBoxStyle, 600, 120, 25, 20, &p.enemyHitPointsEdit},
        {"STATIC", "Speed - ", LabelStyle, 530, 142, 150, 20, nullptr},
        {"EDIT", "", NumberBoxStyle, 600, 142, 25, 20, &p.enemySpeedEdit},
        {"STATIC", "Ani-rate - ", LabelStyle, 530, 164, 150, 20, nullptr},
        {"EDIT", "", NumberBoxStyle, 600, 164, 25, 20, &p.enemyAnimationRateEdit},
        {"STATIC", "Imageset - ", LabelStyle, 525, 220, 150, 20, nullptr},
        {"STATIC", "NONE", LabelStyle, 595, 220, 150, 20, &p.imageSetIndexText},
        {"STATIC", "X - ", LabelStyle, 530, 242, 150, 20, nullptr},
        {"STATIC", "Y - ", LabelStyle, 530, 264, 150, 20, nullptr},
        {"STATIC", "X", LabelStyle, 555, 242, 150, 20, &p.imageSetXText},
        {"STATIC", "Y", LabelStyle, 555, 264, 150, 20, &p.imageSetYText},
        {"STATIC", "Frames - ", LabelStyle, 530, 286, 150, 20, nullptr},
        {"COMBOBOX", nullptr, DropDownListStyle, 530, 308, 100, 90, &p.framesCombo},
        {"STATIC", "Program being edited - ", LabelStyle, 50, 410, 150, 20, nullptr},
        {"STATIC", "NONE", LabelStyle, 200, 410, 50, 20, &p.recordProgramText},
        {"STATIC", "# of steps - ", LabelStyle, 275, 410, 75, 20, nullptr},
        {"STATIC", "0", LabelStyle, 350, 410, 25, 20, &shell.recordStepsText},
    };
    createControls(shell.mainWindow, controls);
    static const char* const frameCounts[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    for (const char* count : frameCounts)
        SendMessageA(p.framesCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(count));
}

}  // namespace qzt
