// One path for every change, on the real windows: each kind of gesture is one
// step that Ctrl+Z takes back and Ctrl+Y does again; the windows show the
// document after every change and every open, and Open asks before it drops
// unsaved changes. The history's own cases are the native tests'.
#include <functional>
#include <string>
#include <vector>

#include "app/keyboard_input.h"
#include "gui/gui_support.h"
#include "level/dat_writer.h"
#include "win32/document_changes.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

enum { ProgramsDelete = 2, ProgramsAdd, ProgramsAddProgram, Direction = 9, Steps = 11 };

class UndoTest : public EditorTest {
public:
    void SetUp() override {
        EditorTest::SetUp();
        startWithLevel();
    }
    HWND properties(int which) const { return toolControl(LevelPropertiesClass, which); }
    HWND programs(int which) const { return toolControl(EnemyProgramEditorClass, which); }
    std::string saved() const { return serializeLevel(session.document); }
};

TEST_F(UndoTest, EveryKindOfGestureIsOneStepThatUndoAndRedoWalk) {
    const std::vector<std::pair<const char*, std::function<void()>>> gestures = {
        {"drag an enemy", [&] { press(Enemy0X, Enemy0Y), moveTo(200, 150), moveTo(220, 160), release(); }},
        {"drag an image set", [&] { press(Set0X, Set0Y), moveTo(300, 300), release(); }},
        {"resize", [&] { press(269, 90), moveTo(280, 100), moveTo(290, 110), release(); }},
        {"delete", [&] { click(490, 130), key(VK_DELETE); }},
        {"side panel", [&] { click(135, 70), commit(sidePanel.enemySpeedEdit, "9"); }},
        {"frames", [&] { click(320, 223), choose(sidePanel.framesCombo, 6); }},
        {"new image set", [&] { send(NewImageSetCommand); }},
        {"recording", [&] { click(20, 20), send(NewProgramCommand), key(VK_NUMPAD6), key(VK_NUMPAD6), key(VK_RETURN); }},
        {"level properties", [&] { send(PropertiesCommand), SetWindowTextA(properties(3), "Renamed"), notify(properties(0)); }},
        {"new enemy", [&] { send(NewEnemyCommand), notify(toolControl(NewEnemyClass, 0)); }},
        {"add prog", [&] { send(EditProgramCommand), notify(programs(ProgramsAddProgram)); }},
        {"add", [&] { notify(programs(ProgramsAdd)); }},
        {"direction", [&] { choose(programs(Direction), 2); }},
        {"steps", [&] { commit(programs(Steps), "-2147483648"); }},
        {"delete prog", [&] { notify(programs(ProgramsDelete)); }},
    };
    for (const auto& [name, gesture] : gestures) {
        SCOPED_TRACE(name);
        const std::string before = saved();
        const LevelDocument start = session.document;
        const size_t steps = session.history.steps();
        gesture();
        const LevelDocument after = session.document;
        EXPECT_EQ(session.history.steps(), steps + 1);
        controlKey('Z');
        EXPECT_TRUE(sameDocument(session.document, start));
        EXPECT_EQ(saved(), before);
        controlKey('Y');
        EXPECT_TRUE(sameDocument(session.document, after));
        controlKey('Z', true);  // Ctrl+Shift+Z: nothing left to redo
        EXPECT_TRUE(sameDocument(session.document, after));
    }
    EXPECT_EQ(session.document.programs[2].steps[0], -2147483647 - 1) << "read whole before Delete Prog";
    EXPECT_TRUE(dialogs.empty()) << dialogs.front();
}

TEST_F(UndoTest, UndoShowsTheRestoredDocumentKeepsLiveSelectionsAndReloadsTheBitmap) {
    click(Enemy0X, Enemy0Y);
    commit(sidePanel.enemySpeedEdit, "9");
    send(NewImageSetCommand);
    session.state.selectedImageSet = 3;
    controlKey('Z');  // the new image set goes, and its selection
    EXPECT_EQ(session.state.selectedImageSet, -1);
    controlKey('Z');
    EXPECT_EQ(session.state.selectedEnemy, 0);
    EXPECT_EQ(enemyPanel()[6], "2");

    writeBmp(dir.file("other.bmp"), 640, 700, 8);
    send(PropertiesCommand);
    SetWindowTextA(properties(3), "Other_Level");
    SetWindowTextA(properties(4), "other.bmp");
    notify(properties(0));
    ASSERT_EQ(levelBitmap.height, 700);
    controlKey('Z');
    EXPECT_EQ(caption(), "View_Level");
    EXPECT_EQ(levelBitmap.height, 800);
    EXPECT_TRUE(viewShowsDocument({400, 250, 510, 390}));  // clear of the tick's lines
    // A bitmap that cannot be read now: said so, and the document is restored all the same.
    DeleteFileA(dir.file("other.bmp").c_str());
    controlKey('Y');
    EXPECT_EQ(std::string(session.document.header.bitmapPath), "other.bmp");
    EXPECT_EQ(dialogs, Lines{BitmapError});
}

// In a recording the keys do nothing; a list of the side panel hands them on,
// an edit box keeps them for its own text. A focus passing through a control
// changes nothing, and a number that is no used program is not kept.
TEST_F(UndoTest, TheKeysActOnlyBetweenGesturesAndAFocusPassingThroughChangesNothing) {
    click(Enemy0X, Enemy0Y);
    send(NewProgramCommand);
    const LevelDocument recording = session.document;
    controlKey('Z');
    controlKey('Y');
    EXPECT_TRUE(sameDocument(session.document, recording));
    EXPECT_EQ(session.state.mode, Recording);
    key(VK_NUMPAD6);
    key(VK_RETURN);
    for (const auto& [control, routed] : {std::pair{sidePanel.framesCombo, true}, {sidePanel.enemySpeedEdit, false}}) {
        MSG message{control, WM_KEYDOWN, 'Z', 0, 0, {}};
        routeUndoKeys(message);
        EXPECT_EQ(message.hwnd, routed ? window : control);
    }

    EXPECT_EQ(textOf(sidePanel.enemyProgramEdit), "1");
    const LevelDocument recorded = session.document;
    const size_t steps = session.history.steps();
    for (HWND control : {sidePanel.enemyProgramEdit, sidePanel.enemyHitPointsEdit, sidePanel.framesCombo}) {
        SetFocus(control);
        SetFocus(window);
    }
    send(PropertiesCommand);
    notify(properties(0));
    EXPECT_TRUE(sameDocument(session.document, recorded));
    EXPECT_EQ(session.history.steps(), steps);
    commit(sidePanel.enemyProgramEdit, "9");
    EXPECT_EQ(textOf(sidePanel.enemyProgramEdit), "1");
}

// Open starts over: no recording, no selection, the panel and the recording
// line as at start-up, the tool windows hidden; nothing typed or shown for
// the old level reaches the new one.
TEST_F(UndoTest, OpenShowsTheNewLevelEverywhereAndEndsARecording) {
    send(PropertiesCommand);
    send(EditProgramCommand);
    notify(programs(ProgramsAddProgram));
    click(Enemy0X, Enemy0Y);
    send(NewProgramCommand);
    key(VK_NUMPAD6);
    boxAnswers = {IDNO};
    open(dir.file("level.dat"));
    const std::string loaded = saved();
    for (WPARAM vk : {VK_NUMPAD2, VK_NUMPAD2, VK_RETURN}) key(vk);
    EXPECT_EQ(saved(), loaded);
    EXPECT_EQ(session.state.mode, Normal);
    EXPECT_EQ(enemyPanel(), (Lines{"NONE", "X", "Y", "", "", "", "", ""}));
    EXPECT_EQ(imageSetPanel(), (Lines{"NONE", "X", "Y", "-1"}));
    EXPECT_EQ(textOf(sidePanel.recordProgramText), "NONE");
    EXPECT_EQ(textOf(shell.recordStepsText), "0");
    for (const char* name : {LevelPropertiesClass, EnemyProgramEditorClass})
        EXPECT_FALSE(IsWindowVisible(madeWindow(name))) << name;
    EXPECT_EQ(session.history.steps(), 0u);
    EXPECT_EQ(dialogs, (Lines{SaveQuestion, OpenDialog}));
}

TEST_F(UndoTest, OpenAsksFirstOnlyWhenTheLevelHasUnsavedChanges) {
    const struct {
        int answer;
        std::vector<std::string> files;
        Lines dialogs;
        bool opened;
    } cases[] = {
        {IDCANCEL, {}, {SaveQuestion}, false},
        {IDYES, {""}, {SaveQuestion, SaveDialog}, false},
        {IDYES, {dir.file("copy.dat"), ""}, {SaveQuestion, SaveDialog, OpenDialog}, false},
        {IDNO, {dir.file("level.dat")}, {SaveQuestion, OpenDialog}, true},
    };
    for (const auto& c : cases) {
        send(NewImageSetCommand);
        dialogs.clear();
        boxAnswers = {c.answer};
        fileAnswers.assign(c.files.begin(), c.files.end());
        send(OpenCommand);
        EXPECT_EQ(dialogs, c.dialogs);
        EXPECT_EQ(session.document.imageSets[3].used, !c.opened);
    }
    EXPECT_FALSE(levelModified());
    send(NewImageSetCommand);
    controlKey('Z');  // back at what was loaded: no question
    dialogs.clear();
    fileAnswers = {""};
    send(OpenCommand);
    EXPECT_EQ(dialogs, Lines{OpenDialog});
}

}  // namespace
}  // namespace qzt::gui
