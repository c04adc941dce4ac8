#include "app/file_commands.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "app/command_line.h"
#include "win32/editor_globals.h"
#include "app/screen_load_steps.h"
#include "app/shutdown.h"
#include "win32/level_view.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"

namespace qzt {
namespace {

constexpr char SavingCaption[] = "Dat file Saving Error";
constexpr UINT QuestionFlags = MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_TOPMOST;

constexpr char OpenTitle[] = "Open QZT data file";
constexpr char SaveTitle[] = "Save QZT data file";
constexpr DWORD OpenDialogFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
// Saving may name a file that does not exist yet, and asks before replacing one.
constexpr DWORD SaveDialogFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;

// Runs one of the two dialogs on the shared record; true when a file was chosen.
bool chooseFile(const char* title, DWORD flags, BOOL(WINAPI* dialog)(LPOPENFILENAMEA)) {
    OPENFILENAMEA& record = editor.fileDialogRecord;
    record.lpstrTitle = title;
    record.Flags = flags;
    return dialog(&record) != 0;
}

// True only when the level reached the disk; a failed write is reported and
// leaves the file as it was.
bool saveThroughDialog() {
    if (!chooseFile(SaveTitle, SaveDialogFlags, GetSaveFileNameA)) return false;
    const SaveOutcome outcome = saveLevelFile(editor.fileNameBuffer, editor.document);
    if (!outcome.ok) notice("Could not write the .dat file.  The file on disk was not changed.", SavingCaption);
    return outcome.ok;
}

}  // namespace

void setUpFileDialogRecord() {
    editor.fileNameBuffer[0] = '\0';
    OPENFILENAMEA& record = editor.fileDialogRecord;
    record = OPENFILENAMEA{};
    record.lStructSize = sizeof record;
    record.hwndOwner = editor.main.window;
    record.hInstance = editor.instance;
    record.lpstrFilter = "QZT dat file\0*.dat\0";
    record.nFilterIndex = 1;
    record.lpstrFile = editor.fileNameBuffer;
    record.nMaxFile = FileNameCapacity;
    record.lpstrTitle = OpenTitle;
    record.Flags = OpenDialogFlags;
    record.lpstrDefExt = "dat";
}

void openLevelFile(const char* path) {
    ScreenLoadSteps steps;
    const LoadResult result = loadLevelFile(path, editor.document, steps);
    if (result == LoadOk) {
        RedrawLevelView();
        return;
    }
    const char* message = loadResultMessage(result);
    if (*message) notice(message, LoadingCaption);
}

void openLevelFromCommandLine(const char* commandLine) {
    const std::string path = commandLineFile(commandLine);
    if (path.empty()) return;
    // Nothing to load: not a bitmap's fault, as the loader would report it.
    if (!levelFileProblem(path.c_str()).empty()) {
        notice("Could not open the .dat file.", LoadingCaption);
        return;
    }
    // As after the open dialog, the dialogs then propose this file; a path
    // too long for the buffer is loaded all the same, just not proposed.
    if (path.size() < FileNameCapacity) {
        std::memcpy(editor.fileNameBuffer, path.c_str(), path.size() + 1);
        openLevelFile(editor.fileNameBuffer);
    } else {
        openLevelFile(path.c_str());
    }
}

void openCommand() {
    if (chooseFile(OpenTitle, OpenDialogFlags, GetOpenFileNameA)) openLevelFile(editor.fileNameBuffer);
}

void saveCommand() {
    if (editor.document.loaded) saveThroughDialog();
}

void leaveEditor() {
    if (!editor.document.loaded) {
        ExitEditor();
        return;
    }
    switch (MessageBoxA(editor.main.window, "Would you like to save?", LoadingCaption, QuestionFlags)) {
    case IDYES:
        if (saveThroughDialog()) ExitEditor();
        break;
    case IDNO:
        ExitEditor();
        break;
    default:
        break;  // Cancel: the editor goes on.
    }
}

}  // namespace qzt
