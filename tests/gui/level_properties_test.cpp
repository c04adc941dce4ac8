// Level Properties: the header into the boxes and back, the time bonus as a number, and OK
// reloading the bitmap beside the level or, when it cannot be read, changing nothing.
#include <climits>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "edit/document_bytes.h"
#include "gui/gui_support.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using qzt::testing::bytesOf;
using Texts = std::vector<std::string>;

// The current directory moved for one test, and back.
struct InDirectory {
    const std::filesystem::path previous = std::filesystem::current_path();
    explicit InDirectory(const std::filesystem::path& path) { std::filesystem::current_path(path); }
    ~InDirectory() { std::filesystem::current_path(previous); }
};

class LevelPropertiesTest : public EditorTest {
public:
    void SetUp() override {
        EditorTest::SetUp();
        startWithTool(LevelPropertiesClass);
        ASSERT_EQ(controls.size(), 20u);
        send(PropertiesCommand);
    }
    Texts rows() const {  // rows 1 to 9
        Texts texts;
        for (int row = 0; row < 9; ++row) texts.push_back(textOf(control(2 + row)));
        return texts;
    }
    void type(const Texts& texts) const {
        for (size_t row = 0; row < texts.size(); ++row) SetWindowTextA(control(int(2 + row)), texts[row].c_str());
    }
    void type(int row, const std::string& text) const { SetWindowTextA(control(2 + row), text.c_str()); }
    void ok() const { notify(control(0)); }
    static int scrollMax() {
        int low = 0, high = 0;
        GetScrollRange(shell.verticalScrollBar, SB_CTL, &low, &high);
        return high;
    }
};

TEST_F(LevelPropertiesTest, OkCopiesTheBoxesIntoTheHeaderAsWholeLinesAndSetsTheCaption) {
    EXPECT_TRUE(IsWindowVisible(tool));
    EXPECT_EQ(rows(), (Texts{"Sub", "View_Level", "level.bmp", "m.mid", "w.wav", "o.wav", "l.wav", "c.wav", "500"}));
    const std::string whole(499, 's'), cut(499, 't');
    type({whole, cut + "uuu", "level.bmp", "", "with spaces", "o2.wav", "l2.wav", "c2.wav"});
    ok();
    const LevelHeader& h = session.document.header;
    EXPECT_EQ(Texts({h.subtitle, h.title, h.bitmapPath, h.musicPath, h.winSoundPath, h.oneUpSoundPath,
                     h.loseSoundPath, h.scoreCountSoundPath}),
              (Texts{whole, cut, "level.bmp", "", "with spaces", "o2.wav", "l2.wav", "c2.wav"}));
    EXPECT_EQ(caption(), cut);
    EXPECT_FALSE(IsWindowVisible(tool));

    // The time bonus: the first 24 characters, as a number; no number is 0.
    const struct { const char* text; int32_t bonus; } bonuses[] = {
        {"0000000000000000000000427", 42}, {"x5", 0}, {"-12", -12}, {"99999999999", INT_MAX}, {"17b", 17},
    };
    for (const auto& b : bonuses) {
        send(PropertiesCommand);
        type(8, b.text);
        ok();
        EXPECT_EQ(h.timeBonus, b.bonus) << b.text;
    }
    send(PropertiesCommand);
    EXPECT_EQ(rows()[8], "17");
    // OK without typing, time after time, keeps every text whole.
    EXPECT_EQ(h.subtitle, whole);
    EXPECT_EQ(h.title, cut);
}

// Cancel keeps the header; Properties, also while recording, shows it again.
TEST_F(LevelPropertiesTest, CancelKeepsTheHeaderAndTheNextPropertiesShowsItAgain) {
    const auto before = bytesOf(session.document);
    type({"S", "Typed_Title"});
    notify(control(1));
    EXPECT_FALSE(IsWindowVisible(tool));
    EXPECT_EQ(bytesOf(session.document), before);
    EXPECT_EQ(caption(), "View_Level");
    session.state.mode = Recording;
    send(PropertiesCommand);
    EXPECT_TRUE(IsWindowVisible(tool));
    EXPECT_EQ(rows()[1], "View_Level");
}

// The open dialog moved the current directory into the level's; another one with bitmaps of the same names replaces it.
TEST_F(LevelPropertiesTest, OkLoadsTheBitmapBesideTheLevelWhateverTheCurrentDirectoryAndRedraws) {
    const qzt::testing::TempDir elsewhere;
    std::filesystem::create_directory(dir.path() / "pics");
    std::filesystem::copy_file(dir.file("level.bmp"), dir.file("pics\\level.bmp"));
    writeBmp(dir.file("short.bmp"), 640, 500, 8);
    writeBmp(elsewhere.file("short.bmp"), 640, 900, 8);
    writeBmp(elsewhere.file("level.bmp"), 640, 900, 8);
    const InDirectory moved(elsewhere.path());

    const HBITMAP first = levelBitmap.bitmap;
    type(2, "pics\\level.bmp");
    scrollTo(40, 60);
    HDC dc = GetDC(window);
    FillRect(dc, &WholeView, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, dc);
    ok();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_NE(levelBitmap.bitmap, first);
    EXPECT_EQ(levelBitmap.height, 800);
    EXPECT_EQ(scrollMax(), 800 - 577);
    EXPECT_TRUE(viewShows(readView(), 40, 60, TestLevelCopies));

    // Shorter than the view and its margin: an empty range, which the scroll bar keeps as 0 to 0.
    send(PropertiesCommand);
    type(2, "short.bmp");
    ok();
    EXPECT_EQ(levelBitmap.height, 500);
    EXPECT_EQ(scrollMax(), 0);
}

TEST_F(LevelPropertiesTest, ABitmapThatCannotBeReadIsReportedAndChangesNothing) {
    const qzt::testing::TempDir elsewhere;
    writeBmp(elsewhere.file("missing.bmp"), 640, 900, 8);  // only in the current directory
    const InDirectory moved(elsewhere.path());
    qzt::testing::writeFile(dir.file("broken.bmp"), "BM not a bitmap");
    const auto document = bytesOf(session.document);
    const LevelBitmapCells cells = levelBitmap;
    for (const char* path : {"missing.bmp", "broken.bmp"}) {
        SCOPED_TRACE(path);
        dialogs.clear();
        const Texts typed = {"S2", "New_Title", path, "m2", "w2", "o2", "l2", "c2", "77"};
        type(typed);
        ok();
        EXPECT_EQ(dialogs, Texts{"Dat file Loading Error|Error reading .bmp.  Make sure the directory specified in "
                                 "the file is correct.|40030"});
        EXPECT_TRUE(IsWindowVisible(tool));
        EXPECT_EQ(rows(), typed);
        EXPECT_EQ(bytesOf(session.document), document);
        EXPECT_EQ(std::tuple(levelBitmap.bitmap, levelBitmap.palette, levelBitmap.height),
                  std::tuple(cells.bitmap, cells.palette, cells.height));
        EXPECT_EQ(scrollMax(), 800 - 577);
        EXPECT_EQ(caption(), "View_Level");
    }
    type(2, "level.bmp");
    ok();
    EXPECT_EQ(caption(), "New_Title");
    EXPECT_EQ(session.document.header.timeBonus, 77);
}

}  // namespace
}  // namespace qzt::gui
