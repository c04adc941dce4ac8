// Shared by the GUI tests: a traceable level bitmap, the test level and its view, pixels read
// back, and an editor started in this process with a hook recording windows and answering dialogs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_controls.h"
#include "app/menu_bar.h"
#include "level/test_support.h"
#include "win32/level_bitmap.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt::gui {

using Rgb = uint32_t;  // 0xRRGGBB

inline std::string levelHeader(const std::string& bitmap = "level.bmp", const std::string& marker = "Y N N N") {
    return qzt::testing::headerLines(bitmap, "View_Level", marker);
}
std::string testLevel();

// An enemy at level (levelX, levelY) whose image set's first frame lies at bitmap (x, y).
struct Copy { int levelX, levelY, x, y, width, height; };
extern const std::vector<Copy> TestLevelCopies;

// A BMP file, with the builder's own pixels when none are given.
void writeBmp(const std::string& path, int width, int height, uint16_t bitCount, std::vector<uint8_t> pixels = {});

// Client pixels of a window (the main one by default), rows from the top.
struct Pixels {
    RECT rect;
    std::vector<Rgb> colours;
    Rgb at(int x, int y) const { return colours[size_t((y - rect.top) * (rect.right - rect.left) + x - rect.left)]; }
};
Pixels readPixels(RECT rect, HWND from = nullptr);
constexpr RECT WholeView{ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight};
inline Pixels readView() { return readPixels(WholeView); }

// Every pixel of area traced to the bitmap: the last copy over it, else the background at (h, v).
::testing::AssertionResult viewShows(const Pixels& view, int h, int v, const std::vector<Copy>& copies,
                                     RECT area = WholeView);
Rgb systemColour(int index);  // as Pixels holds it

bool pumpMessages();  // true when the quit message was among them
std::string textOf(HWND window);
// A control's notification to its parent, as WM_COMMAND carries it.
void notify(HWND control, WORD code = BN_CLICKED);
std::vector<std::string> itemsOf(HWND comboBox);
void scrollTo(int h, int v);

// At scroll (0, 0) in the test level: enemy 0 (level (100, 40), 30 x 20)
// covers client (111..139, 51..69); image set 0 (bitmap (1, 198), 40 x 50)
// covers client (12..50, 12..60), its handle columns 48..52.
constexpr int Enemy0X = 120, Enemy0Y = 60, Set0X = 30, Set0Y = 30;

// level.bmp (640 x 800, every pixel traceable) and level.dat (testLevel()) are in dir.
class EditorTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;
    bool start(const char* commandLine = "");
    void send(WORD command) { SendMessageA(window, WM_COMMAND, command, 0); }
    void open(const std::string& path) { fileAnswers.push_back(path); send(OpenCommand); }  // path in the dialog
    void close() { SendMessageA(window, WM_CLOSE, 0, 0); }
    std::string caption() const { return textOf(window); }
    // The main window is gone and the quit message was posted.
    bool ended() { return !IsWindow(window) && pumpMessages(); }
    // The first window made of a class; the windows made in parent and their lines, in creation order.
    HWND madeWindow(const std::string& className) const;
    std::vector<HWND> controlsOf(HWND parent) const;
    std::vector<std::string> controlLinesOf(HWND parent) const;

    // Starts, opens the test level and finds the tool window of className and its controls.
    void startWithTool(const char* className);
    HWND control(int which) const { return controls.at(size_t(which)); }

    // Mouse and keys as the main window gets them.
    void press(int cx, int cy, bool left = true) {
        SendMessageA(window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, 0, MAKELPARAM(cx, cy));
    }
    void moveTo(int cx, int cy) { SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(cx, cy)); }
    void release() { SendMessageA(window, WM_LBUTTONUP, 0, 0); }
    void click(int cx, int cy, bool left = true) { press(cx, cy, left), release(); }
    void key(WPARAM vk) { SendMessageA(window, WM_KEYDOWN, vk, 0); }
    // With Ctrl held, and Shift when asked.
    void controlKey(WPARAM vk, bool shift = false);
    // Index, X, Y and the five edits (program, image set, hit points, speed, rate).
    static std::vector<std::string> enemyPanel();
    // Index, X, Y and the Frames list's selection.
    static std::vector<std::string> imageSetPanel();
    int selected(int list) const { return int(SendMessageA(control(list), CB_GETCURSEL, 0, 0)); }
    void choose(int list, int item) const {
        SendMessageA(control(list), CB_SETCURSEL, WPARAM(item), 0);
        notify(control(list), CBN_SELCHANGE);
    }

    HWND window = nullptr;  // the main window
    HWND tool = nullptr;
    std::vector<HWND> controls;  // the tool window's
    // Answers for the coming boxes and file dialogs, each kind in order, all to be used by the end.
    // "" or no answer left cancels (OK for a box without Cancel).
    std::deque<int> boxAnswers;
    std::deque<std::string> fileAnswers;
    // Every dialog as it showed: "file:Title", or "Caption|message|flags in hex".
    std::vector<std::string> dialogs;
    // Every window as it was asked for: "CLASS|text|style in hex|x,y,width,height".
    struct Created { HWND window, parent; std::string line; };
    std::vector<Created> created;
    Pixels viewAtDialog;  // the view as the last dialog was made
    qzt::testing::TempDir dir;
};

}  // namespace qzt::gui
