// The rules behind the main window's menus and view: which commands can act,
// the recent files' list and items, and the client points of a magnified view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/editor_commands.h"
#include "edit/recent_files.h"
#include "edit/view_geometry.h"

namespace qzt {
namespace {

TEST(EditorCommands, OnlyWhatCanActNowIsAvailable) {
    CommandState none;
    none.loaded = false;
    CommandState idle;
    idle.loaded = true;
    idle.zoom = idle.defaultZoom = 2;
    idle.largestZoom = 3;
    CommandState recording = idle;
    recording.mode = Recording;
    CommandState dragging = idle;
    dragging.dragging = true;
    dragging.canUndo = dragging.selection = true;
    CommandState undoable = idle;
    undoable.canUndo = undoable.selection = true;
    undoable.zoom = 3;
    const struct { EditorCommand command; bool none, idle, recording, dragging, undoable; } table[] = {
        {OpenCommand, true, true, true, true, true},
        {SaveCommand, false, true, true, false, true},
        {PropertiesCommand, false, true, true, false, true},
        {CheckCommand, false, true, true, true, true},
        {NewEnemyCommand, false, true, false, false, true},
        {EditProgramCommand, false, true, false, false, true},
        {UndoCommand, false, false, false, false, true},
        {RedoCommand, false, false, false, false, false},
        {DeleteCommand, false, false, false, false, true},
        {ZoomInCommand, false, true, true, true, false},
        {ZoomOutCommand, false, true, true, true, true},
        {ActualSizeCommand, false, false, false, false, true},
    };
    for (const auto& row : table) {
        EXPECT_EQ(commandAvailable(row.command, none), row.none) << row.command;
        EXPECT_EQ(commandAvailable(row.command, idle), row.idle) << row.command;
        EXPECT_EQ(commandAvailable(row.command, recording), row.recording) << row.command;
        EXPECT_EQ(commandAvailable(row.command, dragging), row.dragging) << row.command;
        EXPECT_EQ(commandAvailable(row.command, undoable), row.undoable) << row.command;
    }
}

// Most recent first, eight at most, a path of either letter case once; the
// item's "&" of its own doubled.
TEST(RecentFiles, KeepTheEightLastOnceEachMostRecentFirst) {
    RecentFiles files({"C:\\a.dat", "", "C:\\b.dat", "c:\\A.DAT"});
    EXPECT_EQ(files.paths(), (std::vector<std::string>{"C:\\a.dat", "C:\\b.dat"}));
    for (int i = 0; i < 9; ++i) files.add("C:\\" + std::to_string(i) + ".dat");
    files.add("C:\\3.DAT");
    EXPECT_EQ(files.paths(), (std::vector<std::string>{"C:\\3.DAT", "C:\\8.dat", "C:\\7.dat", "C:\\6.dat",
                                                       "C:\\5.dat", "C:\\4.dat", "C:\\2.dat", "C:\\1.dat"}));
    files.remove("c:\\8.dat");
    EXPECT_EQ(files.paths().size(), 7u);
    EXPECT_EQ(recentFileItemText(7, "C:\\R&D\\x.dat"), "&8 C:\\R&&D\\x.dat");
}

// A client point shows the level pixel of the block it is in; points left of
// or above the view stay outside it.
TEST(ViewPlacement, ClientPointsMapToTheLevelPixelOfTheirBlock) {
    const ViewPlacement view{20, 30, 3};
    EXPECT_EQ(unzoomedX(20, view), ViewLeft);
    EXPECT_EQ(unzoomedX(22, view), ViewLeft);
    EXPECT_EQ(unzoomedX(23, view), ViewLeft + 1);
    EXPECT_EQ(unzoomedX(19, view), ViewLeft - 1);
    EXPECT_EQ(unzoomedY(30 + 3 * 380, view), ViewTop + ViewHeight);
    EXPECT_EQ(view.right(), 20 + 1500);
}

}  // namespace
}  // namespace qzt
