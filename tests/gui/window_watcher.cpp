#include "gui/window_watcher.h"

#include <algorithm>
#include <cstring>

namespace qzt::gui {
namespace {

WindowWatcher* active = nullptr;

// The message of a message box, and the file name box of the file dialogs.
constexpr int MessageTextId = 0xFFFF;
constexpr int FileNameBoxId = 0x47C;  // cmb13

std::string windowText(HWND window) {
    char text[1024] = {};
    if (window) GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool isDialog(HWND window) { return classOf(window) == "#32770"; }
bool isFileDialog(HWND dialog) { return GetDlgItem(dialog, FileNameBoxId) != nullptr; }
bool isMessageBox(HWND dialog) { return !isFileDialog(dialog) && GetDlgItem(dialog, MessageTextId) != nullptr; }

void press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const SeenDialog& seen) {
    if (seen.kind == DialogKind::FileDialog) return out << "file dialog \"" << seen.caption << "\" (" << seen.fileName << ")";
    return out << "message box \"" << seen.caption << "\": \"" << seen.text << "\" style 0x" << std::hex << seen.style
               << std::dec;
}

WindowWatcher::WindowWatcher() {
    active = this;
    cbt_ = SetWindowsHookExA(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
    call_ = SetWindowsHookExA(WH_CALLWNDPROC, callHook, nullptr, GetCurrentThreadId());
}

WindowWatcher::~WindowWatcher() {
    UnhookWindowsHookEx(cbt_);
    UnhookWindowsHookEx(call_);
    active = nullptr;
}

int WindowWatcher::destroyMessages(HWND window) const {
    return int(std::count(destroyed_.begin(), destroyed_.end(), window));
}

void WindowWatcher::clear() {
    dialogs_.clear();
    created_.clear();
    destroyed_.clear();
    boxAnswers_.clear();
    fileAnswers_.clear();
}

LRESULT CALLBACK WindowWatcher::cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (active && code == HCBT_CREATEWND) {
        const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        CreatedWindow record{window,
                             create.hwndParent,
                             create.hMenu,
                             IS_INTRESOURCE(create.lpszClass) ? classOf(window) : std::string(create.lpszClass),
                             create.lpszName ? std::string(create.lpszName) : std::string("(null)"),
                             DWORD(create.style),
                             create.dwExStyle,
                             create.x,
                             create.y,
                             create.cx,
                             create.cy};
        active->created_.push_back(record);
        if (isDialog(window) && active->dialogCreated_) active->dialogCreated_();
    } else if (active && code == HCBT_ACTIVATE && isDialog(window)) {
        active->onActivate(window);
    } else if (active && code == HCBT_DESTROYWND) {
        active->destroyed_.push_back(window);
        auto& answered = active->answered_;
        answered.erase(std::remove(answered.begin(), answered.end(), window), answered.end());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A message box gets its MSGBOXPARAMS with WM_INITDIALOG: the flags it was given.
LRESULT CALLBACK WindowWatcher::callHook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT& call = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (active && code == HC_ACTION && call.message == WM_INITDIALOG && isDialog(call.hwnd) &&
        isMessageBox(call.hwnd) && call.lParam) {
        const auto* params = reinterpret_cast<const MSGBOXPARAMSW*>(call.lParam);
        if (params->cbSize == sizeof(MSGBOXPARAMSW)) {
            active->initBox_ = call.hwnd;
            active->initStyle_ = UINT(params->dwStyle);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WindowWatcher::onActivate(HWND dialog) {
    const bool again = std::find(answered_.begin(), answered_.end(), dialog) != answered_.end();
    if (again && dialog != waitingAgain_) return;
    if (!again) answered_.push_back(dialog);
    waitingAgain_ = nullptr;
    if (isFileDialog(dialog))
        answerFileDialog(dialog);
    else if (isMessageBox(dialog))
        answerMessageBox(dialog);
}

void WindowWatcher::answerMessageBox(HWND box) {
    SeenDialog seen{DialogKind::MessageBox, windowText(box), windowText(GetDlgItem(box, MessageTextId)),
                    initBox_ == box ? initStyle_ : 0, GetWindow(box, GW_OWNER), {}};
    dialogs_.push_back(seen);
    int button = GetDlgItem(box, IDCANCEL) ? IDCANCEL : IDOK;
    if (!boxAnswers_.empty()) {
        button = boxAnswers_.front();
        boxAnswers_.pop_front();
    }
    HWND owner = GetWindow(box, GW_OWNER);
    if (owner && isFileDialog(owner) && button != IDYES) waitingAgain_ = owner;
    press(box, button);
}

void WindowWatcher::answerFileDialog(HWND dialog) {
    HWND fileName = GetDlgItem(dialog, FileNameBoxId);
    dialogs_.push_back(SeenDialog{DialogKind::FileDialog, windowText(dialog), {}, 0, GetWindow(dialog, GW_OWNER),
                                  windowText(fileName)});
    std::string path;
    if (!fileAnswers_.empty()) {
        path = fileAnswers_.front();
        fileAnswers_.pop_front();
    }
    if (path.empty()) {
        press(dialog, IDCANCEL);
        return;
    }
    SetWindowTextA(fileName, path.c_str());
    press(dialog, IDOK);
}

}  // namespace qzt::gui
