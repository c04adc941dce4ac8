// The main window's own commands: start-up (the windows placed from the work
// area, the logo, a class that cannot be registered), and "Open", "Save",
// "Exit" and closing the window with their dialogs, messages, captions and
// files. The menu, the controls' places, a plain save and "No" on leaving are
// the end-to-end session's.
#include <string>
#include <tuple>

#include "app/command_line.h"
#include "app/file_commands.h"
#include "gui/gui_support.h"
#include "level/dat_writer.h"
#include "win32/gdi_guards.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

using qzt::testing::readFile;
using qzt::testing::writeFile;
using StartupTest = EditorTest;
const char* const ToolClasses[] = {LevelPropertiesClass, NewEnemyClass, EnemyProgramEditorClass};

TEST_F(StartupTest, PlacesTheWindowsFromTheWorkAreaDrawsTheLogoAndLeavesWithoutALevel) {
    RECT original, work{100, 50, 1025, 739};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &original, 0));
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0));
    const bool started = start("   ");
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &original, 0);
    ASSERT_TRUE(started);
    // Only the right and bottom edges count: 1025 / 2 = 512, 739 / 2 = 369. Wine adds an input-method window.
    Lines windows;
    for (const Created& c : created)
        if (!c.parent && c.line.rfind("IME|", 0) != 0) windows.push_back(c.line);
    EXPECT_EQ(windows, (Lines{"QZTleveledit|QZT Level Editor|00CF0000|192,129,640,480",
                              "Header Props|Level Properties|00040000|302,244,520,350",
                              "New Enemy Box|Create New Enemy|00040000|337,269,450,300",
                              "EnemProg Box|Edit Enemy Program|00040000|337,294,450,250"}));
    for (const char* name : ToolClasses) {  // topmost tool windows, hidden
        const LONG tool = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
        EXPECT_EQ(GetWindowLongA(madeWindow(name), GWL_EXSTYLE) & tool, tool);
        EXPECT_FALSE(IsWindowVisible(madeWindow(name)));
    }
    // Created hidden, Level Properties' buttons are shown with the main window.
    EXPECT_TRUE(GetWindowLongA(toolControl(LevelPropertiesClass, 1), GWL_STYLE) & WS_VISIBLE);

    // The logo, drawn once at (170, 50) as its bitmap holds it.
    const LevelBitmapCells& logo = levelBitmap;
    ASSERT_TRUE(logo.bitmap) << "the test prefix has a logo";
    std::vector<Rgb> own(size_t(logo.width) * size_t(logo.height));
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), logo.width, -logo.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    GetDIBits(WindowDC(window), logo.bitmap, 0, UINT(logo.height), own.data(), &info, DIB_RGB_COLORS);
    for (Rgb& colour : own) colour &= 0xFFFFFF;
    EXPECT_TRUE(readPixels({170, 50, 170 + logo.width, 50 + logo.height}).colours == own);

    // With no level, Save does nothing and closing asks nothing.
    send(SaveAsCommand);
    close();
    EXPECT_TRUE(dialogs.empty() && ended());
}

TEST_F(StartupTest, AClassThatCannotBeRegisteredEndsStartUpBeforeTheLaterClassesAndAnyWindow) {
    WNDCLASSA blocker{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                      MainWindowClass};
    ASSERT_TRUE(RegisterClassA(&blocker));
    EXPECT_FALSE(start());
    WNDCLASSA info;
    EXPECT_TRUE(created.empty() && GetClassInfoA(blocker.hInstance, NewEnemyClass, &info) &&
                !GetClassInfoA(blocker.hInstance, EnemyProgramEditorClass, &info));
}

using FileCommandsTest = EditorTest;

// A load that gets past the bitmap shows it from the level's top-left corner
// whatever the scroll bars say, before any enemy is read.
TEST_F(FileCommandsTest, OpenReportsAFailedLoadAndSetsTheCaptionByItsRules) {
    startWithLevel();
    EXPECT_EQ(std::string(fileDialogRecord().lpstrFile), dir.file("level.dat"));
    scrollTo(60, 80);
    const std::string bad = dir.file("bad.dat"), loading = "Dat file Loading Error|";
    for (const auto& [bitmap, marker, message, caption] :
         {std::tuple{"level.bmp", "Y N N N", loading + "File ended before expected", "View_Level"},
          {"missing.bmp", "Y N N N", BitmapError, "View_Level"},
          {"level.bmp", "Y N N X", loading + "Line 10 did not=\"Y N N N\"", "QZT Level Editor"}}) {
        writeFile(bad, levelHeader(bitmap, marker) + "ENEMY 0 2 5 10 1 1 0 \r\n");
        dialogs.clear();
        open(bad);
        EXPECT_EQ(dialogs, (Lines{OpenDialog, message}));
        EXPECT_EQ(std::tuple(session.document.loaded, textOf(window), std::string(fileDialogRecord().lpstrFile)),
                  std::tuple(0, caption, bad));
        EXPECT_TRUE(viewShows(viewAtDialog, LevelDocument{}, {0, 0}));
    }
}

// Every way out of leaving keeps the editor and the level on disk, until a
// save succeeds; the file dialog asks itself whether to replace a file.
TEST_F(FileCommandsTest, LeavingWaitsForTheLevelOnDiskAndThenReleasesWhatTheRunHeld) {
    writeBmp(dir.file("level.bmp"), 640, 800, 8);  // 8 bits: a palette to release
    startWithLevel();
    const HPALETTE palette = levelBitmap.palette;
    const std::string locked = dir.file("locked.dat");
    writeFile(locked, "keep");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    // Cancel; Yes and a cancelled save dialog; Yes, replace the read-only file, the failure.
    boxAnswers = {IDCANCEL, IDYES, IDYES, IDYES, IDOK};
    fileAnswers = {"", locked};
    close();
    send(ExitCommand);
    close();
    EXPECT_EQ(fileDialogRecord().Flags & (OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST), DWORD(OFN_OVERWRITEPROMPT));
    EXPECT_TRUE(IsWindow(window) && !pumpMessages()) << "the editor goes on";
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(locked), "keep");
    boxAnswers = {IDYES};
    fileAnswers = {dir.file("exit.dat")};
    send(ExitCommand);
    EXPECT_EQ(readFile(dir.file("exit.dat")), serializeLevel(session.document));
    EXPECT_TRUE(ended() && GetObjectType(palette) == 0) << "the palette released";
    ASSERT_EQ(dialogs.size(), 9u) << ::testing::PrintToString(dialogs);
    dialogs.erase(dialogs.begin() + 5);
    EXPECT_EQ(dialogs, (Lines{SaveQuestion, SaveQuestion, SaveDialog, SaveQuestion, SaveDialog,
                              "Dat file Saving Error|Could not write the .dat file.  The file on disk was not changed.",
                              SaveQuestion, SaveDialog}));
}

// A level named from the current folder is kept by its whole path, which the
// recent files and later saves find whatever the current folder is then.
TEST_F(FileCommandsTest, ALevelNamedFromTheCurrentFolderIsKeptByItsWholePath) {
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(dir.path().string().c_str());
    ASSERT_TRUE(start("level.dat"));
    SetCurrentDirectoryA(before);
    EXPECT_EQ(lstrcmpiA(session.levelPath.c_str(), dir.file("level.dat").c_str()), 0) << session.levelPath;
}

// A file that cannot be read as a data file is named as such, not blamed on
// a bitmap. Each open replaces the bitmap; where a small one leaves the view
// uncovered, nothing from before shows there: not in the load's first
// picture, which a failure leaves on screen, nor after a redraw.
TEST_F(FileCommandsTest, AFileThatCannotBeOpenedIsReportedAndASmallBitmapLeavesTheRestBlank) {
    ASSERT_TRUE(start(dir.file("missing.dat").c_str()));
    openLevelFromCommandLine(dir.path().string().c_str());
    EXPECT_EQ(dialogs, Lines(2, "Dat file Loading Error|Could not open the .dat file."));
    open(dir.file("level.dat"));
    const HBITMAP first = levelBitmap.bitmap;
    writeBmp(dir.file("small.bmp"), 300, 250, 24);
    writeFile(dir.file("small.dat"), levelHeader("small.bmp") + "ENEMY 0 2 5 10 1 1 0 \r\n");
    open(dir.file("small.dat"));
    EXPECT_EQ(GetObjectType(first), 0u);
    // Columns 300 on and rows 250 on (client row 63 on) have no bitmap; a redraw blanks them whatever is there.
    FillRect(WindowDC(window), &WholeView, HBRUSH(GetStockObject(BLACK_BRUSH)));
    RedrawLevelView();
    for (const Pixels& view : {viewAtDialog, readView()}) {
        int shown = 0;
        for (int y = ViewTop; y < ViewTop + ViewHeight; ++y)
            for (int x = ViewLeft; x < ViewLeft + ViewWidth; ++x)
                shown += (x >= 310 || y >= 63) && view.at(x, y) != systemColour(COLOR_MENU);
        EXPECT_EQ(shown, 0);
    }
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
