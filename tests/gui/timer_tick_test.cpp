// What the timer draws over the view, read back from the window's pixels:
// the selected enemy's program movement by movement, and the blinking
// image-set outlines.
#include <algorithm>

#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

using TimerTickTest = EditorTest;

constexpr Rgb White = 0xFFFFFF;

void tick() { SendMessageA(shell.mainWindow, WM_TIMER, 1, 0); }

bool lineHas(const Pixels& p, int x0, int y0, int x1, int y1, Rgb colour) {
    for (int x = x0, y = y0; x <= x1 && y <= y1; x += x0 < x1, y += y0 < y1)
        if (p.at(x, y) != colour) return false;
    return true;
}

TEST_F(TimerTickTest, OutlinesBlinkBlueThenGreenAroundTheFrameAndTheStrip) {
    ASSERT_TRUE(start(dir.file("level.dat").c_str()));
    ASSERT_TRUE(session.state.outlineBlink);
    // Image set 1: bitmap (300, 400), 30 x 20, 4 frames: client (310, 213),
    // cells 31 wide, the strip's right edge at 434.
    for (Rgb colour : {Rgb(0x0000FA), Rgb(0x00FA00), Rgb(0x0000FA)}) {
        tick();
        const Pixels p = readView();
        EXPECT_TRUE(lineHas(p, 310, 213, 434, 213, colour)) << std::hex << colour;
        EXPECT_TRUE(lineHas(p, 341, 213, 341, 234, colour));
        EXPECT_TRUE(lineHas(p, 434, 213, 434, 234, colour));
        EXPECT_TRUE(lineHas(p, 310, 234, 434, 234, colour));
    }
    // Nothing is drawn without a level.
    session.document.loaded = 0;
    RedrawLevelView();
    tick();
    EXPECT_TRUE(viewShows(readView(), 0, 0, TestLevelCopies));
}

TEST_F(TimerTickTest, PreviewDrawsEachMovementInItsColourAndWrapsOntoTheEnemy) {
    ASSERT_TRUE(start(dir.file("level.dat").c_str()));
    EnemyProgram& program = session.document.programs[0];
    program.direction[1] = DOWN, program.steps[1] = 10;
    program.direction[2] = STOP, program.steps[2] = 1;
    program.movementCount = 3;
    // Enemy 0, speed 2, at level (100, 40): the pen starts at client (110, 50).
    SendMessageA(shell.mainWindow, WM_LBUTTONDOWN, 0, MAKELPARAM(120, 60));
    SendMessageA(shell.mainWindow, WM_LBUTTONUP, 0, 0);
    tick();
    EXPECT_TRUE(lineHas(readView(), 110, 50, 133, 50, 0xFA0000));
    SendMessageA(shell.mainWindow, WM_KEYDOWN, 'A', 0);  // a key is a tick too
    EXPECT_TRUE(lineHas(readView(), 134, 50, 134, 69, 0xFA3E00));
    // The circle, filled white; the wrap reads the bars as they are now.
    scrollTo(4, 6);
    tick();
    Pixels p = readView();
    EXPECT_EQ(p.at(135, 71), White);
    EXPECT_TRUE(lineHas(p, 134, 68, 135, 68, 0xFA7C00) && lineHas(p, 132, 70, 132, 71, 0xFA7C00));
    tick();
    EXPECT_TRUE(lineHas(readView(), 106, 44, 129, 44, 0xFA0000));
    // With no movements nothing is drawn, however the arrays are filled.
    program.movementCount = 0;
    RedrawLevelView();
    for (int i = 0; i < 3; ++i) tick();
    p = readView();
    EXPECT_EQ(std::count(p.colours.begin(), p.colours.end(), Rgb(0xFA0000)), 0);
}

}  // namespace
}  // namespace qzt::gui
