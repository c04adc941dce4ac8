#include "gui/gui_support.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>

#include "app/keyboard_input.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "gfx/bmp_builder.h"
#include "gfx/bmp_decode.h"
#include "win32/window_classes.h"

namespace qzt::gui {
namespace {

EditorTest* active = nullptr;  // the running test, for the hooks
HHOOK hooks[3];
std::set<HWND> answered;
// A held dialog's answer, sent once the editor's timer has ticked enough under it.
std::function<void()> heldAnswer;
int ticksUnderHeld = 0;
std::pair<HWND, UINT> boxFlags;  // the last message box's flags
constexpr int MessageTextId = 0xFFFF;  // a message box's message
constexpr int FileNameBoxId = 0x47C;   // cmb13, the file dialogs' file name box

template <typename T>
T take(std::deque<T>& answers, T otherwise) {
    if (!answers.empty()) otherwise = answers.front(), answers.pop_front();
    return otherwise;
}

// The answer now, or once the editor's timer has ticked holdTicks times under the held dialog.
void post(EditorTest& test, std::function<void()> answer) {
    if (test.dialogs.back() != test.heldDialog) return answer();
    test.heldDialog.clear();
    heldAnswer = std::move(answer);
    ticksUnderHeld = 0;
}

// A file dialog comes to the front again once its own box is closed: answered again only on a refusal.
void answer(EditorTest& test, HWND dialog) {
    if (!answered.insert(dialog).second) return;
    if (HWND fileName = GetDlgItem(dialog, FileNameBoxId)) {
        test.dialogs.push_back("file:" + textOf(dialog));
        const std::string path = take(test.fileAnswers, std::string());
        post(test, [=] {
            SetWindowTextA(fileName, path.c_str());
            PostMessageA(dialog, WM_COMMAND, path.empty() ? IDCANCEL : IDOK, 0);
        });
    } else if (HWND message = GetDlgItem(dialog, MessageTextId)) {
        // A notice's flags are MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST; any other box shows its own.
        const UINT flags = boxFlags.first == dialog ? boxFlags.second : 0;
        char shown[16] = "";
        if (flags != 0x40030) std::snprintf(shown, sizeof shown, "|%X", flags);
        test.dialogs.push_back(textOf(dialog) + "|" + textOf(message) + shown);
        const int button = take(test.boxAnswers, GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK);
        if (button != IDYES) answered.erase(GetWindow(dialog, GW_OWNER));
        post(test, [=] { PostMessageA(dialog, WM_COMMAND, WPARAM(button), 0); });
    }
}

// Timer messages are posted: the dialog's own loop takes them, then hands them to the editor.
LRESULT CALLBACK getMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG& message = *reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && heldAnswer && message.message == WM_TIMER &&
        message.hwnd == shell.mainWindow && ++ticksUnderHeld > active->holdTicks) {
        if (active->whileHeld) active->whileHeld();
        std::function<void()> answer = std::move(heldAnswer);
        heldAnswer = nullptr;
        answer();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    const bool dialog = GetClassLongPtrA(window, GCW_ATOM) == 0x8002;  // WC_DIALOG
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA& c = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char line[512];
        std::snprintf(line, sizeof line, "%s|%s|%08lX|%d,%d,%d,%d", IS_INTRESOURCE(c.lpszClass) ? "#" : c.lpszClass,
                      c.lpszName && !IS_INTRESOURCE(c.lpszName) ? c.lpszName : "", c.style, c.x, c.y, c.cx, c.cy);
        active->created.push_back({window, c.hwndParent, line});
        if (dialog) active->viewAtDialog = readView();
    } else if (code == HCBT_ACTIVATE && dialog) {
        answer(*active, window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A message box gets its MSGBOXPARAMS, with the flags it was given, in WM_INITDIALOG.
LRESULT CALLBACK callHook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT& call = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call.message == WM_INITDIALOG && call.lParam && GetDlgItem(call.hwnd, MessageTextId)) {
        const auto& params = *reinterpret_cast<const MSGBOXPARAMSW*>(call.lParam);
        if (params.cbSize == sizeof params) boxFlags = {call.hwnd, UINT(params.dwStyle)};
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

std::string testLevel() {
    return levelHeader() + qzt::testing::crlfLines({
               "BEP 0", " RIGHT 12 0 1 ", "EEP", "",
               "ENEMY 0 2 5 10 100 40 1 ", "ENEMY 0 2 5 10 120 50 0 ", "ENEMY 0 2 5 10 470 100 2 ",
               "ENEMY 0 2 5 10 300 100 9 ", "ENEMY 0 2 5 10 0 0 1 ", "ENEMY 0 2 5 10 200 350 0 ", "",
               "CIS 1 198 40 50 2 0 ", "CIS 300 400 30 20 4 1 ", "CIS 200 250 60 60 1 2 ", "", "END", ""});
}

Rgb pictureColour(int x, int y) {  // x, y < 1024
    return Rgb(x & 0xFF) << 16 | Rgb(y & 0xFF) << 8 | 0x80 | (x >> 8 & 3) | (y >> 8 & 3) << 2;
}

void writeBmp(const std::string& path, int width, int height, uint16_t bitCount, std::vector<uint8_t> pixels) {
    test::BmpShape shape{width, height, bitCount};
    if (!pixels.empty()) shape.pixels = std::move(pixels);
    ASSERT_TRUE(test::writeBytesToFile(path, test::buildBmp(shape))) << path;
}

Pixels readPixels(RECT rect, HWND from) {
    from = from ? from : shell.mainWindow;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    Rgb* bits = nullptr;
    HDC window = GetDC(from), memory = CreateCompatibleDC(window);
    HBITMAP section = CreateDIBSection(window, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, window, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    Pixels pixels{rect, std::vector<Rgb>(bits, bits + size_t(width) * size_t(height))};
    DeleteDC(memory);
    DeleteObject(section);
    ReleaseDC(from, window);
    return pixels;
}

::testing::AssertionResult EditorTest::viewShows(const Pixels& view, const LevelDocument& doc, Scroll scroll,
                                                RECT area, RenderLayers layers, GameFrame frame) const {
    const BmpReadResult read = readBmpFile(dir.file("level.bmp").c_str());
    if (!read.image) return ::testing::AssertionFailure() << read.why;
    const RgbImage expected = renderView(doc, decodeBmpPixels(*read.image), scroll, layers, frame, session.state);
    int wrong = 0;
    std::ostringstream first;
    for (int cy = area.top; cy < area.bottom; ++cy)
        for (int cx = area.left; cx < area.right; ++cx) {
            const qzt::Rgb e = expected.at(cx - ViewLeft, cy - ViewTop);
            const Rgb want = Rgb(e.red) << 16 | Rgb(e.green) << 8 | e.blue, got = view.at(cx, cy);
            if (got != want && wrong++ < 3)
                first << " client " << cx << "," << cy << " shows " << std::hex << got << " not " << want << std::dec << ";";
        }
    return (wrong ? ::testing::AssertionFailure() : ::testing::AssertionSuccess())
           << wrong << " pixels differ at scroll " << scroll.h << "," << scroll.v << ":" << first.str();
}

Rgb systemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return Rgb(GetRValue(colour)) << 16 | Rgb(GetGValue(colour)) << 8 | GetBValue(colour);
}

bool pumpMessages() {
    bool quit = false;
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); DispatchMessageA(&message))
        quit = quit || message.message == WM_QUIT;
    return quit;
}

bool waitFor(const std::function<bool()>& done) {
    for (const DWORD deadline = GetTickCount() + 30000; GetTickCount() < deadline; Sleep(20)) {
        pumpMessages();
        if (done()) return true;
    }
    return false;
}

OtherEditor::OtherEditor(const std::string& level) {
    std::string exe = QZT_EDITOR_EXE;
    if (exe[0] == '/') exe = "Z:" + exe;  // built outside Wine
    std::replace(exe.begin(), exe.end(), '/', '\\');
    std::string commandLine = "\"" + exe + "\" \"" + level + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        CloseHandle(process_.hThread);
}

HWND OtherEditor::window(const char* caption) {
    HWND found = nullptr;
    waitFor([&] {
        for (found = FindWindowExA(nullptr, nullptr, MainWindowClass, caption); found;
             found = FindWindowExA(nullptr, found, MainWindowClass, caption)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == process_.dwProcessId) return true;
        }
        return false;
    });
    return found;
}

void OtherEditor::kill() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, INFINITE);
    CloseHandle(process_.hProcess);
    process_.hProcess = nullptr;
}

std::string textOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void notify(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(control));
}

void choose(HWND list, int item) { SendMessageA(list, CB_SETCURSEL, WPARAM(item), 0), notify(list, CBN_SELCHANGE); }

int selected(HWND list) { return int(SendMessageA(list, CB_GETCURSEL, 0, 0)); }

std::string itemsOf(HWND list) {  // the lists hold short numbers
    std::string items;
    char text[64];
    for (WPARAM i = 0; SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text)) != CB_ERR; ++i)
        items.append(text).append(",");
    return items;
}

void scrollTo(int h, int v) {
    SetScrollPos(shell.horizontalScrollBar, SB_CTL, h, TRUE);
    SetScrollPos(shell.verticalScrollBar, SB_CTL, v, TRUE);
}

std::string panel() {
    const SidePanelControls& m = sidePanel;
    std::string texts;
    for (HWND control : {m.enemyIndexText, m.enemyXText, m.enemyYText, m.enemyProgramEdit, m.enemyImageSetEdit,
                         m.enemyHitPointsEdit, m.enemySpeedEdit, m.enemyAnimationRateEdit, m.imageSetIndexText,
                         m.imageSetXText, m.imageSetYText})
        texts += textOf(control) + " ";
    return texts + std::to_string(selected(m.framesCombo));
}

bool EditorTest::shortcut(WPARAM vk, bool ctrl, bool shift, HWND to) {
    BYTE keys[256], held[256];
    GetKeyboardState(keys);
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_CONTROL] = ctrl ? 0x80 : 0;
    held[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(held);
    MSG message{to ? to : window, WM_KEYDOWN, vk, 0, 0, {}};
    const bool translated = translateShortcut(message);
    if (!translated) SendMessageA(message.hwnd, WM_KEYDOWN, vk, 0);
    SetKeyboardState(keys);
    return translated;
}

void EditorTest::type(HWND edit, const char* text) const {
    SetFocus(edit);
    SetWindowTextA(edit, text);
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
}

void EditorTest::commit(HWND edit, const char* text) const {
    type(edit, text);
    SetFocus(window);
}

void EditorTest::SetUp() {
    active = this;
    // Each test starts with no recent files of an earlier test's.
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QZT\\QZT Level Editor\\Recent Files");
    hooks[0] = SetWindowsHookExA(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
    hooks[1] = SetWindowsHookExA(WH_CALLWNDPROC, callHook, nullptr, GetCurrentThreadId());
    hooks[2] = SetWindowsHookExA(WH_GETMESSAGE, getMessageHook, nullptr, GetCurrentThreadId());
    heldAnswer = nullptr;
    std::vector<uint8_t> picture;  // 24 bits, bottom-up; 640 pixels make a row with no padding
    for (int y = 799; y >= 0; --y)
        for (int x = 0; x < 640; ++x)
            for (int shift : {0, 8, 16}) picture.push_back(uint8_t(pictureColour(x, y) >> shift));
    writeBmp(dir.file("level.bmp"), 640, 800, 24, std::move(picture));
    qzt::testing::writeFile(dir.file("level.dat"), testLevel());
}

// What a run leaves that the next start would trip over.
void EditorTest::clearRun() {
    if (IsWindow(window)) ExitEditor();
    // These two end only with the process; their classes go with the run.
    for (const char* name : {NewEnemyClass, EnemyProgramEditorClass, LevelCheckClass})
        while (HWND toolWindow = FindWindowA(name, nullptr)) DestroyWindow(toolWindow);
    pumpMessages();
    for (const char* name : {LevelPropertiesClass, NewEnemyClass, MainWindowClass, EnemyProgramEditorClass, LevelCheckClass})
        UnregisterClassA(name, GetModuleHandleA(nullptr));
}

bool EditorTest::restart(const char* commandLine) {
    clearRun();
    created.clear();
    return start(commandLine);
}

void EditorTest::TearDown() {
    clearRun();
    for (HHOOK hook : hooks) UnhookWindowsHookEx(hook);
    EXPECT_TRUE(boxAnswers.empty() && fileAnswers.empty()) << "answers left unused";
    EXPECT_TRUE(heldDialog.empty()) << "no dialog " << heldDialog << " was held";
}

HWND EditorTest::madeWindow(const std::string& className) const {
    for (const Created& c : created)
        if (c.line.compare(0, className.size() + 1, className + "|") == 0) return c.window;
    return nullptr;
}

HWND EditorTest::toolControl(const char* className, int which) const {
    std::vector<HWND> controls;
    for (const Created& c : created)
        if (c.parent == madeWindow(className)) controls.push_back(c.window);
    return controls.at(size_t(which));
}

bool EditorTest::start(const char* commandLine) {
    const bool started = startEditor(GetModuleHandleA(nullptr), SW_SHOW, commandLine);
    window = shell.mainWindow;
    return started;
}

}  // namespace qzt::gui
