// Questions, message boxes and file dialogs of the editor. Each runs a modal
// loop in which the timer and the tool windows would go on: while one is up,
// the tool windows are disabled and the timer leaves the level and its files
// alone, so that the answer that follows acts on the level it was asked about.
#pragma once

#include <windows.h>

namespace qzt {

// A window to disable under every question; added when it is made.
void addToolWindow(HWND window);

// For the life of the scope a question or dialog is up. Scopes nest.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// Whether a question or dialog of the editor's is up.
bool modalUp();

// A message box owned by the main window; the button chosen.
int ask(const char* text, const char* caption, UINT flags);

}  // namespace qzt
