#include "gui/gui_support.h"

#include <cstdio>
#include <sstream>

#include "app/editor_globals.h"
#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "app/window_classes.h"
#include "gfx/bmp_builder.h"

namespace qzt::gui {
namespace {

EditorTest* active = nullptr;
constexpr int MessageTextId = 0xFFFF;  // a message box's message
constexpr int FileNameBoxId = 0x47C;   // cmb13, the file dialogs' file name box

std::string textOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool isDialog(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}

template <typename T>
T take(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

void press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void answer(EditorTest& test, HWND dialog) {
    if (test.answered.count(dialog) && dialog != test.askAgain) return;
    test.answered.insert(dialog);
    test.askAgain = nullptr;
    if (HWND fileName = GetDlgItem(dialog, FileNameBoxId)) {
        test.dialogs.push_back("file:" + textOf(dialog));
        const std::string path = take(test.fileAnswers, std::string());
        SetWindowTextA(fileName, path.c_str());
        press(dialog, path.empty() ? IDCANCEL : IDOK);
    } else if (HWND message = GetDlgItem(dialog, MessageTextId)) {
        char flags[16];
        std::snprintf(flags, sizeof flags, "|%X", test.boxFlags.first == dialog ? test.boxFlags.second : 0);
        test.dialogs.push_back(textOf(dialog) + "|" + textOf(message) + flags);
        const int button = take(test.boxAnswers, GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK);
        HWND owner = GetWindow(dialog, GW_OWNER);
        if (GetDlgItem(owner, FileNameBoxId) && button != IDYES) test.askAgain = owner;
        press(dialog, button);
    }
}

LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA& c = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char className[64] = {}, line[512];
        GetClassNameA(window, className, sizeof className);
        std::snprintf(line, sizeof line, "%s|%s|%08X|%d,%d,%d,%d", IS_INTRESOURCE(c.lpszClass) ? className : c.lpszClass,
                      c.lpszName && !IS_INTRESOURCE(c.lpszName) ? c.lpszName : "", unsigned(c.style), c.x, c.y, c.cx, c.cy);
        active->created.push_back({window, c.hwndParent, line});
        if (isDialog(window) && active->onDialogCreated) active->onDialogCreated();
    } else if (code == HCBT_ACTIVATE && isDialog(window)) {
        answer(*active, window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A message box gets its MSGBOXPARAMS, with the flags it was given, in WM_INITDIALOG.
LRESULT CALLBACK callHook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT& call = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call.message == WM_INITDIALOG && call.lParam && isDialog(call.hwnd) &&
        !GetDlgItem(call.hwnd, FileNameBoxId) && GetDlgItem(call.hwnd, MessageTextId)) {
        const auto& params = *reinterpret_cast<const MSGBOXPARAMSW*>(call.lParam);
        if (params.cbSize == sizeof params) active->boxFlags = {call.hwnd, UINT(params.dwStyle)};
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

Rgb pictureColour(int x, int y) {
    return Rgb(x & 0xFF) << 16 | Rgb(y & 0xFF) << 8 | 0x80 | (x >> 8 & 3) | (y >> 8 & 3) << 2;
}

void writePictureBmp(const std::string& path, int width, int height) {
    test::BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = 24;
    const size_t rowBytes = test::bmpRowBytes(width, 24);
    std::vector<uint8_t> pixels(rowBytes * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int byte = 0; byte < 3; ++byte)
                pixels[rowBytes * size_t(height - 1 - y) + size_t(3 * x + byte)] = uint8_t(pictureColour(x, y) >> 8 * byte);
    spec.pixels = std::move(pixels);
    ASSERT_TRUE(test::writeBytesToFile(path, test::buildBmp(spec))) << path;
}

}  // namespace

Point pictureSource(Rgb colour) {
    const int blue = int(colour & 0xFF);
    if ((blue & 0xF0) != 0x80) return {-1, -1};
    return {int(colour >> 16 & 0xFF) | (blue & 3) << 8, int(colour >> 8 & 0xFF) | (blue >> 2 & 3) << 8};
}

std::string levelHeader(const std::string& title, const std::string& bitmap, const std::string& marker) {
    return "Sub\r\n" + title + "\r\n" + bitmap + "\r\nm.mid\r\nw.wav\r\no.wav\r\nl.wav\r\nc.wav\r\n500\r\n" + marker +
           "\r\n\r\n";
}

std::string testLevel(const std::string& title, const std::string& marker) {
    return levelHeader(title, "level.bmp", marker) +
           qzt::testing::crlfLines({"BEP 0", " RIGHT 12 0 1 ", "EEP", "", "ENEMY 0 2 5 10 100 40 1 ",
                                    "ENEMY 0 2 5 10 120 50 0 ", "ENEMY 0 2 5 10 470 100 2 ",
                                    "ENEMY 0 2 5 10 300 100 9 ", "ENEMY 0 2 5 10 0 0 1 ",
                                    "ENEMY 0 2 5 10 200 350 0 ", "", "CIS 1 198 40 50 2 0 ",
                                    "CIS 300 400 30 20 4 1 ", "CIS 200 250 60 60 1 2 ", "", "END", ""});
}

// Enemy 3's image set 9 is not defined: it is not drawn.
const std::vector<Copy> TestLevelCopies = {
    {100, 40, 300, 400, 30, 20},   // 0
    {120, 50, 1, 198, 40, 50},     // 1: over enemy 0
    {470, 100, 200, 250, 60, 60},  // 2: past the right edge
    {0, 0, 300, 400, 30, 20},      // 4: at the view's top-left corner
    {200, 350, 1, 198, 40, 50},    // 5: past the bottom edge
};

Pixels readPixels(RECT rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC window = GetDC(editor.main.window);
    HBITMAP section = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(window);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, window, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const Rgb* words = static_cast<const Rgb*>(bits);
    Pixels pixels{rect, std::vector<Rgb>(words, words + size_t(width) * size_t(height))};
    for (Rgb& colour : pixels.colours) colour &= 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(section);
    ReleaseDC(editor.main.window, window);
    return pixels;
}

Pixels readView() { return readPixels({ViewLeft, ViewTop, ViewLeft + ViewWidth, ViewTop + ViewHeight}); }

Rgb menuColour() {
    const COLORREF colour = GetSysColor(COLOR_MENU);
    return Rgb(GetRValue(colour)) << 16 | Rgb(GetGValue(colour)) << 8 | GetBValue(colour);
}

::testing::AssertionResult viewShows(const Pixels& view, int h, int v, const std::vector<Copy>& copies) {
    int wrong = 0;
    std::ostringstream first;
    for (int cy = ViewTop; cy < ViewTop + ViewHeight; ++cy) {
        for (int cx = ViewLeft; cx < ViewLeft + ViewWidth; ++cx) {
            Point expected{h + cx - ViewLeft, v + cy - ViewTop + LevelOriginRow};
            for (const Copy& c : copies) {
                const int left = c.levelX - h + ViewLeft, top = c.levelY - v + ViewTop;
                if (cx >= left && cx < left + c.width + 2 && cy >= top && cy < top + c.height + 2)
                    expected = {c.x + cx - left, c.y + cy - top};
            }
            const Point shown = pictureSource(view.at(cx, cy));
            if (shown != expected && wrong++ < 5)
                first << " client " << cx << "," << cy << " shows " << shown.first << "," << shown.second << " not "
                      << expected.first << "," << expected.second << ";";
        }
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << first.str();
}

bool pumpMessages() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        quit = quit || message.message == WM_QUIT;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}

void EditorTest::SetUp() {
    active = this;
    hooks[0] = SetWindowsHookExA(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
    hooks[1] = SetWindowsHookExA(WH_CALLWNDPROC, callHook, nullptr, GetCurrentThreadId());
    writePictureBmp(dir.file("level.bmp"), 640, 800);
    qzt::testing::writeFile(dir.file("level.dat"), testLevel());
}

void EditorTest::TearDown() {
    if (IsWindow(editor.main.window)) ExitEditor();
    pumpMessages();
    for (HHOOK hook : hooks) UnhookWindowsHookEx(hook);
    active = nullptr;
    DeleteObject(editor.levelBitmap.bitmap);
    DeleteObject(editor.viewClipRegion);
    for (const char* name : {LevelPropertiesClass, NewEnemyClass, MainWindowClass, EnemyProgramEditorClass})
        UnregisterClassA(name, GetModuleHandleA(nullptr));
    EXPECT_TRUE(boxAnswers.empty() && fileAnswers.empty()) << "answers left unused";
}

bool EditorTest::start(const char* commandLine) { return startEditor(GetModuleHandleA(nullptr), SW_SHOW, commandLine); }

void EditorTest::open(const std::string& path) {
    fileAnswers.push_back(path);
    send(OpenCommand);
}

void EditorTest::send(WORD command) { SendMessageA(editor.main.window, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

HWND EditorTest::mainWindow() const { return editor.main.window; }

std::string EditorTest::caption() const { return textOf(editor.main.window); }

}  // namespace qzt::gui
