// The Level Properties window: one box per header text and the time bonus.
// OK takes the bitmap path first and commits nothing unless that bitmap
// loads, so a typo never leaves a level that cannot be opened once saved.
#include "windows/level_properties_window.h"

#include <iterator>

#include "win32/control_text.h"
#include "win32/editor_globals.h"
#include "win32/level_bitmap.h"
#include "win32/window_classes.h"
#include "win32/level_view.h"
#include "level/dat_reader.h"
#include "windows/tool_window.h"

namespace qzt {
namespace {

constexpr char Title[] = "Level Properties";
// The buttons show only with the main window (showLevelPropertiesButtons).
constexpr DWORD HiddenButtonStyle = WS_CHILD;
constexpr DWORD TextBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

// Header texts are kept to 199 characters, the time bonus to 24.
constexpr int HeaderTextLimit = 200;
constexpr int TimeBonusLimit = 25;

constexpr int HeaderTextRows = 8;
enum Control { OkButton, CancelButton, FirstTextBox, TimeBonusBox = FirstTextBox + HeaderTextRows, ControlCount = 20 };
constexpr int BitmapPathRow = 2;

// The text boxes follow the header's text lines in file order.
constexpr ControlLayout Controls[] = {
    {"BUTTON", "OK", HiddenButtonStyle, 110, 220, 60, 30},
    {"BUTTON", "Cancel", HiddenButtonStyle, 190, 220, 60, 30},
    {"EDIT", nullptr, TextBoxStyle, 5, 10, 200, 20},
    {"EDIT", nullptr, TextBoxStyle, 5, 31, 200, 20},
    {"EDIT", nullptr, TextBoxStyle, 5, 52, 200, 20},
    {"EDIT", nullptr, TextBoxStyle, 5, 73, 200, 20},
    {"EDIT", nullptr, TextBoxStyle, 5, 94, 200, 20},
    {"EDIT", nullptr, TextBoxStyle, 5, 115, 200, 20},
    {"EDIT", nullptr, TextBoxStyle, 5, 136, 200, 20},
    {"EDIT", nullptr, TextBoxStyle, 5, 157, 200, 20},
    {"EDIT", nullptr, NumberBoxStyle, 5, 178, 200, 20},
    {"STATIC", "Level Subtitle (No spaces. Use underscore)", LabelStyle, 205, 10, 325, 20},
    {"STATIC", "Level Title (No spaces. Use underscore)", LabelStyle, 205, 31, 325, 20},
    {"STATIC", "Path to main .bmp file from dat file location", LabelStyle, 205, 52, 325, 20},
    {"STATIC", "Background midi music file from dat file location", LabelStyle, 205, 73, 325, 20},
    {"STATIC", "Level win .wav file from dat file location", LabelStyle, 205, 94, 325, 20},
    {"STATIC", "Level oneup .wav file from dat file location", LabelStyle, 205, 115, 325, 20},
    {"STATIC", "Level lose .wav file from dat file location", LabelStyle, 205, 136, 325, 20},
    {"STATIC", "Level score count .wav file from dat file location", LabelStyle, 205, 157, 325, 20},
    {"STATIC", "Time bonus for level", LabelStyle, 205, 178, 290, 20},
};
static_assert(std::size(Controls) == ControlCount);

HWND controls[ControlCount];

HWND window() { return editor.tools.levelPropertiesWindow; }

void commitHeader() {
    char bitmapPath[HeaderTextLimit] = {};
    GetWindowTextA(controls[FirstTextBox + BitmapPathRow], bitmapPath, HeaderTextLimit);
    // Beside the data file, as opening it found it: a file dialog may have
    // moved the current directory since.
    if (!replaceLevelBitmap(levelBitmapPath(editor.fileNameBuffer, bitmapPath).c_str())) {
        notice(loadResultMessage(LoadBitmapError), LoadingCaption);
        return;
    }
    LevelHeader& header = editor.document.header;
    for (int row = 0; row < HeaderTextRows; ++row)
        GetWindowTextA(controls[FirstTextBox + row], header.*HeaderTextFields[row].text, HeaderTextLimit);
    header.timeBonus = decimalText(controls[TimeBonusBox], TimeBonusLimit);
    SetWindowTextA(editor.main.window, header.title);
    RedrawLevelView();
    ShowWindow(window(), SW_HIDE);
}

// Any notification of a button counts as a press; the boxes' are ignored.
void onCommand(HWND sender) {
    if (sender == controls[OkButton]) commitHeader();
    if (sender == controls[CancelButton]) ShowWindow(window(), SW_HIDE);
}

}  // namespace

void createLevelPropertiesWindow() {
    editor.tools.levelPropertiesWindow = createToolWindow(LevelPropertiesClass, Title, 210, 125, 520, 350);
    createControls(window(), Controls, controls);
}

void showLevelPropertiesWindow() {
    const LevelHeader& header = editor.document.header;
    for (int row = 0; row < HeaderTextRows; ++row)
        SetWindowTextA(controls[FirstTextBox + row], header.*HeaderTextFields[row].text);
    setDecimalText(controls[TimeBonusBox], header.timeBonus);
    ShowWindow(window(), SW_SHOW);
}

void showLevelPropertiesButtons() {
    ShowWindow(controls[OkButton], SW_SHOW);
    ShowWindow(controls[CancelButton], SW_SHOW);
}

LRESULT CALLBACK levelPropertiesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND) return DefWindowProcA(window, message, wParam, lParam);
    onCommand(reinterpret_cast<HWND>(lParam));
    return 0;
}

}  // namespace qzt
