// What the editor keeps of the changes: the history of steps and whole-
// document equality, the selections kept after a step, when the recovery file
// is written and removed (on a clock of the test's own), and when a watched
// file counts as changed on disk.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <optional>
#include <tuple>

#include "edit/file_watch.h"
#include "edit/history.h"
#include "edit/recovery_schedule.h"
#include "edit/recovery_stamp.h"
#include "edit/slot_rules.h"
#include "level/test_support.h"

namespace qzt {
namespace {

std::unique_ptr<LevelDocument> levelAt(int32_t x) {
    auto doc = std::make_unique<LevelDocument>();
    doc->loaded = 1;
    doc->enemies[0].used = 1;
    doc->enemies[0].x = x;
    return doc;
}

// A gesture that changes nothing is no step; saved after an undo, a new
// gesture drops the step that was undone; the oldest steps go past a
// thousand. Each step keeps its name for the Edit menu.
TEST(History, AGestureIsOneStepAndUndoRedoWalkThemWithTheModifiedState) {
    History history;
    auto doc = levelAt(0);
    history.reset(*doc);
    const uint64_t version = history.version();
    EXPECT_FALSE(history.record(*doc, StepName::Move));
    doc->enemies[0].x = 1000;
    history.record(*doc, StepName::Move);
    doc->enemies[0].hitPoints = 7;
    EXPECT_TRUE(history.record(*doc, StepName::Value));
    EXPECT_EQ(std::tuple(history.steps(), history.version(), history.modified()), std::tuple(2u, version + 2, true));
    EXPECT_EQ(history.undoName(), StepName::Value);
    EXPECT_EQ(history.undo()->enemies[0].hitPoints, 0);
    EXPECT_EQ(std::pair(history.undoName(), history.redoName()), std::pair(std::optional(StepName::Move), std::optional(StepName::Value)));
    EXPECT_TRUE(history.undo()->enemies[0].x == 0 && !history.modified() && !history.undo()) << "back at the start";
    EXPECT_EQ(history.undoName(), std::nullopt);
    EXPECT_EQ(history.redo()->enemies[0].x, 1000);
    *doc = history.current();
    history.markSaved(*doc);
    EXPECT_FALSE(history.modified());
    doc->enemies[0].y = 5;
    EXPECT_TRUE(history.record(*doc, StepName::Resize) && !history.redo());
    EXPECT_EQ(history.redoName(), std::nullopt) << "the step undone before is gone";
    EXPECT_TRUE(history.undo()->enemies[0].hitPoints == 0 && !history.modified());
    for (int32_t x = 1; x <= int32_t(History::MaxSteps) + 5; ++x) {
        doc->enemies[0].x = x;
        history.record(*doc, x == 6 ? StepName::Nudge : StepName::Move);
    }
    while (history.undo()) continue;
    EXPECT_EQ(std::tuple(history.steps(), history.current().enemies[0].x, history.modified()),
              std::tuple(History::MaxSteps, 5, true));
    EXPECT_EQ(history.redoName(), StepName::Nudge) << "names keep to their steps as the oldest go";
}

// A run of nudges is one step: amending the current step keeps one to undo.
TEST(History, AmendingTheCurrentStepKeepsItOneStep) {
    History history;
    auto doc = levelAt(0);
    history.reset(*doc);
    EXPECT_FALSE(history.amend(*levelAt(1))) << "no step to amend";
    doc->enemies[0].x = 1;
    history.record(*doc, StepName::Nudge);
    doc->enemies[0].x = 2;
    EXPECT_TRUE(history.amend(*doc));
    EXPECT_EQ(std::pair(history.steps(), history.current().enemies[0].x), std::pair(size_t(1), 2));
    EXPECT_EQ(history.undo()->enemies[0].x, 0);
}

TEST(SameDocument, EveryFieldCountsStaleOnesTooButNotTextAfterItsEnd) {
    const auto a = levelAt(3), b = levelAt(3);
    b->header.title[5] = 'x';  // after the end of an empty title
    EXPECT_TRUE(sameDocument(*a, *b));
    for (auto change : {+[](LevelDocument& d) { d.header.title[0] = 'x'; }, +[](LevelDocument& d) { d.enemyCount = 2; },
                        +[](LevelDocument& d) { d.programs[3].steps[74] = 1; },  // past the count: stale, still counts
                        +[](LevelDocument& d) { d.enemies[14].speed = 1; }, +[](LevelDocument& d) { d.enemies[0].used = 0; },
                        +[](LevelDocument& d) { d.imageSets[14].frameCount = 2; }}) {
        auto c = levelAt(3);
        change(*c);
        EXPECT_FALSE(sameDocument(*a, *c));
    }
}

TEST(SlotRules, SelectionsOfSlotsNoLongerUsedAreDropped) {
    auto doc = levelAt(0);
    doc->imageSets[2].used = 1;
    for (const auto& [enemy, set, kept] : {std::tuple{0, 2, std::pair(0, 2)}, {1, 3, {-1, -1}}, {20, 15, {-1, -1}}}) {
        EditorState state;
        state.selectedEnemy = enemy;
        state.selectedImageSet = set;
        keepUsedSelections(*doc, state);
        EXPECT_EQ(std::pair(state.selectedEnemy, state.selectedImageSet), kept);
    }
}

// Each tick: time, unsaved, unwritten, what is due, and whether a write succeeds.
TEST(RecoverySchedule, WritesUnsavedChangesEveryTwoSecondsAtMostAndRemovesTheFileOnceAllIsSaved) {
    using A = RecoverySchedule::Action;
    RecoverySchedule schedule;
    const struct { uint64_t ms; bool unsaved, unwritten; A due; bool written; } ticks[] = {
        {0, false, false, A::Nothing, false}, {250, true, true, A::Write, true},        // a change: written at once
        {2249, true, true, A::Nothing, false}, {2250, true, true, A::Write, false},     // and no sooner than 2 s on;
        {4000, true, true, A::Nothing, false}, {4250, true, true, A::Write, false},     // a read-only folder: again
        {9000, true, false, A::Nothing, false}, {9250, false, false, A::Remove, false},  // all saved: the file goes
        {9500, false, false, A::Nothing, false}};
    for (const auto& t : ticks) {
        EXPECT_EQ(schedule.next(t.ms, t.unsaved, t.unwritten), t.due) << t.ms;
        if (t.due == A::Write) schedule.tried(t.ms, t.written);
        if (t.due == A::Remove) schedule.removed();
    }
    schedule.found();  // restored from a file the editor did not write
    EXPECT_EQ(schedule.next(9750, false, false), A::Remove);
}

// The stamp rides after "END": the file still loads as the level. A file
// without a whole stamp has none.
TEST(RecoveryStamp, ReadsBackWhatWasWrittenAfterTheLevelWhichStillLoads) {
    const std::string level = qzt::testing::exampleLevelBytes();
    const RecoveryStamp known{0x0123456789abcdefu, 0xfedcba9876543210u};
    const RecoveryStamp unknown{std::nullopt, 7};
    for (const RecoveryStamp& stamp : {known, unknown}) {
        const std::string file = stampedRecovery(level, stamp);
        EXPECT_EQ(recoveryStampOf(file), stamp);
        LevelDocument fromFile, fromLevel;
        qzt::testing::RecordingSteps steps;
        ASSERT_EQ(qzt::testing::loadText(file, fromFile, steps), LoadOk);
        ASSERT_EQ(qzt::testing::loadText(level, fromLevel, steps), LoadOk);
        EXPECT_TRUE(sameDocument(fromFile, fromLevel));
    }
    const std::string whole = stampedRecovery(level, known);
    for (const std::string& damaged : {level, whole.substr(0, whole.size() - 1), whole + "x",
                                       stampedRecovery(level, known).replace(whole.size() - 5, 1, "g")})
        EXPECT_FALSE(recoveryStampOf(damaged).has_value()) << damaged.substr(damaged.size() - 40);
}

// A level counts as changed once per change of its bytes, a bitmap with a new
// stamp alone; neither more than once a second, nor once stopped. Each write
// is dated later, so that even bytes of the same size show in the stamp.
TEST(FileWatch, AFileCountsAsChangedOncePerChangeAndAtMostOnceASecond) {
    qzt::testing::TempDir dir;
    const std::string path = dir.file("level.dat");
    qzt::testing::writeFile(path, "level one");
    FileWatch level, bitmap;
    level.know(path, fileStamp(path.c_str()), fingerprintOf("level one"));
    bitmap.know(path, fileStamp(path.c_str()), std::nullopt);
    for (const auto& [ms, bytes, levelChanged, bitmapChanged] :
         {std::tuple{0, "level one", false, true}, {1000, "level 3", true, true}, {1500, "level 4", false, false},
          {2500, "level 4", true, true}, {3500, "level 4", false, true}}) {
        qzt::testing::writeFile(path, bytes);
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(ms + 1));
        EXPECT_EQ(std::pair(level.changed(ms), bitmap.changed(ms)), std::pair(levelChanged, bitmapChanged)) << ms;
    }
    level.stop();
    qzt::testing::writeFile(path, "level five");
    EXPECT_FALSE(level.changed(9000));
}

}  // namespace
}  // namespace qzt
