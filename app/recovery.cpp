#include "app/recovery.h"

#include <windows.h>

#include <memory>
#include <string>

#include "edit/recovery_schedule.h"
#include "gfx/offscreen_load_steps.h"
#include "level/atomic_file.h"
#include "level/dat_writer.h"
#include "level/file_paths.h"
#include "level/file_state.h"
#include "level/regular_file.h"
#include "win32/document_changes.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr char RestoreQuestion[] =
    "This level has changes that were not saved when the editor last closed. Restore them?";

RecoverySchedule schedule;
// What the recovery file last received; at first a level never loaded.
LevelDocument lastWritten;

std::string recoveryPath() { return recoveryPathOf(session.levelPath); }

void writeRecoveryFile(uint64_t nowMs) {
    std::string why;
    const bool written = replaceFileAtomically(recoveryPath().c_str(), serializeLevel(session.document), why);
    schedule.tried(nowMs, written);
    if (written) lastWritten = session.document;
}

}  // namespace

void keepRecoveryFile(uint64_t nowMs) {
    if (session.levelPath.empty() || !session.document.loaded) return;
    const bool unsaved = levelModified();
    switch (schedule.next(nowMs, unsaved, unsaved && !sameDocument(session.document, lastWritten))) {
    case RecoverySchedule::Action::Write:
        writeRecoveryFile(nowMs);
        break;
    case RecoverySchedule::Action::Remove:
        dropRecoveryFile();
        break;
    case RecoverySchedule::Action::Nothing:
        break;
    }
}

void dropRecoveryFile() {
    if (schedule.exists() && !session.levelPath.empty()) DeleteFileW(widePath(recoveryPath().c_str()).c_str());
    schedule.removed();
    lastWritten = LevelDocument{};
}

bool recoveryWanted(const char* path) {
    const std::string recovery = recoveryPathOf(path);
    if (!fileStamp(recovery.c_str()).exists) return false;
    const auto probe = std::make_unique<LevelDocument>();
    OffscreenLoadSteps steps;
    if (loadLevelFile(recovery.c_str(), *probe, steps) != LoadOk) return false;
    if (MessageBoxA(shell.mainWindow, RestoreQuestion, LoadingCaption, MB_YESNO | MB_ICONEXCLAMATION | MB_TOPMOST) ==
        IDYES)
        return true;
    DeleteFileW(widePath(recovery.c_str()).c_str());
    return false;
}

void recoveryOpened(bool restored) {
    schedule = RecoverySchedule{};
    lastWritten = restored ? session.document : LevelDocument{};
    if (restored) schedule.found();
}

}  // namespace qzt
