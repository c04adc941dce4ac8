// The tool windows' wiring: Level Properties' boxes to the header and its
// bitmap, Create New Enemy's refusals, lists, OK and preview, and Edit Enemy
// Program's add, pick, edit and delete. The rule cases are the native tests'.
#include <algorithm>
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

// One tool window over the test level; its controls counted as made, labels included.
class ToolWindowTest : public EditorTest {
public:
    explicit ToolWindowTest(const char* className) : className(className) {}
    void SetUp() override { EditorTest::SetUp(), startWithLevel(); }
    HWND control(int which) const { return toolControl(className, which); }
    bool shown() const { return IsWindowVisible(madeWindow(className)); }
    std::string texts(std::initializer_list<int> controls) const {  // each followed by "|"
        std::string text;
        for (int which : controls) text += textOf(control(which)) + "|";
        return text;
    }
    const char* className;
};

class LevelPropertiesTest : public ToolWindowTest {
public:
    LevelPropertiesTest() : ToolWindowTest(LevelPropertiesClass) {}
    void type(const Lines& texts) const {  // into rows 0 to 8
        for (size_t row = 0; row < texts.size(); ++row) SetWindowTextA(control(int(2 + row)), texts[row].c_str());
    }
    std::string rows() const { return texts({2, 3, 4, 5, 6, 7, 8, 9, 10}); }
};

// A header text is a whole line, the time bonus its first 24 characters as a
// number; shown again, the boxes hold the header.
TEST_F(LevelPropertiesTest, OkCopiesTheBoxesIntoTheHeaderAsWholeLinesAndCancelKeepsIt) {
    send(PropertiesCommand);
    const std::string whole(499, 's'), cut(499, 't');
    type({whole, cut + "uuu", "level.bmp", "", "with spaces", "o2.wav", "l2.wav", "c2.wav", "0000000000000000000000427"});
    notify(control(0));
    EXPECT_TRUE(textOf(window) == "*" + cut && !shown());  // unsaved
    send(PropertiesCommand);
    EXPECT_EQ(rows(), whole + "|" + cut + "|level.bmp||with spaces|o2.wav|l2.wav|c2.wav|42|");
    const auto before = bytesOf(session.document);
    type({"S", "Typed_Title"});
    notify(control(1));
    EXPECT_TRUE(!shown() && bytesOf(session.document) == before);
}

// Whatever the current directory: a file dialog may have moved it.
TEST_F(LevelPropertiesTest, OkLoadsTheBitmapBesideTheLevelAndRedrawsOrChangesNothing) {
    const qzt::testing::TempDir elsewhere;
    std::filesystem::create_directory(dir.path() / "pics");
    std::filesystem::copy_file(dir.file("level.bmp"), dir.file("pics\\level.bmp"));
    qzt::testing::writeFile(dir.file("broken.bmp"), "BM not a bitmap");
    for (const char* name : {"level.bmp", "missing.bmp"}) writeBmp(elsewhere.file(name), 640, 900, 8);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.path());
    send(PropertiesCommand);
    const auto document = bytesOf(session.document);
    const LevelBitmapCells cells = levelBitmap;
    for (const char* path : {"missing.bmp", "broken.bmp"}) {
        type({"S2", "New_Title", path, "m2", "w2", "o2", "l2", "c2", "77"});
        notify(control(0));
        EXPECT_EQ(rows(), "S2|New_Title|" + std::string(path) + "|m2|w2|o2|l2|c2|77|");
        EXPECT_TRUE(shown() && bytesOf(session.document) == document);
        EXPECT_EQ(std::tuple(levelBitmap.bitmap, levelBitmap.palette, levelBitmap.height, textOf(window)),
                  std::tuple(cells.bitmap, cells.palette, cells.height, "View_Level"));
    }
    SetWindowTextA(control(4), "pics\\level.bmp");
    scrollTo(40, 60);  // the bars alone: the view follows them only with a redraw
    notify(control(0));
    EXPECT_EQ(std::tuple(levelBitmap.height, textOf(window)), std::tuple(800, "*New_Title"));
    EXPECT_NE(levelBitmap.bitmap, cells.bitmap);
    EXPECT_TRUE(viewShowsDocument());
    EXPECT_EQ(dialogs, Lines(2, BitmapError));
    std::filesystem::current_path(previous);
}

class NewEnemyTest : public ToolWindowTest {
public:
    enum { Ok, Cancel, ImageSets, Programs, HitPoints = 6, Speed = 8, AnimationRate = 10 };
    NewEnemyTest() : ToolWindowTest(NewEnemyClass) {}
    // The preview square (325, 5)-(445, 125) shows the bitmap from (x, y) over area, and is blank elsewhere.
    bool previewShows(RECT area, int x, int y) const {
        RECT client, square{325, 5, 445, 125};
        GetClientRect(madeWindow(className), &client);
        const Pixels shown = readPixels({325, 5, client.right, client.bottom}, madeWindow(className));
        for (int cy = 5; cy < client.bottom; ++cy)
            for (int cx = 325; cx < client.right; ++cx) {
                const bool drawn = PtInRect(&area, {cx, cy});
                if ((drawn || PtInRect(&square, {cx, cy})) &&
                    shown.at(cx, cy) != (drawn ? pictureColour(x + cx - 325, y + cy - 5) : systemColour(COLOR_MENU)))
                    return false;
            }
        return true;
    }
};

// Shown again, the lists are filled again with the first item of each chosen.
TEST_F(NewEnemyTest, OpensWithAnImageSetAndAProgramListingTheUsedSlotsWithTheFirstChosen) {
    LevelDocument& doc = session.document;
    doc.imageSets[0].used = doc.imageSets[1].used = doc.imageSets[2].used = 0;
    send(NewEnemyCommand);
    doc.imageSets[0].used = doc.imageSets[2].used = doc.imageSets[5].used = 1;
    doc.programs[0].used = 0;
    send(NewEnemyCommand);
    EXPECT_FALSE(shown());
    EXPECT_EQ(dialogs, (Lines{"Dat file Loading Error|No image sets created yet.  Create an image set first.",
                              "Dat file Loading Error|No Movements created yet.  Create a movement program first."}));
    doc.programs[0].used = doc.programs[14].used = doc.programs[3].used = 1;
    send(NewEnemyCommand);
    choose(control(ImageSets), 2);
    choose(control(Programs), 1);
    send(NewEnemyCommand);
    EXPECT_TRUE(shown());
    EXPECT_EQ(itemsOf(control(ImageSets)) + itemsOf(control(Programs)) + texts({ImageSets, Programs}), "0,2,5,0,3,14,0|0|");
}

// The boxes keep what was typed; fifteen enemies are reported, nothing changed.
TEST_F(NewEnemyTest, OkMakesTheEnemyFromTheListsAndBoxesWhichKeepTheirNumbers) {
    LevelDocument& doc = session.document;
    doc.enemies[2].used = 0;
    doc.programs[6].used = 1;
    send(NewEnemyCommand);
    choose(control(ImageSets), 2);
    choose(control(Programs), 1);
    for (const auto& [box, text] : {std::pair{HitPoints, "12"}, {Speed, ""}, {AnimationRate, "000000000000079"}})
        SetWindowTextA(control(box), text);  // the rate's 15th character is not read
    notify(control(Ok));
    const Enemy& made = doc.enemies[2];
    EXPECT_EQ(std::tuple(made.used, made.imageSet, made.program, made.hitPoints, made.speed, made.animationRate, shown()),
              std::tuple(1, 2, 6, 12, 0, 7, false));
    EXPECT_TRUE(viewShowsDocument());
    send(NewEnemyCommand);
    EXPECT_EQ(texts({HitPoints, Speed, AnimationRate}), "12||000000000000079|");
    for (Enemy& enemy : doc.enemies) enemy.used = 1;
    doc.enemyCount = 15;  // full
    const auto before = bytesOf(doc);
    notify(control(Ok));
    EXPECT_EQ(dialogs, Lines{"Dat file Loading Error|Cannot have more than 15 enemies."});
    EXPECT_TRUE(!shown() && bytesOf(doc) == before);
}

// Every notification draws the chosen image set's first frame, a column and a
// row more, at the square's corner, unclipped. Text typed into a list's field
// leaves it without a chosen item: it draws and makes nothing.
TEST_F(NewEnemyTest, ThePreviewShowsTheChosenImageSetAndNoChoiceMakesNothing) {
    session.document.imageSets[2].width = 110;  // past the square
    session.document.imageSets[2].height = 130;
    send(NewEnemyCommand);
    pumpMessages();
    choose(control(ImageSets), 2);
    EXPECT_TRUE(previewShows({325, 5, 437, 137}, 200, 250));
    choose(control(ImageSets), 1);
    EXPECT_TRUE(previewShows({325, 5, 357, 27}, 300, 400));
    const auto before = bytesOf(session.document);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(control(ImageSets), &info));
    SendMessageA(info.hwndItem, WM_CHAR, WPARAM('1'), 1);
    EXPECT_EQ(selected(control(ImageSets)), -1);
    EXPECT_TRUE(previewShows({}, 0, 0));
    notify(control(Ok));
    EXPECT_TRUE(shown() && bytesOf(session.document) == before);
    EXPECT_EQ(dialogs, Lines{"Editing Action Error|Choose an image set and an enemy program from the lists."});
}

class ProgramEditorTest : public ToolWindowTest {
public:
    enum { Done = 1, DeleteProgram, Add, AddProgram, Programs, Movements = 7, Direction = 9, Steps = 11, FrameX = 13,
           FrameY };
    ProgramEditorTest() : ToolWindowTest(EnemyProgramEditorClass) {}
    // The test level has program 0 alone, run by every enemy.
    void SetUp() override { ToolWindowTest::SetUp(), send(EditProgramCommand); }
    // The lists' items, their selections, and the steps box.
    std::string lists() const {
        std::string text = itemsOf(control(Programs)) + itemsOf(control(Movements));
        for (int list : {Programs, Movements, Direction, FrameX, FrameY})
            text += std::to_string(selected(control(list))) + " ";
        return text + textOf(control(Steps));
    }
    // Typed into the steps box, which then loses the focus to a press on the window.
    void typeSteps(const char* text, UINT press = WM_LBUTTONDOWN) const {
        SetFocus(control(Steps));
        SetWindowTextA(control(Steps), text);
        SendMessageA(madeWindow(className), press, 0, MAKELPARAM(5, 150));
    }
    // With no program open, every control but "Add Prog" changes nothing.
    void everyControlChangesNothing() {
        const auto document = bytesOf(session.document);
        notify(control(Movements), CBN_SETFOCUS);
        for (int list : {Direction, FrameX, FrameY}) choose(control(list), 4);
        notify(control(Add));
        typeSteps("55");
        notify(control(DeleteProgram));
        EXPECT_EQ(bytesOf(session.document), document);
    }
};

// Steps are stored when their box loses the focus to a left or right press,
// or to a real press on DONE, which then hides the window.
TEST_F(ProgramEditorTest, AProgramIsAddedPickedAndEditedMovementByMovement) {
    EXPECT_EQ(lists(), "0,-1 -1 -1 -1 -1 ");
    choose(control(Programs), 0);  // RIGHT 12 0 1
    EXPECT_EQ(lists(), "0,0,0 0 5 0 1 12");
    typeSteps("", WM_RBUTTONDOWN);
    EXPECT_EQ(session.document.programs[0].steps[0], 0);

    notify(control(AddProgram));  // one pass: the new program gets its first movement and opens at it
    EXPECT_EQ(lists(), "0,1,0,1 0 4 0 0 10");
    notify(control(Add));
    for (const auto& [list, item] : {std::pair{Movements, 1}, {Direction, 7}, {FrameX, 3}, {FrameY, 5}, {Movements, 0}})
        choose(control(list), item);
    EXPECT_EQ(lists(), "0,1,0,1,1 0 4 0 0 10");
    choose(control(Movements), 1);
    EXPECT_EQ(lists(), "0,1,0,1,1 1 7 3 5 10");
    SetFocus(control(Steps));
    SetWindowTextA(control(Steps), "77");
    SendMessageA(control(Done), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control(Done), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    const EnemyProgram& p = session.document.programs[1];
    EXPECT_EQ(std::tuple(p.direction[1], p.steps[1], p.firstFrame[1], p.lastFrame[1], shown(), dialogs.size()),
              std::tuple(UP, 77, 3, 5, false, size_t(0)));
}

// Deleting or showing the window again leaves no program open, and so does
// opening another level, which hides the window: nothing reaches its own
// program 1.
TEST_F(ProgramEditorTest, DeleteRefusesAProgramAnEnemyRunsAndFreesAnotherLeavingNoneOpen) {
    choose(control(Programs), 0);
    notify(control(DeleteProgram));
    EXPECT_EQ(dialogs, Lines{"Editing Action Error|Enemy program is in use by an enemy.  Could not delete."});
    notify(control(AddProgram));
    notify(control(AddProgram));
    choose(control(Programs), 1);
    notify(control(DeleteProgram));
    EXPECT_EQ(lists(), "0,2,-1 -1 -1 -1 -1 ");
    everyControlChangesNothing();
    notify(control(AddProgram));  // the freed slot again
    EXPECT_EQ(lists(), "0,1,2,0,1 0 4 0 0 10");
    send(EditProgramCommand);
    EXPECT_EQ(lists(), "0,1,2,-1 -1 -1 -1 -1 ");
    everyControlChangesNothing();
    choose(control(Programs), 1);
    std::string other = testLevel();
    qzt::testing::writeFile(dir.file("other.dat"), other.insert(other.find("EEP") + 5, "BEP 1\r\n LEFT 3 0 1 \r\nEEP\r\n"));
    boxAnswers = {IDNO};
    open(dir.file("other.dat"));
    ASSERT_TRUE(session.document.programs[1].used);
    EXPECT_FALSE(shown());
    everyControlChangesNothing();
    EXPECT_EQ(dialogs.size(), 3u);
}

class LevelCheckTest : public ToolWindowTest {
public:
    LevelCheckTest() : ToolWindowTest(LevelCheckClass) {}
    // The list's lines, each followed by "|".
    std::vector<std::string> lines() const {
        std::vector<std::string> items;
        char text[512];
        for (WPARAM i = 0; SendMessageA(control(0), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text)) != LB_ERR; ++i)
            items.push_back(text);
        return items;
    }
    void doubleClick(const std::string& line) {
        const std::vector<std::string> all = lines();
        const auto at = std::find(all.begin(), all.end(), line);
        ASSERT_NE(at, all.end()) << line;
        SendMessageA(control(0), LB_SETCURSEL, WPARAM(at - all.begin()), 0);
        notify(control(0), LBN_DBLCLK);
    }
};

// The test level's enemy 3 names image set 9, which is not in use; its
// sounds lie nowhere. An edit lists the findings again, and so does a bitmap
// read again; a double-click on an
// enemy's selects it and brings it into the view, one on a program's opens
// it in the program editor.
TEST_F(LevelCheckTest, ListsTheFindingsAgainAfterAnEditAndADoubleClickGoesToOne) {
    send(CheckCommand);
    ASSERT_TRUE(shown());
    const LONG tool = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;  // made as it is first shown, a tool window as the others
    EXPECT_EQ(GetWindowLongA(madeWindow(LevelCheckClass), GWL_EXSTYLE) & tool, tool);
    const std::string missing = "error enemy-image-set-missing: image set 9 is not in use (enemy 3)";
    EXPECT_EQ(lines().front(), "warning file-missing: musicPath (line 4) \"m.mid\" names no file beside the level (header)");
    doubleClick(missing);
    EXPECT_EQ(std::tuple(session.state.selectedEnemy, scrollPosition().h, scrollPosition().v), std::tuple(3, 50, 0));
    EXPECT_EQ(textOf(sidePanel.enemyIndexText), "3");
    send(EditProgramCommand);
    notify(toolControl(EnemyProgramEditorClass, 4));  // Add Prog: program 1, run by no enemy
    const std::string unused = "warning program-unused: no enemy runs it (program 1)";
    doubleClick(unused);
    EXPECT_EQ(selected(toolControl(EnemyProgramEditorClass, 5)), 1) << "program 1 open";

    // Level Properties' OK with the header as it was reads a narrower bitmap,
    // which image set 1's strip (x 300, four frames 30 wide) no longer fits.
    writeBmp(dir.file("level.bmp"), 400, 800, 24);
    send(PropertiesCommand);
    notify(toolControl(LevelPropertiesClass, 0));
    const std::vector<std::string> now = lines();
    EXPECT_TRUE(std::any_of(now.begin(), now.end(), [](const std::string& line) {
        return line.rfind("error image-set-outside-bitmap", 0) == 0 && line.find("(image set 1)") != std::string::npos;
    }));
}

}  // namespace
}  // namespace qzt::gui
