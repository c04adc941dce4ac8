#include "app/clipboard_commands.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "app/edit_commands.h"
#include "app/side_panel.h"
#include "edit/copy_paste.h"
#include "edit/enemy_selection.h"
#include "edit/slot_rules.h"
#include "level/level_import.h"
#include "level/level_json.h"
#include "win32/document_changes.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

UINT itemsFormat() {
    static const UINT format = RegisterClipboardFormatA("QZT Level Editor items");
    return format;
}

// Closes the clipboard it opened, if it did.
class OpenClipboardGuard {
public:
    OpenClipboardGuard() : open_(OpenClipboard(shell.mainWindow) != 0) {}
    ~OpenClipboardGuard() {
        if (open_) CloseClipboard();
    }
    OpenClipboardGuard(const OpenClipboardGuard&) = delete;
    OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

// The text with its terminator in memory the clipboard takes over.
bool put(UINT format, const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    void* locked = memory ? GlobalLock(memory) : nullptr;
    if (!locked) {
        if (memory) GlobalFree(memory);
        return false;
    }
    std::memcpy(locked, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory)) return true;
    GlobalFree(memory);
    return false;
}

std::optional<std::string> take(UINT format) {
    HANDLE memory = GetClipboardData(format);
    const char* text = memory ? static_cast<const char*>(GlobalLock(memory)) : nullptr;
    if (!text) return std::nullopt;
    std::string taken(text, strnlen(text, GlobalSize(memory)));
    GlobalUnlock(memory);
    return taken;
}

bool anyUsed(const LevelDocument& items) {
    return firstUsedSlot(items.enemies) >= 0 || firstUsedSlot(items.imageSets) >= 0;
}

bool copyToClipboard(const LevelDocument& items) {
    const std::string text = levelItemsJson(items).dump(2);
    const OpenClipboardGuard clipboard;
    return clipboard.open() && EmptyClipboard() && put(itemsFormat(), text) && put(CF_TEXT, text);
}

// The editor's own format, else text that is the items' JSON; none for
// anything else.
std::unique_ptr<LevelDocument> clipboardItems() {
    std::optional<std::string> text;
    {
        const OpenClipboardGuard clipboard;
        if (!clipboard.open()) return nullptr;
        text = take(itemsFormat());
        if (!text) text = take(CF_TEXT);
    }
    if (!text) return nullptr;
    auto items = std::make_unique<LevelDocument>();
    if (!levelItemsFromJsonText(*text, *items).empty()) return nullptr;
    return items;
}

// The pointer's level point (a bitmap point for a lone image set) while it is
// over the view.
std::optional<Point64> pointerInView(const LevelDocument& items) {
    POINT at;
    if (!GetCursorPos(&at) || !ScreenToClient(shell.mainWindow, &at)) return std::nullopt;
    const int cx = unzoomedX(at.x, shell.view), cy = unzoomedY(at.y, shell.view);
    if (!insideView(cx, cy)) return std::nullopt;
    return firstUsedSlot(items.enemies) >= 0 ? levelPoint(cx, cy, scrollPosition()) : bitmapPoint(cx, cy, scrollPosition());
}

void paste(const LevelDocument& items, std::optional<Point64> at, StepName name) {
    switch (pasteItems(session.document, session.state, items, at)) {
    case PasteOutcome::TooManyImageSets:
        notice("Too many Image sets already.", "Image Set Creation Error");
        return;
    case PasteOutcome::TooManyPrograms:
        notice("No empty movement programs.  Please delete one.", "Movement editing Error");
        return;
    case PasteOutcome::TooManyEnemies:
        notice("Cannot have more than 15 enemies.", LoadingCaption);
        return;
    case PasteOutcome::NothingToPaste:
        MessageBeep(MB_OK);
        return;
    case PasteOutcome::Pasted:
        break;
    }
    if (!finishGesture(name)) showSelection();
}

}  // namespace

bool clipboardHasItems() {
    return IsClipboardFormatAvailable(itemsFormat()) || IsClipboardFormatAvailable(CF_TEXT);
}

void copyCommand() {
    const auto items = copiedItems(session.document, session.state);
    if (!anyUsed(*items) || !copyToClipboard(*items)) MessageBeep(MB_OK);
}

void cutCommand() {
    const auto items = copiedItems(session.document, session.state);
    if (!anyUsed(*items) || !copyToClipboard(*items)) {
        MessageBeep(MB_OK);
        return;
    }
    deleteCommand(StepName::Cut);
}

void pasteCommand(bool atPointer) {
    const auto items = clipboardItems();
    if (!items) {
        MessageBeep(MB_OK);
        return;
    }
    paste(*items, atPointer ? pointerInView(*items) : std::nullopt, StepName::Paste);
}

void duplicateCommand() {
    const auto items = copiedItems(session.document, session.state);
    if (!anyUsed(*items)) {
        MessageBeep(MB_OK);
        return;
    }
    paste(*items, std::nullopt, StepName::Duplicate);
}

void selectAllCommand() {
    selectAllEnemies(session.document, session.state);
    showSelection();
}

}  // namespace qzt
