#include "app/startup.h"

#include <string>

#include "app/document_view.h"
#include "app/file_commands.h"
#include "app/keyboard_input.h"
#include "app/main_controls.h"
#include "app/main_window.h"
#include "app/menu_bar.h"
#include "edit/view_geometry.h"
#include "level/file_paths.h"
#include "win32/bitmap_copy.h"
#include "win32/bmp_loader.h"
#include "win32/document_changes.h"
#include "win32/gdi_guards.h"
#include "win32/level_bitmap.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/enemy_program_editor.h"
#include "windows/level_properties_window.h"
#include "windows/new_enemy_window.h"

namespace qzt {
namespace {

constexpr char LogoPath[] = "C:\\QZTedit\\LOGO.bmp";
constexpr char LogoName[] = "LOGO.bmp";
constexpr int LogoLeft = 170;
constexpr int LogoTop = 50;
constexpr int VerticalScrollMaxBeforeLoad = 100;

// IDI_APPLICATION as an ANSI name, whatever the character set.
const LPCSTR ApplicationIcon = MAKEINTRESOURCEA(32512);

// One after the other, stopping at the first that fails and leaving the
// later ones unregistered.
bool registerWindowClasses() {
    return registerWindowClass(LevelPropertiesClass, levelPropertiesProc, nullptr) &&
           registerWindowClass(NewEnemyClass, newEnemyProc, nullptr) &&
           registerWindowClass(MainWindowClass, MainWindowProc, LoadIconA(nullptr, ApplicationIcon)) &&
           registerWindowClass(EnemyProgramEditorClass, enemyProgramEditorProc, nullptr);
}

// Where an installed or unzipped editor keeps it; empty when the path does not fit.
std::string logoBesideEditor() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? directoryOf(path) + LogoName : std::string();
}

// From the fixed path, else from beside the editor. Drawn this once; nothing
// redraws it. Without a logo file the window stays blank.
void drawLogo() {
    LevelBitmapCells& cells = levelBitmap;
    WindowDC window(shell.mainWindow);
    for (const std::string& path : {std::string(LogoPath), logoBesideEditor()}) {
        cells.bitmap = LoadBmpFile(path.c_str(), window, &cells.palette, &cells.width, &cells.height);
        if (cells.bitmap) break;
    }
    if (cells.bitmap) copyFromBitmap(window, LogoLeft, LogoTop, cells.width, cells.height, cells.bitmap, 0, 0);
}

void showMainWindow(int showCommand) {
    ShowWindow(shell.mainWindow, showCommand);
    ShowWindow(shell.horizontalScrollBar, showCommand);
    ShowWindow(shell.verticalScrollBar, showCommand);
    showLevelPropertiesButtons();
    SetScrollRange(shell.horizontalScrollBar, SB_CTL, 0, HorizontalScrollMax, TRUE);
    SetScrollRange(shell.verticalScrollBar, SB_CTL, 0, VerticalScrollMaxBeforeLoad, TRUE);
    DrawMenuBar(shell.mainWindow);
}

}  // namespace

bool startEditor(HINSTANCE instance, int showCommand, const char* commandLine) {
    // Start-up sets every value the run begins with.
    session = Session{};
    shell = Shell{};
    levelBitmap = LevelBitmapCells{};
    sidePanel = SidePanelControls{};
    shell.viewClipRegion = CreateRectRgn(ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &shell.workArea, 0);
    shell.instance = instance;
    HMENU menuBar = createMenuBar();
    if (!registerWindowClasses()) return false;

    createMainWindow(menuBar);
    createMainControls();
    addDocumentView(showDocumentInMainWindow);
    createLevelPropertiesWindow();
    createNewEnemyWindow();
    createEnemyProgramEditor();
    showMainWindow(showCommand);
    setUpFileDialogRecord();
    drawLogo();
    SetTimer(shell.mainWindow, EditorTimerId, EditorTimerMilliseconds, nullptr);
    openLevelFromCommandLine(commandLine);
    return true;
}

int runMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        routeUndoKeys(message);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace qzt
