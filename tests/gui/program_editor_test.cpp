// Edit Enemy Program's wiring: add, pick, edit, delete; steps committed on focus loss; lists
// without a selection; a program freed behind its back. The rule cases are the native tests'.
#include <string>
#include <tuple>
#include <vector>

#include "edit/document_bytes.h"
#include "gui/gui_support.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using qzt::testing::bytesOf;
using Lines = std::vector<std::string>;
using Values = std::vector<int32_t>;

enum { Done = 1, DeleteProgram, Add, AddProgram, Programs, Movements = 7, Direction = 9, Steps = 11, FrameX = 13, FrameY };

class ProgramEditorTest : public EditorTest {
public:
    // The test level has program 0 alone, run by every enemy.
    void SetUp() override {
        EditorTest::SetUp();
        startWithTool(EnemyProgramEditorClass);
        ASSERT_EQ(controls.size(), 15u);
        send(EditProgramCommand);
    }
    // What the movement controls show: direction, frame X and frame Y items, and the steps.
    std::string shown() const {
        return std::to_string(selected(Direction)) + " " + std::to_string(selected(FrameX)) + " " +
               std::to_string(selected(FrameY)) + " steps " + textOf(control(Steps));
    }
    // Direction, steps, frame X, frame Y.
    static Values movement(int program, int m) {
        const EnemyProgram& p = session.document.programs[program];
        return {p.direction[m], p.steps[m], p.firstFrame[m], p.lastFrame[m]};
    }
    // Typed into the steps box, which then loses the focus to a press on the window.
    void typeSteps(const char* text, UINT press = WM_LBUTTONDOWN) const {
        SetFocus(control(Steps));
        ASSERT_EQ(GetFocus(), control(Steps));
        SetWindowTextA(control(Steps), text);
        SendMessageA(tool, press, 0, MAKELPARAM(5, 150));
    }
    // Every control of the window used once, "Add Prog" excepted.
    void useEveryControl() const {
        for (int list : {Programs, Movements, Direction, FrameX, FrameY}) notify(control(list), CBN_SETFOCUS);
        choose(Direction, 6);
        choose(FrameX, 4);
        choose(FrameY, 5);
        notify(control(Add));
        typeSteps("55");
        notify(control(DeleteProgram));
    }
};

TEST_F(ProgramEditorTest, AProgramIsAddedPickedAndEditedMovementByMovement) {
    EXPECT_TRUE(IsWindowVisible(tool));
    EXPECT_EQ(itemsOf(control(Programs)), Lines{"0"});
    EXPECT_EQ(selected(Programs), -1);
    choose(Programs, 0);  // RIGHT 12 0 1
    EXPECT_EQ(itemsOf(control(Movements)), Lines{"0"});
    EXPECT_EQ(shown(), "5 0 1 steps 12");

    // One pass: the new program gets its first movement and opens at it.
    notify(control(AddProgram));
    EXPECT_EQ(movement(1, 0), (Values{STOP, 10, 0, 0}));
    EXPECT_EQ(itemsOf(control(Programs)), (Lines{"0", "1"}));
    EXPECT_EQ(selected(Programs), 1);
    EXPECT_EQ(itemsOf(control(Movements)), Lines{"0"});
    EXPECT_EQ(shown(), "4 0 0 steps 10");
    // Merely opening the lists writes nothing into the new program.
    for (int list : {Direction, FrameX, FrameY}) notify(control(list), CBN_DROPDOWN);
    EXPECT_EQ(movement(1, 0), (Values{STOP, 10, 0, 0}));

    choose(Programs, 1);
    EXPECT_EQ(shown(), "4 0 0 steps 10");
    notify(control(Add));
    EXPECT_EQ(itemsOf(control(Movements)), (Lines{"0", "1"}));
    EXPECT_EQ(selected(Movements), 0);
    choose(Movements, 1);
    choose(Direction, 7);
    choose(FrameX, 3);
    choose(FrameY, 5);
    EXPECT_EQ(movement(1, 1), (Values{UP, 10, 3, 5}));
    choose(Movements, 0);
    EXPECT_EQ(shown(), "4 0 0 steps 10");
    choose(Movements, 1);
    EXPECT_EQ(shown(), "7 3 5 steps 10");
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(ProgramEditorTest, TheStepsAreStoredWhenTheirBoxLosesTheFocus) {
    choose(Programs, 0);
    SetFocus(control(Steps));
    SetWindowTextA(control(Steps), "30");
    EXPECT_EQ(movement(0, 0)[1], 12) << "not before the focus moves";
    for (const auto& [press, text, steps] : {std::tuple{UINT(WM_LBUTTONDOWN), "42", 42},
                                              std::tuple{UINT(WM_RBUTTONDOWN), "", 0}}) {
        typeSteps(text, press);
        EXPECT_EQ(GetFocus(), tool);
        EXPECT_EQ(movement(0, 0)[1], steps);
    }
    // A real press on DONE takes the focus, then hides the window.
    SetFocus(control(Steps));
    SetWindowTextA(control(Steps), "77");
    SendMessageA(control(Done), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control(Done), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(movement(0, 0)[1], 77);
    EXPECT_FALSE(IsWindowVisible(tool));
}

TEST_F(ProgramEditorTest, DeleteRefusesAProgramAnyUsedEnemyRunsAndFreesAnother) {
    session.state.selectedEnemy = -1;
    choose(Programs, 0);
    notify(control(DeleteProgram));
    EXPECT_EQ(dialogs, Lines{"Editing Action Error|Enemy program is in use by an enemy.  Could not delete.|40030"});
    EXPECT_EQ(session.document.programs[0].used, 1);

    notify(control(AddProgram));
    notify(control(AddProgram));
    choose(Programs, 1);
    choose(Direction, 2);
    notify(control(DeleteProgram));
    EXPECT_EQ(session.document.programs[1].used, 0);
    EXPECT_EQ(itemsOf(control(Programs)), (Lines{"0", "2"}));
    EXPECT_EQ(selected(Programs), -1);
    EXPECT_EQ(itemsOf(control(Movements)), Lines{});
    EXPECT_EQ(shown(), "-1 -1 -1 steps ");

    // Nothing is open now: no control changes anything.
    const auto document = bytesOf(session.document);
    useEveryControl();
    EXPECT_EQ(bytesOf(session.document), document);
    EXPECT_EQ(dialogs.size(), 1u);
    notify(control(AddProgram));  // the freed slot again
    EXPECT_EQ(itemsOf(control(Programs)), (Lines{"0", "1", "2"}));
    EXPECT_EQ(selected(Programs), 1);
}

// A direction or frame that no item stands for leaves its list without a
// selection, even where it had one; touching such a list keeps the value.
TEST_F(ProgramEditorTest, ListsWithoutASelectionChangeNothing) {
    EnemyProgram& zero = session.document.programs[0];
    zero.direction[0] = 12, zero.firstFrame[0] = 9, zero.lastFrame[0] = -1;
    notify(control(AddProgram));
    choose(Programs, 1);
    ASSERT_EQ(shown(), "4 0 0 steps 10");
    choose(Programs, 0);
    EXPECT_EQ(shown(), "-1 -1 -1 steps 12");
    for (int list : {Direction, FrameX, FrameY})
        for (WORD code : {CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP, CBN_KILLFOCUS}) notify(control(list), code);
    EXPECT_EQ(movement(0, 0), (Values{12, 12, 9, -1}));
    // Full: "Add" adds nothing.
    zero.movementCount = MAX_MOVEMENTS;
    notify(control(Add));
    EXPECT_EQ(zero.movementCount, MAX_MOVEMENTS);

    // Shown again: no program open and nothing shown, so nothing is written.
    send(EditProgramCommand);
    EXPECT_EQ(selected(Programs), -1);
    EXPECT_EQ(shown(), "-1 -1 -1 steps ");
    for (WORD code : {CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP}) notify(control(Programs), code);
    choose(FrameX, 2);
    EXPECT_EQ(zero.firstFrame[0], 9);
}

// Opening the level again (which has no program 1) closes the open program
// and hides the window: the editor never writes into the new level.
TEST_F(ProgramEditorTest, AnOpenProgramThatIsNoLongerUsedIsNeverWritten) {
    notify(control(AddProgram));
    choose(Programs, 1);
    boxAnswers = {IDNO};
    open(dir.file("level.dat"));
    EXPECT_FALSE(IsWindowVisible(tool));
    const auto document = bytesOf(session.document);
    useEveryControl();
    EXPECT_EQ(bytesOf(session.document), document);
    EXPECT_EQ(dialogs, (Lines{"Dat file Loading Error|Would you like to save?|40033", "file:Open QZT data file"}));
}

}  // namespace
}  // namespace qzt::gui
