#include "app/menu_bar.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/recent_files_store.h"
#include "app/clipboard_commands.h"
#include "app/main_layout.h"
#include "edit/slot_rules.h"
#include "edit/view_editing.h"
#include "win32/level_motion.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

struct Shortcut {
    BYTE modifiers = 0;  // FCONTROL, FSHIFT
    WORD key = 0;        // a virtual key; 0 for none
};
constexpr BYTE Ctrl = FCONTROL;
constexpr BYTE CtrlShift = FCONTROL | FSHIFT;

struct MenuItem {
    MenuCommand command;
    const char* text;  // null: a separator, or for FirstRecentFileCommand the recent files
    Shortcut shortcut;
};

struct MenuPopup {
    const char* title;
    std::vector<MenuItem> items;
};

const MenuItem Separator{MenuCommand{}, nullptr, {}};
const MenuItem RecentFiles{FirstRecentFileCommand, nullptr, {}};

const std::vector<MenuPopup>& menus() {
    static const std::vector<MenuPopup> popups = {
        {"&File",
         {{OpenCommand, "&Open...", {Ctrl, 'O'}}, {SaveCommand, "&Save", {Ctrl, 'S'}},
          {SaveAsCommand, "Save &As...", {CtrlShift, 'S'}}, Separator, RecentFiles, {ExitCommand, "E&xit", {}}}},
        {"&Edit",
         {{UndoCommand, "&Undo", {Ctrl, 'Z'}}, {RedoCommand, "&Redo", {Ctrl, 'Y'}}, Separator,
          {CutCommand, "Cu&t", {Ctrl, 'X'}}, {CopyCommand, "&Copy", {Ctrl, 'C'}}, {PasteCommand, "&Paste", {Ctrl, 'V'}},
          {DuplicateCommand, "D&uplicate", {Ctrl, 'D'}}, {DeleteCommand, "&Delete", {0, VK_DELETE}}, Separator,
          {SelectAllCommand, "Select &All", {Ctrl, 'A'}}}},
        {"&Level", {{PropertiesCommand, "&Properties", {}}, {CheckCommand, "&Check", {}}}},
        {"&Items", {{NewEnemyCommand, "New &Enemy", {}}, {NewImageSetCommand, "New &Image Set", {}}}},
        {"Enemy &Programs",
         {{EditProgramCommand, "&Edit an enemy program", {}},
          {NewProgramCommand, "&New program based on current enemy", {}}}},
        {"&View", {{ZoomInCommand, "Zoom &In", {Ctrl, VK_OEM_PLUS}}, {ZoomOutCommand, "Zoom &Out", {Ctrl, VK_OEM_MINUS}},
                   {ActualSizeCommand, "&Actual Size", {Ctrl, '0'}}, Separator,
                   {PlayMotionCommand, "&Play Motion", {0, VK_F5}}}},
        {"&Help", {{ShortcutsCommand, "&Keyboard Shortcuts", {}}, {AboutCommand, "&About QZT Level Editor", {}}}},
    };
    return popups;
}

// Shortcuts besides the items' own.
struct ExtraShortcut {
    MenuCommand command;
    Shortcut shortcut;
    const char* what;
};
const ExtraShortcut ExtraShortcuts[] = {{RedoCommand, {CtrlShift, 'Z'}, "Redo"},
                                        {ZoomInCommand, {Ctrl, VK_ADD}, "Zoom In"},
                                        {ZoomOutCommand, {Ctrl, VK_SUBTRACT}, "Zoom Out"}};
// Keys that act without a command.
const char* const OtherKeys[] = {
    "Arrow keys\tNudge the selection a pixel; with Shift, ten",
    "Ctrl+click\tAn enemy in or out of the selection",
    "Drag on empty view space\tSelect the enemies the band touches; with Ctrl, add them",
    "Ctrl+mouse wheel\tZoom In or Zoom Out",
    "Space\tWhile the level plays: pause, or go on",
    ". and ,\tWhile paused: a game frame forward or back",
    "Home\tWhile the level plays: back to frame 0",
    "Keypad 1 to 9 (Num Lock on)\tWhile a program is recorded: one step that way",
    "Enter\tEnd the recording",
};

std::string keyName(WORD key) {
    switch (key) {
    case VK_DELETE: return "Del";
    case VK_OEM_PLUS: return "=";
    case VK_OEM_MINUS: return "-";
    case VK_ADD: return "Num +";
    case VK_SUBTRACT: return "Num -";
    default: break;
    }
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    return std::string(1, char(key));
}

std::string shortcutName(const Shortcut& s) {
    std::string name;
    if (s.modifiers & FCONTROL) name += "Ctrl+";
    if (s.modifiers & FSHIFT) name += "Shift+";
    return name + keyName(s.key);
}

std::string itemText(const MenuItem& item) {
    std::string text = item.text;
    const History& history = session.history;
    const std::optional<StepName> step = item.command == UndoCommand   ? history.undoName()
                                         : item.command == RedoCommand ? history.redoName()
                                                                       : std::nullopt;
    if (step) text = text + " " + stepNameText(*step);
    if (item.shortcut.key) text += "\t" + shortcutName(item.shortcut);
    return text;
}

}  // namespace

CommandState commandState() {
    const EditorState& state = session.state;
    CommandState s;
    s.loaded = session.document.loaded;
    s.mode = state.mode;
    s.dragging = gestureUnderWay(state);
    s.canUndo = session.history.undoName().has_value();
    s.canRedo = session.history.redoName().has_value();
    s.selection = isSlot(state.selectedEnemy, MAX_ENEMIES) || isSlot(state.selectedImageSet, MAX_IMAGE_SETS);
    s.canPaste = clipboardHasItems();
    s.motionShown = motionShown();
    s.zoom = shell.view.zoom;
    if (!shell.mainWindow) return s;  // the bar is made before the window
    const ZoomRange zooms = zoomRange();
    s.defaultZoom = zooms.defaultZoom;
    s.largestZoom = zooms.largest;
    return s;
}

namespace {

void append(HMENU popup, MenuCommand command, const std::string& text, bool available) {
    const UINT grey = available ? MF_ENABLED : MF_GRAYED;
    InsertMenuA(popup, UINT(-1), MF_BYPOSITION | MF_STRING | grey, command, text.c_str());
}

void appendSeparator(HMENU popup) { InsertMenuA(popup, UINT(-1), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr); }

// The recent files, then a separator, where there are any.
void appendRecentFiles(HMENU popup) {
    const std::vector<std::string>& paths = recentFiles().paths();
    for (size_t i = 0; i < paths.size(); ++i)
        append(popup, MenuCommand(FirstRecentFileCommand + i), recentFileItemText(i, paths[i]), true);
    if (!paths.empty()) appendSeparator(popup);
}

void fill(HMENU popup, const MenuPopup& menu) {
    while (GetMenuItemCount(popup) > 0) DeleteMenu(popup, 0, MF_BYPOSITION);
    const CommandState state = commandState();
    for (const MenuItem& item : menu.items) {
        if (item.command == FirstRecentFileCommand)
            appendRecentFiles(popup);
        else if (!item.text)
            appendSeparator(popup);
        else
            append(popup, item.command, itemText(item), commandAvailable(item.command, state));
    }
}

}  // namespace

HMENU createMenuBar() {
    HMENU bar = CreateMenu();
    for (const MenuPopup& menu : menus()) {
        HMENU popup = CreatePopupMenu();
        fill(popup, menu);
        InsertMenuA(bar, UINT(-1), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.title);
    }
    return bar;
}

void refreshPopup(HMENU popup) {
    HMENU bar = GetMenu(shell.mainWindow);
    for (size_t i = 0; i < menus().size(); ++i)
        if (GetSubMenu(bar, int(i)) == popup) fill(popup, menus()[i]);
}

HACCEL shortcutTable() {
    static const HACCEL table = [] {
        std::vector<ACCEL> keys;
        for (const MenuPopup& menu : menus())
            for (const MenuItem& item : menu.items)
                if (item.shortcut.key) keys.push_back({BYTE(FVIRTKEY | item.shortcut.modifiers), item.shortcut.key, item.command});
        for (const ExtraShortcut& extra : ExtraShortcuts)
            keys.push_back({BYTE(FVIRTKEY | extra.shortcut.modifiers), extra.shortcut.key, extra.command});
        return CreateAcceleratorTableA(keys.data(), int(keys.size()));
    }();
    return table;
}

std::string shortcutsText() {
    std::string text;
    for (const MenuPopup& menu : menus())
        for (const MenuItem& item : menu.items) {
            if (!item.shortcut.key) continue;
            std::string name = item.text;
            name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
            text += shortcutName(item.shortcut) + "\t" + name + "\r\n";
        }
    for (const ExtraShortcut& extra : ExtraShortcuts) text += shortcutName(extra.shortcut) + "\t" + extra.what + "\r\n";
    for (const char* key : OtherKeys) text += std::string(key) + "\r\n";
    return text;
}

}  // namespace qzt
