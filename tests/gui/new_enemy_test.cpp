// Create New Enemy's refusals, lists, OK, remembered numbers, preview and
// lists without a chosen item. The slot rules are the native tests'.
#include <algorithm>
#include <string>
#include <vector>

#include "edit/document_bytes.h"
#include "gui/gui_support.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using qzt::testing::bytesOf;

enum { Ok, Cancel, ImageSets, Programs, HitPoints = 6, Speed = 8, AnimationRate = 10 };
const std::string NoChoice = "Editing Action Error|Choose an image set and an enemy program from the lists.";

class NewEnemyTest : public EditorTest {
public:
    void SetUp() override {
        EditorTest::SetUp();
        startWithLevel();
        tool = madeWindow(NewEnemyClass);
    }
    HWND control(int which) const { return toolControl(NewEnemyClass, which); }
    // The preview square (325, 5)-(445, 125) shows the bitmap from (x, y) over area, and is blank elsewhere.
    bool previewShows(RECT area, int x, int y) const {
        RECT client, square{325, 5, 445, 125};
        GetClientRect(tool, &client);
        const Pixels shown = readPixels({325, 5, client.right, client.bottom}, tool);
        for (int cy = 5; cy < client.bottom; ++cy)
            for (int cx = 325; cx < client.right; ++cx) {
                const bool drawn = PtInRect(&area, {cx, cy});
                if ((drawn || PtInRect(&square, {cx, cy})) &&
                    shown.at(cx, cy) != (drawn ? pictureColour(x + cx - 325, y + cy - 5) : systemColour(COLOR_MENU)))
                    return false;
            }
        return true;
    }
    HWND tool = nullptr;
};

TEST_F(NewEnemyTest, OpensWithAnImageSetAndAProgramListingTheUsedSlotsWithTheFirstChosen) {
    const std::string noImageSet = "Dat file Loading Error|No image sets created yet.  Create an image set first.";
    const struct { bool imageSets, programs; std::string message; } cases[] = {
        {false, true, noImageSet},
        {true, false, "Dat file Loading Error|No Movements created yet.  Create a movement program first."},
        {false, false, noImageSet}};
    LevelDocument& doc = session.document;
    const LevelDocument loaded = doc;
    for (const auto& c : cases) {
        for (int slot = 0; slot < 15; ++slot) {
            doc.imageSets[slot].used = c.imageSets && slot == 1;
            doc.programs[slot].used = c.programs && slot == 0;
        }
        dialogs.clear();
        send(NewEnemyCommand);
        EXPECT_EQ(dialogs, Lines{c.message});
        EXPECT_FALSE(IsWindowVisible(tool));
    }
    doc = loaded;
    doc.imageSets[1].used = 0;
    doc.imageSets[5].used = doc.programs[14].used = doc.programs[3].used = 1;
    send(NewEnemyCommand);
    EXPECT_TRUE(IsWindowVisible(tool));
    EXPECT_EQ(itemsOf(control(ImageSets)), (Lines{"0", "2", "5"}));
    EXPECT_EQ(itemsOf(control(Programs)), (Lines{"0", "3", "14"}));
    choose(control(ImageSets), 2);
    choose(control(Programs), 1);
    send(NewEnemyCommand);  // shown again: refilled and reset
    EXPECT_EQ(itemsOf(control(ImageSets)), (Lines{"0", "2", "5"}));
    EXPECT_EQ(std::pair(selected(control(ImageSets)), selected(control(Programs))), std::pair(0, 0));
}

TEST_F(NewEnemyTest, OkMakesTheEnemyFromTheListsAndBoxesWhichKeepTheirNumbers) {
    LevelDocument& doc = session.document;
    doc.enemies[2].used = 0;
    doc.programs[6].used = 1;
    session.state.selectedEnemy = 4;
    scrollTo(20, 30);
    send(NewEnemyCommand);
    choose(control(ImageSets), 2);
    choose(control(Programs), 1);
    SetWindowTextA(control(HitPoints), "12");
    SetWindowTextA(control(Speed), "");
    SetWindowTextA(control(AnimationRate), "000000000000079");  // the 15th character is not read
    notify(control(Ok));
    const Enemy& made = doc.enemies[2];
    EXPECT_EQ((std::vector<int32_t>{made.used, doc.enemyCount, made.x, made.y, made.imageSet, made.program,
                                    made.hitPoints, made.speed, made.animationRate, session.state.selectedEnemy}),
              (std::vector<int32_t>{1, 7, 1, 1, 2, 6, 12, 0, 7, 4}));
    EXPECT_FALSE(IsWindowVisible(tool));
    EXPECT_TRUE(viewShowsDocument());

    send(NewEnemyCommand);
    EXPECT_EQ(Lines({textOf(control(HitPoints)), textOf(control(Speed)), textOf(control(AnimationRate))}),
              (Lines{"12", "", "000000000000079"}));
    // Fifteen enemies: reported, hidden, nothing changed.
    for (Enemy& enemy : doc.enemies) enemy.used = 1;
    doc.enemyCount = 15;
    const auto before = bytesOf(doc);
    notify(control(Ok));
    EXPECT_EQ(dialogs, Lines{"Dat file Loading Error|Cannot have more than 15 enemies."});
    EXPECT_FALSE(IsWindowVisible(tool));
    EXPECT_EQ(bytesOf(doc), before);
}

// Every notification draws the chosen image set's first frame, a column and a
// row more, at the square's corner, unclipped. A list without a chosen item
// draws and makes nothing.
TEST_F(NewEnemyTest, ThePreviewShowsTheChosenImageSetAndNoChoiceMakesNothing) {
    session.document.imageSets[2].width = 110;  // wider and taller than the square
    session.document.imageSets[2].height = 130;
    send(NewEnemyCommand);
    pumpMessages();
    const struct { int item; RECT area; int x, y; } cases[] = {
        {1, {325, 5, 357, 27}, 300, 400}, {2, {325, 5, 437, 137}, 200, 250}, {0, {325, 5, 367, 57}, 1, 198}};
    for (const auto& c : cases) {
        choose(control(ImageSets), c.item);
        EXPECT_TRUE(previewShows(c.area, c.x, c.y)) << c.item;
    }
    const auto before = bytesOf(session.document);
    for (int list : {ImageSets, Programs}) {
        SCOPED_TRACE(list);
        choose(control(ImageSets), 1);
        choose(control(Programs), 0);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(control(list), &info));
        SendMessageA(info.hwndItem, WM_CHAR, WPARAM('1'), 1);
        EXPECT_EQ(selected(control(list)), -1);
        EXPECT_TRUE(list == Programs || previewShows({}, 0, 0));
        dialogs.clear();
        notify(control(Ok));
        EXPECT_EQ(dialogs, Lines{NoChoice});
        EXPECT_TRUE(IsWindowVisible(tool));
        EXPECT_EQ(bytesOf(session.document), before);
    }
}

}  // namespace
}  // namespace qzt::gui
