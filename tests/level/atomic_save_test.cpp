#include <gtest/gtest.h>

#include <filesystem>

#include "level/dat_writer.h"
#include "test_support.h"

#ifdef _WIN32
#include <windows.h>

#include "level/regular_file.h"
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <climits>
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

#ifdef _WIN32
// As long as the save dialog allows, beyond MAX_PATH.
TEST_F(SaveCase, SavesPathsLongerThanMaxPath) {
    const std::string deep = dir.path().string() + "\\" + std::string(150, 'd');
    const std::string target = deep + "\\" + std::string(120, 'n') + ".dat";
    ASSERT_GT(target.size(), size_t(MAX_PATH));
    ASSERT_TRUE(CreateDirectoryW(widePath(deep.c_str()).c_str(), nullptr));
    const SaveOutcome outcome = saveLevelFile(target.c_str(), doc);
    EXPECT_TRUE(outcome.ok) << outcome.why;
    {
        RegularFile file;
        std::string why;
        EXPECT_TRUE(file.open(target.c_str(), why)) << why;
        EXPECT_EQ(file.size(), testing::exampleLevelBytes().size());
    }
    DeleteFileW(widePath(target.c_str()).c_str());
    EXPECT_TRUE(RemoveDirectoryW(widePath(deep.c_str()).c_str())) << "no temporary file left";
}
#else
// The temporary file's name leaves room for any legal name and path.
TEST_F(SaveCase, SavesAtTheLongestNamesAndPathsTheSystemTakes) {
    const std::string longName = dir.file(std::string(250, 'n') + ".dat");
    // Directories up to a 100-byte name short of PATH_MAX, with its terminator.
    const size_t depth = PATH_MAX - 1 - 101;
    std::string deep = dir.path().string();
    while (depth - deep.size() > 201) deep += "/" + std::string(200, 'd');
    deep += "/" + std::string(depth - deep.size() - 1, 'd');
    fs::create_directories(deep);
    for (const std::string& target : {longName, deep + "/" + std::string(100, 'p')}) {
        SCOPED_TRACE(target.size());
        const SaveOutcome outcome = saveLevelFile(target.c_str(), doc);
        ASSERT_TRUE(outcome.ok) << outcome.why;
        EXPECT_EQ(readFile(target), testing::exampleLevelBytes());
    }
}

// A link is written through, as a plain write would, and stays a link.
TEST_F(SaveCase, SavingThroughALinkWritesTheFileItNames) {
    testing::writeFile(dir.file("real.dat"), kOldBytes);
    fs::create_symlink("real.dat", path);
    fs::create_symlink(dir.file("new.dat"), dir.file("dangling.dat"));
    for (const char* link : {"level.dat", "dangling.dat"}) ASSERT_TRUE(saveLevelFile(dir.file(link).c_str(), doc).ok);
    EXPECT_TRUE(fs::is_symlink(path) && fs::is_symlink(dir.file("dangling.dat")));
    EXPECT_EQ(readFile(dir.file("real.dat")), testing::exampleLevelBytes());
    EXPECT_EQ(readFile(dir.file("new.dat")), testing::exampleLevelBytes());
    expectOnly({"dangling.dat", "level.dat", "new.dat", "real.dat"});
}

// A socket's node stays on disk after the socket is closed.
void makeSocketNode(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    const int bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
    ASSERT_EQ(bound, 0);
}

// A rename would put a regular file in the place of a FIFO, a socket or a
// device, also one reached through a link: each stays as it is.
TEST_F(SaveCase, RefusesNodesThatAreNotRegularFilesAlsoThroughALink) {
    ASSERT_EQ(mkfifo(dir.file("pipe.dat").c_str(), 0600), 0);
    makeSocketNode(dir.file("socket.dat"));
    fs::create_symlink("pipe.dat", path);
    for (const char* name : {"pipe.dat", "socket.dat", "level.dat"}) {
        const SaveOutcome outcome = saveLevelFile(dir.file(name).c_str(), doc);
        EXPECT_FALSE(outcome.ok) << name;
        EXPECT_EQ(outcome.why, "the path is not a regular file") << name;
    }
    EXPECT_TRUE(fs::is_fifo(dir.file("pipe.dat")) && fs::is_socket(dir.file("socket.dat")) && fs::is_symlink(path));
    expectOnly({"level.dat", "pipe.dat", "socket.dat"});
}

// Killed anywhere, a save leaves the level whole and at most one temporary
// file, which the next save of that level takes away.
TEST_F(SaveCase, AKilledSaveLeavesTheLevelWholeAndOneFileAtMost) {
    testing::writeFile(path, kOldBytes);
    const std::string saved = serializeLevel(doc);
    for (int delay = 0; delay < 3000; delay += 97) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (;;) saveLevelFile(path.c_str(), doc);
        usleep(useconds_t(delay));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string bytes = readFile(path);
        ASSERT_TRUE(bytes == kOldBytes || bytes == saved) << bytes.size() << " bytes";
        ASSERT_LE(dir.entries().size(), 2u);
    }
    ASSERT_TRUE(saveLevelFile(path.c_str(), doc).ok);
    expectOnly({"level.dat"});
}

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
