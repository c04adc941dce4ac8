// Shared by the GUI tests: a level bitmap whose every pixel tells where it
// came from, the test level and what its view shows, the main window's pixels
// read back, and an editor started in this process for each test with a hook
// that records its windows and answers its dialogs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "level/test_support.h"

namespace qzt::gui {

using Rgb = uint32_t;  // 0xRRGGBB
using Point = std::pair<int, int>;

// Pixel (x, y) of the test picture in level.bmp (x, y < 1024) has a colour of
// its own; pictureSource gives it back, (-1, -1) for any other colour.
Point pictureSource(Rgb colour);

// The ten header lines of a level, and the test level on level.bmp.
std::string levelHeader(const std::string& title, const std::string& bitmap, const std::string& marker = "Y N N N");
std::string testLevel(const std::string& title = "View_Level", const std::string& marker = "Y N N N");

// An enemy at level (levelX, levelY) whose image set's first frame lies at
// (x, y) in the bitmap.
struct Copy {
    int levelX, levelY, x, y, width, height;
};
extern const std::vector<Copy> TestLevelCopies;

// Client pixels of the main window, rows from the top.
struct Pixels {
    RECT rect;
    std::vector<Rgb> colours;
    Rgb at(int x, int y) const { return colours[size_t(y - rect.top) * size_t(rect.right - rect.left) + size_t(x - rect.left)]; }
};
Pixels readPixels(RECT rect);
Pixels readView();
Rgb menuColour();

// Every view pixel traced to the bitmap: the last copy covering it, else the
// background at scroll position (h, v).
::testing::AssertionResult viewShows(const Pixels& view, int h, int v, const std::vector<Copy>& copies);

// Handles every waiting message; true when the quit message was among them.
bool pumpMessages();

// level.bmp (640 x 800) and level.dat (testLevel()) are in dir.
class EditorTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;
    bool start(const char* commandLine = "");
    void open(const std::string& path);  // "Open", the dialog answered with path
    void send(WORD command);
    void close() { SendMessageA(mainWindow(), WM_CLOSE, 0, 0); }
    HWND mainWindow() const;
    std::string caption() const;

    // Answers for the coming message boxes and file dialogs, each kind in its
    // own order, all to be used by the end. "" or no answer left cancels (OK
    // for a box without Cancel).
    std::deque<int> boxAnswers;
    std::deque<std::string> fileAnswers;
    // Every dialog as it showed: "file:Title", or "Caption|message|flags in hex".
    std::vector<std::string> dialogs;
    // Every window as it was asked for: "CLASS|text|style in hex|x,y,width,height".
    struct Created {
        HWND window, parent;
        std::string line;
    };
    std::vector<Created> created;
    std::function<void()> onDialogCreated;
    qzt::testing::TempDir dir;

    // The hook's own records: boxes' flags from WM_INITDIALOG, and dialogs
    // answered, which are not answered again on coming back to the front,
    // except a file dialog whose box was answered other than Yes.
    std::pair<HWND, UINT> boxFlags{};
    std::set<HWND> answered;
    HWND askAgain = nullptr;
    HHOOK hooks[2] = {};
};

}  // namespace qzt::gui
