#include "win32/window_classes.h"

#include "win32/editor_globals.h"
#include "app/main_window.h"
#include "windows/enemy_program_editor.h"
#include "windows/level_properties_window.h"
#include "windows/new_enemy_window.h"

namespace qzt {
namespace {

// IDC_ARROW and IDI_APPLICATION as ANSI names, whatever the character set.
const LPCSTR ArrowCursor = MAKEINTRESOURCEA(32512);
const LPCSTR ApplicationIcon = MAKEINTRESOURCEA(32512);

bool registerClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, ArrowCursor);
    windowClass.hbrBackground = panelBrush();
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

bool registerWindowClasses(HINSTANCE instance) {
    return registerClass(instance, LevelPropertiesClass, levelPropertiesProc, nullptr) &&
           registerClass(instance, NewEnemyClass, newEnemyProc, nullptr) &&
           registerClass(instance, MainWindowClass, MainWindowProc, LoadIconA(nullptr, ApplicationIcon)) &&
           registerClass(instance, EnemyProgramEditorClass, enemyProgramEditorProc, nullptr);
}

}  // namespace qzt
