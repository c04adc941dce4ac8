// Level Properties: the header copied into the boxes and back, the time
// bonus as a number, and OK reloading the bitmap beside the level, or, when
// that bitmap cannot be read, changing nothing at all.
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "app/window_classes.h"
#include "edit/document_bytes.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

using qzt::testing::bytesOf;

const std::string BitmapError =
    "Dat file Loading Error|Error reading .bmp.  Make sure the directory specified in the file is correct.|40030";

// The current directory moved for one test, and back.
class InDirectory {
public:
    explicit InDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~InDirectory() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

class LevelPropertiesTest : public EditorTest {
public:
    // Starts with the test level opened through the dialog and the window shown.
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(start());
        open(dir.file("level.dat"));
        ASSERT_EQ(editor.document.loaded, 1);
        properties = editor.tools.levelPropertiesWindow;
        controls = controlsOf(properties);
        ASSERT_EQ(controls.size(), 20u);
        send(PropertiesCommand);
    }
    // Rows 1 to 9, as the boxes show them.
    std::vector<std::string> rows() const {
        std::vector<std::string> texts;
        for (int row = 0; row < 9; ++row) texts.push_back(textOf(box(row)));
        return texts;
    }
    HWND box(int row) const { return controls[size_t(2 + row)]; }
    void type(int row, const std::string& text) const { SetWindowTextA(box(row), text.c_str()); }
    void ok() const { notify(controls[0]); }
    void cancel() const { notify(controls[1]); }
    static int scrollMax() {
        int low = 0, high = 0;
        GetScrollRange(editor.main.verticalScrollBar, SB_CTL, &low, &high);
        return high;
    }

    HWND properties = nullptr;
    std::vector<HWND> controls;
    const std::vector<std::string> levelRows = {"Sub", "View_Level", "level.bmp", "m.mid", "w.wav",
                                                "o.wav", "l.wav", "c.wav", "500"};
};

TEST_F(LevelPropertiesTest, OkCopiesTheBoxesIntoTheHeaderCutTo199CharactersAndSetsTheCaption) {
    EXPECT_TRUE(IsWindowVisible(properties));
    EXPECT_EQ(rows(), levelRows);
    const std::string whole(199, 's'), cut = std::string(199, 't') + "uuu";
    const std::vector<std::string> typed = {whole, cut, "level.bmp", "", "with spaces", "o2.wav", "l2.wav", "c2.wav"};
    for (int row = 0; row < 8; ++row) type(row, typed[size_t(row)]);
    ok();
    const LevelHeader& header = editor.document.header;
    EXPECT_EQ(std::vector<std::string>({header.subtitle, header.title, header.bitmapPath, header.musicPath,
                                        header.winSoundPath, header.oneUpSoundPath, header.loseSoundPath,
                                        header.scoreCountSoundPath}),
              (std::vector<std::string>{whole, std::string(199, 't'), "level.bmp", "", "with spaces", "o2.wav",
                                        "l2.wav", "c2.wav"}));
    EXPECT_EQ(caption(), std::string(199, 't'));
    EXPECT_FALSE(IsWindowVisible(properties));

    // The time bonus: the first 24 characters, as a number; no number is 0.
    const struct { const char* text; int32_t bonus; } bonuses[] = {
        {"0000000000000000000000427", 42}, {"x5", 0}, {"", 0}, {"-12", -12}, {"99999999999", INT_MAX}, {"17b", 17},
    };
    for (const auto& b : bonuses) {
        send(PropertiesCommand);
        type(8, b.text);
        ok();
        EXPECT_EQ(header.timeBonus, b.bonus) << b.text;
    }
    send(PropertiesCommand);
    EXPECT_EQ(textOf(box(8)), "17");
}

TEST_F(LevelPropertiesTest, CancelKeepsTheHeaderAndTheNextPropertiesShowsItAgain) {
    const auto before = bytesOf(editor.document);
    type(1, "Typed_Title");
    type(8, "9");
    cancel();
    EXPECT_FALSE(IsWindowVisible(properties));
    EXPECT_EQ(bytesOf(editor.document), before);
    EXPECT_EQ(caption(), "View_Level");
    EXPECT_EQ(textOf(box(1)), "Typed_Title");
    // Also while recording, and over unsaved typing in the shown window.
    editor.state.mode = Recording;
    send(PropertiesCommand);
    type(1, "Again");
    send(PropertiesCommand);
    EXPECT_TRUE(IsWindowVisible(properties));
    EXPECT_EQ(rows(), levelRows);
}

// The open dialog moved the current directory into the level's; another
// directory with bitmaps of the same names then becomes the current one.
TEST_F(LevelPropertiesTest, OkLoadsTheBitmapBesideTheLevelWhateverTheCurrentDirectoryAndRedraws) {
    const qzt::testing::TempDir elsewhere;
    std::filesystem::create_directory(dir.path() / "pics");
    std::filesystem::copy_file(dir.file("level.bmp"), dir.file("pics\\level.bmp"));
    writeBmp(dir.file("short.bmp"), 640, 500, 8);
    writeBmp(elsewhere.file("short.bmp"), 640, 900, 8);
    writeBmp(elsewhere.file("level.bmp"), 640, 900, 8);
    const InDirectory moved(elsewhere.path());

    const HBITMAP first = editor.levelBitmap.bitmap;
    type(2, "pics\\level.bmp");
    scrollTo(40, 60);
    RECT view{ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight};
    {
        HDC dc = GetDC(window);
        FillRect(dc, &view, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(window, dc);
    }
    ok();
    EXPECT_EQ(dialogs, std::vector<std::string>{"file:Open QZT data file"});
    EXPECT_NE(editor.levelBitmap.bitmap, first);
    EXPECT_EQ(editor.levelBitmap.height, 800);
    EXPECT_EQ(scrollMax(), 800 - 577);
    EXPECT_TRUE(viewShows(readView(), 40, 60, TestLevelCopies));
    EXPECT_EQ(std::string(editor.document.header.bitmapPath), "pics\\level.bmp");

    // A bitmap shorter than the view and its margin: the negative maximum
    // makes an empty range, which the scroll bar keeps as 0 to 0.
    send(PropertiesCommand);
    type(2, "short.bmp");
    ok();
    EXPECT_EQ(editor.levelBitmap.height, 500);
    EXPECT_EQ(scrollMax(), 0);
}

TEST_F(LevelPropertiesTest, ABitmapThatCannotBeReadIsReportedAndChangesNothing) {
    const qzt::testing::TempDir elsewhere;
    writeBmp(elsewhere.file("missing.bmp"), 640, 900, 8);  // only in the current directory
    const InDirectory moved(elsewhere.path());
    qzt::testing::writeFile(dir.file("broken.bmp"), "BM not a bitmap");
    scrollTo(30, 40);
    const auto document = bytesOf(editor.document);
    const LevelBitmapCells cells = editor.levelBitmap;

    for (const char* path : {"missing.bmp", "broken.bmp"}) {
        SCOPED_TRACE(path);
        dialogs.clear();
        const std::vector<std::string> typed = {"S2", "New_Title", path, "m2", "w2", "o2", "l2", "c2", "77"};
        for (int row = 0; row < 9; ++row) type(row, typed[size_t(row)]);
        ok();
        EXPECT_EQ(dialogs, std::vector<std::string>{BitmapError});
        EXPECT_TRUE(IsWindowVisible(properties));
        EXPECT_EQ(rows(), typed);
        EXPECT_EQ(bytesOf(editor.document), document);
        EXPECT_EQ(editor.levelBitmap.bitmap, cells.bitmap);
        EXPECT_EQ(editor.levelBitmap.palette, cells.palette);
        EXPECT_EQ(editor.levelBitmap.height, cells.height);
        EXPECT_EQ(scrollMax(), 800 - 577);
        EXPECT_EQ(caption(), "View_Level");
    }
    type(2, "level.bmp");
    ok();
    EXPECT_EQ(caption(), "New_Title");
    EXPECT_EQ(editor.document.header.timeBonus, 77);
}

}  // namespace
}  // namespace qzt::gui
