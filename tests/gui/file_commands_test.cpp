// "Open", "Save", "Exit" and closing the window: the dialogs, every message,
// the captions and the files. A plain save and "No" on leaving are the
// end-to-end session's.
#include <string>

#include "app/command_line.h"
#include "app/file_commands.h"
#include "gui/gui_support.h"
#include "level/dat_writer.h"

namespace qzt::gui {
namespace {

using qzt::testing::readFile;
using qzt::testing::writeFile;
using FileCommandsTest = EditorTest;

TEST_F(FileCommandsTest, OpenReportsEachFailedLoadAndSetsTheCaptionByItsRules) {
    ASSERT_TRUE(start());
    open(dir.file("level.dat"));
    EXPECT_EQ(caption(), "View_Level");
    const std::string bad = dir.file("bad.dat");
    const std::string cases[][3] = {  // file, message, caption
        {levelHeader() + "CIS 1 2 3\r\nEND\r\n", "Inncorrect syntax in .dat file", "View_Level"},
        {levelHeader() + "ENEMY 0 2 5 10 1 1 0 \r\n", "File ended before expected", "View_Level"},
        {levelHeader("missing.bmp") + "END\r\n",
         "Error reading .bmp.  Make sure the directory specified in the file is correct.", "View_Level"},
        {levelHeader("level.bmp", "Y N N X") + "END\r\n", "Line 10 did not=\"Y N N N\"", "QZT Level Editor"},
    };
    // A load that gets past the bitmap shows it from the level's top-left
    // corner whatever the scroll bars say, before any enemy is read.
    scrollTo(60, 80);
    for (const auto& [file, message, title] : cases) {
        SCOPED_TRACE(message);
        writeFile(bad, file);
        dialogs.clear();
        open(bad);
        EXPECT_EQ(dialogs, (Lines{OpenDialog, "Dat file Loading Error|" + message}));
        EXPECT_EQ(session.document.loaded, 0);
        EXPECT_EQ(caption(), title);
        EXPECT_EQ(std::string(fileDialogRecord().lpstrFile), bad);
        EXPECT_TRUE(viewShows(viewAtDialog, LevelDocument{}, {0, 0}));
    }
}

// Every way out of leaving keeps the editor and the level on disk, until a save succeeds.
TEST_F(FileCommandsTest, LeavingWaitsForTheLevelOnDiskAndThenReleasesWhatTheRunHeld) {
    writeBmp(dir.file("level.bmp"), 640, 800, 8);  // 8 bits: a palette to release
    ASSERT_TRUE(start());
    open(dir.file("level.dat"));
    const HPALETTE palette = levelBitmap.palette;
    ASSERT_EQ(GetObjectType(palette), DWORD(OBJ_PAL));
    const std::string locked = dir.file("locked.dat");
    writeFile(locked, "keep");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    send(OpenCommand);  // cancelled
    EXPECT_EQ(fileDialogRecord().Flags, 0x1804u);
    // Cancel; Yes and a cancelled save dialog; Yes, replace the read-only file, the failure.
    boxAnswers = {IDCANCEL, IDYES, IDYES, IDYES, IDOK};
    fileAnswers = {"", locked};
    close();
    send(ExitCommand);
    close();
    EXPECT_EQ(fileDialogRecord().Flags & (OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST), DWORD(OFN_OVERWRITEPROMPT));
    EXPECT_TRUE(IsWindow(window) && !pumpMessages()) << "the editor goes on";
    EXPECT_EQ(session.document.loaded, 1);
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(locked), "keep");
    boxAnswers = {IDYES};
    fileAnswers = {dir.file("exit.dat")};
    send(ExitCommand);
    EXPECT_EQ(readFile(dir.file("exit.dat")), serializeLevel(session.document));
    EXPECT_TRUE(ended());
    EXPECT_EQ(GetObjectType(palette), 0u);
    // The file dialog asks itself whether to replace the file, in the system's words.
    ASSERT_EQ(dialogs.size(), 11u) << ::testing::PrintToString(dialogs);
    dialogs.erase(dialogs.begin() + 7);
    EXPECT_EQ(dialogs, (Lines{OpenDialog, OpenDialog, SaveQuestion, SaveQuestion, SaveDialog, SaveQuestion, SaveDialog,
                              "Dat file Saving Error|Could not write the .dat file.  The file on disk was not changed.",
                              SaveQuestion, SaveDialog}));
}

// A file that cannot be read as a data file is named as such, not blamed on a bitmap.
TEST_F(FileCommandsTest, ACommandLineFileThatCannotBeOpenedIsReportedAndNothingLoads) {
    ASSERT_TRUE(start(dir.file("missing.dat").c_str()));
    openLevelFromCommandLine(dir.path().string().c_str());
    const std::string message = "Dat file Loading Error|Could not open the .dat file.";
    EXPECT_EQ(dialogs, (Lines{message, message}));
    EXPECT_EQ(session.document.loaded, 0);
}

// Each open replaces the bitmap; where a small one leaves the view uncovered,
// nothing from before shows there.
TEST_F(FileCommandsTest, OpeningReplacesTheBitmapAndBlanksWhatASmallOneLeavesUncovered) {
    startWithLevel();
    const HBITMAP first = levelBitmap.bitmap;
    writeBmp(dir.file("small.bmp"), 300, 250, 24);
    writeFile(dir.file("small.dat"), levelHeader("small.bmp") + "\r\nEND\r\n");
    open(dir.file("small.dat"));
    EXPECT_EQ(GetObjectType(first), 0u);
    // Columns 300 on and rows 250 on (client row 63 on) have no bitmap.
    const Pixels view = readView();
    int shown = 0;
    for (int y = ViewTop; y < ViewTop + ViewHeight; ++y)
        for (int x = ViewLeft; x < ViewLeft + ViewWidth; ++x)
            shown += (x >= 310 || y >= 63) && view.at(x, y) != systemColour(COLOR_MENU);
    EXPECT_EQ(shown, 0);
}

TEST(CommandLineFile, TakesAQuotedPathOrThePlainRestOfTheLine) {
    EXPECT_EQ(commandLineFile(nullptr), "");
    EXPECT_EQ(commandLineFile(" \t "), "");
    EXPECT_EQ(commandLineFile("  C:\\my levels\\one.dat  "), "C:\\my levels\\one.dat");
    EXPECT_EQ(commandLineFile("\"C:\\my levels\\one.dat\" extra"), "C:\\my levels\\one.dat");
    EXPECT_EQ(commandLineFile(" \"C:\\open ended.dat"), "C:\\open ended.dat");
}

}  // namespace
}  // namespace qzt::gui
