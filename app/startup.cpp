#include "app/startup.h"

#include "win32/editor_globals.h"
#include "app/file_commands.h"
#include "app/main_controls.h"
#include "app/main_window.h"
#include "app/menu_bar.h"
#include "win32/window_classes.h"
#include "win32/bitmap_copy.h"
#include "win32/bmp_loader.h"
#include "win32/gdi_guards.h"
#include "windows/enemy_program_editor.h"
#include "windows/level_properties_window.h"
#include "windows/new_enemy_window.h"

namespace qzt {
namespace {

constexpr char LogoPath[] = "C:\\QZTedit\\LOGO.bmp";
constexpr int LogoLeft = 170;
constexpr int LogoTop = 50;
constexpr int VerticalScrollMaxBeforeLoad = 100;

// Drawn this once; nothing redraws it. Without a logo file the window stays blank.
void drawLogo() {
    LevelBitmapCells& cells = editor.levelBitmap;
    WindowDC window(editor.main.window);
    cells.bitmap = LoadBmpFile(LogoPath, window, &cells.palette, &cells.width, &cells.height);
    if (cells.bitmap) copyFromBitmap(window, LogoLeft, LogoTop, cells.width, cells.height, cells.bitmap, 0, 0);
}

void showMainWindow(int showCommand) {
    const MainWindowHandles& main = editor.main;
    ShowWindow(main.window, showCommand);
    ShowWindow(main.horizontalScrollBar, showCommand);
    ShowWindow(main.verticalScrollBar, showCommand);
    showLevelPropertiesButtons();
    SetScrollRange(main.horizontalScrollBar, SB_CTL, 0, HorizontalScrollMax, TRUE);
    SetScrollRange(main.verticalScrollBar, SB_CTL, 0, VerticalScrollMaxBeforeLoad, TRUE);
    DrawMenuBar(main.window);
}

}  // namespace

bool startEditor(HINSTANCE instance, int showCommand, const char* commandLine) {
    // Start-up sets every value the run begins with.
    editor = EditorGlobals{};
    editor.viewClipRegion = CreateRectRgn(ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &editor.workArea, 0);
    editor.instance = instance;
    editor.main.menuBar = createMenuBar();
    if (!registerWindowClasses(instance)) return false;

    createMainWindow();
    createMainControls();
    createLevelPropertiesWindow();
    createNewEnemyWindow();
    createEnemyProgramEditor();
    showMainWindow(showCommand);
    setUpFileDialogRecord();
    drawLogo();
    SetTimer(editor.main.window, EditorTimerId, EditorTimerMilliseconds, nullptr);
    openLevelFromCommandLine(commandLine);
    return true;
}

int runMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace qzt
