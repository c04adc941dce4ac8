#include <gtest/gtest.h>

#include <filesystem>

#include "example_level.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "test_support.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace qzt {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

LevelDocument exampleDocument() {
    LevelDocument doc;
    testing::RecordingSteps steps;
    EXPECT_EQ(testing::loadText(testing::exampleLevelBytes(), doc, steps), LoadOk);
    return doc;
}

const char kOldBytes[] = "old level bytes that must survive";

TEST(AtomicSave, WritesExactlyTheSerialisedBytesAndLeavesNothingElse) {
    TempDir dir;
    std::string path = dir.file("level.dat");
    writeFile(path, std::string(5000, 'x'));  // longer than the new content: replaced entirely
    SaveOutcome outcome = saveLevelFile(path.c_str(), exampleDocument());
    ASSERT_TRUE(outcome.ok) << outcome.why;
    EXPECT_EQ(readFile(path), testing::exampleLevelBytes());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.dat"});
}

TEST(AtomicSave, RefusesADirectoryAndKeepsIt) {
    TempDir dir;
    std::string path = dir.file("level.dat");
    std::filesystem::create_directory(path);
    SaveOutcome outcome = saveLevelFile(path.c_str(), exampleDocument());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.why, "the path is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.dat"});
}

TEST(AtomicSave, RefusesAReadOnlyFileAndKeepsItsBytes) {
    TempDir dir;
    std::string path = dir.file("level.dat");
    writeFile(path, kOldBytes);
    std::filesystem::permissions(path, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                           std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    SaveOutcome outcome = saveLevelFile(path.c_str(), exampleDocument());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.why, "the file is read-only");
    EXPECT_EQ(readFile(path), kOldBytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.dat"});
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

TEST(AtomicSave, ReportsADirectoryThatDoesNotExist) {
    TempDir dir;
    std::string path = dir.file("no-such-dir/level.dat");
    SaveOutcome outcome = saveLevelFile(path.c_str(), exampleDocument());
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.why.find("cannot create a file in its directory"), std::string::npos) << outcome.why;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{});
}

#ifndef _WIN32
// A file size limit makes every write past it fail, as a full disk does.
TEST(AtomicSave, AFullDiskLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    std::string path = dir.file("level.dat");
    writeFile(path, kOldBytes);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        SaveOutcome outcome = saveLevelFile(path.c_str(), exampleDocument());
        _exit(!outcome.ok && outcome.why.find("cannot write") == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readFile(path), kOldBytes);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.dat"});
}

TEST(AtomicSave, ReportsAPathThatCannotBeCreatedEvenByRoot) {
    SaveOutcome outcome = saveLevelFile("/proc/qzt-level.dat", exampleDocument());
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.why.empty());
}
#endif

}  // namespace
}  // namespace qzt
