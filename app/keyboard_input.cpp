#include "app/keyboard_input.h"

#include "win32/editor_globals.h"
#include "edit/recording.h"
#include "edit/view_editing.h"
#include "win32/level_view.h"

namespace qzt {
namespace {

constexpr char InUseText[] = "Image Set is in use by an enemy.  Could not delete.";

void onDeleteKey() {
    const SelectionDeletion outcome = deleteSelection(editor.document, editor.state);
    if (!outcome.acted) return;
    if (outcome.imageSetInUse) notice(InUseText, EditingCaption);
    RedrawLevelView();
    editor.state.selectedEnemy = -1;
    editor.state.selectedImageSet = -1;
}

void onRecordingKey(WPARAM key) {
    if (recordKey(editor.document, editor.state, unsigned(key)) == RecordKey::Refused) MessageBeep(MB_OK);
    // Every key of a recording redraws, Enter included.
    RedrawLevelView();
}

}  // namespace

void onKeyDown(WPARAM key) {
    if (!editor.document.loaded) return;
    if (editor.state.mode == Recording)
        onRecordingKey(key);
    else if (editor.state.mode == Normal && key == VK_DELETE)
        onDeleteKey();
}

}  // namespace qzt
