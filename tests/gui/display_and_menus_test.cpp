// The main window as a Windows 10/11 program: laid out at its monitor's DPI
// (the suite runs once more at 192 DPI), the view in blocks of the zoom, the
// menus' texts and states, the shortcuts, the caption, the status bar and the
// recent files across two runs. The layout's and the menus' rules are the
// native tests'.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include <shlobj.h>

#include "app/status_bar.h"
#include "edit/control_layout.h"
#include "gfx/bmp_decode.h"
#include "gui/gui_support.h"
#include "level/dat_writer.h"
#include "win32/document_changes.h"
#include "win32/dpi.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using qzt::testing::readFile;

// Where the side panel's and the recording line's labels, values and boxes lie at 96 DPI, in the order they are made.
const POINT TablePlaces[] = {{525, 10},  {595, 10},  {530, 32},  {530, 54},  {555, 32},  {555, 54},  {530, 76},
                             {605, 76},  {529, 98},  {607, 98},  {530, 120}, {600, 120}, {530, 142}, {600, 142},
                             {530, 164}, {600, 164}, {525, 220}, {595, 220}, {530, 242}, {530, 264}, {555, 242},
                             {555, 264}, {530, 286}, {530, 308}, {50, 410},  {200, 410}, {275, 410}, {350, 410}};

class DisplayTest : public EditorTest {
public:
    void SetUp() override {
        EditorTest::SetUp();
        startWithLevel();
    }
    // Tops as the table's scaled (below the view from its bottom, or from
    // where the DPI puts it when the view is magnified less); lefts at least
    // as far right (text may push a row's end further); no control over
    // another, none cutting its text.
    void expectTablePlaces(int dpi) {
        const AxisScale x{dpi, 510, shell.view.right()}, y{dpi, 390, std::max(shell.view.bottom(), scaled(390, dpi))};
        std::vector<RECT> placed;
        for (const Created& c : created) {
            // Common Controls 6 names its classes with their version: "6.0.2600.2982!Static".
            std::string kind = c.line.substr(0, c.line.find('|'));
            kind = kind.substr(kind.find('!') + 1);
            if (c.parent != window || (lstrcmpiA(kind.c_str(), "Static") != 0 && lstrcmpiA(kind.c_str(), "Edit") != 0 &&
                                       lstrcmpiA(kind.c_str(), "ComboBox") != 0))
                continue;
            ASSERT_LT(placed.size(), std::size(TablePlaces)) << c.line;
            const auto [tableX, tableY] = TablePlaces[placed.size()];
            RECT r;
            GetWindowRect(c.window, &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.top, y(tableY)) << c.line;
            EXPECT_GE(r.left, x(tableX)) << c.line;
            for (const RECT& other : placed) {
                RECT overlap;
                EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << c.line;
            }
            placed.push_back(r);
            char text[64] = "";
            GetWindowTextA(c.window, text, sizeof text);
            HDC dc = GetDC(c.window);
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(c.window, WM_GETFONT, 0, 0)));
            SIZE size{};
            GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size);
            ReleaseDC(c.window, dc);
            EXPECT_LE(size.cx, r.right - r.left) << c.line;
        }
        EXPECT_EQ(placed.size(), 28u);
    }
    // The items of the main window's pop-up at position as it opens: "text|" with "(grey)" before the bar.
    std::string menu(int position) {
        HMENU popup = GetSubMenu(GetMenu(window), position);
        SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
        std::string items;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            char text[512] = "";
            GetMenuStringA(popup, UINT(i), text, sizeof text, MF_BYPOSITION);
            const UINT state = GetMenuState(popup, UINT(i), MF_BYPOSITION);
            if ((state & MF_GRAYED) && !(state & MF_SEPARATOR)) items += "(grey)";
            items += std::string(text) + "|";
        }
        return items;
    }
    // The client point at the middle of the block that shows the level pixel (x, y) at scroll (0, 0).
    static POINT blockOf(int x, int y) {
        const ViewPlacement& view = shell.view;
        return {view.left + x * view.zoom + view.zoom / 2, view.top + y * view.zoom + view.zoom / 2};
    }
};

// The main window's controls where the table puts them for the DPI and the
// zoom, and the tool windows' in the same font.
TEST_F(DisplayTest, TheControlsAreTheTablesScaledForTheDpiWithNoTextCut) {
    const int dpi = int(GetDpiForWindow(window)), zoom = shell.view.zoom;
    // The run at another DPI says which.
    if (const char* expected = std::getenv("QZT_EXPECTED_DPI")) {
        EXPECT_EQ(dpi, std::atoi(expected));
    }
    EXPECT_EQ(zoom, std::max(1, scaled(1, dpi)));
    EXPECT_EQ(std::pair(shell.view.left, shell.view.top), std::pair(scaled(10, dpi), scaled(10, dpi)));
    expectTablePlaces(dpi);
    // What lies beside the view moves with its edge and back, where the screen has room for a zoom.
    send(ZoomInCommand);
    if (shell.view.zoom > zoom) {
        expectTablePlaces(dpi);
        send(ZoomOutCommand);
        EXPECT_EQ(shell.view.zoom, zoom);
        expectTablePlaces(dpi);
    }
    const HFONT font = messageFont(UINT(dpi));
    for (const char* name : {LevelPropertiesClass, NewEnemyClass, EnemyProgramEditorClass}) {
        ASSERT_TRUE(GetWindow(madeWindow(name), GW_CHILD)) << name;
        for (HWND child = GetWindow(madeWindow(name), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), font) << name;
    }
    // Moved to a monitor at twice the DPI, it is laid out again for that one.
    RECT suggested{0, 0, 100, 100};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    expectTablePlaces(2 * dpi);
}

// Each level pixel is a zoom x zoom block of the renderer's colour for it; a
// press on a block is on that pixel: enemy 0 spans level (100, 40) to
// (130, 60), its edges not included.
TEST_F(DisplayTest, TheViewShowsEachLevelPixelAsABlockAndAPressOnABlockIsOnThatPixel) {
    const BmpReadResult read = readBmpFile(dir.file("level.bmp").c_str());
    ASSERT_TRUE(read.image);
    const RgbImage expected = renderView(session.document, decodeBmpPixels(*read.image), {0, 0});
    const ViewPlacement view = shell.view;
    const Pixels shown = readPixels({view.left, view.top, view.right(), view.bottom()});
    int wrong = 0;
    for (int ly = 0; ly < ViewHeight; ly += 7)
        for (int lx = 0; lx < ViewWidth; lx += 7) {
            const qzt::Rgb e = expected.at(lx, ly);
            const Rgb want = Rgb(e.red) << 16 | Rgb(e.green) << 8 | e.blue;
            for (int dy = 0; dy < view.zoom; ++dy)
                for (int dx = 0; dx < view.zoom; ++dx)
                    wrong += shown.at(view.left + lx * view.zoom + dx, view.top + ly * view.zoom + dy) != want;
        }
    EXPECT_EQ(wrong, 0);
    for (const auto& [lx, ly, enemy] : {std::tuple{101, 41, 0}, {100, 41, -1}, {129, 59, 0}, {101, 60, -1}}) {
        const POINT at = blockOf(lx, ly);
        click(at.x, at.y);
        EXPECT_EQ(session.state.selectedEnemy, enemy) << lx << "," << ly;
    }
}

using MenuTest = DisplayTest;

// Items that cannot act are grey as their menu opens; the Edit menu names
// the step Undo and Redo would take.
TEST_F(MenuTest, ItemsThatCannotActAreGreyAndUndoAndRedoNameTheirSteps) {
    OpenClipboard(window);
    EmptyClipboard();
    CloseClipboard();
    const std::string acting = "Cu&t\tCtrl+X|&Copy\tCtrl+C|(grey)&Paste\tCtrl+V|D&uplicate\tCtrl+D|&Delete\tDel||";
    const std::string grey = "(grey)Cu&t\tCtrl+X|(grey)&Copy\tCtrl+C|(grey)&Paste\tCtrl+V|(grey)D&uplicate\tCtrl+D|"
                             "(grey)&Delete\tDel||";
    EXPECT_EQ(menu(1), "(grey)&Undo\tCtrl+Z|(grey)&Redo\tCtrl+Y||" + grey + "Select &All\tCtrl+A|");
    send(NewImageSetCommand);
    click(Enemy0X, Enemy0Y);
    EXPECT_EQ(menu(1), "&Undo New Image Set\tCtrl+Z|(grey)&Redo\tCtrl+Y||" + acting + "Select &All\tCtrl+A|");
    controlKey('Z');
    EXPECT_EQ(menu(1), "(grey)&Undo\tCtrl+Z|&Redo New Image Set\tCtrl+Y||" + acting + "Select &All\tCtrl+A|");
    send(NewProgramCommand);  // recording: of the level's commands only Properties acts
    EXPECT_EQ(menu(1), "(grey)&Undo\tCtrl+Z|(grey)&Redo New Image Set\tCtrl+Y||" + grey + "(grey)Select &All\tCtrl+A|");
    EXPECT_EQ(menu(5), "Zoom &In\tCtrl+=|(grey)Zoom &Out\tCtrl+-|(grey)&Actual Size\tCtrl+0||(grey)&Play Motion\tF5|");
}

// The shortcuts act through the loop's accelerator table; Ctrl+S saves to
// the level's own file without a dialog, and the caption's "*" goes with it.
// The status bar follows the pointer, the selection and the zoom.
TEST_F(MenuTest, ShortcutsActTheCaptionMarksUnsavedChangesAndTheStatusBarFollows) {
    send(NewImageSetCommand);
    EXPECT_EQ(textOf(window), "*View_Level");
    EXPECT_TRUE(shortcut('S', true));
    EXPECT_EQ(textOf(window), "View_Level");
    EXPECT_EQ(readFile(dir.file("level.dat")), serializeLevel(session.document));
    shortcut('S', true, true);
    shortcut('O', true);
    EXPECT_EQ(dialogs, (Lines{SaveDialog, OpenDialog}));

    moveTo(Enemy0X, Enemy0Y);
    click(Enemy0X, Enemy0Y);
    EXPECT_EQ(statusText(0) + "|" + statusText(1) + "|" + statusText(2), "110, 50|Enemy 0|100 %");
    RECT before;
    GetWindowRect(window, &before);
    shortcut(VK_OEM_PLUS, true);
    EXPECT_EQ(std::pair(shell.view.zoom, statusText(2)), std::pair(2, std::string("200 %")));
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_GE(after.right - after.left, before.right - before.left + ViewWidth);
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), 0);
    EXPECT_EQ(shell.view.zoom, 1);
}

// The files last opened or saved come back with the next run, most recent
// first; one that no longer opens says so and leaves the list.
TEST_F(MenuTest, RecentFilesAreKeptFromOneRunToTheNext) {
    const std::string level = dir.file("level.dat"), copy = dir.file("copy.dat");
    char recentItems[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_RECENT, nullptr, 0, recentItems);
    const std::string shellShortcut = std::string(recentItems) + "\\copy.dat.lnk";
    DeleteFileA(shellShortcut.c_str());
    fileAnswers = {copy};
    send(SaveAsCommand);
    boxAnswers = {IDNO};
    close();
    ASSERT_TRUE(ended());
    // Windows' recent items have it once the editor has ended.
    EXPECT_NE(GetFileAttributesA(shellShortcut.c_str()), INVALID_FILE_ATTRIBUTES) << shellShortcut;
    ASSERT_TRUE(restart());
    EXPECT_EQ(menu(0), "&Open...\tCtrl+O|(grey)&Save\tCtrl+S|(grey)Save &As...\tCtrl+Shift+S||&1 " + copy + "|&2 " +
                           level + "||E&xit|");
    send(FirstRecentFileCommand + 1);
    EXPECT_EQ(textOf(window), "View_Level");
    // A file that is gone is dropped before anything is asked; the level stays.
    DeleteFileA(copy.c_str());
    send(NewImageSetCommand);
    dialogs.clear();
    send(FirstRecentFileCommand + 1);
    EXPECT_EQ(dialogs, Lines{"Dat file Loading Error|Could not open the .dat file."});
    EXPECT_EQ(textOf(window), "*View_Level");
    EXPECT_EQ(menu(0), "&Open...\tCtrl+O|&Save\tCtrl+S|Save &As...\tCtrl+Shift+S||&1 " + level + "||E&xit|");
}

}  // namespace
}  // namespace qzt::gui
