// Shared by the GUI tests: the test level and its bitmap, pixels read back against the renderer's
// picture, and an editor started in this process with a hook recording windows and answering dialogs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_controls.h"
#include "app/menu_bar.h"
#include "level/test_support.h"
#include "render/level_render.h"
#include "win32/level_bitmap.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt::gui {

using Rgb = uint32_t;  // 0xRRGGBB
using Lines = std::vector<std::string>;

inline std::string levelHeader(const std::string& bitmap = "level.bmp", const std::string& marker = "Y N N N") {
    return qzt::testing::headerLines(bitmap, "View_Level", marker);
}
std::string testLevel();
Rgb pictureColour(int x, int y);  // the test bitmap's at (x, y), each pixel its own
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
Rgb systemColour(int index);  // as Pixels holds it

bool pumpMessages();  // true when the quit message was among them
bool waitFor(const std::function<bool()>& done);  // serving this process's windows, 30 s at most

// The editor itself, started on a level in a process of its own; killed at the end.
class OtherEditor {
public:
    explicit OtherEditor(const std::string& level);
    ~OtherEditor() { kill(); }
    HWND window(const char* caption);  // its main window once it shows caption
    void kill();

private:
    PROCESS_INFORMATION process_{};
};
std::string textOf(HWND window);
void notify(HWND control, WORD code = BN_CLICKED);  // as WM_COMMAND carries it to the parent
void choose(HWND list, int item);
int selected(HWND list);
std::string itemsOf(HWND list);  // each followed by ","
void scrollTo(int h, int v);
// Enemy index, X, Y, the five edits (program, image set, hit points, speed, rate); image set index, X, Y, frames item.
std::string panel();

// At scroll (0, 0) in the test level: enemy 0 (level (100, 40), 30 x 20)
// covers client (111..139, 51..69); image set 0 (bitmap (1, 198), 40 x 50)
// covers client (12..50, 12..60), its handle columns 48..52.
constexpr int Enemy0X = 120, Enemy0Y = 60, Set0X = 30, Set0Y = 30;
const std::string SaveQuestion = "Dat file Loading Error|Would you like to save?|40033";
const std::string OpenDialog = "file:Open QZT data file", SaveDialog = "file:Save QZT data file";
const std::string BitmapError =
    "Dat file Loading Error|Error reading .bmp.  Make sure the directory specified in the file is correct.";

// level.bmp (640 x 800, every pixel its own colour) and level.dat (testLevel()) are in dir.
class EditorTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;
    bool start(const char* commandLine = "");
    // Another run in this process, as if the editor were started again.
    bool restart(const char* commandLine = "");
    void startWithLevel() { ASSERT_TRUE(start(("\"" + dir.file("level.dat") + "\"").c_str())); }
    void send(WORD command) { SendMessageA(window, WM_COMMAND, command, 0); }
    void open(const std::string& path) { fileAnswers.push_back(path), send(OpenCommand); }  // path in the dialog
    void close() { SendMessageA(window, WM_CLOSE, 0, 0); }
    bool ended() { return !IsWindow(window) && pumpMessages(); }  // and the quit message was posted
    HWND madeWindow(const std::string& className) const;  // the first made of the class
    HWND toolControl(const char* className, int which) const;  // counted as made, labels included

    // Mouse and keys as the main window gets them.
    void press(int cx, int cy, bool left = true) {
        SendMessageA(window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, 0, MAKELPARAM(cx, cy));
    }
    void moveTo(int cx, int cy) { SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(cx, cy)); }
    void release() { SendMessageA(window, WM_LBUTTONUP, 0, 0); }
    void click(int cx, int cy, bool left = true) { press(cx, cy, left), release(); }
    void key(WPARAM vk) { SendMessageA(window, WM_KEYDOWN, vk, 0); }
    // A key pressed in the main window (or in to) as the message loop takes it: a shortcut becomes its
    // command, any other key reaches the window. True when it was a shortcut.
    bool shortcut(WPARAM vk, bool ctrl, bool shift = false, HWND to = nullptr);
    void controlKey(WPARAM vk, bool shift = false) { shortcut(vk, true, shift); }
    void tick() { SendMessageA(window, WM_TIMER, 1, 0); }
    void type(HWND edit, const char* text) const;    // the box marked modified, as typing does
    void commit(HWND edit, const char* text) const;  // typed, then the focus goes to the main window

    // The view is the renderer's picture of doc over level.bmp at scroll, within area.
    ::testing::AssertionResult viewShows(const Pixels& view, const LevelDocument& doc, Scroll scroll,
                                         RECT area = WholeView, RenderLayers layers = {true, false, false},
                                         GameFrame frame = std::nullopt) const;
    ::testing::AssertionResult viewShowsDocument(RECT area = WholeView) const {
        return viewShows(readView(), session.document, scrollPosition(), area);
    }

    HWND window = nullptr;  // the main window
    // Answers for the coming boxes and file dialogs, each kind in order, all to be used by the end.
    // "" or no answer left cancels (OK for a box without Cancel).
    std::deque<int> boxAnswers;
    std::deque<std::string> fileAnswers;
    Lines dialogs;  // every dialog as it showed: "file:Title", or "Caption|message"
    // The dialog shown so (a line of dialogs) is answered only after the editor's timer ticked under it
    // holdTicks times, and whileHeld has run.
    std::string heldDialog;
    int holdTicks = 3;
    std::function<void()> whileHeld;
    // Every window as it was asked for: "CLASS|text|style in hex|x,y,width,height".
    struct Created { HWND window, parent; std::string line; };
    std::vector<Created> created;
    Pixels viewAtDialog;  // the view as the last dialog was made
    qzt::testing::TempDir dir;

private:
    void clearRun();
};

}  // namespace qzt::gui
