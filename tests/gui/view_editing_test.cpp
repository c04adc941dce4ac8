// Editing in the main window on the real controls: that each message reaches
// its rule, reads and writes the right controls and redraws. The rules' own
// cases are the native tests'.
#include <algorithm>
#include <string>

#include "app/mouse_input.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

class ViewEditingTest : public EditorTest {
public:
    void SetUp() override {
        EditorTest::SetUp();
        startWithLevel();
    }
};

TEST_F(ViewEditingTest, PressesSelectResizeAndDragAndThePanelsAndTheViewFollow) {
    click(Enemy0X, Enemy0Y);
    EXPECT_EQ(enemyPanel(), (Lines{"0", "100", "40", "0", "1", "10", "2", "5"}));
    EXPECT_EQ(imageSetPanel()[0], "NONE");
    click(Set0X, Set0Y, false);
    EXPECT_EQ(imageSetPanel(), (Lines{"0", "1", "198", "1"}));
    // No enemy: the panel's texts of start-up, none of the last enemy's numbers.
    EXPECT_EQ(enemyPanel(), (Lines{"NONE", "X", "Y", "", "", "", "", ""}));

    // Just right of the set: no set is hit, yet its handle is.
    SetFocus(sidePanel.enemySpeedEdit);
    press(52, Set0Y);
    EXPECT_EQ(GetFocus(), window);
    EXPECT_EQ(imageSetPanel()[0], "NONE");
    EXPECT_EQ(session.state.mode, Resizing);
    EXPECT_EQ(GetCursor(), ResizeCursor);
    moveTo(70, 80);
    release();
    EXPECT_EQ(session.state.mode, Normal);
    EXPECT_EQ(session.document.imageSets[0].width, 59);
    EXPECT_TRUE(viewShowsDocument());

    press(Enemy0X, Enemy0Y, false);  // a right press does not drag
    moveTo(300, 200);
    EXPECT_EQ(session.document.enemies[0].x, 100);
    press(Enemy0X, Enemy0Y);
    moveTo(300, 200);
    moveTo(600, 40);  // over the side panel: stays where it was last inside
    EXPECT_EQ(enemyPanel(), (Lines{"0", "290", "190", "0", "1", "10", "2", "5"}));
    EXPECT_TRUE(viewShowsDocument());
    release();
    // An image set goes before an enemy: its top-left corner to the pointer.
    press(Set0X, Set0Y);
    moveTo(400, 300);
    EXPECT_EQ(imageSetPanel(), (Lines{"0", "390", "487", "1"}));
}

TEST_F(ViewEditingTest, TheSidePanelCommitsOnFocusLossToTheEnemySelectedBeforeTheClick) {
    const SidePanelControls& m = sidePanel;
    click(Enemy0X, Enemy0Y);
    for (const auto& [edit, text] : {std::pair{m.enemyProgramEdit, "7"}, {m.enemySpeedEdit, "9"}}) {
        SetFocus(edit);
        SetWindowTextA(edit, text);
    }
    click(150, 90);  // on enemy 1, which takes the focus: the commit comes first
    const Enemy& enemy = session.document.enemies[0];
    EXPECT_EQ(std::pair(enemy.program, enemy.speed), std::pair(0, 9));  // program 7 is not used
    EXPECT_EQ(enemyPanel()[0], "1");
    EXPECT_EQ(enemyPanel()[6], "2");

    // The Frames list sets the count, but not from no selection.
    session.document.imageSets[2].frameCount = 12;
    click(250, 100);  // image set 2 at bitmap (240, 287)
    EXPECT_EQ(imageSetPanel(), (Lines{"2", "200", "250", "-1"}));
    SetFocus(m.framesCombo);  // notifies the main window of the focus
    click(250, 250);
    EXPECT_EQ(session.document.imageSets[2].frameCount, 12);
    click(250, 100);
    choose(m.framesCombo, 4);
    EXPECT_EQ(session.document.imageSets[2].frameCount, 5);
}

TEST_F(ViewEditingTest, DeleteAndNewImageSetActOrSaySoAndTheSelectionsGo) {
    click(Enemy0X, Enemy0Y);
    key(VK_DELETE);
    EXPECT_FALSE(session.document.enemies[0].used);
    EXPECT_EQ(session.state.selectedEnemy, -1);
    // The key's tick drew the outlines, which stay clear of where enemy 0 was.
    EXPECT_TRUE(viewShowsDocument({110, 50, 142, 72}));
    click(Set0X, Set0Y);
    key(VK_DELETE);
    EXPECT_TRUE(session.document.imageSets[0].used);
    EXPECT_EQ(session.state.selectedImageSet, -1);
    for (int i = 3; i <= MAX_IMAGE_SETS; ++i) send(NewImageSetCommand);
    EXPECT_TRUE(session.document.imageSets[14].used);
    EXPECT_EQ(dialogs, (Lines{"Editing Action Error|Image Set is in use by an enemy.  Could not delete.",
                              "Image Set Creation Error|Too many Image sets already."}));
}

TEST_F(ViewEditingTest, RecordingDrawsTheEnemyAtTheRecordingPositionUntilEnterOrAPress) {
    const std::string noEnemy = "Movement editing Error|No Enemy Selected.  Must have an enemy selected for this action.";
    send(NewProgramCommand);
    click(Enemy0X, Enemy0Y);
    send(NewProgramCommand);
    EXPECT_EQ(session.state.mode, Recording);
    EXPECT_EQ(textOf(sidePanel.recordProgramText), "1");
    send(NewImageSetCommand);  // not while recording
    EXPECT_FALSE(session.document.imageSets[3].used);
    for (WPARAM vk : {VK_NUMPAD6, VK_NUMPAD6, VK_NUMPAD6, VK_NUMPAD3, VK_NUMPAD3}) key(vk);
    EXPECT_EQ(textOf(shell.recordStepsText), "2");
    // Drawn once more over itself, clear of the outlines and of the preview's first line.
    LevelDocument shown = session.document;
    shown.enemies[6] = shown.enemies[0], shown.enemyCount = 7;
    shown.enemies[6].x = 110, shown.enemies[6].y = 44;
    EXPECT_TRUE(viewShows(readView(), shown, {0, 0}, {110, 51, 152, 76}));
    key(VK_RETURN);
    EXPECT_EQ(session.state.mode, Normal);
    EXPECT_EQ(session.document.programs[1].movementCount, 2);
    EXPECT_EQ(session.document.enemies[0].program, 1);
    // Outside recording the count is blanked, out to the bare panel at its right, and not written.
    pumpMessages();
    RedrawLevelView();
    EXPECT_EQ(textOf(shell.recordStepsText), "2");
    const std::vector<Rgb> line = readPixels({350, 410, 460, 432}).colours;
    EXPECT_EQ(std::count(line.begin(), line.end(), line.back()), ptrdiff_t(line.size()));

    // A press on a handle ends a recording too, keeping what was recorded.
    send(NewProgramCommand);
    key(VK_NUMPAD8);
    click(50, Set0Y);
    EXPECT_EQ(session.state.mode, Normal);
    EXPECT_EQ(session.document.programs[2].movementCount, 1);
    for (EnemyProgram& p : session.document.programs) p.used = 1;
    send(NewProgramCommand);
    EXPECT_EQ(dialogs, (Lines{noEnemy, "Movement editing Error|No empty movement programs.  Please delete one."}));
}

}  // namespace
}  // namespace qzt::gui
