// The level view on screen, read back from the window against the renderer's
// picture of the document: bitmaps of each format, the redraws that follow
// the scroll bars, nothing drawn outside the view, and what the timer draws.
#include <string>
#include <tuple>
#include <vector>

#include "app/file_commands.h"
#include "gfx/bmp_builder.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

using Bytes = std::vector<uint8_t>;

// Runs of every kind over 640 x 800: encoded runs, odd absolute blocks,
// deltas along and down the rows, runs cut at the right edge, and pixels that
// no run reaches.
Bytes runsOverTheLevel() {
    Bytes runs;
    for (int line = 0; line < 800; ++line) {
        int x = 0;
        if (line % 7 == 0) runs.insert(runs.end(), {0, 2, 13, 0}), x = 13;
        if (line % 100 == 50) runs.insert(runs.end(), {0, 2, 5, 1}), ++line, x += 5;  // down one line, 5 along
        for (int length; x < (line % 2 ? 600 : 640); x += length + 5) {
            length = 40 + (x + line) % 200;
            runs.insert(runs.end(), {uint8_t(length), uint8_t(x * 7 + line), 0, 5, uint8_t(line), uint8_t(x), 200, 100, 50, 0});
        }
        runs.insert(runs.end(), {0, 0});
    }
    runs.insert(runs.end(), {0, 1});
    return runs;
}

struct Format {
    const char* name;
    test::BmpShape shape;
};

class LevelViewTest : public EditorTest, public ::testing::WithParamInterface<Format> {};

// Overlapping enemies, a missing image set, frames past the view's edges and
// one reaching past the bitmap's corner.
TEST_P(LevelViewTest, TheViewIsTheRenderersPictureAndRedrawsWhereTheBarsAreInsideTheViewOnly) {
    ASSERT_TRUE(test::writeBytesToFile(dir.file("level.bmp"), test::buildBmp(GetParam().shape)));
    qzt::testing::writeFile(dir.file("level.dat"),
                            levelHeader() + qzt::testing::crlfLines({
                                "ENEMY 0 2 5 10 100 40 1", "ENEMY 0 2 5 10 120 50 0", "ENEMY 0 2 5 10 470 100 2",
                                "ENEMY 0 2 5 10 300 100 9", "ENEMY 0 2 5 10 5 5 3", "ENEMY 0 2 5 10 200 350 0",
                                "CIS 1 198 40 50 2 0", "CIS 300 400 30 20 4 1", "CIS 200 250 60 60 1 2",
                                "CIS 620 790 30 20 1 3", "END", ""}));
    startWithLevel();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(caption(), "View_Level");
    EXPECT_EQ(std::string(fileDialogRecord().lpstrFile), dir.file("level.dat"));
    EXPECT_TRUE(viewShowsDocument());

    // Every window repaints itself over the drawn view: outside the view and
    // the step count nothing may change.
    pumpMessages();
    SendMessageA(window, WM_SIZE, 0, 0);
    RECT client, steps{350, 410, 450, 432};
    GetClientRect(window, &client);
    const Pixels drawn = readPixels(client);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Pixels repainted = readPixels(client);
    int outside = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            outside += !PtInRect(&WholeView, {x, y}) && !PtInRect(&steps, {x, y}) && drawn.at(x, y) != repainted.at(x, y);
    EXPECT_EQ(outside, 0);

    // Each message with the bars set first, then where the view must be: the
    // bars alone move nothing until the next scroll code, which starts from
    // the tracked position. At 223 the bitmap's last row is at the bottom.
    const std::tuple<UINT, WPARAM, int, int, int, int> codes[] = {
        {WM_SIZE, 0, 140, 223, 140, 223},
        {WM_ACTIVATE, 0, 37, 101, 37, 101},
        {WM_HSCROLL, SB_PAGERIGHT, 37, 101, 15, 101},
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 200), 15, 101, 15, 200},
        {WM_VSCROLL, SB_LINEDOWN, 15, 200, 15, 201},
        {WM_HSCROLL, SB_ENDSCROLL, 0, 0, 15, 0},
    };
    for (const auto& [message, wParam, barH, barV, h, v] : codes) {
        scrollTo(barH, barV);
        SendMessageA(window, message, wParam, 0);
        EXPECT_EQ(scrollPosition().h * 1000 + scrollPosition().v, h * 1000 + v) << message;
        EXPECT_TRUE(viewShows(readView(), session.document, {h, v})) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, LevelViewTest,
                         ::testing::Values(Format{"Palette8", {640, 800, 8}}, Format{"Rgb24", {640, 800, 24}},
                                           Format{"Bitfields565", {640, 800, 16, 3}},
                                           Format{"Rle8", {640, 800, 8, 1, 40, 0, runsOverTheLevel()}}),
                         [](const ::testing::TestParamInfo<Format>& info) { return std::string(info.param.name); });

using ViewTest = EditorTest;

// A top-down file keeps its negative height, yet scrolls over all its rows.
TEST_F(ViewTest, ATopDownBitmapScrollsOverAllItsRows) {
    writeBmp(dir.file("level.bmp"), 640, -700, 24);
    startWithLevel();
    EXPECT_EQ(levelBitmap.height, -700);
    int low = 0, high = 0;
    GetScrollRange(shell.verticalScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(high, 700 - 577);
}

bool lineHas(const Pixels& p, int x0, int y0, int x1, int y1, Rgb colour) {
    for (int x = x0, y = y0; x <= x1 && y <= y1; x += x0 < x1, y += y0 < y1)
        if (p.at(x, y) != colour) return false;
    return true;
}

// Outlines blink blue, then green as the renderer draws them. The selected
// enemy's program is drawn a movement a tick, a key being a tick too.
TEST_F(ViewTest, TicksDrawTheBlinkingOutlinesAndTheSelectedEnemysProgram) {
    startWithLevel();
    tick();
    EXPECT_EQ(readView().at(310, 213), Rgb(0x0000FA));  // image set 1's corner
    tick();
    EXPECT_TRUE(viewShows(readView(), session.document, {0, 0}, WholeView, {true, false, true}));

    EnemyProgram& program = session.document.programs[0];
    program.direction[1] = DOWN, program.steps[1] = 10;
    program.direction[2] = STOP, program.steps[2] = 1;
    program.movementCount = 3;
    click(Enemy0X, Enemy0Y);  // speed 2 at level (100, 40): the pen starts at client (110, 50)
    tick();
    EXPECT_TRUE(lineHas(readView(), 110, 50, 133, 50, 0xFA0000));
    key('A');
    EXPECT_TRUE(lineHas(readView(), 134, 50, 134, 69, 0xFA3E00));
    // The circle, filled white; the wrap reads the bars as they are now.
    scrollTo(4, 6);
    tick();
    const Pixels p = readView();
    EXPECT_EQ(p.at(135, 71), Rgb(0xFFFFFF));
    EXPECT_TRUE(lineHas(p, 134, 68, 135, 68, 0xFA7C00) && lineHas(p, 132, 70, 132, 71, 0xFA7C00));
    tick();
    EXPECT_TRUE(lineHas(readView(), 106, 44, 129, 44, 0xFA0000));
}

}  // namespace
}  // namespace qzt::gui
