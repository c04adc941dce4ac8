#include "app/file_commands.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/disk_watch.h"
#include "app/document_view.h"
#include "app/recent_files_store.h"
#include "app/recovery.h"
#include "app/screen_load_steps.h"
#include "app/shutdown.h"
#include "app/side_panel.h"
#include "edit/slot_rules.h"
#include "gfx/offscreen_load_steps.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "level/bitmap_beside_level.h"
#include "level/file_paths.h"
#include "level/file_state.h"
#include "win32/document_changes.h"
#include "win32/modal.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr int FileNameCapacity = 500;
// The dialogs' own buffer: they propose what it holds and fill in the choice.
char fileNameBuffer[FileNameCapacity];
OPENFILENAMEA dialogRecord;

constexpr char SavingCaption[] = "Dat file Saving Error";
constexpr UINT QuestionFlags = MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_TOPMOST;

constexpr char OpenTitle[] = "Open QZT data file";
constexpr char SaveTitle[] = "Save QZT data file";
constexpr DWORD OpenDialogFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
// Saving may name a file that does not exist yet, and asks before replacing one.
constexpr DWORD SaveDialogFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;

// Runs one of the two dialogs on the shared record; true when a file was chosen.
bool chooseFile(const char* title, DWORD flags, BOOL(WINAPI* dialog)(LPOPENFILENAMEA)) {
    const ModalScope scope;
    OPENFILENAMEA& record = dialogRecord;
    record.lpstrTitle = title;
    record.Flags = flags;
    return dialog(&record) != 0;
}

// After an open, a reload or a save: the level file as it is now is what the
// watch compares with and what unsaved changes are made against.
void levelFileIsKnown() {
    const std::optional<uint64_t> fingerprint =
        session.levelPath.empty() ? std::nullopt : fileFingerprint(session.levelPath.c_str());
    knowLevelFile(fingerprint);
    recoveryBasedOn(fingerprint);
}

// Saved into another folder, a level needs its bitmap there too: the user
// may have it copied along. False for Cancel and for a copy that failed.
bool bitmapGoesAlong(const char* path) {
    const char* bitmap = session.document.header.bitmapPath;
    if (!bitmapLeftBehind(session.levelPath, path, bitmap)) return true;
    const std::string question =
        std::string("The level's bitmap ") + bitmap + " is not in the folder you are saving to. Copy it there?";
    switch (ask(question.c_str(), LoadingCaption, QuestionFlags)) {
    case IDYES:
        break;
    case IDNO:
        return true;
    default:
        return false;
    }
    std::string why;
    if (copyBitmapBeside(session.levelPath, path, bitmap, why)) return true;
    notice(("Could not copy the bitmap: " + why + ".  Nothing was saved.").c_str(), SavingCaption);
    return false;
}

// A save to path; true only when the level reached the disk. A failed write is
// reported and leaves the file as it was.
bool saveLevelTo(const char* path) {
    if (!bitmapGoesAlong(path)) return false;
    const SaveOutcome outcome = saveLevelFile(path, session.document);
    if (!outcome.ok) {
        notice("Could not write the .dat file.  The file on disk was not changed.", SavingCaption);
        return false;
    }
    dropRecoveryFile();
    dropStaleRecoveryFile(path);
    session.levelPath = path;
    levelSaved();
    levelFileIsKnown();
    rememberRecentFile(path);
    refreshCaption();
    return true;
}

bool saveThroughDialog() { return chooseFile(SaveTitle, SaveDialogFlags, GetSaveFileNameA) && saveLevelTo(fileNameBuffer); }

// What becomes of unsaved changes when the level is left.
enum class Leaving { Saved, Dropped, Stays };

// "Would you like to save?"; Cancel, or a save that did not happen, stays.
Leaving askToSave() {
    switch (ask("Would you like to save?", LoadingCaption, QuestionFlags)) {
    case IDYES:
        return saveThroughDialog() ? Leaving::Saved : Leaving::Stays;
    case IDNO:
        return Leaving::Dropped;
    default:
        return Leaving::Stays;
    }
}

// As after the open dialog, the dialogs then propose this file; a path too
// long for the buffer is loaded all the same, just not proposed.
bool openProposed(const std::string& path) {
    if (path.size() >= FileNameCapacity) return openLevelFile(path.c_str());
    std::memcpy(fileNameBuffer, path.c_str(), path.size() + 1);
    return openLevelFile(fileNameBuffer);
}

// A level file that is gone or no regular file says so: it is not the
// bitmap's fault, as the loader would report it.
bool levelFileThere(const std::string& path) {
    if (levelFileProblem(path.c_str()).empty()) return true;
    notice("Could not open the .dat file.", LoadingCaption);
    return false;
}

// What the Open command says when a load fails.
void reportFailedLoad(const char* path, LoadResult result) {
    if (levelFileThere(path) && *loadResultMessage(result)) notice(loadResultMessage(result), LoadingCaption);
}

// A load that shows nothing, to try a file before the level on screen goes.
LoadResult loadOffscreen(const char* path, LevelDocument& doc) {
    OffscreenLoadSteps steps;
    return loadLevelFile(path, doc, steps);
}

// The level as its file on disk holds it; one that no longer loads is none.
std::unique_ptr<LevelDocument> levelOnDisk(const char* path) {
    auto doc = std::make_unique<LevelDocument>();
    if (loadOffscreen(path, *doc) != LoadOk) *doc = LevelDocument{};
    return doc;
}

// The path from the current folder: a later run, or a save after a file
// dialog moved the current folder, finds the same file.
std::string fullPath(const std::string& path) {
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::string full(size, '\0');
    const DWORD written = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
    if (written == 0 || written >= size) return path;
    full.resize(written);
    return full;
}

}  // namespace

const OPENFILENAMEA& fileDialogRecord() { return dialogRecord; }

void setUpFileDialogRecord() {
    fileNameBuffer[0] = '\0';
    OPENFILENAMEA& record = dialogRecord;
    record = OPENFILENAMEA{};
    record.lStructSize = sizeof record;
    record.hwndOwner = shell.mainWindow;
    record.hInstance = shell.instance;
    record.lpstrFilter = "QZT dat file\0*.dat\0";
    record.nFilterIndex = 1;
    record.lpstrFile = fileNameBuffer;
    record.nMaxFile = FileNameCapacity;
    record.lpstrTitle = OpenTitle;
    record.Flags = OpenDialogFlags;
    record.lpstrDefExt = "dat";
}

// Changes kept in a recovery file come back, if the user wants them, as a
// level that differs from its file on disk.
bool openLevelFile(const char* path) {
    const bool restore = recoveryWanted(path);
    ScreenLoadSteps steps;
    const LoadResult result = loadLevelFile(restore ? recoveryPathOf(path).c_str() : path, session.document, steps);
    session.levelPath = result == LoadOk ? path : "";
    const bool restored = restore && result == LoadOk;
    levelOpened(restored ? levelOnDisk(path).get() : nullptr);
    recoveryOpened(restored);
    levelFileIsKnown();
    if (result == LoadOk) rememberRecentFile(path);
    const char* message = loadResultMessage(result);
    if (*message) notice(message, LoadingCaption);
    return result == LoadOk;
}

void reloadLevelFile() {
    const std::string path = session.levelPath;
    const LoadResult tried = loadOffscreen(path.c_str(), *std::make_unique<LevelDocument>());
    if (tried != LoadOk) {
        reportFailedLoad(path.c_str(), tried);
        return;
    }
    const EditorState before = session.state;
    dropRecoveryFile();
    ScreenLoadSteps steps;
    const LoadResult result = loadLevelFile(path.c_str(), session.document, steps);
    recoveryOpened(false);
    if (result == LoadOk) {
        levelReloaded(before);
        levelFileIsKnown();
        return;
    }
    // Changed again since it was tried: as after a failed open.
    session.levelPath = "";
    levelOpened();
    levelFileIsKnown();
    reportFailedLoad(path.c_str(), result);
}

void openLevelFromCommandLine(const char* commandLine) {
    const std::string given = commandLineFile(commandLine);
    if (given.empty()) return;
    const std::string path = fullPath(given);
    if (levelFileThere(path)) openProposed(path);
}

// Unsaved changes are not dropped without a word; dropped, their recovery
// file goes only once another level is chosen, and a cancelled dialog keeps
// both.
void openCommand() {
    const Leaving leaving = levelModified() ? askToSave() : Leaving::Saved;
    if (leaving == Leaving::Stays || !chooseFile(OpenTitle, OpenDialogFlags, GetOpenFileNameA)) return;
    if (leaving == Leaving::Dropped) dropRecoveryFile();
    openLevelFile(fileNameBuffer);
}

void openRecentFile(size_t index) {
    const std::vector<std::string>& paths = recentFiles().paths();
    if (index >= paths.size()) return;
    const std::string path = paths[index];
    // Gone before anything is asked: the open level stays as it is.
    if (!levelFileThere(path)) {
        forgetRecentFile(path.c_str());
        return;
    }
    const Leaving leaving = levelModified() ? askToSave() : Leaving::Saved;
    if (leaving == Leaving::Stays) return;
    if (leaving == Leaving::Dropped) dropRecoveryFile();
    if (!openProposed(path)) forgetRecentFile(path.c_str());
}

// A level opened from a file is saved back to it.
void saveCommand() {
    const std::string path = session.levelPath;
    if (path.empty())
        saveThroughDialog();
    else
        saveLevelTo(path.c_str());
}

void saveAsCommand() { saveThroughDialog(); }

// Asked whenever a level is loaded, changed or not.
void leaveEditor() {
    const Leaving leaving = session.document.loaded ? askToSave() : Leaving::Saved;
    if (leaving == Leaving::Stays) return;
    if (leaving == Leaving::Dropped) dropRecoveryFile();
    ExitEditor();
}

}  // namespace qzt
