#include "win32/document_changes.h"

#include <cstring>

#include "edit/enemy_selection.h"
#include "edit/slot_rules.h"
#include "level/dat_reader.h"
#include "win32/level_bitmap.h"
#include "win32/level_motion.h"
#include "win32/shell.h"

namespace qzt {
namespace {

// Views write controls, and controls notify: a change shown is not a new one.
bool showing = false;
// The last gesture was a nudge: the next one of the same selection joins
// its step.
bool nudging = false;
uint32_t nudgedSelection = 0;

uint32_t selectionKey() {
    return selectedEnemyMask(session.state) | uint32_t(session.state.selectedImageSet + 1) << 16;
}

void showDocument(DocumentChange event) {
    showing = true;
    for (DocumentView view : session.views) view(event);
    showing = false;
}

// The document as a step left it; its bitmap again when the step changed
// the header's, as Level Properties' OK loads it.
void restore(const LevelDocument* step) {
    if (!step) return;
    const bool otherBitmap = std::strcmp(step->header.bitmapPath, session.document.header.bitmapPath) != 0;
    session.document = *step;
    keepUsedSelections(session.document, session.state);
    const std::string bitmap = levelBitmapPath(session.levelPath.c_str(), session.document.header.bitmapPath);
    if (otherBitmap && !swapLevelBitmap(bitmap.c_str())) notice(loadResultMessage(LoadBitmapError), LoadingCaption);
    showDocument(DocumentChange::Edited);
}

}  // namespace

void addDocumentView(DocumentView view) { session.views.push_back(view); }

bool finishGesture(StepName name) {
    if (showing) return false;
    // The view shows the level as placed again before it shows the change.
    stopMotion();
    const bool joins = name == StepName::Nudge && nudging && nudgedSelection == selectionKey() &&
                       session.history.undoName() == StepName::Nudge;
    nudging = name == StepName::Nudge;
    nudgedSelection = selectionKey();
    if (!(joins ? session.history.amend(session.document) : session.history.record(session.document, name)))
        return false;
    showDocument(DocumentChange::Edited);
    return true;
}

void levelOpened(const LevelDocument* onDisk) {
    nudging = false;
    stopMotion();
    session.state = EditorState{};
    session.history.reset(session.document);
    if (onDisk) session.history.markSaved(*onDisk);
    showDocument(DocumentChange::Opened);
}

void levelReloaded(const EditorState& before) {
    EditorState& state = session.state;
    state = EditorState{};
    state.trackedHScroll = before.trackedHScroll;
    state.trackedVScroll = before.trackedVScroll;
    state.selectedEnemy = before.selectedEnemy;
    state.selectedEnemies = before.selectedEnemies;
    state.selectedImageSet = before.selectedImageSet;
    keepUsedSelections(session.document, state);
    session.history.reset(session.document);
    showDocument(DocumentChange::Reloaded);
}

void selectionChanged() { showDocument(DocumentChange::Selected); }

void bitmapChanged() { showDocument(DocumentChange::Bitmap); }

void levelSaved() { session.history.markSaved(session.document); }

// In a drag or a recording the document may be ahead of the last step.
bool levelModified() { return !sameDocument(session.document, session.history.saved()); }

void undoStep() {
    nudging = false;
    restore(session.history.undo());
}

void redoStep() {
    nudging = false;
    restore(session.history.redo());
}

}  // namespace qzt
