#include "app/keyboard_input.h"

#include "edit/recording.h"
#include "edit/view_editing.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"

namespace qzt {
namespace {

constexpr char InUseText[] = "Image Set is in use by an enemy.  Could not delete.";

void onDeleteKey() {
    const SelectionDeletion outcome = deleteSelection(session.document, session.state);
    if (!outcome.acted) return;
    if (outcome.imageSetInUse) notice(InUseText, EditingCaption);
    RedrawLevelView();
    session.state.selectedEnemy = -1;
    session.state.selectedImageSet = -1;
}

void onRecordingKey(WPARAM key) {
    if (recordKey(session.document, session.state, unsigned(key)) == RecordKey::Refused) MessageBeep(MB_OK);
    // Every key of a recording redraws, Enter included.
    RedrawLevelView();
}

}  // namespace

void onKeyDown(WPARAM key) {
    if (!session.document.loaded) return;
    if (session.state.mode == Recording)
        onRecordingKey(key);
    else if (session.state.mode == Normal && key == VK_DELETE)
        onDeleteKey();
}

}  // namespace qzt
