// "Open", "Save", "Exit", closing the window, and a level named on the
// command line: the dialogs, every message, the captions and the files.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/editor_globals.h"
#include "app/menu_bar.h"
#include "gui/gui_support.h"
#include "level/dat_writer.h"

namespace qzt::gui {
namespace {

using qzt::testing::crlfLines;
using qzt::testing::readFile;
using qzt::testing::writeFile;

constexpr UINT Notice = 0x40030;
constexpr UINT Question = 0x40033;

std::string goodLevel(const std::string& title) {
    return levelHeader(title, "level.bmp") +
           crlfLines({"BEP 3", " UP 12 0 3 ", " STOP 4 1 1 ", "EEP", "", "ENEMY 3 2 5 10 40 30 0 ", "",
                      "CIS 1 198 40 50 2 0 ", "", "END", ""}) +
           SavedFileComment;
}

void expectMessage(const SeenDialog& seen, const std::string& text, const std::string& caption, UINT style,
                   HWND owner) {
    EXPECT_EQ(seen.kind, DialogKind::MessageBox);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.caption, caption);
    EXPECT_EQ(seen.style, style);
    EXPECT_EQ(seen.owner, owner);
}

class FileCommandsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        writePictureBmp(dir.file("level.bmp"), 640, 600);
        writeFile(dir.file("level.dat"), goodLevel("First_Level"));
    }

    void TearDown() override {
        for (const std::string& name : dir.entries()) SetFileAttributesA(dir.file(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        EditorTest::TearDown();
    }

    void startWithLevel() {
        ASSERT_TRUE(start());
        openThroughMenu(dir.file("level.dat"));
        ASSERT_EQ(editor.document.loaded, 1);
        watcher->clear();
    }

    // A file the save must not touch.
    std::string lockedFile() {
        const std::string path = dir.file("locked.dat");
        writeFile(path, "keep");
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        return path;
    }

    void close() { SendMessageA(mainWindow(), WM_CLOSE, 0, 0); }
    const std::vector<SeenDialog>& dialogs() const { return watcher->dialogs(); }
    std::string seen() const {
        std::ostringstream out;
        for (const SeenDialog& dialog : dialogs()) out << "\n  " << dialog;
        return out.str();
    }
};

TEST_F(FileCommandsTest, OpenReportsEveryFailedLoadWithItsMessage) {
    struct Case {
        std::string file;
        const char* message;
    };
    const std::vector<Case> cases = {
        {levelHeader("T", "level.bmp") + crlfLines({"CIS 1 2 3", "END", ""}), "Inncorrect syntax in .dat file"},
        {levelHeader("T", "level.bmp", "Y N N N ") + crlfLines({"END", ""}), "Line 10 did not=\"Y N N N\""},
        {levelHeader("T", "level.bmp") + crlfLines({"ENEMY 0 2 5 10 1 1 0 "}), "File ended before expected"},
        {levelHeader("T", "missing.bmp") + crlfLines({"END", ""}),
         "Error reading .bmp.  Make sure the directory specified in the file is correct."},
    };
    ASSERT_TRUE(start());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        writeFile(dir.file("bad.dat"), c.file);
        watcher->clear();
        watcher->answerBox(IDOK);
        openThroughMenu(dir.file("bad.dat"));
        ASSERT_EQ(dialogs().size(), 2u);
        EXPECT_EQ(dialogs()[0].kind, DialogKind::FileDialog);
        EXPECT_EQ(dialogs()[0].caption, "Open QZT data file");
        expectMessage(dialogs()[1], c.message, "Dat file Loading Error", Notice, mainWindow());
        EXPECT_EQ(editor.document.loaded, 0);
    }

    watcher->clear();
    openThroughMenu(dir.file("level.dat"));
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(editor.document.loaded, 1);
    EXPECT_EQ(watcher->unusedAnswers(), 0u);
}

TEST_F(FileCommandsTest, CaptionIsTheTitleAfterALoadAndTheEditorsAfterABadMarkerLine) {
    startWithLevel();
    EXPECT_EQ(caption(), "First_Level");
    const std::vector<std::string> keepCaption = {
        levelHeader("Other", "level.bmp") + crlfLines({"BEP", "END", ""}),
        levelHeader("Other", "level.bmp") + crlfLines({""}),
        levelHeader("Other", "missing.bmp") + crlfLines({"END", ""}),
        "Sub\r\nOther",
    };
    for (const std::string& file : keepCaption) {
        writeFile(dir.file("bad.dat"), file);
        watcher->answerBox(IDOK);
        openThroughMenu(dir.file("bad.dat"));
        EXPECT_EQ(caption(), "First_Level");
    }
    writeFile(dir.file("bad.dat"), levelHeader("Other", "level.bmp", "Y N N") + crlfLines({"END", ""}));
    watcher->answerBox(IDOK);
    openThroughMenu(dir.file("bad.dat"));
    EXPECT_EQ(caption(), "QZT Level Editor");

    writeFile(dir.file("second.dat"), goodLevel("Second_Level"));
    openThroughMenu(dir.file("second.dat"));
    EXPECT_EQ(caption(), "Second_Level");
    EXPECT_EQ(watcher->unusedAnswers(), 0u);
}

TEST_F(FileCommandsTest, CancelledOpenChangesNothing) {
    startWithLevel();
    watcher->cancelFileDialog();
    sendCommand(OpenCommand);
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(editor.document.loaded, 1);
    EXPECT_EQ(caption(), "First_Level");
    EXPECT_EQ(std::string(editor.fileNameBuffer), dir.file("level.dat"));
}

TEST_F(FileCommandsTest, SaveProposesTheLevelFileNeverItsBitmap) {
    startWithLevel();
    EXPECT_EQ(std::string(editor.fileNameBuffer), dir.file("level.dat"));
    watcher->cancelFileDialog();
    sendCommand(SaveCommand);
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].caption, "Save QZT data file");
    EXPECT_EQ(dialogs()[0].fileName, "level.dat");

    // A load that fails after its bitmap keeps the data file's path as well.
    writeFile(dir.file("bad.dat"), levelHeader("T", "level.bmp", "N") + crlfLines({"END", ""}));
    watcher->answerBox(IDOK);
    openThroughMenu(dir.file("bad.dat"));
    EXPECT_EQ(std::string(editor.fileNameBuffer), dir.file("bad.dat"));
}

TEST_F(FileCommandsTest, SaveWritesANewFileExactlyAsTheCoreWriter) {
    startWithLevel();
    editor.document.enemies[0].x = 77;
    const std::string path = dir.file("copy.dat");
    watcher->chooseFile(path);
    sendCommand(SaveCommand);
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].caption, "Save QZT data file");

    ASSERT_TRUE(saveLevelFile(dir.file("reference.dat").c_str(), editor.document).ok);
    const std::string saved = readFile(path);
    EXPECT_EQ(saved, readFile(dir.file("reference.dat")));
    EXPECT_EQ(saved, serializeLevel(editor.document));
    EXPECT_NE(saved.find("ENEMY 3 2 5 10 77 30 0 \r\n"), std::string::npos);
    EXPECT_EQ(std::string(editor.fileNameBuffer), path);

    const OPENFILENAMEA& record = editor.fileDialogRecord;
    EXPECT_TRUE(record.Flags & OFN_OVERWRITEPROMPT);
    EXPECT_FALSE(record.Flags & OFN_FILEMUSTEXIST);

    // Open goes back to its own flags.
    watcher->cancelFileDialog();
    sendCommand(OpenCommand);
    EXPECT_EQ(record.Flags, 0x1804u);
    EXPECT_STREQ(record.lpstrTitle, "Open QZT data file");
}

TEST_F(FileCommandsTest, SaveAsksBeforeReplacingAFile) {
    startWithLevel();
    const std::string path = dir.file("old.dat");
    writeFile(path, "keep");

    watcher->chooseFile(path);
    watcher->answerBox(IDNO);
    watcher->cancelFileDialog();
    sendCommand(SaveCommand);
    ASSERT_EQ(dialogs().size(), 3u);
    EXPECT_EQ(dialogs()[1].kind, DialogKind::MessageBox);
    EXPECT_NE(dialogs()[1].text.find("already exists"), std::string::npos) << dialogs()[1];
    EXPECT_EQ(readFile(path), "keep");

    watcher->chooseFile(path);
    watcher->answerBox(IDYES);
    sendCommand(SaveCommand);
    EXPECT_EQ(readFile(path), serializeLevel(editor.document));
    EXPECT_EQ(watcher->unusedAnswers(), 0u);
}

TEST_F(FileCommandsTest, FailedSaveIsReportedAndTheFileStaysAsItWas) {
    startWithLevel();
    const std::string path = lockedFile();
    watcher->chooseFile(path);
    watcher->answerBox(IDYES);  // replace it
    watcher->answerBox(IDOK);
    sendCommand(SaveCommand);
    ASSERT_EQ(dialogs().size(), 3u) << seen();
    expectMessage(dialogs()[2], "Could not write the .dat file.  The file on disk was not changed.",
                  "Dat file Saving Error", Notice, mainWindow());
    EXPECT_EQ(readFile(path), "keep");
    EXPECT_EQ(dir.entries().size(), 3u) << "no file left behind";
    EXPECT_EQ(editor.document.loaded, 1);
}

TEST_F(FileCommandsTest, SaveDoesNothingWithoutALevel) {
    ASSERT_TRUE(start());
    sendCommand(SaveCommand);
    EXPECT_TRUE(dialogs().empty());
}

TEST_F(FileCommandsTest, LeavingAsksAndCancelKeepsTheEditorOpen) {
    startWithLevel();
    watcher->answerBox(IDCANCEL);
    close();
    ASSERT_EQ(dialogs().size(), 1u);
    expectMessage(dialogs()[0], "Would you like to save?", "Dat file Loading Error", Question, mainWindow());
    EXPECT_TRUE(IsWindow(mainWindow()));
    EXPECT_EQ(editor.document.loaded, 1);
    EXPECT_FALSE(pumpMessages()) << "quit posted";
}

TEST_F(FileCommandsTest, LeavingWithNoReleasesOnceWithoutSaving) {
    writeIndexedBmp(dir.file("level.bmp"), 640, 600);
    startWithLevel();
    HPALETTE palette = editor.levelBitmap.palette;
    ASSERT_EQ(GetObjectType(palette), DWORD(OBJ_PAL));
    const std::string before = readFile(dir.file("level.dat"));
    HWND window = mainWindow();

    watcher->answerBox(IDNO);
    close();
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(watcher->destroyMessages(window), 1);
    EXPECT_EQ(GetObjectType(palette), 0u);
    EXPECT_EQ(editor.levelBitmap.palette, nullptr);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(readFile(dir.file("level.dat")), before);
    EXPECT_EQ(dir.entries().size(), 2u);
}

TEST_F(FileCommandsTest, ExitWithYesSavesAndThenLeaves) {
    startWithLevel();
    const std::string path = dir.file("saved.dat");
    HWND window = mainWindow();
    watcher->answerBox(IDYES);
    watcher->chooseFile(path);
    sendCommand(ExitCommand);
    ASSERT_EQ(dialogs().size(), 2u);
    EXPECT_EQ(dialogs()[1].caption, "Save QZT data file");
    EXPECT_EQ(readFile(path), serializeLevel(editor.document));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(pumpMessages()) << "quit posted";
}

TEST_F(FileCommandsTest, YesAndThenCancellingTheSaveKeepsTheEditorOpen) {
    startWithLevel();
    watcher->answerBox(IDYES);
    watcher->cancelFileDialog();
    close();
    ASSERT_EQ(dialogs().size(), 2u);
    EXPECT_TRUE(IsWindow(mainWindow()));
    EXPECT_EQ(editor.document.loaded, 1);
    EXPECT_EQ(dir.entries().size(), 2u);
    EXPECT_FALSE(pumpMessages());
}

TEST_F(FileCommandsTest, YesAndAFailedSaveKeepsTheEditorOpen) {
    startWithLevel();
    const std::string path = lockedFile();
    watcher->answerBox(IDYES);
    watcher->chooseFile(path);
    watcher->answerBox(IDYES);  // replace it
    watcher->answerBox(IDOK);
    sendCommand(ExitCommand);
    ASSERT_EQ(dialogs().size(), 4u) << seen();
    EXPECT_EQ(dialogs()[3].caption, "Dat file Saving Error");
    EXPECT_TRUE(IsWindow(mainWindow()));
    EXPECT_EQ(editor.document.loaded, 1);
    EXPECT_EQ(readFile(path), "keep");
    EXPECT_FALSE(pumpMessages());
}

TEST_F(FileCommandsTest, CommandLineOpensTheLevelAsOpenDoes) {
    const std::string path = dir.file("level.dat");
    ASSERT_TRUE(start(("\"" + path + "\"").c_str()));
    EXPECT_TRUE(dialogs().empty());
    EXPECT_EQ(editor.document.loaded, 1);
    EXPECT_EQ(caption(), "First_Level");
    EXPECT_EQ(std::string(editor.fileNameBuffer), path);
    const ClientPixels view = readView();
    EXPECT_EQ(pictureSource(view.at(10, 10)), (Point{0, 197}));
    // Enemy 0 at level (40, 30) shows image set 0 from (1, 198).
    EXPECT_EQ(pictureSource(view.at(50, 40)), (Point{1, 198}));
    EXPECT_EQ(pictureSource(view.at(91, 91)), (Point{42, 249}));
}

TEST_F(FileCommandsTest, CommandLineFileThatFailsIsReportedAsOpenReportsIt) {
    writeFile(dir.file("bad.dat"), levelHeader("T", "level.bmp") + crlfLines({"CIS 1"}));
    watcher->answerBox(IDOK);
    ASSERT_TRUE(start(dir.file("bad.dat").c_str()));
    ASSERT_EQ(dialogs().size(), 1u);
    expectMessage(dialogs()[0], "Inncorrect syntax in .dat file", "Dat file Loading Error", Notice, mainWindow());
    EXPECT_EQ(editor.document.loaded, 0);
}

TEST_F(FileCommandsTest, BlankCommandLineOpensNothing) {
    ASSERT_TRUE(start("   "));
    EXPECT_TRUE(dialogs().empty());
    EXPECT_EQ(editor.document.loaded, 0);
    EXPECT_STREQ(editor.fileNameBuffer, "");
}

TEST(CommandLineFile, TakesAQuotedOrThePlainRestOfTheLine) {
    EXPECT_EQ(commandLineFile(nullptr), "");
    EXPECT_EQ(commandLineFile(""), "");
    EXPECT_EQ(commandLineFile(" \t "), "");
    EXPECT_EQ(commandLineFile("C:\\levels\\one.dat"), "C:\\levels\\one.dat");
    EXPECT_EQ(commandLineFile("  C:\\my levels\\one.dat  "), "C:\\my levels\\one.dat");
    EXPECT_EQ(commandLineFile("\"C:\\my levels\\one.dat\" extra"), "C:\\my levels\\one.dat");
    EXPECT_EQ(commandLineFile(" \"C:\\open ended.dat"), "C:\\open ended.dat");
}

}  // namespace
}  // namespace qzt::gui
