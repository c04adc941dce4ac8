// Level Properties: the header into the boxes and back, and OK reloading the
// bitmap beside the level or, when it cannot be read, changing nothing.
#include <filesystem>
#include <string>
#include <tuple>

#include "edit/document_bytes.h"
#include "gui/gui_support.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using qzt::testing::bytesOf;

class LevelPropertiesTest : public EditorTest {
public:
    void SetUp() override {
        EditorTest::SetUp();
        startWithLevel();
        tool = madeWindow(LevelPropertiesClass);
        send(PropertiesCommand);
    }
    HWND box(int row) const { return toolControl(LevelPropertiesClass, 2 + row); }  // rows 0 to 8
    Lines rows() const {
        Lines texts;
        for (int row = 0; row < 9; ++row) texts.push_back(textOf(box(row)));
        return texts;
    }
    void type(const Lines& texts) const {
        for (size_t row = 0; row < texts.size(); ++row) SetWindowTextA(box(int(row)), texts[row].c_str());
    }
    void ok() const { notify(toolControl(LevelPropertiesClass, 0)); }
    static int scrollMax() {
        int low = 0, high = 0;
        GetScrollRange(shell.verticalScrollBar, SB_CTL, &low, &high);
        return high;
    }
    HWND tool = nullptr;
};

TEST_F(LevelPropertiesTest, OkCopiesTheBoxesIntoTheHeaderAsWholeLinesAndCancelKeepsIt) {
    EXPECT_TRUE(IsWindowVisible(tool));
    EXPECT_EQ(rows(), (Lines{"Sub", "View_Level", "level.bmp", "m.mid", "w.wav", "o.wav", "l.wav", "c.wav", "500"}));
    // The time bonus: its first 24 characters, as a number.
    const std::string whole(499, 's'), cut(499, 't');
    type({whole, cut + "uuu", "level.bmp", "", "with spaces", "o2.wav", "l2.wav", "c2.wav", "0000000000000000000000427"});
    ok();
    const LevelHeader& h = session.document.header;
    EXPECT_EQ(Lines({h.subtitle, h.title, h.bitmapPath, h.musicPath, h.winSoundPath, h.oneUpSoundPath,
                     h.loseSoundPath, h.scoreCountSoundPath, std::to_string(h.timeBonus)}),
              (Lines{whole, cut, "level.bmp", "", "with spaces", "o2.wav", "l2.wav", "c2.wav", "42"}));
    EXPECT_EQ(caption(), cut);
    EXPECT_FALSE(IsWindowVisible(tool));

    // Shown again, also while recording; OK without typing keeps every text whole.
    session.state.mode = Recording;
    send(PropertiesCommand);
    session.state.mode = Normal;
    EXPECT_TRUE(IsWindowVisible(tool));
    EXPECT_EQ(rows()[8], "42");
    ok();
    EXPECT_EQ(h.subtitle, whole);
    EXPECT_EQ(h.title, cut);
    send(PropertiesCommand);
    const auto before = bytesOf(session.document);
    type({"S", "Typed_Title"});
    notify(toolControl(LevelPropertiesClass, 1));
    EXPECT_FALSE(IsWindowVisible(tool));
    EXPECT_EQ(bytesOf(session.document), before);
    EXPECT_EQ(caption(), cut);
}

// The open dialog moved the current directory into the level's; another one
// with bitmaps of the same names replaces it.
TEST_F(LevelPropertiesTest, OkLoadsTheBitmapBesideTheLevelAndRedrawsOrChangesNothing) {
    const qzt::testing::TempDir elsewhere;
    std::filesystem::create_directory(dir.path() / "pics");
    std::filesystem::copy_file(dir.file("level.bmp"), dir.file("pics\\level.bmp"));
    writeBmp(dir.file("short.bmp"), 640, 500, 8);
    qzt::testing::writeFile(dir.file("broken.bmp"), "BM not a bitmap");
    for (const char* name : {"short.bmp", "level.bmp", "missing.bmp"}) writeBmp(elsewhere.file(name), 640, 900, 8);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.path());

    const auto document = bytesOf(session.document);
    const LevelBitmapCells cells = levelBitmap;
    for (const char* path : {"missing.bmp", "broken.bmp"}) {
        SCOPED_TRACE(path);
        dialogs.clear();
        const Lines typed = {"S2", "New_Title", path, "m2", "w2", "o2", "l2", "c2", "77"};
        type(typed);
        ok();
        EXPECT_EQ(dialogs, Lines{BitmapError});
        EXPECT_TRUE(IsWindowVisible(tool));
        EXPECT_EQ(rows(), typed);
        EXPECT_EQ(bytesOf(session.document), document);
        EXPECT_EQ(std::tuple(levelBitmap.bitmap, levelBitmap.palette, levelBitmap.height),
                  std::tuple(cells.bitmap, cells.palette, cells.height));
        EXPECT_EQ(caption(), "View_Level");
    }
    dialogs.clear();
    SetWindowTextA(box(2), "pics\\level.bmp");
    scrollTo(40, 60);
    HDC dc = GetDC(window);
    FillRect(dc, &WholeView, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, dc);
    ok();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_NE(levelBitmap.bitmap, cells.bitmap);
    EXPECT_EQ(levelBitmap.height, 800);
    EXPECT_EQ(scrollMax(), 800 - 577);
    EXPECT_TRUE(viewShowsDocument());
    EXPECT_EQ(caption(), "New_Title");
    // Shorter than the view and its margin: an empty range, which the scroll bar keeps as 0 to 0.
    send(PropertiesCommand);
    SetWindowTextA(box(2), "short.bmp");
    ok();
    EXPECT_EQ(levelBitmap.height, 500);
    EXPECT_EQ(scrollMax(), 0);
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace qzt::gui
