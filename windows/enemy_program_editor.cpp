// The Edit Enemy Program window: programs picked by slot, edited movement by
// movement, control by control, straight into the document. One pass over
// each notification, in a fixed order: "Add Prog" then acts as "Add", and
// the program list's notification both lists the movements and shows the
// first. A list without a selected item, or a program that is no longer
// used, changes nothing.
#include "windows/enemy_program_editor.h"

#include "edit/program_editor_rules.h"
#include "win32/control_text.h"
#include "win32/controls.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/tool_window.h"

namespace qzt {
namespace {

constexpr char Title[] = "Edit Enemy Program";
// At most 9 characters of the steps box are read.
constexpr int StepsLimit = 10;

enum Control {
    DoneButton, DeleteProgramButton, AddButton, AddProgramButton, ProgramBox, MovementBox, DirectionBox, StepsBox,
    FrameXBox, FrameYBox, ControlCount
};

HWND editorWindow;
HWND controls[ControlCount];

const ControlLayout Controls[] = {
    {"STATIC", "Program for editing", LabelStyle, 10, 10, 250, 20, nullptr},
    {"BUTTON", "DONE", ButtonStyle, 110, 170, 75, 30, &controls[DoneButton]},
    {"BUTTON", "Delete Prog", ButtonStyle, 190, 170, 90, 30, &controls[DeleteProgramButton]},
    {"BUTTON", "Add", ButtonStyle, 275, 37, 35, 20, &controls[AddButton]},
    {"BUTTON", "Add Prog", ButtonStyle, 285, 170, 90, 30, &controls[AddProgramButton]},
    {"COMBOBOX", nullptr, DropDownListStyle, 185, 10, 75, 80, &controls[ProgramBox]},
    {"STATIC", "Movement within program", LabelStyle, 20, 35, 250, 20, nullptr},
    {"COMBOBOX", nullptr, DropDownListStyle, 195, 35, 75, 80, &controls[MovementBox]},
    {"STATIC", "Direction", LabelStyle, 30, 60, 250, 20, nullptr},
    {"COMBOBOX", nullptr, DropDownListStyle, 215, 60, 105, 80, &controls[DirectionBox]},
    {"STATIC", "Number of steps", LabelStyle, 30, 85, 250, 20, nullptr},
    {"EDIT", "", NumberBoxStyle, 215, 85, 75, 20, &controls[StepsBox]},
    {"STATIC", "Cycle between frames X and Y", LabelStyle, 30, 110, 250, 20, nullptr},
    {"COMBOBOX", nullptr, DropDownListStyle, 30, 130, 75, 80, &controls[FrameXBox]},
    {"COMBOBOX", nullptr, DropDownListStyle, 215, 130, 75, 80, &controls[FrameYBox]},
};

// The program open in the editor: -1 or a slot. It outlives hiding and
// opening another level.
int32_t editorProgram = NoOpenProgram;

// -1 clears a list's selection; any other index outside it would keep the old one.
void selectItem(Control list, int item) { SendMessageA(controls[list], CB_SETCURSEL, WPARAM(item), 0); }

void listUsedPrograms() {
    HWND list = controls[ProgramBox];
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int slot = 0; slot < MAX_PROGRAMS; ++slot)
        if (session.document.programs[slot].used) addDecimalItem(list, slot);
}

// True when a program was made; its number joins the list unselected.
bool addProgramItem() {
    const int32_t slot = addProgram(session.document, editorProgram);
    if (slot >= 0) addDecimalItem(controls[ProgramBox], slot);
    return slot >= 0;
}

void addMovementItem() {
    const int m = addMovement(session.document, editorProgram);
    if (m >= 0) {
        addDecimalItem(controls[MovementBox], m);
    } else if (openProgram(session.document, editorProgram)) {
        MessageBeep(MB_OK);  // the program is full
    }
}

// True when the list's selected item opened a program, whose movements
// then fill the movement list with the first selected.
bool openSelectedProgram() {
    ItemText text;
    if (!openListedProgram(editorProgram, selectedItemText(controls[ProgramBox], text))) return false;
    SendMessageA(controls[MovementBox], CB_RESETCONTENT, 0, 0);
    const int movements = recordedMovements(session.document, editorProgram);
    for (int m = 0; m < movements; ++m) addDecimalItem(controls[MovementBox], m);
    selectItem(MovementBox, 0);
    return true;
}

void showMovement(int m) {
    const auto items = movementItems(session.document, editorProgram, m);
    if (!items) return;
    selectItem(FrameXBox, items->frameX);
    selectItem(FrameYBox, items->frameY);
    selectItem(DirectionBox, items->direction);
    setDecimalText(controls[StepsBox], items->steps);
}

void storeSelection(Control list, int m, MovementList field) {
    storeListItem(session.document, editorProgram, m, field, selectedItem(controls[list]));
}

void deleteProgram() {
    switch (deleteOpenProgram(session.document, editorProgram)) {
    case DeleteOutcome::InUse:
        notice("Enemy program is in use by an enemy.  Could not delete.", EditingCaption);
        break;
    case DeleteOutcome::Deleted:
        listUsedPrograms();  // the other controls keep what they showed
        break;
    case DeleteOutcome::NothingOpen:
        break;
    }
}

void commitSteps() {
    const int m = selectedItem(controls[MovementBox]);
    char text[StepsLimit] = {};
    GetWindowTextA(controls[StepsBox], text, StepsLimit);
    storeSteps(session.document, editorProgram, m, text);
}

// List notifications of every kind (focus, drop-down, selection) count.
void onCommand(HWND sender, WORD notification) {
    bool add = sender == controls[AddButton];
    if (sender == controls[AddProgramButton]) add = addProgramItem();
    if (add) addMovementItem();
    const bool programOpened = sender == controls[ProgramBox] && openSelectedProgram();
    const int m = selectedItem(controls[MovementBox]);
    if (sender == controls[MovementBox] || programOpened) showMovement(m);
    if (sender == controls[FrameXBox]) storeSelection(FrameXBox, m, MovementList::FrameX);
    if (sender == controls[FrameYBox]) storeSelection(FrameYBox, m, MovementList::FrameY);
    if (sender == controls[DirectionBox]) storeSelection(DirectionBox, m, MovementList::Direction);
    if (sender == controls[DoneButton]) ShowWindow(editorWindow, SW_HIDE);
    if (sender == controls[DeleteProgramButton]) deleteProgram();
    // Only the steps box loses the focus with a notification.
    if (notification == EN_KILLFOCUS && session.document.loaded) commitSteps();
}

}  // namespace

void createEnemyProgramEditor() {
    editorProgram = NoOpenProgram;
    editorWindow = createToolWindow(EnemyProgramEditorClass, Title, 175, 75, 450, 250);
    createControls(editorWindow, Controls);
    for (int frame = 0; frame < FrameItemCount; ++frame) {
        addDecimalItem(controls[FrameXBox], frame);
        addDecimalItem(controls[FrameYBox], frame);
    }
    for (int item = 0; item < DirectionItemCount; ++item)
        SendMessageA(controls[DirectionBox], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(directionKeyword(DOWNLEFT + item)));
}

void showEnemyProgramEditor() {
    listUsedPrograms();
    ShowWindow(editorWindow, SW_SHOW);
}

LRESULT CALLBACK enemyProgramEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        // Takes the focus from the steps box, which then commits its number.
        SetFocus(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace qzt
