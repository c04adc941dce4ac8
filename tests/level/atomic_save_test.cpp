// Saves replace the level whole or not at all, and only where a plain write
// of a regular file would go.
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "level/atomic_file.h"
#include "level/dat_writer.h"
#include "test_support.h"

#ifdef _WIN32
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "level/regular_file.h"
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
    std::string path = dir.file("level.dat"), saved = testing::exampleLevelBytes();
    LevelDocument doc;
    void SetUp() override {
        testing::RecordingSteps steps;
        ASSERT_EQ(testing::loadText(saved, doc, steps), LoadOk);
    }
    std::string save(const std::string& name) { return saveLevelFile(dir.file(name).c_str(), doc).why; }
    void expectOnly(std::initializer_list<const char*> names) {
        EXPECT_EQ(dir.entries(), std::vector<std::string>(names.begin(), names.end())) << "no temporary file left";
    }
};

// Refused targets are left as they were.
TEST_F(SaveCase, ReplacesAWholeFileKeepingItsPermissionsAndRefusesDirectoriesAndReadOnlyFiles) {
    testing::writeFile(path, std::string(5000, 'x'));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::perms permissions = fs::status(path).permissions();
    EXPECT_EQ(save("level.dat"), "");
    EXPECT_EQ(readFile(path), saved);
    EXPECT_EQ(fs::status(path).permissions(), permissions);

    fs::create_directory(dir.file("folder.dat"));
    EXPECT_EQ(save("folder.dat"), "the path is a directory");
    testing::writeFile(dir.file("old.dat"), kOldBytes);
    fs::permissions(dir.file("old.dat"), fs::perms::owner_read);
    EXPECT_EQ(save("old.dat"), "the file is read-only");
    EXPECT_EQ(readFile(dir.file("old.dat")), kOldBytes);
    fs::permissions(dir.file("old.dat"), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(save("no-such-dir/level.dat").rfind("cannot create a file in its directory", 0), 0u);
    expectOnly({"folder.dat", "level.dat", "old.dat"});
}

// Each save writes a file of its own: of saves of one target at the same
// moment, the target ends whole as one that reported success, and no
// temporary file stays.
TEST_F(SaveCase, SimultaneousSavesEachWriteTheirOwnFile) {
    constexpr int Savers = 4;
    const auto bytesOf = [](int saver) { return std::string(1 << 18, char('a' + saver)); };
    for (int round = 0; round < 20; ++round) {
        std::atomic<int> ready{0};
        std::string whys[Savers];
        std::vector<std::thread> savers;
        for (int i = 0; i < Savers; ++i) {
            savers.emplace_back([&, i] {
                for (++ready; ready < Savers;) std::this_thread::yield();
                replaceFileAtomically(path.c_str(), bytesOf(i), whys[i]);
            });
        }
        for (std::thread& saver : savers) saver.join();
        const std::string bytes = readFile(path);
        const int winner = bytes.empty() ? -1 : bytes[0] - 'a';
        ASSERT_TRUE(winner >= 0 && winner < Savers && whys[winner].empty() && bytes == bytesOf(winner))
            << bytes.size() << " bytes; " << ::testing::PrintToString(whys);
#ifndef _WIN32
        // Windows (Wine at least) may refuse a rename onto a file that another rename is replacing.
        for (const std::string& why : whys) EXPECT_EQ(why, "");
#endif
        expectOnly({"level.dat"});
    }
}

#ifdef _WIN32
std::wstring permissionsText(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    LPWSTR text = nullptr;
    GetNamedSecurityInfoW(widePath(path.c_str()).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                          nullptr, nullptr, &descriptor);
    ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text,
                                                         nullptr);
    const std::wstring result = text ? text : L"unreadable";
    LocalFree(text);
    LocalFree(descriptor);
    return result;
}

// The replaced file's hidden and system attributes and its permissions (only
// SYSTEM and Users) stay, where a new file gets its folder's.
TEST_F(SaveCase, KeepsTheReplacedFilesAttributesAndPermissions) {
    EXPECT_EQ(save("new.dat"), "");
    testing::writeFile(path, kOldBytes);
    const std::wstring wide = widePath(path.c_str());
    PSECURITY_DESCRIPTOR restricted = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;SY)(A;;FA;;;BU)", SDDL_REVISION_1,
                                                                     &restricted, nullptr));
    ASSERT_TRUE(SetFileSecurityW(wide.c_str(), DACL_SECURITY_INFORMATION, restricted));
    LocalFree(restricted);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const std::wstring permissions = permissionsText(path);
    ASSERT_NE(permissions, permissionsText(dir.file("new.dat")));

    EXPECT_EQ(save("level.dat"), "");
    const DWORD attributes = GetFileAttributesW(wide.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(attributes, DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(permissionsText(path), permissions);
}

// As long as the save dialog allows, beyond MAX_PATH.
TEST_F(SaveCase, SavesPathsLongerThanMaxPath) {
    const std::string deep = dir.path().string() + "\\" + std::string(150, 'd');
    const std::string target = deep + "\\" + std::string(120, 'n') + ".dat";
    ASSERT_TRUE(CreateDirectoryW(widePath(deep.c_str()).c_str(), nullptr));
    EXPECT_EQ(saveLevelFile(target.c_str(), doc).why, "");
    {
        RegularFile file;
        std::string why;
        EXPECT_TRUE(file.open(target.c_str(), why)) << why;
        EXPECT_EQ(file.size(), saved.size());
    }
    DeleteFileW(widePath(target.c_str()).c_str());
    EXPECT_TRUE(RemoveDirectoryW(widePath(deep.c_str()).c_str())) << "no temporary file left";
}
#else
// The temporary file's name leaves room for any legal name, and directories
// up to a 100-byte name short of PATH_MAX.
TEST_F(SaveCase, SavesAtTheLongestNamesAndPathsTheSystemTakes) {
    std::string deep = dir.path().string();
    const size_t depth = PATH_MAX - 1 - 101;
    while (depth - deep.size() > 201) deep += "/" + std::string(200, 'd');
    deep += "/" + std::string(depth - deep.size() - 1, 'd');
    fs::create_directories(deep);
    for (const std::string& target : {dir.file(std::string(250, 'n') + ".dat"), deep + "/" + std::string(100, 'p')}) {
        EXPECT_EQ(saveLevelFile(target.c_str(), doc).why, "") << target.size();
        EXPECT_EQ(readFile(target), saved);
    }
}

// A link is written through, as a plain write would, and stays a link; a
// FIFO, also behind a link, is refused: a rename would put a file in its place.
TEST_F(SaveCase, SavesThroughALinkToTheFileItNamesButNotToAFifo) {
    testing::writeFile(dir.file("real.dat"), kOldBytes);
    fs::create_symlink("real.dat", path);
    fs::create_symlink(dir.file("new.dat"), dir.file("dangling.dat"));
    EXPECT_EQ(save("level.dat") + save("dangling.dat"), "");
    EXPECT_EQ(readFile(dir.file("real.dat")) + readFile(dir.file("new.dat")), saved + saved);
    ASSERT_EQ(mkfifo(dir.file("pipe.dat").c_str(), 0600), 0);
    fs::create_symlink("pipe.dat", dir.file("to-pipe.dat"));
    for (const char* name : {"pipe.dat", "to-pipe.dat"}) EXPECT_EQ(save(name), "the path is not a regular file");
    EXPECT_TRUE(fs::is_symlink(path) && fs::is_symlink(dir.file("dangling.dat")) && fs::is_fifo(dir.file("pipe.dat")));
    expectOnly({"dangling.dat", "level.dat", "new.dat", "pipe.dat", "real.dat", "to-pipe.dat"});
}

// Killed anywhere, a save leaves the level whole and at most its own
// temporary file.
TEST_F(SaveCase, AKilledSaveLeavesTheLevelWholeAndAtMostItsOwnFile) {
    testing::writeFile(path, kOldBytes);
    for (int delay = 0; delay < 3000; delay += 97) {
        const size_t before = dir.entries().size();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (;;) saveLevelFile(path.c_str(), doc);
        usleep(useconds_t(delay));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string bytes = readFile(path);
        ASSERT_TRUE(bytes == kOldBytes || bytes == saved) << bytes.size() << " bytes";
        ASSERT_LE(dir.entries().size(), before + 1);
    }
}

// A file size limit makes every write past it fail, as a full disk does.
TEST_F(SaveCase, AFullDiskLeavesTheOldFile) {
    testing::writeFile(path, kOldBytes);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(save("level.dat").rfind("cannot write", 0) == 0 ? 0 : 1);
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
