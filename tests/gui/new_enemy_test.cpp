// Create New Enemy: the refusals before it opens, the lists of used slots,
// the enemy OK makes in the lowest free slot, the remembered numbers, the
// preview traced to the level bitmap, and choices that name no used slot.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/window_classes.h"
#include "edit/document_bytes.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

using qzt::testing::bytesOf;
using Lines = std::vector<std::string>;

enum { Ok, Cancel, ImageSets, Programs, HitPoints = 6, Speed = 8, AnimationRate = 10 };
const RECT PreviewSquare{325, 5, 445, 125};

class NewEnemyTest : public EditorTest {
public:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(start());
        open(dir.file("level.dat"));
        dialogs.clear();
        newEnemy = madeWindow(NewEnemyClass);
        controls = controlsOf(newEnemy);
        ASSERT_EQ(controls.size(), 12u);
    }
    HWND control(int which) const { return controls[size_t(which)]; }
    int selected(int list) const { return int(SendMessageA(control(list), CB_GETCURSEL, 0, 0)); }
    void choose(int list, int item) const {
        SendMessageA(control(list), CB_SETCURSEL, WPARAM(item), 0);
        notify(control(list), CBN_SELCHANGE);
    }
    // A key typed into a list's own field.
    void typeInto(int list, char key) const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(control(list), &info));
        SendMessageA(info.hwndItem, WM_CHAR, WPARAM(key), 1);
    }
    // The client area from the preview square's corner: the square's right
    // edge lies a little beyond the client area.
    Pixels preview() const {
        RECT client;
        GetClientRect(newEnemy, &client);
        return readPixels(newEnemy, {PreviewSquare.left, PreviewSquare.top, client.right, client.bottom});
    }
    // Pixels of the square outside area: how many are blank, of how many.
    static std::pair<int, int> blankOutside(const Pixels& shown, RECT area) {
        int blank = 0, all = 0;
        for (int y = PreviewSquare.top; y < PreviewSquare.bottom; ++y)
            for (int x = PreviewSquare.left; x < std::min<int>(PreviewSquare.right, shown.rect.right); ++x) {
                if (PtInRect(&area, {x, y})) continue;
                ++all;
                blank += shown.at(x, y) == systemColour(COLOR_MENU);
            }
        return {blank, all};
    }

    HWND newEnemy = nullptr;
    std::vector<HWND> controls;
};

TEST_F(NewEnemyTest, DoesNotOpenWithoutAnImageSetAndThenWithoutAProgram) {
    const std::string noImageSet = "Dat file Loading Error|No image sets created yet.  Create an image set first.|40030";
    const std::string noProgram =
        "Dat file Loading Error|No Movements created yet.  Create a movement program first.|40030";
    const struct { bool imageSets, programs; std::string message; } cases[] = {
        {false, false, noImageSet}, {false, true, noImageSet}, {true, false, noProgram}};
    for (const auto& c : cases) {
        LevelDocument& doc = editor.document;
        for (int slot = 0; slot < 15; ++slot) {
            doc.imageSets[slot].used = c.imageSets && slot == 1;
            doc.programs[slot].used = c.programs && slot == 0;
        }
        dialogs.clear();
        send(NewEnemyCommand);
        EXPECT_EQ(dialogs, Lines{c.message});
        EXPECT_FALSE(IsWindowVisible(newEnemy));
    }
}

TEST_F(NewEnemyTest, ListsTheUsedSlotsInOrderWithTheFirstOfEachChosen) {
    editor.document.imageSets[1].used = 0;
    editor.document.imageSets[5].used = 1;
    editor.document.programs[14].used = editor.document.programs[3].used = 1;
    send(NewEnemyCommand);
    EXPECT_TRUE(IsWindowVisible(newEnemy));
    EXPECT_EQ(itemsOf(control(ImageSets)), (Lines{"0", "2", "5"}));
    EXPECT_EQ(itemsOf(control(Programs)), (Lines{"0", "3", "14"}));
    choose(ImageSets, 2);
    choose(Programs, 1);
    send(NewEnemyCommand);  // shown again: refilled and reset
    EXPECT_EQ(itemsOf(control(ImageSets)), (Lines{"0", "2", "5"}));
    EXPECT_EQ(std::vector<int>({selected(ImageSets), selected(Programs)}), std::vector<int>({0, 0}));
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(NewEnemyTest, OkFillsTheLowestFreeSlotAtOneOneAndTheBoxesKeepTheirNumbers) {
    LevelDocument& doc = editor.document;
    doc.enemies[2].used = 0;  // slots 0, 1, 3, 4 and 5 used
    doc.programs[6].used = 1;
    editor.state.selectedEnemy = 4;
    scrollTo(20, 30);
    send(NewEnemyCommand);
    choose(ImageSets, 2);
    choose(Programs, 1);
    SetWindowTextA(control(HitPoints), "12");
    SetWindowTextA(control(Speed), "");
    SetWindowTextA(control(AnimationRate), "000000000000079");  // the 15th character is not read
    notify(control(Ok));

    const Enemy& made = doc.enemies[2];
    EXPECT_EQ(made.used, 1);
    EXPECT_EQ(doc.enemyCount, 7);
    EXPECT_EQ((std::vector<int32_t>{made.x, made.y, made.imageSet, made.program, made.hitPoints, made.speed,
                                    made.animationRate}),
              (std::vector<int32_t>{1, 1, 2, 6, 12, 0, 7}));
    EXPECT_EQ(editor.state.selectedEnemy, 4);
    EXPECT_FALSE(IsWindowVisible(newEnemy));
    EXPECT_TRUE(dialogs.empty());
    std::vector<Copy> copies = TestLevelCopies;
    copies[2] = {1, 1, 200, 250, 60, 60};
    EXPECT_TRUE(viewShows(readView(), 20, 30, copies));

    send(NewEnemyCommand);
    EXPECT_EQ(Lines({textOf(control(HitPoints)), textOf(control(Speed)), textOf(control(AnimationRate))}),
              (Lines{"12", "", "000000000000079"}));
}

TEST_F(NewEnemyTest, WithFifteenEnemiesOkReportsHidesAndChangesNothing) {
    for (Enemy& enemy : editor.document.enemies) enemy.used = 1;
    editor.document.enemyCount = 15;
    const auto before = bytesOf(editor.document);
    send(NewEnemyCommand);
    notify(control(Ok));
    EXPECT_EQ(dialogs, Lines{"Dat file Loading Error|Cannot have more than 15 enemies.|40030"});
    EXPECT_FALSE(IsWindowVisible(newEnemy));
    EXPECT_EQ(bytesOf(editor.document), before);
}

// Every notification draws the chosen image set's first frame, with a column
// and a row more, at the square's corner and unclipped; the rest of the
// square is blank.
TEST_F(NewEnemyTest, ThePreviewShowsTheChosenImageSetFromTheLevelBitmap) {
    editor.document.imageSets[2].width = 110;  // wider and taller than the square
    editor.document.imageSets[2].height = 130;
    send(NewEnemyCommand);
    pumpMessages();
    const struct { int item; RECT area; int x, y; } cases[] = {
        {1, {325, 5, 357, 27}, 300, 400}, {2, {325, 5, 437, 137}, 200, 250}, {0, {325, 5, 367, 57}, 1, 198}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        choose(ImageSets, c.item);
        const Pixels shown = preview();
        EXPECT_TRUE(showsBitmapArea(shown, c.area, c.x, c.y));
        const auto [blank, rest] = blankOutside(shown, c.area);
        EXPECT_EQ(blank, rest);
    }
}

TEST_F(NewEnemyTest, AChoiceThatIsNoUsedSlotDrawsNoPreviewAndMakesNoEnemy) {
    const std::string chooseMessage =
        "Editing Action Error|Choose an image set and an enemy program from the lists.|40030";
    send(NewEnemyCommand);
    pumpMessages();
    const auto before = bytesOf(editor.document);
    // Typed into the image-set field, typed into the program field, an image
    // set deleted since the list was made.
    for (int spoilt = 0; spoilt < 3; ++spoilt) {
        SCOPED_TRACE(spoilt);
        choose(ImageSets, 1);
        choose(Programs, 0);
        if (spoilt < 2) typeInto(spoilt == 0 ? ImageSets : Programs, '1');
        if (spoilt == 2) editor.document.imageSets[1].used = 0;
        EXPECT_EQ(selected(spoilt == 1 ? Programs : ImageSets), spoilt < 2 ? -1 : 1);
        dialogs.clear();
        notify(control(Ok));
        EXPECT_EQ(dialogs, Lines{chooseMessage});
        EXPECT_TRUE(IsWindowVisible(newEnemy));
        if (spoilt != 1) {
            const auto [blank, all] = blankOutside(preview(), RECT{});
            EXPECT_EQ(blank, all);
        }
        editor.document.imageSets[1].used = 1;
        EXPECT_EQ(bytesOf(editor.document), before);
    }
}

}  // namespace
}  // namespace qzt::gui
