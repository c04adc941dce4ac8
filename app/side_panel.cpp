#include "app/side_panel.h"

#include "win32/control_text.h"
#include "win32/editor_globals.h"
#include "edit/slot_rules.h"
#include "edit/view_editing.h"
#include "win32/gdi_guards.h"
#include "win32/level_view.h"
#include "win32/rect.h"

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
    const ImageSet& set = editor.document.imageSets[slot];
    setDecimalText(editor.main.imageSetXText, set.x);
    setDecimalText(editor.main.imageSetYText, set.y);
    setDecimalText(editor.main.imageSetIndexText, slot);
}

void writeEnemyPosition(int slot) {
    const Enemy& enemy = editor.document.enemies[slot];
    setDecimalText(editor.main.enemyXText, enemy.x);
    setDecimalText(editor.main.enemyYText, enemy.y);
    setDecimalText(editor.main.enemyIndexText, slot);
}

struct EnemyEdit {
    HWND MainWindowHandles::*control;
    EnemyField field;
};
constexpr EnemyEdit EnemyEdits[] = {
    {&MainWindowHandles::enemyProgramEdit, EnemyField::Program},
    {&MainWindowHandles::enemyImageSetEdit, EnemyField::ImageSet},
    {&MainWindowHandles::enemyHitPointsEdit, EnemyField::HitPoints},
    {&MainWindowHandles::enemySpeedEdit, EnemyField::Speed},
    {&MainWindowHandles::enemyAnimationRateEdit, EnemyField::AnimationRate},
};

}  // namespace

void blankAreas(std::initializer_list<RECT> areas) {
    WindowDC window(editor.main.window);
    for (const RECT& area : areas) FillRect(window, &area, panelBrush());
}

void refreshImageSetPanel() {
    const int slot = editor.state.selectedImageSet;
    blankImageSetPanel();
    if (isSlot(slot, MAX_IMAGE_SETS)) {
        writeImageSetPosition(slot);
        // The list keeps its selection for a count it lacks unless told -1.
        SendMessageA(editor.main.framesCombo, CB_SETCURSEL,
                     WPARAM(framesSelectionOf(editor.document.imageSets[slot].frameCount)), 0);
    } else {
        SetWindowTextA(editor.main.imageSetIndexText, "NONE");
    }
}

void refreshEnemyPanel() {
    const MainWindowHandles& main = editor.main;
    const int slot = editor.state.selectedEnemy;
    blankEnemyPanel();
    for (const EnemyEdit& edit : EnemyEdits) SetWindowTextA(main.*edit.control, "");
    if (!isSlot(slot, MAX_ENEMIES)) {
        SetWindowTextA(main.enemyIndexText, "NONE");
        return;
    }
    const Enemy& enemy = editor.document.enemies[slot];
    setDecimalText(main.enemyProgramEdit, enemy.program);
    setDecimalText(main.enemyImageSetEdit, enemy.imageSet);
    writeEnemyPosition(slot);
    setDecimalText(main.enemyHitPointsEdit, enemy.hitPoints);
    setDecimalText(main.enemySpeedEdit, enemy.speed);
    setDecimalText(main.enemyAnimationRateEdit, enemy.animationRate);
}

void refreshImageSetPosition() {
    blankImageSetPanel();
    writeImageSetPosition(editor.state.selectedImageSet);
}

void refreshEnemyPosition() {
    blankEnemyPanel();
    writeEnemyPosition(editor.state.selectedEnemy);
}

void commitSidePanelEdit(HWND control, WORD notification) {
    if (notification != EN_KILLFOCUS || !control) return;
    for (const EnemyEdit& edit : EnemyEdits) {
        if (editor.main.*edit.control != control) continue;
        // The edit keeps what was typed, even when the value was ignored.
        commitEnemyField(editor.document, editor.state, edit.field, decimalText(control, EditTextCapacity));
        return;
    }
}

void onFramesCombo(HWND control) {
    if (!control || control != editor.main.framesCombo) return;
    const int selection = int(SendMessageA(control, CB_GETCURSEL, 0, 0));
    if (applyFramesSelection(editor.document, editor.state, selection)) RedrawLevelView();
}

}  // namespace qzt
