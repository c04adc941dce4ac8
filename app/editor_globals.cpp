#include "app/editor_globals.h"

namespace qzt {

EditorGlobals editor;

}  // namespace qzt
