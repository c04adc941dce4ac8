// The level view on screen, read back from the window against the renderer's
// picture of the document: bitmaps of each format, the redraws that follow
// the scroll bars, nothing drawn outside the view, and what the timer draws.
// Then editing in it on the real controls: that each message reaches its
// rule, reads and writes the right controls and redraws. The rules' own cases
// are the native tests'.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/mouse_input.h"
#include "app/status_bar.h"
#include "gfx/bmp_builder.h"
#include "gui/gui_support.h"
#include "win32/level_motion.h"

namespace qzt::gui {
namespace {

struct Format {
    const char* name;
    test::BmpShape shape;
};

class LevelViewTest : public EditorTest, public ::testing::WithParamInterface<Format> {};

// Overlapping enemies, a missing image set, frames past the view's edges and
// one reaching past the bitmap's corner. A top-down file scrolls over all its rows.
TEST_P(LevelViewTest, TheViewIsTheRenderersPictureAndRedrawsWhereTheBarsAreInsideTheViewOnly) {
    ASSERT_TRUE(test::writeBytesToFile(dir.file("level.bmp"), test::buildBmp(GetParam().shape)));
    qzt::testing::writeFile(dir.file("level.dat"),
                            levelHeader() + qzt::testing::crlfLines({
                                "ENEMY 0 2 5 10 100 40 1", "ENEMY 0 2 5 10 120 50 0", "ENEMY 0 2 5 10 470 100 2",
                                "ENEMY 0 2 5 10 300 100 9", "ENEMY 0 2 5 10 5 5 3", "ENEMY 0 2 5 10 200 350 0",
                                "CIS 1 198 40 50 2 0", "CIS 300 400 30 20 4 1", "CIS 200 250 60 60 1 2",
                                "CIS 620 790 30 20 1 3", "END", ""}));
    startWithLevel();
    EXPECT_TRUE(viewShowsDocument());
    int low = 0, high = 0;
    GetScrollRange(shell.verticalScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(high, std::abs(GetParam().shape.height) - 577);

    // Every window repaints itself over the drawn view: outside the view and
    // the step count nothing may change.
    pumpMessages();
    SendMessageA(window, WM_SIZE, 0, 0);
    RECT client, stepCount{350, 410, 450, 432};
    GetClientRect(window, &client);
    const Pixels drawn = readPixels(client);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Pixels repainted = readPixels(client);
    int outside = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            outside += !PtInRect(&WholeView, {x, y}) && !PtInRect(&stepCount, {x, y}) && drawn.at(x, y) != repainted.at(x, y);
    EXPECT_EQ(outside, 0);

    // Each message with the bars set first, then where the view must be: the
    // bars alone move nothing until the next scroll code, which starts from
    // the tracked position. At 123 a 700-row bitmap's last row is at the bottom.
    const std::tuple<UINT, WPARAM, int, int, int, int> codes[] = {
        {WM_SIZE, 0, 140, 123, 140, 123}, {WM_ACTIVATE, 0, 37, 101, 37, 101}, {WM_HSCROLL, SB_PAGERIGHT, 37, 101, 15, 101},
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), 15, 101, 15, 100}, {WM_VSCROLL, SB_LINEDOWN, 15, 100, 15, 101},
        {WM_HSCROLL, SB_ENDSCROLL, 0, 0, 15, 0}};
    for (const auto& [message, wParam, barH, barV, h, v] : codes) {
        scrollTo(barH, barV);
        SendMessageA(window, message, wParam, 0);
        EXPECT_EQ(scrollPosition().h * 1000 + scrollPosition().v, h * 1000 + v) << message;
        EXPECT_TRUE(viewShows(readView(), session.document, {h, v})) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, LevelViewTest,
                         ::testing::Values(Format{"Palette8", {640, 800, 8}}, Format{"TopDown24", {640, -700, 24}},
                                           Format{"Bitfields565", {640, 800, 16, 3}}, Format{"Rle8", {640, 800, 8, 1}}),
                         [](const ::testing::TestParamInfo<Format>& info) { return std::string(info.param.name); });

class ViewTest : public EditorTest {
public:
    void SetUp() override { EditorTest::SetUp(), startWithLevel(); }
};

// Outlines blink blue, then green as the renderer draws them. The selected
// enemy's program is drawn a movement a tick, a key being a tick too.
TEST_F(ViewTest, TicksDrawTheBlinkingOutlinesAndTheSelectedEnemysProgram) {
    tick();
    EXPECT_EQ(readView().at(310, 213), Rgb(0x0000FA));  // image set 1's corner
    tick();
    EXPECT_TRUE(viewShows(readView(), session.document, {0, 0}, WholeView, {true, false, true}));

    EnemyProgram& program = session.document.programs[0];
    program.direction[1] = STOP;
    program.steps[1] = 1;
    program.movementCount = 2;
    click(Enemy0X, Enemy0Y);  // speed 2 at level (100, 40): the pen starts at client (110, 50)
    tick();
    const Pixels line = readPixels({110, 50, 134, 51});
    EXPECT_EQ(std::count(line.colours.begin(), line.colours.end(), Rgb(0xFA0000)), 24);
    key('A');
    EXPECT_EQ(readView().at(135, 51), Rgb(0xFFFFFF)) << "the STOP circle, filled white";
}

// A press just right of a set hits no set, yet its handle; a move redraws and
// refreshes the panel of what it moves.
TEST_F(ViewTest, PressesSelectResizeAndDragAndThePanelsAndTheViewFollow) {
    click(Set0X, Set0Y, false);
    EXPECT_EQ(panel(), "NONE X Y      0 1 198 1");
    SetFocus(sidePanel.enemySpeedEdit);
    press(52, Set0Y);
    EXPECT_EQ(std::tuple(GetFocus(), GetCursor(), panel()), std::tuple(window, ResizeCursor, "NONE X Y      NONE X Y -1"));
    moveTo(70, 80);
    release();
    EXPECT_EQ(session.document.imageSets[0].width, 59);
    EXPECT_TRUE(viewShowsDocument());
    press(Enemy0X, Enemy0Y);
    moveTo(300, 200);
    EXPECT_EQ(panel(), "0 290 190 0 1 10 2 5 NONE X Y -1");
    EXPECT_TRUE(viewShowsDocument());
    release();
    // An image set goes before an enemy: its top-left corner to the pointer
    press(Set0X, Set0Y);
    moveTo(400, 300);
    EXPECT_EQ(panel(), "NONE X Y      0 390 487 1");
}

TEST_F(ViewTest, TheSidePanelCommitsOnFocusLossToTheEnemySelectedBeforeTheClick) {
    const SidePanelControls& m = sidePanel;
    click(Enemy0X, Enemy0Y);
    for (const auto& [edit, text] : {std::pair{m.enemyProgramEdit, "7"}, {m.enemyHitPointsEdit, "8"}, {m.enemySpeedEdit, "9"}})
        type(edit, text);
    click(150, 90);  // on enemy 1, which takes the focus: the commit comes first
    const Enemy& enemy = session.document.enemies[0];
    EXPECT_EQ(std::tuple(enemy.program, enemy.hitPoints, enemy.speed), std::tuple(0, 8, 9));  // program 7 is not used
    EXPECT_EQ(panel(), "1 120 50 0 0 10 2 5 NONE X Y -1");

    // The Frames list shows no count it lacks, and sets the count.
    session.document.imageSets[2].frameCount = 12;
    click(250, 100);  // image set 2 at bitmap (240, 287)
    EXPECT_EQ(panel(), "NONE X Y      2 200 250 -1");
    choose(m.framesCombo, 4);
    EXPECT_EQ(session.document.imageSets[2].frameCount, 5);
}

TEST_F(ViewTest, DeleteAndNewImageSetActOrSaySoAndTheSelectionsGo) {
    click(Enemy0X, Enemy0Y);
    shortcut(VK_DELETE, false);
    EXPECT_FALSE(session.document.enemies[0].used);
    EXPECT_TRUE(viewShowsDocument({110, 50, 142, 72}));  // clear of the outlines the key's tick drew
    click(Set0X, Set0Y);
    shortcut(VK_DELETE, false);
    EXPECT_EQ(std::tuple(session.document.imageSets[0].used, session.state.selectedEnemy, session.state.selectedImageSet),
              std::tuple(1, -1, -1));
    for (int i = 3; i <= MAX_IMAGE_SETS; ++i) send(NewImageSetCommand);
    EXPECT_TRUE(session.document.imageSets[14].used);
    EXPECT_EQ(dialogs, (Lines{"Editing Action Error|Image Set is in use by an enemy.  Could not delete.",
                              "Image Set Creation Error|Too many Image sets already."}));
}

TEST_F(ViewTest, RecordingDrawsTheEnemyAtTheRecordingPositionUntilEnter) {
    send(NewProgramCommand);
    click(Enemy0X, Enemy0Y);
    send(NewProgramCommand);
    send(NewImageSetCommand);  // not while recording
    EXPECT_TRUE(textOf(sidePanel.recordProgramText) == "1" && !session.document.imageSets[3].used);
    for (WPARAM vk : {VK_NUMPAD6, VK_NUMPAD6, VK_NUMPAD6, VK_NUMPAD3, VK_NUMPAD3}) key(vk);
    EXPECT_EQ(textOf(shell.recordStepsText), "2");
    // Drawn once more over itself, clear of the outlines and of the preview's first line.
    LevelDocument shown = session.document;
    shown.enemies[6] = shown.enemies[0];
    shown.enemyCount = 7;
    shown.enemies[6].x = 110;
    shown.enemies[6].y = 44;
    EXPECT_TRUE(viewShows(readView(), shown, {0, 0}, {110, 51, 152, 76}));
    key(VK_RETURN);
    EXPECT_EQ(std::tuple(session.document.programs[1].movementCount, session.document.enemies[0].program), std::tuple(2, 1));
    // Outside recording the count is blanked, out to the bare panel at its right, and not written.
    pumpMessages();
    RedrawLevelView();
    EXPECT_EQ(textOf(shell.recordStepsText), "2");
    const std::vector<Rgb> line = readPixels({350, 410, 460, 432}).colours;
    EXPECT_EQ(std::count(line.begin(), line.end(), line.back()), ptrdiff_t(line.size()));
    for (EnemyProgram& p : session.document.programs) p.used = 1;
    send(NewProgramCommand);
    EXPECT_EQ(dialogs, (Lines{"Movement editing Error|No Enemy Selected.  Must have an enemy selected for this action.",
                              "Movement editing Error|No empty movement programs.  Please delete one."}));
}

// F5 plays the level by the clock; paused, the view is the renderer's
// picture at the frame it shows, which "." and "," step and Home sets back to
// 0; a press in the view stops it, and the view shows the level as placed.
// The motion changes nothing in the document.
TEST_F(ViewTest, F5PlaysTheLevelAnEditStopsIt) {
    const auto before = std::make_unique<LevelDocument>(session.document);
    EXPECT_TRUE(shortcut(VK_F5, false));
    ASSERT_TRUE(waitFor([] { return motionFrame() >= 7; }));
    key(VK_SPACE);
    const int64_t paused = motionFrame();
    for (WPARAM step : {VK_OEM_PERIOD, VK_OEM_PERIOD, VK_OEM_COMMA}) key(step);
    pumpMessages();
    EXPECT_EQ(motionFrame(), paused + 1);
    EXPECT_EQ(statusText(3), "Frame " + std::to_string(paused + 1));
    EXPECT_TRUE(viewShows(readView(), session.document, {0, 0}, WholeView, {true, false, false}, paused + 1));
    key(VK_HOME);
    EXPECT_EQ(motionFrame(), 0);
    click(400, 300);
    EXPECT_FALSE(motionShown());
    EXPECT_TRUE(viewShowsDocument({100, 100, 510, 390}));  // clear of the tick's outlines
    EXPECT_EQ(statusText(3), "");
    EXPECT_TRUE(sameDocument(session.document, *before) && session.history.steps() == 0);
    // A command that changes nothing stops it as well, and its frame goes from the status bar.
    shortcut(VK_F5, false);
    send(SaveCommand);
    EXPECT_EQ(statusText(3), "");
}

}  // namespace
}  // namespace qzt::gui
