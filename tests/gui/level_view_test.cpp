// The level view on screen: the first picture of a load and every redraw,
// read back from the main window's pixels and traced to the level bitmap.
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_globals.h"
#include "gfx/level_view.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

struct Frame {
    int x, y, width, height;  // the image set's first frame, bitmap coordinates
};

struct Copy {
    int levelX, levelY;
    Frame frame;
};

const Frame Set0{1, 198, 40, 50};
const Frame Set1{300, 400, 30, 20};
const Frame Set2{200, 250, 60, 60};

// The enemies of the test level that are drawn, in slot order. Enemy 3 uses
// image set 9, which the level does not define.
const std::vector<Copy> LevelCopies = {
    {100, 40, Set1},   // 0
    {120, 50, Set0},   // 1: over enemy 0
    {470, 100, Set2},  // 2: past the right edge
    {0, 0, Set1},      // 4: at the view's top-left corner
    {200, 350, Set0},  // 5: past the bottom edge
};

std::string viewLevel(const std::string& marker = "Y N N N") {
    return levelHeader("View_Level", "level.bmp", marker) +
           qzt::testing::crlfLines({"BEP 0", " RIGHT 12 0 1 ", "EEP", "", "ENEMY 0 2 5 10 100 40 1 ",
                                    "ENEMY 0 2 5 10 120 50 0 ", "ENEMY 0 2 5 10 470 100 2 ",
                                    "ENEMY 0 2 5 10 300 100 9 ", "ENEMY 0 2 5 10 0 0 1 ",
                                    "ENEMY 0 2 5 10 200 350 0 ", "", "CIS 1 198 40 50 2 0 ",
                                    "CIS 300 400 30 20 4 1 ", "CIS 200 250 60 60 1 2 ", "", "END", ""});
}

// Where the pixel at a client point of the view comes from: the last copy
// that covers it, else the background at scroll position (h, v).
Point expectedSource(int cx, int cy, int h, int v, const std::vector<Copy>& copies) {
    for (auto copy = copies.rbegin(); copy != copies.rend(); ++copy) {
        const int left = copy->levelX - h + 10;
        const int top = copy->levelY - v + 10;
        if (cx >= left && cx < left + copy->frame.width + 2 && cy >= top && cy < top + copy->frame.height + 2)
            return {copy->frame.x + cx - left, copy->frame.y + cy - top};
    }
    return {h + cx - 10, v + cy - 10 + 197};
}

// Every pixel of the view against the picture.
::testing::AssertionResult viewShows(const ClientPixels& view, int h, int v, const std::vector<Copy>& copies) {
    int wrong = 0;
    std::ostringstream first;
    for (int cy = 10; cy < 390; ++cy) {
        for (int cx = 10; cx < 510; ++cx) {
            const Point expected = expectedSource(cx, cy, h, v, copies);
            const Point shown = pictureSource(view.at(cx, cy));
            if (shown == expected) continue;
            if (wrong++ < 5) first << " client (" << cx << ", " << cy << ") shows " << shown << ", not " << expected << ";";
        }
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << first.str();
}

class LevelViewTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        writePictureBmp(dir.file("level.bmp"), 640, 800);
        qzt::testing::writeFile(dir.file("level.dat"), viewLevel());
    }

    void openViewLevel() {
        ASSERT_TRUE(start());
        openThroughMenu(dir.file("level.dat"));
        ASSERT_EQ(editor.document.loaded, 1);
    }

    void scrollTo(int h, int v) {
        SetScrollPos(editor.main.horizontalScrollBar, SB_CTL, h, TRUE);
        SetScrollPos(editor.main.verticalScrollBar, SB_CTL, v, TRUE);
    }
};

TEST_F(LevelViewTest, OpeningDrawsTheLevelFromItsTopWithEveryEnemy) {
    openViewLevel();
    const ClientPixels view = readView();
    EXPECT_TRUE(viewShows(view, 0, 0, LevelCopies));
    // Corners: the enemy at level (0, 0), and bitmap row 576 at the bottom.
    EXPECT_EQ(pictureSource(view.at(10, 10)), (Point{300, 400}));
    EXPECT_EQ(pictureSource(view.at(509, 389)), (Point{499, 576}));
    EXPECT_TRUE(watcher->dialogs().size() == 1 && watcher->dialogs()[0].kind == DialogKind::FileDialog);

    int low = -1, high = -1;
    GetScrollRange(editor.main.verticalScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 800 - 577);
}

TEST_F(LevelViewTest, RedrawFollowsTheScrollBarsToTheBitmapsLastRow) {
    openViewLevel();
    scrollTo(140, 223);
    SendMessageA(mainWindow(), WM_SIZE, 0, 0);
    const ClientPixels view = readView();
    EXPECT_TRUE(viewShows(view, 140, 223, LevelCopies));
    EXPECT_EQ(pictureSource(view.at(509, 389)), (Point{639, 799}));

    scrollTo(37, 101);
    SendMessageA(mainWindow(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(viewShows(readView(), 37, 101, LevelCopies));
}

TEST_F(LevelViewTest, FirstPictureIgnoresTheScrollBarsAndPrecedesTheRecords) {
    qzt::testing::writeFile(dir.file("level.dat"), viewLevel("Y N N X"));
    ASSERT_TRUE(start());
    scrollTo(60, 80);
    // The open dialog, then the message about line 10.
    std::vector<ClientPixels> atDialog;
    watcher->onDialogCreated([&] { atDialog.push_back(readView()); });
    watcher->answerBox(IDOK);
    openThroughMenu(dir.file("level.dat"));
    ASSERT_EQ(atDialog.size(), 2u);
    EXPECT_TRUE(viewShows(atDialog[1], 0, 0, {}));
    EXPECT_EQ(editor.document.loaded, 0);
}

TEST_F(LevelViewTest, DrawsOnlyUsedEnemiesBelowTheCountWithUsedImageSets) {
    openViewLevel();
    LevelDocument& doc = editor.document;
    doc.enemies[1].used = 0;       // deleted
    doc.enemies[12] = doc.enemies[0];
    doc.enemies[12].x = 300;       // used, but beyond enemyCount 6
    doc.imageSets[2].used = 0;     // enemy 2's image set deleted
    RedrawLevelView();
    EXPECT_TRUE(viewShows(readView(), 0, 0, {{100, 40, Set1}, {0, 0, Set1}, {200, 350, Set0}}));

    doc.enemyCount = 13;
    RedrawLevelView();
    EXPECT_TRUE(viewShows(readView(), 0, 0, {{100, 40, Set1}, {0, 0, Set1}, {200, 350, Set0}, {300, 40, Set1}}));
}

TEST_F(LevelViewTest, DrawsNothingOutsideTheView) {
    openViewLevel();
    scrollTo(0, 0);
    pumpMessages();
    SendMessageA(mainWindow(), WM_SIZE, 0, 0);
    const ClientPixels drawn = readClientArea();
    // Every control and the window's own background painted afresh.
    RedrawWindow(mainWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const ClientPixels repainted = readClientArea();

    const RECT client = drawn.rect();
    int differing = 0;
    for (int y = client.top; y < client.bottom; ++y) {
        for (int x = client.left; x < client.right; ++x) {
            const bool inView = x >= 10 && x < 510 && y >= 10 && y < 390;
            const bool inStepCount = x >= 350 && x < 450 && y >= 410 && y < 432;
            if (!inView && !inStepCount && drawn.at(x, y) != repainted.at(x, y)) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
    // The enemies that reach past the edges were cut there.
    EXPECT_EQ(pictureSource(drawn.at(509, 120)), (Point{Set2.x + 29, Set2.y + 10}));
    EXPECT_EQ(pictureSource(drawn.at(220, 389)), (Point{Set0.x + 10, Set0.y + 29}));
}

TEST_F(LevelViewTest, RecordingDrawsTheEnemyAgainAndWritesItsStepCount) {
    openViewLevel();
    EditorState& state = editor.state;
    state.mode = Recording;
    state.recordEnemy = 4;
    state.recordX = 250;
    state.recordY = 150;
    state.recordProgram = 0;
    state.recordMovements = 1;
    RedrawLevelView();
    std::vector<Copy> copies = LevelCopies;
    copies.push_back({250, 150, Set1});
    EXPECT_TRUE(viewShows(readView(), 0, 0, copies));
    char text[32] = {};
    GetWindowTextA(editor.main.recordStepsText, text, sizeof text);
    EXPECT_STREQ(text, "12");

    editor.document.programs[0].steps[1] = -2147483647 - 1;
    state.recordMovements = 2;
    RedrawLevelView();
    GetWindowTextA(editor.main.recordStepsText, text, sizeof text);
    EXPECT_STREQ(text, "-2147483648");

    // Before the first keypad key there is no movement yet.
    state.recordMovements = 0;
    RedrawLevelView();
    GetWindowTextA(editor.main.recordStepsText, text, sizeof text);
    EXPECT_STREQ(text, "0");

    // Afterwards the step count is blanked and not written.
    state.mode = Normal;
    SetWindowTextA(editor.main.recordStepsText, "7");
    pumpMessages();
    RedrawLevelView();
    EXPECT_TRUE(viewShows(readView(), 0, 0, LevelCopies));
    GetWindowTextA(editor.main.recordStepsText, text, sizeof text);
    EXPECT_STREQ(text, "7");
    const ClientPixels stepCount(mainWindow(), RECT{350, 410, 450, 432});
    for (int y = 410; y < 432; ++y)
        for (int x = 350; x < 450; ++x) ASSERT_EQ(stepCount.at(x, y), systemColour(COLOR_MENU)) << x << ", " << y;
}

TEST_F(LevelViewTest, RedrawRestartsThePreviewAtTheSelectedEnemy) {
    openViewLevel();
    EditorState& state = editor.state;
    state.previewStep = 3;
    state.previewX = 77;
    state.previewY = 88;
    RedrawLevelView();
    EXPECT_EQ(state.previewStep, 0);
    EXPECT_EQ(state.previewX, 77);
    EXPECT_EQ(state.previewY, 88);

    scrollTo(20, 30);
    state.selectedEnemy = 1;
    state.previewStep = 2;
    RedrawLevelView();
    EXPECT_EQ(state.previewStep, 0);
    EXPECT_EQ(state.previewX, 120 + 10 - 20);
    EXPECT_EQ(state.previewY, 50 + 10 - 30);
}

TEST_F(LevelViewTest, ViewIsRedrawnOnActivationAndSizeButNeverPainted) {
    openViewLevel();
    auto blacken = [&] {
        HDC dc = GetDC(mainWindow());
        const RECT view{10, 10, 510, 390};
        FillRect(dc, &view, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(mainWindow(), dc);
    };
    blacken();
    SendMessageA(mainWindow(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(viewShows(readView(), 0, 0, LevelCopies));

    // Uncovering the view only erases it.
    InvalidateRect(mainWindow(), nullptr, TRUE);
    UpdateWindow(mainWindow());
    EXPECT_EQ(readView().at(200, 200), systemColour(COLOR_MENU));

    editor.document.loaded = 0;
    blacken();
    SendMessageA(mainWindow(), WM_SIZE, 0, 0);
    SendMessageA(mainWindow(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(readView().at(200, 200), 0u);
}

TEST_F(LevelViewTest, IndexedBitmapShowsItsOwnColoursAndTheNextLoadReplacesIt) {
    writeIndexedBmp(dir.file("level.bmp"), 640, 700);
    openViewLevel();
    HPALETTE firstPalette = editor.levelBitmap.palette;
    HBITMAP firstBitmap = editor.levelBitmap.bitmap;
    ASSERT_EQ(GetObjectType(firstPalette), DWORD(OBJ_PAL));
    PALETTEENTRY entry{};
    ASSERT_EQ(GetPaletteEntries(firstPalette, 200, 1, &entry), 1u);
    EXPECT_EQ(Rgb(entry.peRed) << 16 | Rgb(entry.peGreen) << 8 | entry.peBlue, indexedColour(200));
    EXPECT_EQ(entry.peFlags, PC_NOCOLLAPSE);
    const ClientPixels view = readView();
    for (int cy = 10; cy < 390; cy += 13) {
        for (int cx = 10; cx < 510; cx += 11) {
            const Point source = expectedSource(cx, cy, 0, 0, LevelCopies);
            ASSERT_EQ(view.at(cx, cy), indexedColour((source.x + source.y) & 255)) << cx << ", " << cy;
        }
    }

    writeIndexedBmp(dir.file("level.bmp"), 640, 900);
    openThroughMenu(dir.file("level.dat"));
    EXPECT_EQ(GetObjectType(firstPalette), 0u);
    EXPECT_EQ(GetObjectType(firstBitmap), 0u);
    EXPECT_EQ(GetObjectType(editor.levelBitmap.palette), DWORD(OBJ_PAL));
    int low = -1, high = -1;
    GetScrollRange(editor.main.verticalScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(high, 900 - 577);
}

TEST_F(LevelViewTest, WithoutABitmapTheViewIsBlank) {
    openViewLevel();
    std::remove(dir.file("level.bmp").c_str());
    watcher->answerBox(IDOK);
    openThroughMenu(dir.file("level.dat"));
    EXPECT_EQ(editor.levelBitmap.bitmap, nullptr);
    RedrawLevelView();
    const ClientPixels view = readView();
    for (int cy = 10; cy < 390; cy += 19)
        for (int cx = 10; cx < 510; cx += 23) ASSERT_EQ(view.at(cx, cy), systemColour(COLOR_MENU));
}

}  // namespace
}  // namespace qzt::gui
