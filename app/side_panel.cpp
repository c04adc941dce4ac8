#include "app/side_panel.h"

#include "app/main_controls.h"
#include "edit/slot_rules.h"
#include "edit/view_editing.h"
#include "win32/control_text.h"
#include "win32/document_changes.h"
#include "win32/gdi_guards.h"
#include "win32/level_view.h"
#include "win32/rect.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr int EditTextCapacity = 25;

void blankImageSetPanel() {
    blankAreas({makeRect(555, 242, 705, 264), makeRect(555, 264, 705, 286), makeRect(595, 220, 745, 242)});
}

void blankEnemyPanel() {
    blankAreas({makeRect(555, 32, 705, 52), makeRect(555, 54, 705, 74), makeRect(595, 10, 745, 30)});
}

void writeImageSetPosition(int slot) {
    const ImageSet& set = session.document.imageSets[slot];
    setDecimalText(sidePanel.imageSetXText, set.x);
    setDecimalText(sidePanel.imageSetYText, set.y);
    setDecimalText(sidePanel.imageSetIndexText, slot);
}

void writeEnemyPosition(int slot) {
    const Enemy& enemy = session.document.enemies[slot];
    setDecimalText(sidePanel.enemyXText, enemy.x);
    setDecimalText(sidePanel.enemyYText, enemy.y);
    setDecimalText(sidePanel.enemyIndexText, slot);
}

// The texts of start-up, not the last selection's numbers.
void showNoSelection(HWND index, HWND x, HWND y) {
    SetWindowTextA(index, "NONE");
    SetWindowTextA(x, "X");
    SetWindowTextA(y, "Y");
}

struct EnemyEdit {
    HWND SidePanelControls::*control;
    EnemyField field;
};
constexpr EnemyEdit EnemyEdits[] = {
    {&SidePanelControls::enemyProgramEdit, EnemyField::Program},
    {&SidePanelControls::enemyImageSetEdit, EnemyField::ImageSet},
    {&SidePanelControls::enemyHitPointsEdit, EnemyField::HitPoints},
    {&SidePanelControls::enemySpeedEdit, EnemyField::Speed},
    {&SidePanelControls::enemyAnimationRateEdit, EnemyField::AnimationRate},
};

}  // namespace

void blankAreas(std::initializer_list<RECT> areas) {
    WindowDC window(shell.mainWindow);
    for (const RECT& area : areas) FillRect(window, &area, panelBrush());
}

void refreshImageSetPanel() {
    const int slot = session.state.selectedImageSet;
    blankImageSetPanel();
    if (isSlot(slot, MAX_IMAGE_SETS)) {
        writeImageSetPosition(slot);
        // The list keeps its selection for a count it lacks unless told -1.
        SendMessageA(sidePanel.framesCombo, CB_SETCURSEL,
                     WPARAM(framesSelectionOf(session.document.imageSets[slot].frameCount)), 0);
    } else {
        showNoSelection(sidePanel.imageSetIndexText, sidePanel.imageSetXText, sidePanel.imageSetYText);
        SendMessageA(sidePanel.framesCombo, CB_SETCURSEL, WPARAM(-1), 0);
    }
}

void refreshEnemyPanel() {
    const SidePanelControls& panel = sidePanel;
    const int slot = session.state.selectedEnemy;
    blankEnemyPanel();
    for (const EnemyEdit& edit : EnemyEdits) SetWindowTextA(panel.*edit.control, "");
    if (!isSlot(slot, MAX_ENEMIES)) {
        showNoSelection(panel.enemyIndexText, panel.enemyXText, panel.enemyYText);
        return;
    }
    const Enemy& enemy = session.document.enemies[slot];
    setDecimalText(panel.enemyProgramEdit, enemy.program);
    setDecimalText(panel.enemyImageSetEdit, enemy.imageSet);
    writeEnemyPosition(slot);
    setDecimalText(panel.enemyHitPointsEdit, enemy.hitPoints);
    setDecimalText(panel.enemySpeedEdit, enemy.speed);
    setDecimalText(panel.enemyAnimationRateEdit, enemy.animationRate);
}

void showSelection() {
    RedrawLevelView();
    refreshImageSetPanel();
    refreshEnemyPanel();
}

void refreshImageSetPosition() {
    blankImageSetPanel();
    writeImageSetPosition(session.state.selectedImageSet);
}

void refreshEnemyPosition() {
    blankEnemyPanel();
    writeEnemyPosition(session.state.selectedEnemy);
}

void commitSidePanelEdit(HWND control, WORD notification) {
    if (notification != EN_KILLFOCUS || !control) return;
    for (const EnemyEdit& edit : EnemyEdits) {
        if (sidePanel.*edit.control != control) continue;
        commitEnemyField(session.document, session.state, edit.field, decimalText(control, EditTextCapacity));
        // A value that was ignored leaves the edits showing the enemy's own.
        if (!finishGesture()) refreshEnemyPanel();
        return;
    }
}

void onFramesCombo(HWND control) {
    if (!control || control != sidePanel.framesCombo) return;
    const int selection = int(SendMessageA(control, CB_GETCURSEL, 0, 0));
    if (applyFramesSelection(session.document, session.state, selection)) finishGesture();
}

}  // namespace qzt
