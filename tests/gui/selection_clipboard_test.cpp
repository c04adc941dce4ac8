// Several enemies at once and the clipboard, on the real windows: Select All,
// a rubber band and Ctrl+click, the yellow outlines, nudges with the arrow
// keys, Cut, Copy, Paste and Duplicate by their shortcuts with their undo
// steps, and a paste into another running editor through the real
// clipboard. The rules' own cases are the native tests'.
#include <string>

#include "app/status_bar.h"
#include "gui/gui_support.h"
#include "win32/document_changes.h"

namespace qzt::gui {
namespace {

using qzt::testing::readFile;
using qzt::testing::writeFile;

constexpr Rgb Yellow = 0xFFFF00;

// The window moved so that the pointer is not over it: pastes then go beside
// the copies. (Moving the pointer itself waits on the X server under Wine.)
void keepThePointerOff(HWND editor) {
    RECT rect;
    GetWindowRect(editor, &rect);
    POINT pointer;
    GetCursorPos(&pointer);
    const int x = pointer.x >= rect.right - rect.left + 40 ? 0 : pointer.x + 40;
    SetWindowPos(editor, nullptr, x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class SelectionTest : public EditorTest {
public:
    void SetUp() override {
        EditorTest::SetUp();
        startWithLevel();
        keepThePointerOff(window);
    }
    void ctrlClick(int cx, int cy) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(cx, cy));
        release();
    }
    std::pair<int, int> at(int enemy) const {
        return {session.document.enemies[enemy].x, session.document.enemies[enemy].y};
    }
    std::string undoName() const {
        const auto name = session.history.undoName();
        return name ? stepNameText(*name) : "";
    }
};

// Enemy 0 (level (100, 40), its box 32 x 22) is outlined from client (109,
// 49) to (142, 72); enemy 2 at (470, 100) is the only one a band from level
// (350, 20) to (490, 115) touches.
TEST_F(SelectionTest, SelectAllABandAndCtrlClicksChooseEnemiesForNudgesInOneStepAndTypedValues) {
    EXPECT_TRUE(shortcut('A', true));
    EXPECT_EQ(statusText(1), "Enemy 0 and 5 more");
    EXPECT_EQ(readView().at(109, 49), Yellow);
    EXPECT_EQ(readView().at(142, 72), Yellow);
    press(360, 30);
    EXPECT_EQ(statusText(1), "") << "a press on empty space";
    moveTo(500, 125);
    EXPECT_EQ(readView().at(360, 30), Yellow) << "the band";
    release();
    EXPECT_EQ(statusText(1), "Enemy 2");
    ctrlClick(Enemy0X, Enemy0Y);
    EXPECT_EQ(statusText(1), "Enemy 0 and 1 more");
    for (int i = 0; i < 2; ++i) shortcut(VK_RIGHT, false);
    shortcut(VK_DOWN, false, true);
    EXPECT_EQ(std::pair(at(0), at(2)), std::pair(std::pair(102, 50), std::pair(472, 110)));
    EXPECT_EQ(undoName(), "Nudge");
    controlKey('Z');
    EXPECT_EQ(std::pair(at(0), at(2)), std::pair(std::pair(100, 40), std::pair(470, 100)));

    // The panel shows enemy 0's image set 1; only a typed value goes to both.
    SetFocus(sidePanel.enemyImageSetEdit);
    SetFocus(window);
    EXPECT_EQ(session.document.enemies[2].imageSet, 2) << "a box only looked into";
    commit(sidePanel.enemyHitPointsEdit, "7");
    EXPECT_EQ(std::pair(session.document.enemies[0].hitPoints, session.document.enemies[2].hitPoints), std::pair(7, 7));

    // Another selection's nudge is a step of its own.
    shortcut(VK_RIGHT, false);
    shortcut('A', true);
    shortcut(VK_RIGHT, false);
    controlKey('Z');
    EXPECT_EQ(std::pair(at(0), undoName()), std::pair(std::pair(101, 40), std::string("Nudge")));
}

// Paste and Duplicate put copies 8 right of and below their originals (the
// pointer is not over the view), Duplicate without the clipboard; Cut copies
// and deletes. Each is one step, named for the Edit menu.
TEST_F(SelectionTest, CutCopyPasteAndDuplicateAreOneStepEach) {
    click(Enemy0X, Enemy0Y);
    EXPECT_TRUE(shortcut('C', true));
    shortcut('V', true);
    EXPECT_EQ(std::pair(at(6), undoName()), std::pair(std::pair(108, 48), std::string("Paste")));
    shortcut('D', true);
    EXPECT_EQ(std::pair(at(7), undoName()), std::pair(std::pair(116, 56), std::string("Duplicate")));
    shortcut('X', true);
    EXPECT_EQ(std::pair(int(session.document.enemies[7].used), undoName()), std::pair(0, std::string("Cut")));
    shortcut('V', true);
    EXPECT_EQ(at(7), std::pair(124, 64)) << "what Cut took, not what Duplicate left";
    for (int i = 0; i < 4; ++i) controlKey('Z');
    EXPECT_TRUE(sameDocument(session.document, session.history.saved()));
}

// The other editor's level has no image set and no program: the pasted enemy
// brings its own, in the lowest free slots.
TEST_F(SelectionTest, EnemiesPastedIntoAnotherEditorBringTheirImageSetAndProgram) {
    const std::string other = dir.file("other.dat");
    writeFile(other, levelHeader() + qzt::testing::crlfLines({"END"}));
    click(Enemy0X, Enemy0Y);
    shortcut('C', true);
    OtherEditor editor(other);
    HWND otherWindow = editor.window("View_Level");
    ASSERT_TRUE(otherWindow);
    keepThePointerOff(otherWindow);
    PostMessageA(otherWindow, WM_COMMAND, PasteCommand, 0);
    PostMessageA(otherWindow, WM_COMMAND, SaveCommand, 0);
    ASSERT_TRUE(waitFor([&] { return readFile(other).find("ENEMY") != std::string::npos; }));
    const std::string saved = readFile(other);
    for (const char* line : {"BEP 0\r\n RIGHT 12 0 1 \r\nEEP", "ENEMY 0 2 5 10 108 48 0 ", "CIS 300 400 30 20 4 0 "})
        EXPECT_NE(saved.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace qzt::gui
