#include "app/recovery.h"

#include <windows.h>

#include <memory>
#include <string>

#include "app/editor_runs.h"
#include "edit/recovery_schedule.h"
#include "edit/recovery_stamp.h"
#include "gfx/offscreen_load_steps.h"
#include "level/atomic_file.h"
#include "level/dat_writer.h"
#include "level/file_paths.h"
#include "level/file_state.h"
#include "level/regular_file.h"
#include "win32/document_changes.h"
#include "win32/modal.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr char RestoreQuestion[] =
    "This level has changes that were not saved when the editor last closed. Restore them?";
constexpr char RestoreChangedQuestion[] =
    "This level has changes that were not saved when the editor last closed, but the level file has changed "
    "since. Restore them?";
constexpr char OtherEditorNotice[] = "This level has unsaved changes in another editor.";

RecoverySchedule schedule;
// The history's version the recovery file last received.
uint64_t writtenVersion = 0;
std::optional<uint64_t> baseFingerprint;

std::string recoveryPath() { return recoveryPathOf(session.levelPath); }

bool exists(const std::string& path) { return fileStamp(path.c_str()).exists; }

// The stamp of the file at path; none when it has none or cannot be read.
std::optional<RecoveryStamp> stampAt(const std::string& path) {
    std::string bytes, why;
    if (!readWholeFile(path.c_str(), bytes, why)) return std::nullopt;
    return recoveryStampOf(bytes);
}

bool ofAnotherRun(const std::optional<RecoveryStamp>& stamp) {
    return stamp && stamp->editorRun != thisEditorRun();
}

bool ofAnotherRunningEditor(const std::optional<RecoveryStamp>& stamp) {
    return ofAnotherRun(stamp) && editorRunning(stamp->editorRun);
}

void deleteFile(const std::string& path) { DeleteFileW(widePath(path.c_str()).c_str()); }

// Another editor's file, running or crashed, is never written over: it holds
// work of its own.
void writeRecoveryFile(uint64_t nowMs) {
    const std::string path = recoveryPath();
    if (!schedule.exists() && exists(path) && ofAnotherRun(stampAt(path))) {
        schedule.tried(nowMs, false);
        return;
    }
    const RecoveryStamp stamp{baseFingerprint, thisEditorRun()};
    std::string why;
    const bool written = replaceFileAtomically(path.c_str(), stampedRecovery(serializeLevel(session.history.current()), stamp), why);
    schedule.tried(nowMs, written);
    if (written) writtenVersion = session.history.version();
}

}  // namespace

// Each tick looks at the history's state only: a gesture reaches the file
// once it has ended.
void keepRecoveryFile(uint64_t nowMs) {
    if (modalUp() || session.levelPath.empty() || !session.document.loaded) return;
    const History& history = session.history;
    const bool unsaved = history.modified();
    const bool gone = unsaved && schedule.exists() && !exists(recoveryPath());
    switch (schedule.next(nowMs, unsaved, unsaved && (history.version() != writtenVersion || gone))) {
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
    if (schedule.exists() && !session.levelPath.empty()) deleteFile(recoveryPath());
    schedule.removed();
    writtenVersion = 0;
}

bool recoveryWanted(const char* path) {
    const std::string recovery = recoveryPathOf(path);
    if (!exists(recovery)) return false;
    const std::optional<RecoveryStamp> stamp = stampAt(recovery);
    if (ofAnotherRunningEditor(stamp)) {
        notice(OtherEditorNotice, LoadingCaption);
        return false;
    }
    const auto probe = std::make_unique<LevelDocument>();
    OffscreenLoadSteps steps;
    if (loadLevelFile(recovery.c_str(), *probe, steps) != LoadOk) return false;
    const bool levelChanged = stamp && stamp->levelFingerprint && fileFingerprint(path) != stamp->levelFingerprint;
    if (ask(levelChanged ? RestoreChangedQuestion : RestoreQuestion, LoadingCaption,
            MB_YESNO | MB_ICONEXCLAMATION | MB_TOPMOST) == IDYES)
        return true;
    deleteFile(recovery);
    return false;
}

void recoveryOpened(bool restored) {
    schedule = RecoverySchedule{};
    writtenVersion = restored ? session.history.version() : 0;
    if (restored) schedule.found();
}

void recoveryBasedOn(std::optional<uint64_t> levelFingerprint) { baseFingerprint = levelFingerprint; }

void dropStaleRecoveryFile(const char* path) {
    const std::string recovery = recoveryPathOf(path);
    if (exists(recovery) && !ofAnotherRunningEditor(stampAt(recovery))) deleteFile(recovery);
}

}  // namespace qzt
