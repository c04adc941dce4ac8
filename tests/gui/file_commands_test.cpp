// "Open", "Save", "Exit" and closing the window: the dialogs, every message,
// the captions and the files.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/editor_globals.h"
#include "app/menu_bar.h"
#include "gfx/bmp_builder.h"
#include "gui/gui_support.h"
#include "level/dat_writer.h"

namespace qzt::gui {
namespace {

using qzt::testing::readFile;
using qzt::testing::writeFile;
using Dialogs = std::vector<std::string>;
using FileCommandsTest = EditorTest;

const std::string SaveQuestion = "Dat file Loading Error|Would you like to save?|40033";

TEST_F(FileCommandsTest, OpenReportsEachFailedLoadAndSetsTheCaptionByItsRules) {
    ASSERT_TRUE(start());
    open(dir.file("level.dat"));
    EXPECT_EQ(caption(), "View_Level");
    struct Case {
        std::string file, message, caption;
    };
    const Case cases[] = {
        {levelHeader("T", "level.bmp") + "CIS 1 2 3\r\nEND\r\n", "Inncorrect syntax in .dat file", "View_Level"},
        {levelHeader("T", "level.bmp") + "ENEMY 0 2 5 10 1 1 0 \r\n", "File ended before expected", "View_Level"},
        {levelHeader("T", "missing.bmp") + "END\r\n",
         "Error reading .bmp.  Make sure the directory specified in the file is correct.", "View_Level"},
        {testLevel("T", "Y N N X"), "Line 10 did not=\"Y N N N\"", "QZT Level Editor"},
    };
    Pixels atMessage;
    onDialogCreated = [&] { atMessage = readView(); };
    // A load that gets past the bitmap shows it from the level's top-left
    // corner whatever the scroll bars say, before any enemy is read.
    SetScrollPos(editor.main.horizontalScrollBar, SB_CTL, 60, TRUE);
    SetScrollPos(editor.main.verticalScrollBar, SB_CTL, 80, TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        writeFile(dir.file("bad.dat"), c.file);
        dialogs.clear();
        boxAnswers = {IDOK};
        open(dir.file("bad.dat"));
        EXPECT_EQ(dialogs, (Dialogs{"file:Open QZT data file", "Dat file Loading Error|" + c.message + "|40030"}));
        EXPECT_EQ(editor.document.loaded, 0);
        EXPECT_EQ(caption(), c.caption);
        EXPECT_EQ(std::string(editor.fileNameBuffer), dir.file("bad.dat"));
        EXPECT_TRUE(viewShows(atMessage, 0, 0, {}));
    }
}

TEST_F(FileCommandsTest, SaveWritesWhatTheCoreWriterWritesAndYesSavesBeforeLeaving) {
    ASSERT_TRUE(start());
    open(dir.file("level.dat"));
    editor.document.enemies[0].x = 77;
    const OPENFILENAMEA& record = editor.fileDialogRecord;
    fileAnswers = {dir.file("copy.dat"), "", dir.file("exit.dat")};
    send(SaveCommand);
    EXPECT_EQ(readFile(dir.file("copy.dat")), serializeLevel(editor.document));
    EXPECT_TRUE(record.Flags & OFN_OVERWRITEPROMPT);
    EXPECT_FALSE(record.Flags & OFN_FILEMUSTEXIST);
    send(OpenCommand);  // cancelled
    EXPECT_EQ(record.Flags, 0x1804u);

    HWND window = mainWindow();
    dialogs.clear();
    boxAnswers = {IDYES};
    send(ExitCommand);
    EXPECT_EQ(dialogs, (Dialogs{SaveQuestion, "file:Save QZT data file"}));
    EXPECT_EQ(readFile(dir.file("exit.dat")), serializeLevel(editor.document));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(pumpMessages()) << "quit posted";
}

TEST_F(FileCommandsTest, LeavingKeepsTheEditorUnlessTheLevelIsSavedOrDropped) {
    test::BmpSpec indexed;  // 8 bits: a palette to release
    indexed.width = 640;
    indexed.height = 800;
    ASSERT_TRUE(test::writeBytesToFile(dir.file("level.bmp"), test::buildBmp(indexed)));
    ASSERT_TRUE(start());
    open(dir.file("level.dat"));
    const std::string locked = dir.file("locked.dat");
    writeFile(locked, "keep");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    dialogs.clear();
    // Cancel; Yes and a cancelled save dialog; Yes, replace the read-only file, the failure.
    boxAnswers = {IDCANCEL, IDYES, IDYES, IDYES, IDOK};
    fileAnswers = {"", locked};
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt == 1) send(ExitCommand);
        else close();
        EXPECT_TRUE(IsWindow(mainWindow())) << attempt;
    }
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    // The file dialog asks itself whether to replace the file, in the system's words.
    ASSERT_EQ(dialogs.size(), 7u) << ::testing::PrintToString(dialogs);
    dialogs.erase(dialogs.begin() + 5);
    EXPECT_EQ(dialogs, (Dialogs{SaveQuestion, SaveQuestion, "file:Save QZT data file", SaveQuestion,
                                "file:Save QZT data file",
                                "Dat file Saving Error|Could not write the .dat file.  The file on disk was not changed.|40030"}));
    EXPECT_EQ(readFile(locked), "keep");
    EXPECT_EQ(editor.document.loaded, 1);
    EXPECT_FALSE(pumpMessages()) << "quit posted";

    // No: the run's resources are released and nothing is written.
    const HPALETTE palette = editor.levelBitmap.palette;
    ASSERT_EQ(GetObjectType(palette), DWORD(OBJ_PAL));
    HWND window = mainWindow();
    dialogs.clear();
    boxAnswers = {IDNO};
    close();
    EXPECT_EQ(dialogs, Dialogs{SaveQuestion});
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetObjectType(palette), 0u);
    EXPECT_TRUE(pumpMessages()) << "quit posted";
    EXPECT_EQ(readFile(dir.file("level.dat")), testLevel());
    EXPECT_EQ(dir.entries().size(), 3u);
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
