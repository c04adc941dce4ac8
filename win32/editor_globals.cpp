#include "win32/editor_globals.h"

namespace qzt {

EditorGlobals editor;

// Loaded before start-up; IDC_SIZENWSE, named by number so the code builds
// with UNICODE defined too.
const HCURSOR ResizeCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32642));

}  // namespace qzt
