// A level saved into another folder: whether its bitmap stays behind, and its
// copy to the same place beside the new level.
#include <gtest/gtest.h>

#include "level/bitmap_beside_level.h"
#include "test_support.h"

namespace qzt {
namespace {

namespace fs = std::filesystem;

// Level a/cave.dat names its bitmap with both separators and "..": it lies in
// art/gfx. Folders b and b/c are empty.
struct BitmapBesideLevel : ::testing::Test {
    testing::TempDir dir;
    const char* bitmap = "..\\art/gfx\\cave.bmp";
    std::string level = dir.file("a/cave.dat"), elsewhere = dir.file("b/c/new.dat");
    void SetUp() override {
        for (const char* folder : {"a", "art/gfx", "b/c"}) fs::create_directories(dir.file(folder));
        testing::writeFile(dir.file("art/gfx/cave.bmp"), "BM bytes");
    }
};

TEST_F(BitmapBesideLevel, IsLeftBehindWhenFoundBesideTheOldPathButNotTheNewOne) {
    EXPECT_TRUE(bitmapLeftBehind(level, elsewhere, bitmap));
    EXPECT_FALSE(bitmapLeftBehind(level, dir.file("b/new.dat"), bitmap));  // b/../art is art
    // A level never saved has no folder, even when its bitmap is found from the current one.
    EXPECT_FALSE(bitmapLeftBehind("", elsewhere, dir.file("art/gfx/cave.bmp").c_str()));
    EXPECT_FALSE(bitmapLeftBehind(level, elsewhere, "absent.bmp"));
}

// Its folders are made; a failure names the path at fault and writes nothing.
TEST_F(BitmapBesideLevel, IsCopiedToTheSamePlaceBesideTheNewLevel) {
    std::string why;
    ASSERT_TRUE(copyBitmapBeside(level, elsewhere, bitmap, why)) << why;
    EXPECT_EQ(testing::readFile(dir.file("b/art/gfx/cave.bmp")), "BM bytes");
    EXPECT_FALSE(bitmapLeftBehind(level, elsewhere, bitmap));

    EXPECT_FALSE(copyBitmapBeside(level, elsewhere, "absent.bmp", why));
    EXPECT_EQ(why, levelBitmapPath(level.c_str(), "absent.bmp") + ": does not exist");
    fs::remove_all(dir.file("b/art"));
    testing::writeFile(dir.file("b/art"), "a file in the way");
    EXPECT_FALSE(copyBitmapBeside(level, elsewhere, bitmap, why));
    EXPECT_NE(why.find("gfx: cannot make the folder: "), std::string::npos) << why;
    EXPECT_EQ(testing::readFile(dir.file("b/art")), "a file in the way");
}

}  // namespace
}  // namespace qzt
