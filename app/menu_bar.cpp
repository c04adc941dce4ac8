#include "app/menu_bar.h"

namespace qzt {
namespace {

struct MenuItem {
    MenuCommand command;
    const char* text;  // null for a separator
};

constexpr MenuItem Separator{MenuCommand{}, nullptr};

void appendItem(HMENU popup, const MenuItem& item) {
    if (item.text)
        InsertMenuA(popup, UINT(-1), MF_BYPOSITION | MF_STRING, item.command, item.text);
    else
        InsertMenuA(popup, UINT(-1), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

template <size_t N>
HMENU createPopup(const MenuItem (&items)[N]) {
    HMENU popup = CreateMenu();
    for (const MenuItem& item : items) appendItem(popup, item);
    return popup;
}

void appendPopup(HMENU bar, HMENU popup, const char* text) {
    InsertMenuA(bar, UINT(-1), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text);
}

}  // namespace

HMENU createMenuBar() {
    static const MenuItem fileItems[] = {{OpenCommand, "Open"}, {SaveCommand, "Save"}, Separator,
                                         {ExitCommand, "Exit"}};
    static const MenuItem levelItems[] = {{PropertiesCommand, "Properties"}};
    static const MenuItem itemsItems[] = {{NewEnemyCommand, "New Enemy"}, {NewImageSetCommand, "New Image Set"}};
    static const MenuItem programItems[] = {{EditProgramCommand, "Edit an enemy program"},
                                            {NewProgramCommand, "New program based on current enemy"}};
    HMENU bar = CreateMenu();
    HMENU file = createPopup(fileItems);
    HMENU level = createPopup(levelItems);
    HMENU items = createPopup(itemsItems);
    HMENU programs = createPopup(programItems);
    appendPopup(bar, file, "File");
    appendPopup(bar, level, "Level");
    appendPopup(bar, items, "Items");
    appendPopup(bar, programs, "Enemy Programs");
    return bar;
}

}  // namespace qzt
