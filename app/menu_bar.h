// The main window's menu bar and its command ids.
#pragma once

#include <windows.h>

namespace qzt {

enum MenuCommand : WORD {
    OpenCommand = 1,
    SaveCommand = 2,
    ExitCommand = 3,
    PropertiesCommand = 4,
    NewEnemyCommand = 5,
    NewImageSetCommand = 6,
    NewProgramCommand = 7,
    EditProgramCommand = 9,
};

// "File", "Level", "Items" and "Enemy Programs" with all their items.
HMENU createMenuBar();

}  // namespace qzt
