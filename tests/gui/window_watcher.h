// Watches the windows the editor makes on this thread: records every window
// creation as it was asked for, and answers modal message boxes and file
// dialogs from a script, recording what each one showed.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace qzt::gui {

struct CreatedWindow {
    HWND window;
    HWND parent;
    HMENU menu;
    std::string className;
    std::string text;  // "(null)" for a null window name
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
};

enum class DialogKind { MessageBox, FileDialog };

struct SeenDialog {
    DialogKind kind;
    std::string caption;   // the window title
    std::string text;      // message boxes: the message
    UINT style = 0;        // message boxes: the MB_ flags they were given
    HWND owner = nullptr;
    std::string fileName;  // file dialogs: the file name box as the dialog opened
};

std::ostream& operator<<(std::ostream& out, const SeenDialog& seen);

class WindowWatcher {
public:
    WindowWatcher();
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    // Answers for the coming message boxes and file dialogs, each kind in
    // its own order. A dialog without an answer is cancelled and recorded,
    // so an unexpected one shows in the record.
    void answerBox(int button) { boxAnswers_.push_back(button); }
    // Types path into the file name box and presses OK; an empty path cancels.
    void chooseFile(const std::string& path) { fileAnswers_.push_back(path); }
    void cancelFileDialog() { fileAnswers_.push_back(std::string()); }
    size_t unusedAnswers() const { return boxAnswers_.size() + fileAnswers_.size(); }

    // Called as each dialog is created, before it is shown over anything.
    void onDialogCreated(std::function<void()> callback) { dialogCreated_ = std::move(callback); }

    const std::vector<SeenDialog>& dialogs() const { return dialogs_; }
    const std::vector<CreatedWindow>& created() const { return created_; }
    int destroyMessages(HWND window) const;
    void clear();

private:
    static LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK callHook(int code, WPARAM wParam, LPARAM lParam);
    void onActivate(HWND dialog);
    void answerMessageBox(HWND box);
    void answerFileDialog(HWND dialog);

    HHOOK cbt_ = nullptr;
    HHOOK call_ = nullptr;
    std::deque<int> boxAnswers_;
    std::deque<std::string> fileAnswers_;
    std::vector<SeenDialog> dialogs_;
    std::vector<CreatedWindow> created_;
    std::vector<HWND> destroyed_;
    std::function<void()> dialogCreated_;
    // Dialogs already answered are not answered again when they come back to
    // the front, except a file dialog whose question was answered other than
    // "Yes": it waits for a file name again.
    std::vector<HWND> answered_;
    HWND waitingAgain_ = nullptr;
    // Message box flags as handed to each box's WM_INITDIALOG.
    HWND initBox_ = nullptr;
    UINT initStyle_ = 0;
};

}  // namespace qzt::gui
