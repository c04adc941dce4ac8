// When the recovery file is written and removed, on a clock of the test's
// own; and when a watched file counts as changed on disk.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "edit/file_watch.h"
#include "edit/recovery_schedule.h"
#include "level/test_support.h"

namespace qzt {
namespace {

using Action = RecoverySchedule::Action;

TEST(RecoverySchedule, WritesUnsavedChangesEveryTwoSecondsAtMostAndRemovesTheFileOnceAllIsSaved) {
    RecoverySchedule schedule;
    // Each tick: time, unsaved, unwritten, what is due, and whether the write succeeds.
    const struct { uint64_t ms; bool unsaved, unwritten; Action due; bool written; } ticks[] = {
        {0, false, false, Action::Nothing, false},     // nothing to keep
        {250, true, true, Action::Write, true},        // a change: written at the next tick
        {500, true, true, Action::Nothing, false},     // another, too soon after
        {2249, true, true, Action::Nothing, false},
        {2250, true, true, Action::Write, false},      // a read-only folder: no file, tried again later
        {4000, true, true, Action::Nothing, false},
        {4250, true, true, Action::Write, true},
        {9000, true, false, Action::Nothing, false},   // nothing new since
        {9250, false, false, Action::Remove, false},   // undone back to what is saved
    };
    for (const auto& t : ticks) {
        SCOPED_TRACE(t.ms);
        EXPECT_EQ(schedule.next(t.ms, t.unsaved, t.unwritten), t.due);
        if (t.due == Action::Write) schedule.tried(t.ms, t.written);
        if (t.due == Action::Remove) schedule.removed();
    }
    EXPECT_EQ(schedule.next(9500, false, false), Action::Nothing);
    schedule.found();  // restored from a file the editor did not write
    EXPECT_EQ(schedule.next(9750, false, false), Action::Remove);
}

class FileWatchTest : public ::testing::Test {
protected:
    void SetUp() override { qzt::testing::writeFile(path, "level one"); }
    void rewrite(const std::string& bytes) {
        qzt::testing::writeFile(path, bytes);
        // A new time, so that even bytes of the same size show in the stamp.
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(++moves));
    }
    qzt::testing::TempDir dir;
    const std::string path = dir.file("level.dat");
    int moves = 0;
};

TEST_F(FileWatchTest, ALevelCountsAsChangedOncePerChangeOfItsBytesAndAtMostOnceASecond) {
    FileWatch watch;
    watch.know(path, fileStamp(path.c_str()), fingerprintOf("level one"));
    const struct { uint64_t ms; const char* write; bool changed; } steps[] = {
        {0, nullptr, false},
        {100, "level two", false},  // not checked again within the second
        {1000, nullptr, true},      // seen now, and known from then on
        {2000, nullptr, false},
        {3000, "level two", false},  // touched, the same bytes
        {4000, "level 3", true},
        {5000, "", true},  // emptied
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.ms);
        if (s.write) rewrite(s.write);
        EXPECT_EQ(watch.changed(s.ms), s.changed);
    }
    std::filesystem::remove(path);
    EXPECT_TRUE(watch.changed(6000)) << "gone";
    qzt::testing::writeFile(path, "back");
    EXPECT_TRUE(watch.changed(7000));
    watch.stop();
    rewrite("level four");
    EXPECT_FALSE(watch.changed(8000));
}

TEST_F(FileWatchTest, ABitmapCountsAsChangedWithANewStampAlone) {
    FileWatch watch;
    watch.know(path, fileStamp(path.c_str()), std::nullopt);
    EXPECT_FALSE(watch.changed(0));
    rewrite("level one");
    EXPECT_TRUE(watch.changed(1000));
    EXPECT_FALSE(watch.changed(2000));
}

}  // namespace
}  // namespace qzt
