// A level's work on disk, on the real windows: the recovery file's life from
// the timer, its offer when the level opens, and the level file and bitmap
// changed by another program. The schedules' own cases are the native tests'.
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/disk_watch.h"
#include "gui/gui_support.h"
#include "level/dat_writer.h"
#include "win32/document_changes.h"

namespace qzt::gui {
namespace {

using qzt::testing::readFile;
using qzt::testing::writeFile;

const std::string RestoreQuestion = "Dat file Loading Error|This level has changes that were not saved when the "
                                    "editor last closed. Restore them?|40034";
const std::string ReloadQuestion = "Dat file Loading Error|The level file was changed by another program. Reload "
                                   "it and lose your changes?|40034";

class LevelSafetyTest : public EditorTest {
public:
    void SetUp() override { EditorTest::SetUp(), startWithLevel(); }
    bool recoveryExists() const { return GetFileAttributesA(recovery.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // Ticks as the timer does until done: the disk work may have to wait for the clock.
    bool ticksUntil(const std::function<bool()>& done) {
        for (const DWORD deadline = GetTickCount() + 5000; GetTickCount() < deadline; Sleep(20))
            if (tick(), done()) return true;
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
    EXPECT_EQ(readFile(recovery), serializeLevel(session.document));
    controlKey('Z'), tick();  // back to what is saved
    EXPECT_FALSE(recoveryExists());
    controlKey('Y');
    ASSERT_TRUE(recoveryWritten());
    const std::string onDisk = readFile(level);
    // Saved to its own file, or dropped at Open: the file goes with them.
    boxAnswers = {IDYES}, fileAnswers = {level};  // replace level.dat
    send(SaveCommand);
    EXPECT_TRUE(!recoveryExists() && readFile(level) != onDisk);
    send(NewImageSetCommand);
    ASSERT_TRUE(recoveryWritten());
    boxAnswers = {IDNO}, fileAnswers = {""};
    send(OpenCommand);
    EXPECT_TRUE(!recoveryExists() && dialogs.size() == 4);
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
        dialogs.clear(), boxAnswers = c.answer ? std::deque<int>{c.answer} : std::deque<int>{};
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
        watch(), watch();
        EXPECT_EQ(session.document.enemies[0].x, c.x);
    }
    EXPECT_EQ(dialogs, (Lines{ReloadQuestion, ReloadQuestion, "Dat file Loading Error|File ended before expected"}));
    SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);  // goes on from where the reload kept the bars
    EXPECT_EQ(std::tuple(levelModified(), session.state.selectedEnemy, scrollPosition().h, scrollPosition().v),
              std::tuple(false, 0, 20, 31));
    writeFile(level, levelWithEnemyAt(111)), watch();
    fileAnswers = {level}, boxAnswers = {IDYES};
    send(SaveCommand), watch();
    EXPECT_EQ(dialogs.size(), 5u) << dialogs.back();
}

TEST_F(LevelSafetyTest, ABitmapChangedByAnotherProgramIsShownAtOnce) {
    watch();  // takes note of the bitmap
    writeBmp(dir.file("level.bmp"), 640, 800, 24, std::vector<uint8_t>(size_t(640) * 800 * 3, 0x5A));
    watch();
    EXPECT_EQ(readPixels({300, 300, 301, 301}).colours[0], Rgb(0x5A5A5A));
    EXPECT_TRUE(dialogs.empty());
    writeFile(dir.file("level.bmp"), "no bitmap");
    watch(), watch();
    EXPECT_EQ(dialogs, Lines{BitmapError});
    EXPECT_EQ(levelBitmap.height, 800) << "the one loaded before stays";
}

}  // namespace
}  // namespace qzt::gui
