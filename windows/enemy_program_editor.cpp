// The Edit Enemy Program window: programs picked by slot, edited movement by
// movement, control by control. One pass over each notification, in a fixed
// order: "Add Prog" then acts as "Add", and the program list's notification
// both lists the movements and shows the first. A list without a selected
// item, or a program that is no longer used, changes nothing; every change
// ends as a gesture, after which the controls show the document again.
#include "windows/enemy_program_editor.h"

#include "edit/program_editor_rules.h"
#include "level/decimal.h"
#include "win32/control_text.h"
#include "win32/controls.h"
#include "win32/document_changes.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/tool_window.h"

namespace qzt {
namespace {

constexpr char Title[] = "Edit Enemy Program";
// The steps box holds any 32-bit number whole, "-2147483648" included.
constexpr int StepsLimit = MaxDecimalLength + 1;

enum Control {
    DoneButton, DeleteProgramButton, AddButton, AddProgramButton, ProgramBox, MovementBox, DirectionBox, StepsBox,
    FrameXBox, FrameYBox, ControlCount
};

ToolWindow tool;
HWND editorWindow;
HWND controls[ControlCount];

const ControlLayout Controls[] = {
    {"STATIC", "Program for editing", LabelStyle, 10, 10, 250, 20, nullptr},
    {"BUTTON", "DONE", ButtonStyle, 110, 170, 75, 30, &controls[DoneButton]},
    {"BUTTON", "Delete Prog", ButtonStyle, 190, 170, 90, 30, &controls[DeleteProgramButton]},
    {"BUTTON", "Add", ButtonStyle, 275, 37, 35, 20, &controls[AddButton]},
    {"BUTTON", "Add Prog", ButtonStyle, 285, 170, 90, 30, &controls[AddProgramButton]},
    {"COMBOBOX", nullptr, DropDownListStyle, 185, 10, 75, 80, &controls[ProgramBox], "14"},
    {"STATIC", "Movement within program", LabelStyle, 20, 35, 250, 20, nullptr},
    {"COMBOBOX", nullptr, DropDownListStyle, 195, 35, 75, 80, &controls[MovementBox], "74"},
    {"STATIC", "Direction", LabelStyle, 30, 60, 250, 20, nullptr},
    {"COMBOBOX", nullptr, DropDownListStyle, 215, 60, 105, 80, &controls[DirectionBox], "DOWNRIGHT"},
    {"STATIC", "Number of steps", LabelStyle, 30, 85, 250, 20, nullptr},
    {"EDIT", "", NumberBoxStyle, 215, 85, 75, 20, &controls[StepsBox], WidestNumber},
    {"STATIC", "Cycle between frames X and Y", LabelStyle, 30, 110, 250, 20, nullptr},
    {"COMBOBOX", nullptr, DropDownListStyle, 30, 130, 75, 80, &controls[FrameXBox], "7"},
    {"COMBOBOX", nullptr, DropDownListStyle, 215, 130, 75, 80, &controls[FrameYBox], "7"},
};

// The program open in the editor: -1 or a slot. Opening another level, or
// showing the window again, closes it.
int32_t editorProgram = NoOpenProgram;
// The movement last picked in it, shown again whenever the program has it.
int editorMovement = -1;

// -1 clears a list's selection; any other index outside it would keep the old one.
void selectItem(Control list, int item) { SendMessageA(controls[list], CB_SETCURSEL, WPARAM(item), 0); }

// The used programs, the open one selected.
void listUsedPrograms() {
    HWND list = controls[ProgramBox];
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    int item = -1;
    for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
        if (!session.document.programs[slot].used) continue;
        if (slot == editorProgram) item = int(SendMessageA(list, CB_GETCOUNT, 0, 0));
        addDecimalItem(list, slot);
    }
    selectItem(ProgramBox, item);
}

// The open program's movements, the picked one selected while it exists.
void listMovements() {
    SendMessageA(controls[MovementBox], CB_RESETCONTENT, 0, 0);
    const int movements = recordedMovements(session.document, editorProgram);
    for (int i = 0; i < movements; ++i) addDecimalItem(controls[MovementBox], i);
    selectItem(MovementBox, editorMovement < movements ? editorMovement : -1);
}

// Movement m's values, or nothing at all without one.
void showMovement(int m) {
    const auto items = movementItems(session.document, editorProgram, m);
    selectItem(FrameXBox, items ? items->frameX : -1);
    selectItem(FrameYBox, items ? items->frameY : -1);
    selectItem(DirectionBox, items ? items->direction : -1);
    if (items)
        setDecimalText(controls[StepsBox], items->steps);
    else
        SetWindowTextA(controls[StepsBox], "");
}

// Every control from the document.
void showOpenProgram() {
    listUsedPrograms();
    listMovements();
    showMovement(selectedItem(controls[MovementBox]));
}

void openProgramAt(int32_t program, int movement) {
    editorProgram = program;
    editorMovement = movement;
}

// The list's selected item opens a program at its first movement; true when it did.
bool openSelectedProgram() {
    ItemText text;
    if (!openListedProgram(editorProgram, selectedItemText(controls[ProgramBox], text))) return false;
    editorMovement = 0;
    listMovements();
    return true;
}

void addMovementItem() {
    if (addMovement(session.document, editorProgram) < 0 && openProgram(session.document, editorProgram))
        MessageBeep(MB_OK);  // the program is full
}

void storeSelection(Control list, int m, MovementList field) {
    storeListItem(session.document, editorProgram, m, field, selectedItem(controls[list]));
}

void deleteProgram() {
    if (deleteOpenProgram(session.document, editorProgram) == DeleteOutcome::InUse)
        notice("Enemy program is in use by an enemy.  Could not delete.", EditingCaption);
}

void commitSteps() {
    const int m = selectedItem(controls[MovementBox]);
    char text[StepsLimit] = {};
    GetWindowTextA(controls[StepsBox], text, StepsLimit);
    storeSteps(session.document, editorProgram, m, text);
}

// List notifications of every kind (focus, drop-down, selection) count: the
// lists show the document's values, so a mere look changes nothing.
void onCommand(HWND sender, WORD notification) {
    // A new program gets its first movement as "Add" makes it, and opens at it.
    const bool programAdded =
        sender == controls[AddProgramButton] && addProgram(session.document, editorProgram) >= 0;
    if (programAdded || sender == controls[AddButton]) addMovementItem();
    if (programAdded) openProgramAt(editorProgram, 0);
    const bool programOpened = sender == controls[ProgramBox] && openSelectedProgram();
    const int m = selectedItem(controls[MovementBox]);
    if (sender == controls[MovementBox]) editorMovement = m;
    if (sender == controls[MovementBox] || programOpened) showMovement(m);
    if (sender == controls[FrameXBox]) storeSelection(FrameXBox, m, MovementList::FrameX);
    if (sender == controls[FrameYBox]) storeSelection(FrameYBox, m, MovementList::FrameY);
    if (sender == controls[DirectionBox]) storeSelection(DirectionBox, m, MovementList::Direction);
    if (sender == controls[DoneButton]) ShowWindow(editorWindow, SW_HIDE);
    if (sender == controls[DeleteProgramButton]) deleteProgram();
    // Only the steps box loses the focus with a notification.
    if (notification == EN_KILLFOCUS && session.document.loaded) commitSteps();
    // A steps number that changed nothing is replaced by the movement's own.
    if (!finishGesture(StepName::ProgramEdit) && notification == EN_KILLFOCUS) showMovement(m);
}

void showDocument(DocumentChange event) {
    if (event == DocumentChange::Opened) {
        openProgramAt(NoOpenProgram, -1);
        ShowWindow(editorWindow, SW_HIDE);
    } else if (IsWindowVisible(editorWindow)) {
        showOpenProgram();
    }
}

}  // namespace

void createEnemyProgramEditor() {
    openProgramAt(NoOpenProgram, -1);
    editorWindow = tool.create(EnemyProgramEditorClass, Title, {175, 75, 450, 250}, Controls);
    SendMessageA(controls[StepsBox], EM_SETLIMITTEXT, StepsLimit - 1, 0);
    for (int frame = 0; frame < FrameItemCount; ++frame) {
        addDecimalItem(controls[FrameXBox], frame);
        addDecimalItem(controls[FrameYBox], frame);
    }
    for (int item = 0; item < DirectionItemCount; ++item)
        SendMessageA(controls[DirectionBox], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(directionKeyword(DOWNLEFT + item)));
    addDocumentView(showDocument);
}

// The programs listed, none open: nothing else shows until one is picked.
void showEnemyProgramEditor() {
    openProgramAt(NoOpenProgram, -1);
    showOpenProgram();
    ShowWindow(editorWindow, SW_SHOW);
}

void showEnemyProgramEditorAt(int32_t program) {
    openProgramAt(program, 0);
    showOpenProgram();
    ShowWindow(editorWindow, SW_SHOW);
}

LRESULT CALLBACK enemyProgramEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tool.handles(message, wParam, lParam)) return 0;
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
