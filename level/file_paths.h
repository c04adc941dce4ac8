// Paths as the data files and the editor's own files use them.
#pragma once

#include <string>

namespace qzt {

// The directory of a path, up to and including its last "\" or "/"; empty
// when it has neither.
std::string directoryOf(const char* path);

// Where unsaved changes of the level at path are kept until they are saved:
// beside it, so its bitmap path reads the same, and never "*.dat".
inline std::string recoveryPathOf(const std::string& levelPath) { return levelPath + ".recovery"; }

}  // namespace qzt
