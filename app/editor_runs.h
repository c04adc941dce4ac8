// Each running editor has an id of its own, which the recovery files it
// writes carry: a file whose editor is no longer running is offered when its
// level opens, one whose editor still runs is that editor's to keep.
#pragma once

#include <cstdint>

namespace qzt {

uint64_t thisEditorRun();
// Whether the editor of that id still runs, on this machine's session.
bool editorRunning(uint64_t run);

}  // namespace qzt
