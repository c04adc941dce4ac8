#include "app/side_panel.h"

#include "app/main_controls.h"
#include "app/status_bar.h"
#include "edit/slot_rules.h"
#include "edit/view_editing.h"
#include "level/decimal.h"
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

// A static's text is drawn over what was there, so its area is blanked
// before a new text is written; a text already shown is left alone.
using PanelStatic = HWND SidePanelControls::*;
constexpr PanelStatic EnemyIndex = &SidePanelControls::enemyIndexText;
constexpr PanelStatic EnemyX = &SidePanelControls::enemyXText;
constexpr PanelStatic EnemyY = &SidePanelControls::enemyYText;
constexpr PanelStatic ImageSetIndex = &SidePanelControls::imageSetIndexText;
constexpr PanelStatic ImageSetX = &SidePanelControls::imageSetXText;
constexpr PanelStatic ImageSetY = &SidePanelControls::imageSetYText;
constexpr PanelStatic RecordProgram = &SidePanelControls::recordProgramText;

void show(PanelStatic panel, const char* text) {
    HWND control = sidePanel.*panel;
    if (showsText(control, text)) return;
    blankAreas({rectInParent(control)});
    SetWindowTextA(control, text);
}

void show(PanelStatic panel, int32_t value) {
    char text[MaxDecimalLength + 1] = {};
    formatDecimal(value, text);
    show(panel, text);
}

void showNumber(HWND edit, int32_t value) {
    char text[MaxDecimalLength + 1] = {};
    formatDecimal(value, text);
    showText(edit, text);
}

// The slot and position of a selection, or the texts of start-up for none.
void showPosition(const PanelStatic (&texts)[3], int slot, int32_t x, int32_t y) {
    if (slot < 0) {
        show(texts[0], "NONE");
        show(texts[1], "X");
        show(texts[2], "Y");
        return;
    }
    show(texts[0], slot);
    show(texts[1], x);
    show(texts[2], y);
}
constexpr PanelStatic EnemyPosition[3] = {EnemyIndex, EnemyX, EnemyY};
constexpr PanelStatic ImageSetPosition[3] = {ImageSetIndex, ImageSetX, ImageSetY};

struct EnemyEdit {
    HWND SidePanelControls::*control;
    EnemyField field;
    int32_t Enemy::*value;
};
constexpr EnemyEdit EnemyEdits[] = {
    {&SidePanelControls::enemyProgramEdit, EnemyField::Program, &Enemy::program},
    {&SidePanelControls::enemyImageSetEdit, EnemyField::ImageSet, &Enemy::imageSet},
    {&SidePanelControls::enemyHitPointsEdit, EnemyField::HitPoints, &Enemy::hitPoints},
    {&SidePanelControls::enemySpeedEdit, EnemyField::Speed, &Enemy::speed},
    {&SidePanelControls::enemyAnimationRateEdit, EnemyField::AnimationRate, &Enemy::animationRate},
};

const ImageSet* selectedImageSet() {
    const int slot = session.state.selectedImageSet;
    return isSlot(slot, MAX_IMAGE_SETS) ? &session.document.imageSets[slot] : nullptr;
}

const Enemy* selectedEnemy() {
    const int slot = session.state.selectedEnemy;
    return isSlot(slot, MAX_ENEMIES) ? &session.document.enemies[slot] : nullptr;
}

}  // namespace

void blankAreas(std::initializer_list<RECT> areas) {
    WindowDC window(shell.mainWindow);
    for (const RECT& area : areas) FillRect(window, &area, panelBrush());
}

void refreshImageSetPanel() {
    refreshImageSetPosition();
    const ImageSet* set = selectedImageSet();
    // The list keeps its selection for a count it lacks unless told -1.
    const int item = set ? framesSelectionOf(set->frameCount) : -1;
    if (selectedItem(sidePanel.framesCombo) != item) SendMessageA(sidePanel.framesCombo, CB_SETCURSEL, WPARAM(item), 0);
}

void refreshEnemyPanel() {
    refreshEnemyPosition();
    const Enemy* enemy = selectedEnemy();
    for (const EnemyEdit& edit : EnemyEdits) {
        if (enemy)
            showNumber(sidePanel.*edit.control, enemy->*edit.value);
        else
            showText(sidePanel.*edit.control, "");
        // What the panel shows is no value typed: only typing marks a box.
        SendMessageA(sidePanel.*edit.control, EM_SETMODIFY, FALSE, 0);
    }
}

void showSelection() {
    RedrawLevelView();
    refreshImageSetPanel();
    refreshEnemyPanel();
    showSelectionInStatus();
}

void refreshImageSetPosition() {
    const ImageSet* set = selectedImageSet();
    showPosition(ImageSetPosition, set ? session.state.selectedImageSet : -1, set ? set->x : 0, set ? set->y : 0);
}

void refreshEnemyPosition() {
    const Enemy* enemy = selectedEnemy();
    showPosition(EnemyPosition, enemy ? session.state.selectedEnemy : -1, enemy ? enemy->x : 0, enemy ? enemy->y : 0);
}

void refreshRecordingLine() {
    const EditorState& state = session.state;
    const bool recorded = state.recordEnemy >= 0 &&
                          (state.mode == Recording || isUsedSlot(session.document.programs, state.recordProgram));
    if (recorded)
        show(RecordProgram, state.recordProgram);
    else
        show(RecordProgram, "NONE");
}

// A box only looked into changes nothing, however many enemies are selected.
void commitSidePanelEdit(HWND control, WORD notification) {
    if (notification != EN_KILLFOCUS || !control || !SendMessageA(control, EM_GETMODIFY, 0, 0)) return;
    for (const EnemyEdit& edit : EnemyEdits) {
        if (sidePanel.*edit.control != control) continue;
        SendMessageA(control, EM_SETMODIFY, FALSE, 0);
        commitEnemyField(session.document, session.state, edit.field, decimalText(control, EditTextCapacity));
        // A value that was ignored leaves the edits showing the enemy's own.
        if (!finishGesture(StepName::Value)) refreshEnemyPanel();
        return;
    }
}

void commitPendingEdit() {
    HWND focus = GetFocus();
    for (const EnemyEdit& edit : EnemyEdits)
        if (focus && sidePanel.*edit.control == focus) SetFocus(shell.mainWindow);
}

void onFramesCombo(HWND control) {
    if (!control || control != sidePanel.framesCombo) return;
    const int selection = int(SendMessageA(control, CB_GETCURSEL, 0, 0));
    if (applyFramesSelection(session.document, session.state, selection)) finishGesture(StepName::Frames);
}

}  // namespace qzt
