// Start-up: the main window, its controls and menu, the three hidden tool
// windows with theirs, a class that cannot be registered, the commands that
// show the tool windows, and leaving with no level loaded.
#include <string>
#include <vector>

#include "gui/gui_support.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using StartupTest = EditorTest;

LONG exStyleOf(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW); }

TEST_F(StartupTest, MakesTheWindowsFromTheWorkAreaWithTheirControlsAndMenu) {
    RECT original, work{100, 50, 1025, 739};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &original, 0));
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0));
    const bool started = start();
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &original, 0);
    ASSERT_TRUE(started);
    // Only the right and bottom edges count: 1025 / 2 - 320, 739 / 2 - 240.
    ASSERT_EQ(created[0].window, window);
    EXPECT_EQ(created[0].line, "QZTleveledit|QZT Level Editor|00CF0000|192,129,640,480");

    // The controls in creation order, mostly a label and its value; * marks
    // those whose handles the editor keeps.
    const std::vector<std::string> controls = {
        "SCROLLBAR||40000000|10,390,500," + std::to_string(GetSystemMetrics(SM_CXHTHUMB)) + "*",
        "SCROLLBAR||40000001|510,10," + std::to_string(GetSystemMetrics(SM_CYVTHUMB)) + ",380*",
        "STATIC|Enemy - |5000000B|525,10,150,20", "STATIC|NONE|5000000B|595,10,150,20*",
        "STATIC|X - |5000000B|530,32,150,20", "STATIC|Y - |5000000B|530,54,150,20",
        "STATIC|X|5000000B|555,32,150,20*", "STATIC|Y|5000000B|555,54,150,20*",
        "STATIC|ImageSet - |5000000B|530,76,150,20", "EDIT||50802000|605,76,25,20*",
        "STATIC|Movement - |5000000B|529,98,150,20", "EDIT||50802000|607,98,25,20*",
        "STATIC|Hit Pnts - |5000000B|530,120,150,20", "EDIT||50802000|600,120,25,20*",
        "STATIC|Speed - |5000000B|530,142,150,20", "EDIT||50802000|600,142,25,20*",
        "STATIC|Ani-rate - |5000000B|530,164,150,20", "EDIT||50802000|600,164,25,20*",
        "STATIC|Imageset - |5000000B|525,220,150,20", "STATIC|NONE|5000000B|595,220,150,20*",
        "STATIC|X - |5000000B|530,242,150,20", "STATIC|Y - |5000000B|530,264,150,20",
        "STATIC|X|5000000B|555,242,150,20*", "STATIC|Y|5000000B|555,264,150,20*",
        "STATIC|Frames - |5000000B|530,286,150,20", "COMBOBOX||50A00003|530,308,100,90*",
        "STATIC|Program being edited - |5000000B|50,410,150,20", "STATIC|NONE|5000000B|200,410,50,20*",
        "STATIC|# of steps - |5000000B|275,410,75,20", "STATIC|0|5000000B|350,410,25,20*",
    };
    const SidePanelControls& m = sidePanel;
    const HWND kept[] = {shell.horizontalScrollBar, shell.verticalScrollBar, m.enemyIndexText, m.enemyXText, m.enemyYText,
                         m.enemyImageSetEdit, m.enemyProgramEdit, m.enemyHitPointsEdit, m.enemySpeedEdit,
                         m.enemyAnimationRateEdit, m.imageSetIndexText, m.imageSetXText, m.imageSetYText,
                         m.framesCombo, m.recordProgramText, shell.recordStepsText};
    std::vector<std::string> children;
    size_t next = 0;
    for (const Created& c : created) {
        if (c.parent != window) continue;
        const bool isKept = next < std::size(kept) && c.window == kept[next];
        next += isKept;
        children.push_back(c.line + (isKept ? "*" : ""));
    }
    EXPECT_EQ(children, controls);

    const auto text = [](HMENU menu, int position) {
        char text[128] = {};
        GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
        return std::string(text);
    };
    std::string menu;
    HMENU menuBar = GetMenu(window);
    for (int p = 0; p < GetMenuItemCount(menuBar); ++p) {
        HMENU popup = GetSubMenu(menuBar, p);
        menu += text(menuBar, p) + ":";
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            const UINT state = GetMenuState(popup, UINT(i), MF_BYPOSITION);
            const std::string item = text(popup, i) + "=" + std::to_string(GetMenuItemID(popup, i));
            menu += state & MF_SEPARATOR ? " -" : " " + item + (state ? "(off)" : "");
        }
        menu += "; ";
    }
    EXPECT_EQ(menu, "File: Open=1 Save=2 - Exit=3; Level: Properties=4; Items: New Enemy=5 New Image Set=6; "
                    "Enemy Programs: Edit an enemy program=9 New program based on current enemy=7; ");

    // After the main window's thirty controls (Wine adds its input-method window), in this order; 1025 / 2 = 512, 739 / 2 = 369.
    std::vector<std::string> windows;
    for (const Created& c : created)
        if (!c.parent && c.window != window && c.line.rfind("IME|", 0) != 0) windows.push_back(c.line);
    EXPECT_EQ(windows, (std::vector<std::string>{"Header Props|Level Properties|00040000|302,244,520,350",
                                                 "New Enemy Box|Create New Enemy|00040000|337,269,450,300",
                                                 "EnemProg Box|Edit Enemy Program|00040000|337,294,450,250"}));
    const HWND properties = madeWindow(LevelPropertiesClass), newEnemy = madeWindow(NewEnemyClass),
               programs = madeWindow(EnemyProgramEditorClass);
    for (HWND tool : {properties, newEnemy, programs}) {
        EXPECT_EQ(exStyleOf(tool), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        EXPECT_FALSE(IsWindowVisible(tool));
        EXPECT_FALSE(GetWindowLongA(tool, GWL_STYLE) & WS_SYSMENU);
    }

    EXPECT_EQ(controlLinesOf(properties), (std::vector<std::string>{
        "BUTTON|OK|40000000|110,220,60,30", "BUTTON|Cancel|40000000|190,220,60,30",
        "EDIT||50800000|5,10,200,20", "EDIT||50800000|5,31,200,20", "EDIT||50800000|5,52,200,20",
        "EDIT||50800000|5,73,200,20", "EDIT||50800000|5,94,200,20", "EDIT||50800000|5,115,200,20",
        "EDIT||50800000|5,136,200,20", "EDIT||50800000|5,157,200,20", "EDIT||50802000|5,178,200,20",
        "STATIC|Level Subtitle (No spaces. Use underscore)|5000000B|205,10,325,20",
        "STATIC|Level Title (No spaces. Use underscore)|5000000B|205,31,325,20",
        "STATIC|Path to main .bmp file from dat file location|5000000B|205,52,325,20",
        "STATIC|Background midi music file from dat file location|5000000B|205,73,325,20",
        "STATIC|Level win .wav file from dat file location|5000000B|205,94,325,20",
        "STATIC|Level oneup .wav file from dat file location|5000000B|205,115,325,20",
        "STATIC|Level lose .wav file from dat file location|5000000B|205,136,325,20",
        "STATIC|Level score count .wav file from dat file location|5000000B|205,157,325,20",
        "STATIC|Time bonus for level|5000000B|205,178,290,20"}));
    // Created hidden, the two buttons are shown with the main window.
    for (HWND button : {controlsOf(properties)[0], controlsOf(properties)[1]})
        EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);

    EXPECT_EQ(controlLinesOf(newEnemy), (std::vector<std::string>{
        "BUTTON|OK|50000000|110,170,60,30", "BUTTON|Cancel|50000000|190,170,60,30",
        "COMBOBOX||50A00002|10,10,75,90", "COMBOBOX||50A00002|10,40,75,90",
        "STATIC|Image Set to use for enemy|5000000B|100,10,250,20",
        "STATIC|Enemy Program to use for enemy|5000000B|100,40,250,20", "EDIT|2|50802000|10,70,75,20",
        "STATIC|Enemy hitpoints|5000000B|100,70,250,20", "EDIT|3|50802000|10,100,75,20",
        "STATIC|Enemy speed|5000000B|100,100,250,20", "EDIT|5|50802000|10,130,75,20",
        "STATIC|Enemy animation rate (updated every _ frames)|5000000B|100,130,350,20"}));

    EXPECT_EQ(controlLinesOf(programs), (std::vector<std::string>{
        "STATIC|Program for editing|5000000B|10,10,250,20", "BUTTON|DONE|50000000|110,170,75,30",
        "BUTTON|Delete Prog|50000000|190,170,90,30", "BUTTON|Add|50000000|275,37,35,20",
        "BUTTON|Add Prog|50000000|285,170,90,30", "COMBOBOX||50A00003|185,10,75,80",
        "STATIC|Movement within program|5000000B|20,35,250,20", "COMBOBOX||50A00003|195,35,75,80",
        "STATIC|Direction|5000000B|30,60,250,20", "COMBOBOX||50A00003|215,60,105,80",
        "STATIC|Number of steps|5000000B|30,85,250,20", "EDIT||50802000|215,85,75,20",
        "STATIC|Cycle between frames X and Y|5000000B|30,110,250,20", "COMBOBOX||50A00003|30,130,75,80",
        "COMBOBOX||50A00003|215,130,75,80"}));
    const std::vector<HWND> editorControls = controlsOf(programs);
    const std::vector<std::string> frames = {"0", "1", "2", "3", "4", "5", "6", "7"};
    EXPECT_EQ(itemsOf(editorControls[13]), frames);
    EXPECT_EQ(itemsOf(editorControls[14]), frames);
    EXPECT_EQ(itemsOf(editorControls[9]), (std::vector<std::string>{"DOWNLEFT", "DOWN", "DOWNRIGHT", "LEFT", "STOP",
                                                                      "RIGHT", "UPLEFT", "UP", "UPRIGHT"}));
    for (int list : {5, 7}) EXPECT_TRUE(itemsOf(editorControls[size_t(list)]).empty());
}

// Properties needs a level; the other two also the Normal mode.
TEST_F(StartupTest, TheCommandsShowToolWindowsOnlyWithALevelAndTheOtherTwoOnlyInNormalMode) {
    ASSERT_TRUE(start());
    const auto shownAfterCommands = [&] {
        std::string shown;
        for (WORD command : {PropertiesCommand, NewEnemyCommand, EditProgramCommand}) send(command);
        for (const char* name : {LevelPropertiesClass, NewEnemyClass, EnemyProgramEditorClass})
            shown += IsWindowVisible(madeWindow(name)) ? '1' : '0';
        return shown;
    };
    EXPECT_EQ(shownAfterCommands(), "000");
    open(dir.file("level.dat"));
    session.state.mode = Recording;
    EXPECT_EQ(shownAfterCommands(), "100");
    session.state.mode = Normal;
    EXPECT_EQ(shownAfterCommands(), "111");
}

// The logo is drawn once, at (170, 50), as its bitmap holds it. With no level,
// Save does nothing and closing asks nothing.
TEST_F(StartupTest, DrawsTheLogoAndWithNoLevelLeavesWithoutAQuestion) {
    ASSERT_TRUE(start("   "));
    const LevelBitmapCells& logo = levelBitmap;
    ASSERT_TRUE(logo.bitmap) << "the test prefix has a logo";
    const Pixels shown = readPixels({170, 50, 170 + logo.width, 50 + logo.height});
    std::vector<Rgb> own(size_t(logo.width) * size_t(logo.height));
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), logo.width, -logo.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC dc = GetDC(window);
    GetDIBits(dc, logo.bitmap, 0, UINT(logo.height), own.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(window, dc);
    for (Rgb& colour : own) colour &= 0xFFFFFF;
    EXPECT_TRUE(shown.colours == own);
    send(SaveCommand);
    close();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(ended());
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
