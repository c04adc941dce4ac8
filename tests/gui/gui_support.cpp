#include "gui/gui_support.h"

#include <ostream>

#include "app/editor_globals.h"
#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "app/window_classes.h"
#include "gfx/bmp_builder.h"

namespace qzt::gui {

std::ostream& operator<<(std::ostream& out, const Point& point) {
    return out << "(" << point.x << ", " << point.y << ")";
}

Rgb pictureColour(int x, int y) {
    const Rgb blue = 0x80 | ((x >> 8) & 3) | ((y >> 8) & 3) << 2;
    return Rgb(x & 0xFF) << 16 | Rgb(y & 0xFF) << 8 | blue;
}

Point pictureSource(Rgb colour) {
    const Rgb blue = colour & 0xFF;
    if ((blue & 0xF0) != 0x80) return {-1, -1};
    return {int((colour >> 16) & 0xFF) | int(blue & 3) << 8, int((colour >> 8) & 0xFF) | int((blue >> 2) & 3) << 8};
}

Rgb indexedColour(int index) { return Rgb(index) << 16 | Rgb(255 - index) << 8 | 0x30; }

namespace {

void writeBmp(const std::string& path, test::BmpSpec spec) {
    ASSERT_TRUE(test::writeBytesToFile(path, test::buildBmp(std::move(spec)))) << path;
}

}  // namespace

void writePictureBmp(const std::string& path, int width, int height) {
    test::BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = 24;
    const size_t rowBytes = test::bmpRowBytes(width, 24);
    std::vector<uint8_t> pixels(rowBytes * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = pixels.data() + rowBytes * size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const Rgb colour = pictureColour(x, y);
            row[3 * x] = uint8_t(colour);
            row[3 * x + 1] = uint8_t(colour >> 8);
            row[3 * x + 2] = uint8_t(colour >> 16);
        }
    }
    spec.pixels = std::move(pixels);
    writeBmp(path, std::move(spec));
}

void writeIndexedBmp(const std::string& path, int width, int height) {
    test::BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = 8;
    for (int i = 0; i < 256; ++i) {
        const Rgb colour = indexedColour(i);
        spec.colours.push_back(test::BmpColour{uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16), 0});
    }
    const size_t rowBytes = test::bmpRowBytes(width, 8);
    std::vector<uint8_t> pixels(rowBytes * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[rowBytes * size_t(height - 1 - y) + size_t(x)] = uint8_t(x + y);
    spec.pixels = std::move(pixels);
    writeBmp(path, std::move(spec));
}

std::string levelHeader(const std::string& title, const std::string& bitmap, const std::string& marker) {
    return "Sub\r\n" + title + "\r\n" + bitmap + "\r\nm.mid\r\nw.wav\r\no.wav\r\nl.wav\r\nc.wav\r\n500\r\n" + marker +
           "\r\n\r\n";
}

ClientPixels::ClientPixels(HWND window, RECT rect) : rect_(rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const uint32_t*>(bits);
    pixels_.assign(words, words + size_t(width) * size_t(height));
    for (Rgb& pixel : pixels_) pixel &= 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(section);
    ReleaseDC(window, screen);
}

Rgb ClientPixels::at(int clientX, int clientY) const {
    const int width = rect_.right - rect_.left;
    return pixels_[size_t(clientY - rect_.top) * size_t(width) + size_t(clientX - rect_.left)];
}

ClientPixels readView() {
    return ClientPixels(editor.main.window, RECT{ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight});
}

ClientPixels readClientArea() {
    RECT client;
    GetClientRect(editor.main.window, &client);
    return ClientPixels(editor.main.window, client);
}

Rgb systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return Rgb(GetRValue(colour)) << 16 | Rgb(GetGValue(colour)) << 8 | GetBValue(colour);
}

bool pumpMessages() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}

void EditorTest::SetUp() { watcher = std::make_unique<WindowWatcher>(); }

void EditorTest::TearDown() {
    if (IsWindow(editor.main.window)) ExitEditor();
    pumpMessages();
    watcher.reset();
    if (editor.levelBitmap.bitmap) DeleteObject(editor.levelBitmap.bitmap);
    if (editor.levelBitmap.palette) DeleteObject(editor.levelBitmap.palette);
    if (editor.viewClipRegion) DeleteObject(editor.viewClipRegion);
    editor.levelBitmap = LevelBitmapCells{};
    editor.viewClipRegion = nullptr;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const char* name : {LevelPropertiesClass, NewEnemyClass, MainWindowClass, EnemyProgramEditorClass})
        UnregisterClassA(name, instance);
}

bool EditorTest::start(const char* commandLine) {
    return startEditor(GetModuleHandleA(nullptr), SW_SHOW, commandLine);
}

void EditorTest::openThroughMenu(const std::string& path) {
    watcher->chooseFile(path);
    sendCommand(OpenCommand);
}

void EditorTest::sendCommand(WORD command) { SendMessageA(editor.main.window, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

HWND EditorTest::mainWindow() const { return editor.main.window; }

std::string EditorTest::caption() const {
    char text[600] = {};
    GetWindowTextA(editor.main.window, text, sizeof text);
    return text;
}

}  // namespace qzt::gui
