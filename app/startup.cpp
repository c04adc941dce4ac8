#include "app/startup.h"

#include <commctrl.h>

#include <string>

#include "app/document_view.h"
#include "app/file_commands.h"
#include "app/keyboard_input.h"
#include "app/main_controls.h"
#include "app/main_layout.h"
#include "app/main_window.h"
#include "app/menu_bar.h"
#include "app/recent_files_store.h"
#include "app/status_bar.h"
#include "edit/control_layout.h"
#include "edit/view_geometry.h"
#include "level/file_paths.h"
#include "win32/bmp_loader.h"
#include "win32/document_changes.h"
#include "win32/dpi.h"
#include "win32/gdi_guards.h"
#include "win32/level_bitmap.h"
#include "win32/level_motion.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/enemy_program_editor.h"
#include "windows/level_check_window.h"
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

// The editor's own icon, resource 1; the system's in a program without it.
HICON editorIcon() {
    HICON own = LoadIconA(shell.instance, MAKEINTRESOURCEA(1));
    return own ? own : LoadIconA(nullptr, ApplicationIcon);
}

// One after the other, stopping at the first that fails and leaving the
// later ones unregistered.
bool registerWindowClasses() {
    return registerWindowClass(LevelPropertiesClass, levelPropertiesProc, nullptr) &&
           registerWindowClass(NewEnemyClass, newEnemyProc, nullptr) &&
           registerWindowClass(MainWindowClass, MainWindowProc, editorIcon()) &&
           registerWindowClass(EnemyProgramEditorClass, enemyProgramEditorProc, nullptr) &&
           registerWindowClass(LevelCheckClass, levelCheckProc, nullptr);
}

// Where an installed or unzipped editor keeps it; empty when the path does not fit.
std::string logoBesideEditor() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? directoryOf(path) + LogoName : std::string();
}

// From the fixed path, else from beside the editor; at its place for the
// window's DPI, magnified as the view is. Drawn this once; nothing redraws
// it. Without a logo file the window stays blank.
void drawLogo() {
    LevelBitmapCells& cells = levelBitmap;
    const WindowDC window(shell.mainWindow);
    for (const std::string& path : {std::string(LogoPath), logoBesideEditor()}) {
        cells.bitmap = LoadBmpFile(path.c_str(), window, &cells.palette, &cells.width, &cells.height);
        if (cells.bitmap) break;
    }
    if (!cells.bitmap) return;
    const int dpi = int(dpiOf(shell.mainWindow)), zoom = shell.view.zoom;
    const MemoryDC logo(window);
    const Selection selected(logo, cells.bitmap);
    SetStretchBltMode(window, COLORONCOLOR);
    StretchBlt(window, scaled(LogoLeft, dpi), scaled(LogoTop, dpi), cells.width * zoom, cells.height * zoom, logo, 0, 0,
               cells.width, cells.height, SRCCOPY);
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
    stopMotion();
    session = Session{};
    shell = Shell{};
    levelBitmap = LevelBitmapCells{};
    sidePanel = SidePanelControls{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &shell.workArea, 0);
    shell.instance = instance;
    const INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);
    loadRecentFiles();
    HMENU menuBar = createMenuBar();
    if (!registerWindowClasses()) return false;

    createMainWindow(menuBar);
    createStatusBar();
    setMotionView(showMotionInStatus);
    createMainControls(defaultZoom());
    layOutMainWindow();
    addDocumentView(showDocumentInMainWindow);
    createLevelPropertiesWindow();
    createNewEnemyWindow();
    createEnemyProgramEditor();
    followLevelForLevelCheck();
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
        if (translateShortcut(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace qzt
