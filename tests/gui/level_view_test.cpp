// The level view on screen, read back from the main window's pixels and
// traced to the level bitmap: a level named on the command line and the redraws.
#include <string>
#include <tuple>

#include "app/file_commands.h"
#include "gui/gui_support.h"
#include "win32/level_view.h"

namespace qzt::gui {
namespace {

using LevelViewTest = EditorTest;

TEST_F(LevelViewTest, CommandLineLevelIsDrawnInsideTheViewOnlyAndRedrawsFollowTheScrollBars) {
    const std::string path = dir.file("level.dat");
    ASSERT_TRUE(start(("\"" + path + "\"").c_str()));
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(caption(), "View_Level");
    EXPECT_EQ(std::string(fileDialogRecord().lpstrFile), path);
    EXPECT_TRUE(viewShows(readView(), 0, 0, TestLevelCopies));

    // Drawn over a fresh window, then every window repaints itself: outside
    // the view and the step count nothing may change.
    pumpMessages();
    SendMessageA(window, WM_SIZE, 0, 0);
    RECT client, view{10, 10, 510, 390}, steps{350, 410, 450, 432};
    GetClientRect(window, &client);
    const Pixels drawn = readPixels(client);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Pixels repainted = readPixels(client);
    int outside = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            outside += !PtInRect(&view, {x, y}) && !PtInRect(&steps, {x, y}) && drawn.at(x, y) != repainted.at(x, y);
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(viewShows(drawn, 0, 0, TestLevelCopies));

    // Resizing and (de)activation redraw it where the scroll bars are; at
    // 223 the bitmap's last row is at the bottom.
    for (const auto& [message, h, v] : {std::tuple{UINT(WM_SIZE), 140, 223}, std::tuple{UINT(WM_ACTIVATE), 37, 101}}) {
        scrollTo(h, v);
        SendMessageA(window, message, 0, 0);
        EXPECT_TRUE(viewShows(readView(), h, v, TestLevelCopies));
    }
}

// A top-down file keeps its negative height, yet scrolls over all its rows.
TEST_F(LevelViewTest, ATopDownBitmapScrollsOverAllItsRows) {
    writeBmp(dir.file("level.bmp"), 640, -700, 24);
    ASSERT_TRUE(start(dir.file("level.dat").c_str()));
    EXPECT_EQ(levelBitmap.height, -700);
    int low = 0, high = 0;
    GetScrollRange(shell.verticalScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(high, 700 - 577);
}

}  // namespace
}  // namespace qzt::gui
