// One path for every change, on the real windows: each kind of gesture is one
// step that Ctrl+Z takes back and Ctrl+Y does again; the windows show the
// document after every change and every open, and Open asks before it drops
// unsaved changes. The history's own cases are the native tests'.
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "gui/gui_support.h"
#include "level/dat_writer.h"
#include "win32/document_changes.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

class UndoTest : public EditorTest {
public:
    void SetUp() override { EditorTest::SetUp(), startWithLevel(); }
    HWND properties(int which) const { return toolControl(LevelPropertiesClass, which); }
    HWND programs(int which) const { return toolControl(EnemyProgramEditorClass, which); }  // Delete Prog 2, Add 3, Add Prog 4
};

TEST_F(UndoTest, EveryKindOfGestureIsOneStepThatUndoAndRedoWalk) {
    const std::vector<std::pair<const char*, std::function<void()>>> gestures = {
        {"drag an enemy", [&] { press(Enemy0X, Enemy0Y), moveTo(200, 150), moveTo(220, 160), release(); }},
        {"drag an image set", [&] { press(Set0X, Set0Y), moveTo(300, 300), release(); }},
        {"resize", [&] { press(269, 90), moveTo(280, 100), moveTo(290, 110), release(); }},
        {"delete", [&] { click(490, 130), shortcut(VK_DELETE, false); }},
        {"side panel", [&] { click(135, 70), commit(sidePanel.enemySpeedEdit, "9"); }},
        {"frames", [&] { click(320, 223), choose(sidePanel.framesCombo, 6); }},
        {"new image set", [&] { send(NewImageSetCommand); }},
        {"recording", [&] { click(20, 20), send(NewProgramCommand), key(VK_NUMPAD6), key(VK_NUMPAD6), key(VK_RETURN); }},
        {"level properties", [&] { send(PropertiesCommand), SetWindowTextA(properties(3), "Renamed"), notify(properties(0)); }},
        {"new enemy", [&] { send(NewEnemyCommand), notify(toolControl(NewEnemyClass, 0)); }},
        {"add prog", [&] { send(EditProgramCommand), notify(programs(4)); }},
        {"add", [&] { notify(programs(3)); }},
        {"direction", [&] { choose(programs(9), 2); }},
        {"steps", [&] { commit(programs(11), "-2147483648"); }},
        {"delete prog", [&] { notify(programs(2)); }},
    };
    for (const auto& [name, gesture] : gestures) {
        SCOPED_TRACE(name);
        const LevelDocument start = session.document;
        const size_t steps = session.history.steps();
        gesture();
        const LevelDocument after = session.document;
        EXPECT_EQ(session.history.steps(), steps + 1);
        controlKey('Z');
        EXPECT_TRUE(sameDocument(session.document, start));
        controlKey('Y');
        EXPECT_TRUE(sameDocument(session.document, after));
        controlKey('Z', true);  // Ctrl+Shift+Z: nothing left to redo
        EXPECT_TRUE(sameDocument(session.document, after));
    }
    EXPECT_EQ(session.document.programs[2].steps[0], -2147483647 - 1) << "read whole before Delete Prog";
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
}

// Undo keeps the selections that are still used, shows the document and
// reloads a bitmap it names; one that cannot be read is said so.
TEST_F(UndoTest, UndoShowsTheRestoredDocumentKeepsLiveSelectionsAndReloadsTheBitmap) {
    click(Enemy0X, Enemy0Y);
    commit(sidePanel.enemySpeedEdit, "9");
    send(NewImageSetCommand);
    session.state.selectedImageSet = 3;
    controlKey('Z');
    controlKey('Z');
    EXPECT_EQ(panel(), "0 100 40 0 1 10 2 5 NONE X Y -1");
    press(Set0X, Set0Y);
    moveTo(300, 300);
    release();
    controlKey('Z');
    EXPECT_EQ(panel(), "NONE X Y      0 1 198 1");
    writeBmp(dir.file("other.bmp"), 640, 700, 8);
    send(PropertiesCommand);
    SetWindowTextA(properties(3), "Other_Level");
    SetWindowTextA(properties(4), "other.bmp");
    notify(properties(0));
    ASSERT_EQ(levelBitmap.height, 700);
    controlKey('Z');
    EXPECT_EQ(std::tuple(textOf(window), levelBitmap.height), std::tuple("View_Level", 800));
    EXPECT_TRUE(viewShowsDocument({400, 250, 510, 390}));  // clear of the tick's lines
    DeleteFileA(dir.file("other.bmp").c_str());
    controlKey('Y');
    EXPECT_EQ(std::string(session.document.header.bitmapPath), "other.bmp");
    EXPECT_EQ(dialogs, Lines{BitmapError});
}

// In a recording the keys do nothing; pressed in a list of the side panel they
// act, an edit box keeps them for its own text. A focus passing through a
// control changes nothing, and a number that is no used program is not kept.
TEST_F(UndoTest, TheKeysActOnlyBetweenGesturesAndAFocusPassingThroughChangesNothing) {
    click(Enemy0X, Enemy0Y);
    send(NewProgramCommand);
    const LevelDocument recording = session.document;
    controlKey('Z');
    controlKey('Y');
    EXPECT_TRUE(sameDocument(session.document, recording) && session.state.mode == Recording);
    key(VK_NUMPAD6);
    key(VK_RETURN);
    for (const auto& [control, acts] : {std::pair{sidePanel.framesCombo, true}, {sidePanel.enemySpeedEdit, false}}) {
        for (WPARAM vk : {WPARAM('Z'), WPARAM('Y')}) EXPECT_EQ(shortcut(vk, true, false, control), acts);
    }
    EXPECT_FALSE(shortcut(VK_DELETE, false, false, sidePanel.enemySpeedEdit));
    const size_t steps = session.history.steps();
    for (HWND control : {sidePanel.enemyProgramEdit, sidePanel.enemyHitPointsEdit, sidePanel.framesCombo}) {
        SetFocus(control);
        SetFocus(window);
    }
    send(PropertiesCommand);
    notify(properties(0));
    commit(sidePanel.enemyProgramEdit, "9");
    EXPECT_EQ(session.history.steps(), steps);
    EXPECT_EQ(textOf(sidePanel.enemyProgramEdit), "1");
}

// Open asks first only when the level has unsaved changes, and starts over:
// no recording, no selection, the panel and the recording line as at
// start-up, the tool windows hidden; nothing typed or shown for the old level
// reaches the new one.
TEST_F(UndoTest, OpenAsksFirstOnlyWhenTheLevelHasUnsavedChangesAndShowsTheNewLevelEverywhere) {
    send(NewImageSetCommand);
    dialogs.clear();
    boxAnswers = {IDYES};
    fileAnswers = {dir.file("copy.dat"), ""};
    send(OpenCommand);
    EXPECT_EQ(dialogs, (Lines{SaveQuestion, SaveDialog, OpenDialog}));
    EXPECT_TRUE(session.document.imageSets[3].used);
    // Back at what was saved: no question.
    send(NewImageSetCommand);
    controlKey('Z');
    dialogs.clear();
    send(OpenCommand);
    EXPECT_EQ(dialogs, Lines{OpenDialog});

    send(PropertiesCommand);
    send(EditProgramCommand);
    notify(programs(4));
    click(Enemy0X, Enemy0Y);
    send(NewProgramCommand);
    key(VK_NUMPAD6);
    boxAnswers = {IDNO};
    open(dir.file("level.dat"));
    const std::string loaded = serializeLevel(session.document);
    for (WPARAM vk : {VK_NUMPAD2, VK_NUMPAD2, VK_RETURN}) key(vk);
    EXPECT_EQ(serializeLevel(session.document), loaded);
    EXPECT_EQ(panel(), "NONE X Y      NONE X Y -1");
    EXPECT_EQ(textOf(sidePanel.recordProgramText) + textOf(shell.recordStepsText), "NONE0");
    for (const char* name : {LevelPropertiesClass, EnemyProgramEditorClass})
        EXPECT_FALSE(IsWindowVisible(madeWindow(name))) << name;
    EXPECT_EQ(session.history.steps(), 0u);
    EXPECT_EQ(dialogs, (Lines{OpenDialog, SaveQuestion, OpenDialog}));
}

}  // namespace
}  // namespace qzt::gui
