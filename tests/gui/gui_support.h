// Shared by the GUI tests: level bitmaps whose every pixel tells where it came
// from, level files, reading the main window's pixels back, and an editor
// started in this process for each test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/window_watcher.h"
#include "level/test_support.h"

namespace qzt::gui {

// A colour as 0xRRGGBB.
using Rgb = uint32_t;

struct Point {
    int x;
    int y;
    bool operator==(const Point& other) const { return x == other.x && y == other.y; }
};
std::ostream& operator<<(std::ostream& out, const Point& point);

// Pixel (x, y) of a test picture (x and y below 1024) has a colour of its own,
// so a pixel of the level view names where in the picture it came from.
Rgb pictureColour(int x, int y);
// The source of a picture colour; (-1, -1) for any other colour.
Point pictureSource(Rgb colour);

// A 24-bit bottom-up BMP file of the test picture.
void writePictureBmp(const std::string& path, int width, int height);
// An 8-bit BMP with a 256-colour table: pixel (x, y) has index (x + y) mod 256.
void writeIndexedBmp(const std::string& path, int width, int height);
// The colour of table entry i in writeIndexedBmp's files.
Rgb indexedColour(int index);

// The ten header lines of a level titled title whose bitmap is bitmap.
std::string levelHeader(const std::string& title, const std::string& bitmap,
                        const std::string& marker = "Y N N N");

// Client pixels of a window: rect's columns and rows, read through a DIB.
class ClientPixels {
public:
    ClientPixels(HWND window, RECT rect);
    Rgb at(int clientX, int clientY) const;
    const RECT& rect() const { return rect_; }
    bool operator==(const ClientPixels& other) const { return pixels_ == other.pixels_; }

private:
    RECT rect_;
    std::vector<Rgb> pixels_;
};

// The 500 x 380 level view.
ClientPixels readView();
// The whole client area of the main window.
ClientPixels readClientArea();
Rgb systemColour(int index);

// Handles every message waiting for this thread; true when the quit message was among them.
bool pumpMessages();

// Starts the editor in this process with a watcher on its windows, and
// takes it down again after each test.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Start-up with the given command line; false when it failed.
    bool start(const char* commandLine = "");
    // "Open" with the open dialog answered with path.
    void openThroughMenu(const std::string& path);
    void sendCommand(WORD command);
    HWND mainWindow() const;
    std::string caption() const;

    std::unique_ptr<WindowWatcher> watcher;
    qzt::testing::TempDir dir;
};

}  // namespace qzt::gui
