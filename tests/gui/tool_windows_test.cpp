// The three tool windows as start-up makes them: class, title, styles, place
// and size from the work area, every control in creation order, the fixed
// lists, and which of them the menu commands show.
#include <string>
#include <vector>

#include "app/window_classes.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

using ToolWindowsTest = EditorTest;

LONG exStyleOf(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW); }

TEST_F(ToolWindowsTest, StartUpMakesThemHiddenWithTheirControlsPlacedFromTheWorkArea) {
    RECT original, work{100, 50, 1025, 739};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &original, 0));
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0));
    const bool started = start();
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &original, 0);
    ASSERT_TRUE(started);

    // After the main window's thirty controls (Wine adds its input-method window), in this order; 1025 / 2 = 512, 739 / 2 = 369.
    std::vector<std::string> windows;
    for (const Created& c : created)
        if (!c.parent && c.window != window && c.line.rfind("IME|", 0) != 0) windows.push_back(c.line);
    EXPECT_EQ(windows, (std::vector<std::string>{"Header Props|Level Properties|00040000|302,244,520,350",
                                                 "New Enemy Box|Create New Enemy|00040000|337,269,450,300",
                                                 "EnemProg Box|Edit Enemy Program|00040000|337,294,450,250"}));
    const HWND properties = madeWindow(LevelPropertiesClass), newEnemy = madeWindow(NewEnemyClass),
               programs = madeWindow(EnemyProgramEditorClass);
    EXPECT_EQ(editor.tools.levelPropertiesWindow, properties);
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
TEST_F(ToolWindowsTest, TheCommandsShowThemOnlyWithALevelAndTheOtherTwoOnlyInNormalMode) {
    ASSERT_TRUE(start());
    const HWND properties = madeWindow(LevelPropertiesClass), newEnemy = madeWindow(NewEnemyClass),
               programs = madeWindow(EnemyProgramEditorClass);
    const auto shown = [&] {
        return std::vector<bool>{IsWindowVisible(properties) != 0, IsWindowVisible(newEnemy) != 0,
                                 IsWindowVisible(programs) != 0};
    };
    const auto sendAll = [&] {
        for (WORD command : {PropertiesCommand, NewEnemyCommand, EditProgramCommand}) send(command);
    };
    sendAll();
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, false}));
    open(dir.file("level.dat"));
    editor.state.mode = Recording;
    sendAll();
    EXPECT_EQ(shown(), (std::vector<bool>{true, false, false}));
    editor.state.mode = Normal;
    sendAll();
    EXPECT_EQ(shown(), (std::vector<bool>{true, true, true}));
}

}  // namespace
}  // namespace qzt::gui
