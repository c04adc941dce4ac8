// Start-up: the windows placed from the work area, the menu's commands, the
// logo, the commands that show the tool windows, and a class that cannot be
// registered. The controls' places are the end-to-end session's to click.
#include <string>
#include <vector>

#include "gui/gui_support.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using StartupTest = EditorTest;
const char* const ToolClasses[] = {LevelPropertiesClass, NewEnemyClass, EnemyProgramEditorClass};

TEST_F(StartupTest, PlacesTheWindowsFromTheWorkAreaWithTheMenuDrawsTheLogoAndLeavesWithoutALevel) {
    RECT original, work{100, 50, 1025, 739};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &original, 0));
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0));
    const bool started = start("   ");
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &original, 0);
    ASSERT_TRUE(started);
    // Only the right and bottom edges count: 1025 / 2 = 512, 739 / 2 = 369. Wine adds an input-method window.
    Lines windows;
    for (const Created& c : created)
        if (!c.parent && c.line.rfind("IME|", 0) != 0) windows.push_back(c.line);
    EXPECT_EQ(windows, (Lines{"QZTleveledit|QZT Level Editor|00CF0000|192,129,640,480",
                              "Header Props|Level Properties|00040000|302,244,520,350",
                              "New Enemy Box|Create New Enemy|00040000|337,269,450,300",
                              "EnemProg Box|Edit Enemy Program|00040000|337,294,450,250"}));
    for (const char* name : ToolClasses) {
        EXPECT_EQ(GetWindowLongA(madeWindow(name), GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
                  WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        EXPECT_FALSE(IsWindowVisible(madeWindow(name)));
    }
    // Created hidden, Level Properties' buttons are shown with the main window.
    EXPECT_TRUE(GetWindowLongA(toolControl(LevelPropertiesClass, 1), GWL_STYLE) & WS_VISIBLE);

    std::string menu;
    HMENU bar = GetMenu(window);
    for (int p = 0; p < GetMenuItemCount(bar); ++p)
        for (int i = 0; i < GetMenuItemCount(GetSubMenu(bar, p)); ++i) {
            char text[64] = {};
            GetMenuStringA(GetSubMenu(bar, p), UINT(i), text, sizeof text, MF_BYPOSITION);
            menu += std::string(text) + "=" + std::to_string(int(GetMenuItemID(GetSubMenu(bar, p), i))) + ";";
        }
    EXPECT_EQ(menu, "Open=1;Save=2;=0;Exit=3;Properties=4;New Enemy=5;New Image Set=6;Edit an enemy program=9;"
                    "New program based on current enemy=7;");

    // The logo, drawn once at (170, 50) as its bitmap holds it.
    const LevelBitmapCells& logo = levelBitmap;
    ASSERT_TRUE(logo.bitmap) << "the test prefix has a logo";
    std::vector<Rgb> own(size_t(logo.width) * size_t(logo.height));
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), logo.width, -logo.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC dc = GetDC(window);
    GetDIBits(dc, logo.bitmap, 0, UINT(logo.height), own.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(window, dc);
    for (Rgb& colour : own) colour &= 0xFFFFFF;
    EXPECT_TRUE(readPixels({170, 50, 170 + logo.width, 50 + logo.height}).colours == own);

    // With no level, Save does nothing and closing asks nothing.
    send(SaveCommand);
    close();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(ended());
}

// Properties needs a level; the other two also the Normal mode.
TEST_F(StartupTest, TheCommandsShowToolWindowsOnlyWithALevelAndTheOtherTwoOnlyInNormalMode) {
    ASSERT_TRUE(start());
    const auto shownAfterCommands = [&] {
        std::string shown;
        for (WORD command : {PropertiesCommand, NewEnemyCommand, EditProgramCommand}) send(command);
        for (const char* name : ToolClasses) shown += IsWindowVisible(madeWindow(name)) ? '1' : '0';
        return shown;
    };
    EXPECT_EQ(shownAfterCommands(), "000");
    open(dir.file("level.dat"));
    session.state.mode = Recording;
    EXPECT_EQ(shownAfterCommands(), "100");
    session.state.mode = Normal;
    EXPECT_EQ(shownAfterCommands(), "111");
}

TEST_F(StartupTest, AClassThatCannotBeRegisteredEndsStartUpBeforeTheLaterClassesAndAnyWindow) {
    WNDCLASSA blocker{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                      MainWindowClass};
    ASSERT_TRUE(RegisterClassA(&blocker));
    EXPECT_FALSE(start());
    EXPECT_TRUE(created.empty());
    WNDCLASSA info;
    EXPECT_TRUE(GetClassInfoA(blocker.hInstance, NewEnemyClass, &info));
    EXPECT_FALSE(GetClassInfoA(blocker.hInstance, EnemyProgramEditorClass, &info));
}

}  // namespace
}  // namespace qzt::gui
