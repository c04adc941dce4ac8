// Edit Enemy Program's wiring: add, pick, edit, delete; steps committed on
// focus loss; lists without a selection; a program freed behind its back. The
// rule cases are the native tests'.
#include <string>
#include <vector>

#include "edit/document_bytes.h"
#include "gui/gui_support.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using qzt::testing::bytesOf;
using Values = std::vector<int32_t>;

enum { Done = 1, DeleteProgram, Add, AddProgram, Programs, Movements = 7, Direction = 9, Steps = 11, FrameX = 13, FrameY };

class ProgramEditorTest : public EditorTest {
public:
    // The test level has program 0 alone, run by every enemy.
    void SetUp() override {
        EditorTest::SetUp();
        startWithLevel();
        tool = madeWindow(EnemyProgramEditorClass);
        send(EditProgramCommand);
    }
    HWND control(int which) const { return toolControl(EnemyProgramEditorClass, which); }
    // What the movement controls show: direction, frame X and frame Y items, and the steps.
    std::string shown() const {
        return std::to_string(selected(control(Direction))) + " " + std::to_string(selected(control(FrameX))) + " " +
               std::to_string(selected(control(FrameY))) + " steps " + textOf(control(Steps));
    }
    // Direction, steps, frame X, frame Y.
    static Values movement(int program, int m) {
        const EnemyProgram& p = session.document.programs[program];
        return {p.direction[m], p.steps[m], p.firstFrame[m], p.lastFrame[m]};
    }
    // Typed into the steps box, which then loses the focus to a press on the window.
    void typeSteps(const char* text, UINT press = WM_LBUTTONDOWN) const {
        SetFocus(control(Steps));
        SetWindowTextA(control(Steps), text);
        SendMessageA(tool, press, 0, MAKELPARAM(5, 150));
    }
    // Every control of the window used, "Add Prog" excepted: none may change the document.
    void everyControlChangesNothing() {
        const auto document = bytesOf(session.document);
        for (int list : {Programs, Movements, Direction, FrameX, FrameY})
            for (WORD code : {CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP, CBN_KILLFOCUS}) notify(control(list), code);
        for (int list : {Direction, FrameX, FrameY}) choose(control(list), 4);
        notify(control(Add));
        typeSteps("55");
        notify(control(DeleteProgram));
        EXPECT_EQ(bytesOf(session.document), document);
    }
    HWND tool = nullptr;
};

TEST_F(ProgramEditorTest, AProgramIsAddedPickedAndEditedMovementByMovement) {
    EXPECT_TRUE(IsWindowVisible(tool));
    EXPECT_EQ(itemsOf(control(Programs)), Lines{"0"});
    EXPECT_EQ(selected(control(Programs)), -1);
    choose(control(Programs), 0);  // RIGHT 12 0 1
    EXPECT_EQ(itemsOf(control(Movements)), Lines{"0"});
    EXPECT_EQ(shown(), "5 0 1 steps 12");
    // The steps are stored when their box loses the focus, to a left or right press.
    SetFocus(control(Steps));
    SetWindowTextA(control(Steps), "30");
    EXPECT_EQ(movement(0, 0)[1], 12) << "not before the focus moves";
    typeSteps("42");
    EXPECT_EQ(GetFocus(), tool);
    EXPECT_EQ(movement(0, 0)[1], 42);
    typeSteps("", WM_RBUTTONDOWN);
    EXPECT_EQ(movement(0, 0)[1], 0);

    // One pass: the new program gets its first movement and opens at it.
    notify(control(AddProgram));
    EXPECT_EQ(movement(1, 0), (Values{STOP, 10, 0, 0}));
    EXPECT_EQ(itemsOf(control(Programs)), (Lines{"0", "1"}));
    EXPECT_EQ(selected(control(Programs)), 1);
    EXPECT_EQ(shown(), "4 0 0 steps 10");
    notify(control(Add));
    EXPECT_EQ(itemsOf(control(Movements)), (Lines{"0", "1"}));
    EXPECT_EQ(selected(control(Movements)), 0);
    choose(control(Movements), 1);
    choose(control(Direction), 7);
    choose(control(FrameX), 3);
    choose(control(FrameY), 5);
    EXPECT_EQ(movement(1, 1), (Values{UP, 10, 3, 5}));
    choose(control(Movements), 0);
    EXPECT_EQ(shown(), "4 0 0 steps 10");
    choose(control(Movements), 1);
    EXPECT_EQ(shown(), "7 3 5 steps 10");

    // A real press on DONE takes the focus, then hides the window.
    SetFocus(control(Steps));
    SetWindowTextA(control(Steps), "77");
    SendMessageA(control(Done), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control(Done), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(movement(1, 1)[1], 77);
    EXPECT_FALSE(IsWindowVisible(tool));
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(ProgramEditorTest, DeleteRefusesAProgramAnEnemyRunsAndFreesAnotherLeavingNoneOpen) {
    session.state.selectedEnemy = -1;
    choose(control(Programs), 0);
    notify(control(DeleteProgram));
    EXPECT_EQ(dialogs, Lines{"Editing Action Error|Enemy program is in use by an enemy.  Could not delete."});
    EXPECT_EQ(session.document.programs[0].used, 1);

    notify(control(AddProgram));
    notify(control(AddProgram));
    choose(control(Programs), 1);
    notify(control(DeleteProgram));
    EXPECT_EQ(session.document.programs[1].used, 0);
    EXPECT_EQ(itemsOf(control(Programs)), (Lines{"0", "2"}));
    EXPECT_EQ(selected(control(Programs)), -1);
    EXPECT_EQ(itemsOf(control(Movements)), Lines{});
    EXPECT_EQ(shown(), "-1 -1 -1 steps ");
    everyControlChangesNothing();
    notify(control(AddProgram));  // the freed slot again
    EXPECT_EQ(itemsOf(control(Programs)), (Lines{"0", "1", "2"}));
    EXPECT_EQ(selected(control(Programs)), 1);
    // Shown again: no program open and nothing shown.
    send(EditProgramCommand);
    EXPECT_EQ(selected(control(Programs)), -1);
    EXPECT_EQ(shown(), "-1 -1 -1 steps ");
    everyControlChangesNothing();
    EXPECT_EQ(dialogs.size(), 1u);
}

// A direction or frame that no item stands for leaves its list without a
// selection; touching such a list keeps the value. Opening the level again
// (which has no program 1) closes the open program and hides the window.
TEST_F(ProgramEditorTest, ListsWithoutASelectionAndAProgramNoLongerUsedChangeNothing) {
    EnemyProgram& zero = session.document.programs[0];
    zero.direction[0] = 12, zero.firstFrame[0] = 9, zero.lastFrame[0] = -1;
    notify(control(AddProgram));
    choose(control(Programs), 1);
    choose(control(Programs), 0);
    EXPECT_EQ(shown(), "-1 -1 -1 steps 12");
    for (int list : {Direction, FrameX, FrameY})
        for (WORD code : {CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP, CBN_KILLFOCUS}) notify(control(list), code);
    EXPECT_EQ(movement(0, 0), (Values{12, 12, 9, -1}));
    zero.movementCount = MAX_MOVEMENTS;  // full: "Add" adds nothing
    notify(control(Add));
    EXPECT_EQ(zero.movementCount, MAX_MOVEMENTS);

    notify(control(AddProgram));
    boxAnswers = {IDNO};
    open(dir.file("level.dat"));
    EXPECT_FALSE(IsWindowVisible(tool));
    everyControlChangesNothing();
    EXPECT_EQ(dialogs, (Lines{SaveQuestion, OpenDialog}));
}

}  // namespace
}  // namespace qzt::gui
