// A level's work on disk, on the real windows: the recovery file's life from
// the timer, its offer when the level opens, and the level file and bitmap
// changed by another program. The schedules' own cases are the native tests'.
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/disk_watch.h"
#include "app/editor_runs.h"
#include "edit/recovery_stamp.h"
#include "gui/gui_support.h"
#include "level/dat_writer.h"
#include "level/file_state.h"
#include "win32/document_changes.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using qzt::testing::readFile;
using qzt::testing::writeFile;

const std::string RestoreQuestion = "Dat file Loading Error|This level has changes that were not saved when the "
                                    "editor last closed. Restore them?|40034";
const std::string RestoreChangedQuestion =
    "Dat file Loading Error|This level has changes that were not saved when the editor last closed, but the level "
    "file has changed since. Restore them?|40034";
const std::string OtherEditorNotice = "Dat file Loading Error|This level has unsaved changes in another editor.";
const std::string ReloadQuestion = "Dat file Loading Error|The level file was changed by another program. Reload "
                                   "it and lose your changes?|40034";

class LevelSafetyTest : public EditorTest {
public:
    void SetUp() override { EditorTest::SetUp(), startWithLevel(); }
    bool recoveryExists() const { return GetFileAttributesA(recovery.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // Ticks as the timer does until done: the disk work may have to wait for the clock.
    bool ticksUntil(const std::function<bool()>& done) {
        for (const DWORD deadline = GetTickCount() + 5000; GetTickCount() < deadline; Sleep(20)) {
            tick();
            if (done()) return true;
        }
        return false;
    }
    bool recoveryWritten() { return ticksUntil([this] { return recoveryExists(); }); }

    void watch() { watchLevelFiles(now += 1000); }  // a second later each time, as the timer would call it
    // The test level with enemy 0 at x and a tail of blanks, so that each version differs in size too.
    static std::string levelWithEnemyAt(int x) {
        std::string text = testLevel();
        text.replace(text.find("ENEMY 0 2 5 10 100 "), 19, "ENEMY 0 2 5 10 " + std::to_string(x) + " ");
        return text + std::string(size_t(x % 50), ' ');
    }
    const std::string level = dir.file("level.dat"), recovery = dir.file("level.dat.recovery");
    uint64_t now = GetTickCount64() + 1000000;
};

TEST_F(LevelSafetyTest, TheRecoveryFileHoldsUnsavedChangesUntilTheyAreSavedOrDropped) {
    tick();
    EXPECT_FALSE(recoveryExists()) << "nothing unsaved";
    send(NewImageSetCommand);
    ASSERT_TRUE(recoveryWritten());
    const RecoveryStamp stamp{fingerprintOf(readFile(level)), thisEditorRun()};
    EXPECT_EQ(readFile(recovery), stampedRecovery(serializeLevel(session.document), stamp));
    DeleteFileA(recovery.c_str());  // by another program, while the changes are still unsaved
    EXPECT_TRUE(recoveryWritten());
    controlKey('Z');
    tick();  // back to what is saved
    EXPECT_FALSE(recoveryExists());
    controlKey('Y');
    ASSERT_TRUE(recoveryWritten());
    // Saved elsewhere: its own file goes, and so does one that an earlier run left beside the new file.
    const std::string copy = dir.file("copy.dat");
    writeFile(copy + ".recovery", stampedRecovery(testLevel(), RecoveryStamp{std::nullopt, 12345}));
    fileAnswers = {copy};
    send(SaveAsCommand);
    EXPECT_FALSE(recoveryExists());
    EXPECT_EQ(GetFileAttributesA((copy + ".recovery").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(readFile(copy), serializeLevel(session.document));
}

// While a question or a file dialog is up, the timer goes on but nothing
// changes the level: the tool windows are disabled and no recovery file is
// written. Changes answered No lose their recovery file once another level is
// chosen, the same one included, which then opens from disk; a cancelled
// dialog keeps both.
TEST_F(LevelSafetyTest, AQuestionOrDialogHoldsTheLevelAsItWasWhenAsked) {
    send(CheckCommand);  // made when first shown, and held as the others are
    send(PropertiesCommand);
    send(NewImageSetCommand);
    std::vector<bool> toolWindowsEnabled;
    bool recoveryUnderQuestion = true;
    whileHeld = [&] {
        for (HWND tool : shell.toolWindows) toolWindowsEnabled.push_back(IsWindowEnabled(tool) != 0);
        recoveryUnderQuestion = recoveryExists();
    };
    heldDialog = SaveQuestion;
    boxAnswers = {IDNO};
    fileAnswers = {level};
    send(OpenCommand);
    EXPECT_EQ(toolWindowsEnabled, std::vector<bool>(4, false));
    EXPECT_FALSE(recoveryUnderQuestion);
    EXPECT_TRUE(IsWindowEnabled(madeWindow(LevelPropertiesClass)));
    EXPECT_EQ(dialogs, (Lines{SaveQuestion, OpenDialog}));
    EXPECT_FALSE(levelModified());
    EXPECT_FALSE(recoveryExists());

    send(NewImageSetCommand);
    ASSERT_TRUE(recoveryWritten());
    heldDialog = OpenDialog;
    boxAnswers = {IDNO};
    fileAnswers = {""};
    send(OpenCommand);
    EXPECT_TRUE(levelModified());
    EXPECT_TRUE(recoveryExists());
}

// Typed into the side panel and not yet committed by the focus leaving it, a
// number counts before Open asks.
TEST_F(LevelSafetyTest, ANumberTypedIntoTheSidePanelCountsBeforeOpenAsks) {
    click(Enemy0X, Enemy0Y);
    type(sidePanel.enemyHitPointsEdit, "50");
    boxAnswers = {IDCANCEL};
    send(OpenCommand);
    EXPECT_EQ(dialogs, Lines{SaveQuestion});
    EXPECT_EQ(session.document.enemies[0].hitPoints, 50);
}

// A drag or a resize holds the mouse: released anywhere, or losing the mouse
// to another window, it ends there as one step. Points left of the window
// count as such.
TEST_F(LevelSafetyTest, ADragEndsWhereverItsButtonIsReleasedOrWhenTheMouseIsTaken) {
    press(Enemy0X, Enemy0Y);
    EXPECT_EQ(GetCapture(), window);
    moveTo(200, 150);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(-40, 700));
    EXPECT_EQ(GetCapture(), nullptr);
    moveTo(250, 200);
    press(210, 160);
    moveTo(300, 300);
    ReleaseCapture();
    moveTo(350, 350);
    EXPECT_EQ(std::pair(session.document.enemies[0].x, session.document.enemies[0].y), std::pair(290, 290));
    press(50, 30);  // image set 0's handle
    moveTo(-20, 30);
    release();
    EXPECT_EQ(session.document.imageSets[0].width, -31);
    for (int step = 0; step < 3; ++step) controlKey('Z');
    EXPECT_TRUE(sameDocument(session.document, session.history.saved()));
}

// A silent reload leaves Level Properties up: a box typed into keeps its
// text, the others show the file's.
TEST_F(LevelSafetyTest, AReloadKeepsWhatIsTypedIntoLevelProperties) {
    send(PropertiesCommand);
    HWND subtitle = toolControl(LevelPropertiesClass, 2);
    HWND title = toolControl(LevelPropertiesClass, 3);
    SetWindowTextA(title, "Typed_Title");
    writeFile(level, "New_Sub" + testLevel().substr(3));
    ASSERT_TRUE(ticksUntil([] { return std::string(session.document.header.subtitle) == "New_Sub"; }));
    EXPECT_TRUE(IsWindowVisible(madeWindow(LevelPropertiesClass)));
    EXPECT_EQ(textOf(subtitle), "New_Sub");
    EXPECT_EQ(textOf(title), "Typed_Title");
}

// Saved into a folder without its bitmap, the level asks to copy it along:
// Yes copies it and saves, No saves the level alone, Cancel writes nothing.
TEST_F(LevelSafetyTest, SavingIntoAnotherFolderOffersToCopyTheBitmapAlong) {
    const std::string question = "Dat file Loading Error|The level's bitmap level.bmp is not in the folder you are "
                                 "saving to. Copy it there?|40033";
    const struct { int answer; const char* folder; bool saved, copied; } cases[] = {
        {IDCANCEL, "a", false, false}, {IDYES, "b", true, true}, {IDNO, "c", true, false}};
    for (const auto& c : cases) {
        const std::string folder = dir.file(c.folder);
        CreateDirectoryA(folder.c_str(), nullptr);
        dialogs.clear();
        fileAnswers = {folder + "\\copy.dat"};
        boxAnswers = {c.answer};
        send(SaveAsCommand);
        EXPECT_EQ(dialogs, (Lines{SaveDialog, question})) << c.folder;
        EXPECT_EQ(fileStamp((folder + "\\copy.dat").c_str()).exists, c.saved) << c.folder;
        EXPECT_EQ(readFile(folder + "\\level.bmp") == readFile(dir.file("level.bmp")), c.copied) << c.folder;
    }
}

// Another editor's recovery file, the real program's, is its own while it
// runs: opening the level says so and reads the file on disk. Once that
// editor is gone the file is offered, saying the level file changed since.
TEST_F(LevelSafetyTest, AnotherRunningEditorsRecoveryFileIsItsOwnUntilItEnds) {
    OtherEditor other(level);
    HWND otherWindow = other.window("View_Level");
    ASSERT_TRUE(otherWindow);
    PostMessageA(otherWindow, WM_COMMAND, NewImageSetCommand, 0);
    ASSERT_TRUE(waitFor([this] { return recoveryExists(); }));
    const std::string itsChanges = readFile(recovery);
    open(level);
    EXPECT_EQ(dialogs, (Lines{OpenDialog, OtherEditorNotice}));
    EXPECT_FALSE(session.document.imageSets[3].used);
    EXPECT_EQ(readFile(recovery), itsChanges);

    other.kill();
    writeFile(level, levelWithEnemyAt(105));
    dialogs.clear();
    boxAnswers = {IDYES};
    open(level);
    EXPECT_EQ(dialogs, (Lines{OpenDialog, RestoreChangedQuestion}));
    EXPECT_TRUE(session.document.imageSets[3].used);
    EXPECT_EQ(session.document.enemies[0].x, 100);
}

// Yes: the recovered level, modified against its file. No: the level as on
// disk, the recovery file gone. One that does not load is not offered, and stays.
TEST_F(LevelSafetyTest, ARecoveryFileThatLoadsIsOfferedWhenTheLevelOpens) {
    const std::string onDisk = readFile(level), restored = levelWithEnemyAt(333);
    const struct { const char* recovered; int answer; Lines dialogs; int x; } cases[] = {
        {nullptr, IDYES, {OpenDialog, RestoreQuestion}, 333},
        {nullptr, IDNO, {SaveQuestion, OpenDialog}, 100},  // modified: asked to save; No drops the recovery file
        {nullptr, IDNO, {OpenDialog, RestoreQuestion}, 100},
        {"half a level", 0, {OpenDialog}, 100},
    };
    for (const auto& c : cases) {
        if (c.recovered || c.dialogs[0] != SaveQuestion) writeFile(recovery, c.recovered ? c.recovered : restored);
        dialogs.clear();
        boxAnswers = c.answer ? std::deque<int>{c.answer} : std::deque<int>{};
        open(level);
        EXPECT_EQ(dialogs, c.dialogs);
        EXPECT_EQ(std::tuple(session.document.enemies[0].x, levelModified(), readFile(level), recoveryExists()),
                  std::tuple(c.x, c.x == 333, onDisk, c.answer != IDNO));
    }
    EXPECT_EQ(readFile(recovery), "half a level");
}

// Read again at once while unmodified, else asked once for each change; a
// file that no longer loads is said once and changes nothing. The selection
// and the scroll bars stay; the editor's own save is no other program's change.
TEST_F(LevelSafetyTest, ALevelFileChangedByAnotherProgramIsReadAgainOrAskedAboutOnce) {
    writeFile(level, levelWithEnemyAt(103));  // the timer's own look, before the test's clock takes over
    ASSERT_TRUE(ticksUntil([this] { return session.document.enemies[0].x == 103; }));
    click(Enemy0X, Enemy0Y);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20), 0);
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0);
    watch();
    const struct { bool modify; std::string file; int answer, x; } changes[] = {
        {false, levelWithEnemyAt(105), 0, 105}, {true, levelWithEnemyAt(107), IDNO, 105},
        {false, levelWithEnemyAt(109), IDYES, 109}, {false, "half a level", 0, 109}};
    for (const auto& c : changes) {
        if (c.modify) send(NewImageSetCommand);
        writeFile(level, c.file);
        boxAnswers = c.answer ? std::deque<int>{c.answer} : std::deque<int>{};
        watch();
        watch();
        EXPECT_EQ(session.document.enemies[0].x, c.x);
    }
    EXPECT_EQ(dialogs, (Lines{ReloadQuestion, ReloadQuestion, "Dat file Loading Error|File ended before expected"}));
    SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);  // goes on from where the reload kept the bars
    EXPECT_EQ(std::tuple(levelModified(), session.state.selectedEnemy, scrollPosition().h, scrollPosition().v),
              std::tuple(false, 0, 20, 31));
    writeFile(level, levelWithEnemyAt(111));
    watch();
    fileAnswers = {level};
    boxAnswers = {IDYES};
    send(SaveAsCommand);
    watch();
    EXPECT_EQ(dialogs.size(), 5u) << dialogs.back();
}

TEST_F(LevelSafetyTest, ABitmapChangedByAnotherProgramIsShownAtOnce) {
    watch();  // takes note of the bitmap
    writeBmp(dir.file("level.bmp"), 640, 800, 24, std::vector<uint8_t>(size_t(640) * 800 * 3, 0x5A));
    watch();
    EXPECT_EQ(readPixels({300, 300, 301, 301}).colours[0], Rgb(0x5A5A5A));
    EXPECT_TRUE(dialogs.empty());
    writeFile(dir.file("level.bmp"), "no bitmap");
    watch();
    watch();
    EXPECT_EQ(dialogs, Lines{BitmapError});
    EXPECT_EQ(levelBitmap.height, 800) << "the one loaded before stays";
}

}  // namespace
}  // namespace qzt::gui
