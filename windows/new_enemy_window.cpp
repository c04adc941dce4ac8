// The Create New Enemy window: an image set and a program picked from the
// used slots, three numbers typed, and a preview of the image set's first
// frame. Text typed into a list's field is never taken for a slot.
#include "windows/new_enemy_window.h"

#include "edit/new_enemy_rules.h"
#include "edit/view_geometry.h"
#include "win32/bitmap_copy.h"
#include "win32/control_text.h"
#include "win32/controls.h"
#include "win32/document_changes.h"
#include "win32/gdi_guards.h"
#include "win32/level_bitmap.h"
#include "win32/rect.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/tool_window.h"

namespace qzt {
namespace {

constexpr char Title[] = "Create New Enemy";
constexpr DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWN;
// Only the first 14 characters of a number box are read.
constexpr int NumberLimit = 15;
constexpr int PreviewLeft = 325, PreviewTop = 5, PreviewRight = 445, PreviewBottom = 125;

enum Control { OkButton, CancelButton, ImageSetList, ProgramList, HitPointsBox, SpeedBox, AnimationRateBox, ControlCount };

ToolWindow tool;
HWND newEnemyWindow;
HWND controls[ControlCount];

// The number boxes start at 2, 3 and 5 and then keep what was last typed.
const ControlLayout Controls[] = {
    {"BUTTON", "OK", ButtonStyle, 110, 170, 60, 30, &controls[OkButton]},
    {"BUTTON", "Cancel", ButtonStyle, 190, 170, 60, 30, &controls[CancelButton]},
    {"COMBOBOX", nullptr, ListStyle, 10, 10, 75, 90, &controls[ImageSetList], "14"},
    {"COMBOBOX", nullptr, ListStyle, 10, 40, 75, 90, &controls[ProgramList], "14"},
    {"STATIC", "Image Set to use for enemy", LabelStyle, 100, 10, 250, 20, nullptr},
    {"STATIC", "Enemy Program to use for enemy", LabelStyle, 100, 40, 250, 20, nullptr},
    {"EDIT", "2", NumberBoxStyle, 10, 70, 75, 20, &controls[HitPointsBox], WidestNumber},
    {"STATIC", "Enemy hitpoints", LabelStyle, 100, 70, 250, 20, nullptr},
    {"EDIT", "3", NumberBoxStyle, 10, 100, 75, 20, &controls[SpeedBox], WidestNumber},
    {"STATIC", "Enemy speed", LabelStyle, 100, 100, 250, 20, nullptr},
    {"EDIT", "5", NumberBoxStyle, 10, 130, 75, 20, &controls[AnimationRateBox], WidestNumber},
    {"STATIC", "Enemy animation rate (updated every _ frames)", LabelStyle, 100, 130, 350, 20, nullptr},
};

int32_t chosenImageSet() {
    ItemText text;
    return listedImageSet(session.document, selectedItemText(controls[ImageSetList], text));
}

int32_t chosenProgram() {
    ItemText text;
    return listedProgram(session.document, selectedItemText(controls[ProgramList], text));
}

// The chosen image set's first frame with a column and a row more on its
// far sides, unclipped, over a blank square; only the blank square without
// a chosen image set.
void drawPreview() {
    const WindowDC dc(newEnemyWindow);
    const RECT square = makeRect(PreviewLeft, PreviewTop, PreviewRight, PreviewBottom);
    FillRect(dc, &square, panelBrush());
    const int32_t chosen = chosenImageSet();
    if (chosen < 0 || !levelBitmap.bitmap) return;
    const ImageSet& set = session.document.imageSets[chosen];
    copyFromBitmap(dc, PreviewLeft, PreviewTop, clampToInt(int64_t(set.width) + 2),
                   clampToInt(int64_t(set.height) + 2), levelBitmap.bitmap, set.x, set.y);
}

void createChosenEnemy() {
    NewEnemyChoice choice;
    choice.imageSet = chosenImageSet();
    choice.program = chosenProgram();
    choice.hitPoints = decimalText(controls[HitPointsBox], NumberLimit);
    choice.speed = decimalText(controls[SpeedBox], NumberLimit);
    choice.animationRate = decimalText(controls[AnimationRateBox], NumberLimit);
    switch (createEnemy(session.document, choice)) {
    case NewEnemyOutcome::NothingChosen:
        notice("Choose an image set and an enemy program from the lists.", EditingCaption);
        return;  // the window stays for another choice
    case NewEnemyOutcome::NoFreeSlot:
        notice("Cannot have more than 15 enemies.", LoadingCaption);
        break;
    case NewEnemyOutcome::Created:
        break;
    }
    ShowWindow(newEnemyWindow, SW_HIDE);
    finishGesture(StepName::NewEnemy);
}

// Every notification redraws the preview: nothing else repaints it.
void onCommand(HWND sender) {
    drawPreview();
    if (sender == controls[CancelButton]) ShowWindow(newEnemyWindow, SW_HIDE);
    if (sender == controls[OkButton]) createChosenEnemy();
}

// The used slots, the one named by chosen (-1 for none) selected if listed.
template <typename Record, int Slots>
void listUsedSlots(HWND list, const Record (&slots)[Slots], int32_t chosen) {
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    int item = -1;
    for (int slot = 0; slot < Slots; ++slot) {
        if (!slots[slot].used) continue;
        if (slot == chosen) item = int(SendMessageA(list, CB_GETCOUNT, 0, 0));
        addDecimalItem(list, slot);
    }
    SendMessageA(list, CB_SETCURSEL, WPARAM(item), 0);
}

void listChoices(int32_t imageSet, int32_t program) {
    listUsedSlots(controls[ImageSetList], session.document.imageSets, imageSet);
    listUsedSlots(controls[ProgramList], session.document.programs, program);
}

// The lists follow the document; a choice stays while its slot is used.
void showDocument(DocumentChange event) {
    if (event == DocumentChange::Opened) {
        ShowWindow(newEnemyWindow, SW_HIDE);
    } else if (IsWindowVisible(newEnemyWindow)) {
        listChoices(chosenImageSet(), chosenProgram());
        drawPreview();
    }
}

}  // namespace

void createNewEnemyWindow() {
    newEnemyWindow = tool.create(NewEnemyClass, Title, {175, 100, 450, 300}, Controls);
    addDocumentView(showDocument);
}

void showNewEnemyWindow() {
    listChoices(-1, -1);
    HWND imageSets = controls[ImageSetList], programs = controls[ProgramList];
    if (SendMessageA(imageSets, CB_GETCOUNT, 0, 0) == 0) {
        notice("No image sets created yet.  Create an image set first.", LoadingCaption);
        return;
    }
    if (SendMessageA(programs, CB_GETCOUNT, 0, 0) == 0) {
        notice("No Movements created yet.  Create a movement program first.", LoadingCaption);
        return;
    }
    SendMessageA(imageSets, CB_SETCURSEL, 0, 0);
    SendMessageA(programs, CB_SETCURSEL, 0, 0);
    ShowWindow(newEnemyWindow, SW_SHOW);
}

LRESULT CALLBACK newEnemyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tool.handles(message, wParam, lParam)) return 0;
    if (message != WM_COMMAND) return DefWindowProcA(window, message, wParam, lParam);
    onCommand(reinterpret_cast<HWND>(lParam));
    return 0;
}

}  // namespace qzt
