// The Level Properties window: one box per header text and the time bonus.
// OK takes the bitmap path first and commits nothing unless that bitmap
// loads, so a typo never leaves a level that cannot be opened once saved.
#include "windows/level_properties_window.h"

#include "edit/header_rules.h"
#include "level/dat_reader.h"
#include "win32/control_text.h"
#include "win32/controls.h"
#include "win32/document_changes.h"
#include "win32/level_bitmap.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/tool_window.h"

namespace qzt {
namespace {

constexpr char Title[] = "Level Properties";
// The buttons show only with the main window (showLevelPropertiesButtons).
constexpr DWORD HiddenButtonStyle = WS_CHILD;
constexpr DWORD TextBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

// A header text holds a whole data-file line; the time bonus 24 characters.
constexpr int HeaderTextLimit = HeaderTextCapacity;
constexpr int TimeBonusLimit = 25;

constexpr int HeaderTextRows = 8;
enum Control { OkButton, CancelButton, FirstTextBox, TimeBonusBox = FirstTextBox + HeaderTextRows, ControlCount };
constexpr int BitmapPathRow = 2;

ToolWindow tool;
HWND propertiesWindow;
HWND controls[ControlCount];
// What the boxes were filled from: a box still showing it follows the
// header's changes, one typed into keeps its text until OK or Cancel.
LevelHeader shownHeader;

// The text boxes follow the header's text lines in file order.
const ControlLayout Controls[] = {
    {"BUTTON", "OK", HiddenButtonStyle, 110, 220, 60, 30, &controls[OkButton]},
    {"BUTTON", "Cancel", HiddenButtonStyle, 190, 220, 60, 30, &controls[CancelButton]},
    {"EDIT", nullptr, TextBoxStyle, 5, 10, 200, 20, &controls[FirstTextBox]},
    {"EDIT", nullptr, TextBoxStyle, 5, 31, 200, 20, &controls[FirstTextBox + 1]},
    {"EDIT", nullptr, TextBoxStyle, 5, 52, 200, 20, &controls[FirstTextBox + 2]},
    {"EDIT", nullptr, TextBoxStyle, 5, 73, 200, 20, &controls[FirstTextBox + 3]},
    {"EDIT", nullptr, TextBoxStyle, 5, 94, 200, 20, &controls[FirstTextBox + 4]},
    {"EDIT", nullptr, TextBoxStyle, 5, 115, 200, 20, &controls[FirstTextBox + 5]},
    {"EDIT", nullptr, TextBoxStyle, 5, 136, 200, 20, &controls[FirstTextBox + 6]},
    {"EDIT", nullptr, TextBoxStyle, 5, 157, 200, 20, &controls[FirstTextBox + 7]},
    {"EDIT", nullptr, NumberBoxStyle, 5, 178, 200, 20, &controls[TimeBonusBox], WidestNumber},
    {"STATIC", "Level Subtitle (No spaces. Use underscore)", LabelStyle, 205, 10, 325, 20, nullptr},
    {"STATIC", "Level Title (No spaces. Use underscore)", LabelStyle, 205, 31, 325, 20, nullptr},
    {"STATIC", "Path to main .bmp file from dat file location", LabelStyle, 205, 52, 325, 20, nullptr},
    {"STATIC", "Background midi music file from dat file location", LabelStyle, 205, 73, 325, 20, nullptr},
    {"STATIC", "Level win .wav file from dat file location", LabelStyle, 205, 94, 325, 20, nullptr},
    {"STATIC", "Level oneup .wav file from dat file location", LabelStyle, 205, 115, 325, 20, nullptr},
    {"STATIC", "Level lose .wav file from dat file location", LabelStyle, 205, 136, 325, 20, nullptr},
    {"STATIC", "Level score count .wav file from dat file location", LabelStyle, 205, 157, 325, 20, nullptr},
    {"STATIC", "Time bonus for level", LabelStyle, 205, 178, 290, 20, nullptr},
};

void fillBoxes() {
    const LevelHeader& header = session.document.header;
    for (int row = 0; row < HeaderTextRows; ++row)
        SetWindowTextA(controls[FirstTextBox + row], header.*HeaderTextFields[row].text);
    setDecimalText(controls[TimeBonusBox], header.timeBonus);
    shownHeader = header;
}

void refreshUntouchedBoxes() {
    const LevelHeader& header = session.document.header;
    for (int row = 0; row < HeaderTextRows; ++row) {
        char(&shown)[HeaderTextCapacity] = shownHeader.*HeaderTextFields[row].text;
        const char* text = header.*HeaderTextFields[row].text;
        if (!showsText(controls[FirstTextBox + row], shown)) continue;
        SetWindowTextA(controls[FirstTextBox + row], text);
        setHeaderText(shown, text);
    }
    if (decimalText(controls[TimeBonusBox], TimeBonusLimit) != shownHeader.timeBonus) return;
    setDecimalText(controls[TimeBonusBox], header.timeBonus);
    shownHeader.timeBonus = header.timeBonus;
}

HeaderEntry enteredHeader() {
    HeaderEntry entry;
    char text[HeaderTextLimit];
    for (int row = 0; row < HeaderTextRows; ++row) {
        GetWindowTextA(controls[FirstTextBox + row], text, HeaderTextLimit);
        entry.texts[size_t(row)] = text;
    }
    entry.timeBonus = decimalText(controls[TimeBonusBox], TimeBonusLimit);
    return entry;
}

void commitHeader() {
    const HeaderEntry entry = enteredHeader();
    // Beside the data file, as opening it found it: a file dialog may have
    // moved the current directory since.
    const std::string bitmap = levelBitmapPath(session.levelPath.c_str(), entry.texts[BitmapPathRow].c_str());
    if (!swapLevelBitmap(bitmap.c_str())) {
        notice(loadResultMessage(LoadBitmapError), LoadingCaption);
        return;
    }
    applyHeader(session.document, entry);
    ShowWindow(propertiesWindow, SW_HIDE);
    // The bitmap was read again even when the header stays as it was.
    if (!finishGesture(StepName::Properties)) bitmapChanged();
}

void showDocument(DocumentChange event) {
    if (event == DocumentChange::Opened)
        ShowWindow(propertiesWindow, SW_HIDE);
    else if (IsWindowVisible(propertiesWindow) && !sameHeader(shownHeader, session.document.header))
        refreshUntouchedBoxes();
}

// Any notification of a button counts as a press; the boxes' are ignored.
void onCommand(HWND sender) {
    if (sender == controls[OkButton]) commitHeader();
    if (sender == controls[CancelButton]) ShowWindow(propertiesWindow, SW_HIDE);
}

}  // namespace

void createLevelPropertiesWindow() {
    propertiesWindow = tool.create(LevelPropertiesClass, Title, {210, 125, 520, 350}, Controls);
    for (int row = 0; row < HeaderTextRows; ++row)
        SendMessageA(controls[FirstTextBox + row], EM_SETLIMITTEXT, HeaderTextLimit - 1, 0);
    addDocumentView(showDocument);
}

void showLevelPropertiesWindow() {
    fillBoxes();
    ShowWindow(propertiesWindow, SW_SHOW);
}

void destroyLevelPropertiesWindow() {
    if (propertiesWindow) DestroyWindow(propertiesWindow);
    propertiesWindow = nullptr;
}

void showLevelPropertiesButtons() {
    ShowWindow(controls[OkButton], SW_SHOW);
    ShowWindow(controls[CancelButton], SW_SHOW);
}

LRESULT CALLBACK levelPropertiesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tool.handles(message, wParam, lParam)) return 0;
    if (message != WM_COMMAND) return DefWindowProcA(window, message, wParam, lParam);
    onCommand(reinterpret_cast<HWND>(lParam));
    return 0;
}

}  // namespace qzt
