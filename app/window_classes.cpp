#include "app/window_classes.h"

#include "app/editor_globals.h"
#include "app/main_window.h"
#include "windows/tool_windows.h"

namespace qzt {
namespace {

bool registerClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = panelBrush();
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

bool registerWindowClasses(HINSTANCE instance) {
    return registerClass(instance, LevelPropertiesClass, levelPropertiesProc, nullptr) &&
           registerClass(instance, NewEnemyClass, newEnemyProc, nullptr) &&
           registerClass(instance, MainWindowClass, MainWindowProc, LoadIconA(nullptr, IDI_APPLICATION)) &&
           registerClass(instance, EnemyProgramEditorClass, enemyProgramEditorProc, nullptr);
}

}  // namespace qzt
