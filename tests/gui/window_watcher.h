// Watches the windows the editor makes on this thread: records every window
// creation as it was asked for, and answers modal message boxes and file
// dialogs from a script, recording what each one showed.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
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

// What to do with the next dialog. Dialogs without a scripted answer are
// cancelled and recorded, so an unexpected one shows in the record.
struct Answer {
    DialogKind kind;
    int button = IDOK;  // message boxes: the button to press
    std::string path;   // file dialogs: typed into the file name box; empty cancels
};

class WindowWatcher {
public:
    WindowWatcher();
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    void answerBox(int button) { script_.push_back(Answer{DialogKind::MessageBox, button, {}}); }
    void chooseFile(const std::string& path) { script_.push_back(Answer{DialogKind::FileDialog, IDOK, path}); }
    void cancelFileDialog() { script_.push_back(Answer{DialogKind::FileDialog, IDCANCEL, {}}); }
    size_t unusedAnswers() const { return script_.size(); }

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
    std::deque<Answer> script_;
    std::vector<SeenDialog> dialogs_;
    std::vector<CreatedWindow> created_;
    std::vector<HWND> destroyed_;
    std::function<void()> dialogCreated_;
    // The dialog last answered; it is answered again only after another
    // dialog came in between (a file dialog after its overwrite question).
    HWND answered_ = nullptr;
    // Message box flags as handed to each box's WM_INITDIALOG.
    HWND initBox_ = nullptr;
    UINT initStyle_ = 0;
};

}  // namespace qzt::gui
