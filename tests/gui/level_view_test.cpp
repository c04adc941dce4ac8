// The level view on screen, read back from the main window's pixels and
// traced to the level bitmap: a level named on the command line, the redraws
// and the recording line.
#include <algorithm>
#include <string>
#include <vector>

#include "app/editor_globals.h"
#include "gfx/bmp_builder.h"
#include "gfx/level_view.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

using LevelViewTest = EditorTest;

void scrollTo(int h, int v) {
    SetScrollPos(editor.main.horizontalScrollBar, SB_CTL, h, TRUE);
    SetScrollPos(editor.main.verticalScrollBar, SB_CTL, v, TRUE);
}

TEST_F(LevelViewTest, CommandLineLevelIsDrawnInsideTheViewOnlyAndRedrawsFollowTheScrollBars) {
    const std::string path = dir.file("level.dat");
    ASSERT_TRUE(start(("\"" + path + "\"").c_str()));
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(caption(), "View_Level");
    EXPECT_EQ(std::string(editor.fileNameBuffer), path);
    EXPECT_TRUE(viewShows(readView(), 0, 0, TestLevelCopies));

    // Drawn over a fresh window, then every window repaints itself: outside
    // the view and the step count nothing may change.
    pumpMessages();
    SendMessageA(mainWindow(), WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(mainWindow(), &client);
    const Pixels drawn = readPixels(client);
    RedrawWindow(mainWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Pixels repainted = readPixels(client);
    int outside = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            const bool view = x >= 10 && x < 510 && y >= 10 && y < 390, steps = x >= 350 && x < 450 && y >= 410 && y < 432;
            outside += !view && !steps && drawn.at(x, y) != repainted.at(x, y);
        }
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(viewShows(drawn, 0, 0, TestLevelCopies));

    scrollTo(140, 223);  // the bitmap's last row at the bottom
    SendMessageA(mainWindow(), WM_SIZE, 0, 0);
    EXPECT_TRUE(viewShows(readView(), 140, 223, TestLevelCopies));
    scrollTo(37, 101);
    SendMessageA(mainWindow(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(viewShows(readView(), 37, 101, TestLevelCopies));
}

TEST_F(LevelViewTest, RecordingDrawsTheEnemyAgainAndShowsTheStepsOfItsMovement) {
    ASSERT_TRUE(start(dir.file("level.dat").c_str()));
    EditorState& state = editor.state;
    state.mode = Recording;
    state.recordEnemy = 4;
    state.recordX = 250;
    state.recordY = 150;
    state.recordMovements = 1;
    RedrawLevelView();
    std::vector<Copy> copies = TestLevelCopies;
    copies.push_back({250, 150, 300, 400, 30, 20});
    EXPECT_TRUE(viewShows(readView(), 0, 0, copies));
    char text[16] = {};
    GetWindowTextA(editor.main.recordStepsText, text, sizeof text);
    EXPECT_STREQ(text, "12");

    // Outside recording the count is blanked and not written.
    state.mode = Normal;
    SetWindowTextA(editor.main.recordStepsText, "7");
    pumpMessages();
    RedrawLevelView();
    GetWindowTextA(editor.main.recordStepsText, text, sizeof text);
    EXPECT_STREQ(text, "7");
    const Pixels steps = readPixels({350, 410, 450, 432});
    EXPECT_EQ(size_t(std::count(steps.colours.begin(), steps.colours.end(), menuColour())), steps.colours.size());
}

// A top-down file keeps its negative height, yet scrolls over all its rows.
TEST_F(LevelViewTest, ATopDownBitmapScrollsOverAllItsRows) {
    test::BmpSpec spec;
    spec.width = 640;
    spec.height = -700;
    spec.bitCount = 24;
    ASSERT_TRUE(test::writeBytesToFile(dir.file("down.bmp"), test::buildBmp(spec)));
    qzt::testing::writeFile(dir.file("down.dat"), levelHeader("Down", "down.bmp") + "END");
    ASSERT_TRUE(start(dir.file("down.dat").c_str()));
    EXPECT_EQ(editor.levelBitmap.height, -700);
    int low = -1, high = -1;
    GetScrollRange(editor.main.verticalScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(high, 700 - 577);
}

}  // namespace
}  // namespace qzt::gui
