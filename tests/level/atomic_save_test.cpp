#include <gtest/gtest.h>

#include <filesystem>

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

namespace fs = std::filesystem;
using testing::readFile;

const char kOldBytes[] = "old level bytes that must survive";

struct SaveCase : ::testing::Test {
    testing::TempDir dir;
    std::string path = dir.file("level.dat");
    LevelDocument doc;
    void SetUp() override {
        testing::RecordingSteps steps;
        ASSERT_EQ(testing::loadText(testing::exampleLevelBytes(), doc, steps), LoadOk);
    }
    void expectOnly(std::initializer_list<const char*> names) {
        EXPECT_EQ(dir.entries(), std::vector<std::string>(names.begin(), names.end())) << "no temporary file left";
    }
};

TEST_F(SaveCase, ReplacesTheWholeFileWithExactlyTheWrittenBytes) {
    testing::writeFile(path, std::string(5000, 'x'));
    SaveOutcome outcome = saveLevelFile(path.c_str(), doc);
    ASSERT_TRUE(outcome.ok) << outcome.why;
    EXPECT_EQ(readFile(path), testing::exampleLevelBytes());
    expectOnly({"level.dat"});
}

TEST_F(SaveCase, RefusesDirectoriesReadOnlyFilesAndMissingDirectoriesChangingNothing) {
    fs::create_directory(dir.file("folder.dat"));
    SaveOutcome outcome = saveLevelFile(dir.file("folder.dat").c_str(), doc);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.why, "the path is a directory");
    EXPECT_TRUE(fs::is_directory(dir.file("folder.dat")));

    testing::writeFile(path, kOldBytes);
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    outcome = saveLevelFile(path.c_str(), doc);
    EXPECT_EQ(outcome.why, "the file is read-only");
    EXPECT_EQ(readFile(path), kOldBytes);
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);

    outcome = saveLevelFile(dir.file("no-such-dir/level.dat").c_str(), doc);
    EXPECT_EQ(outcome.why.rfind("cannot create a file in its directory", 0), 0u) << outcome.why;
    expectOnly({"folder.dat", "level.dat"});
}

#ifndef _WIN32
// A file size limit makes every write past it fail, as a full disk does.
TEST_F(SaveCase, AFullDiskLeavesTheOldFile) {
    testing::writeFile(path, kOldBytes);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        SaveOutcome outcome = saveLevelFile(path.c_str(), doc);
        _exit(!outcome.ok && outcome.why.rfind("cannot write", 0) == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readFile(path), kOldBytes);
    expectOnly({"level.dat"});
}
#endif

}  // namespace
}  // namespace qzt
