// Paths as the data files and the editor's own files use them.
#pragma once

#include <string>

namespace qzt {

// The directory of a path, up to and including its last "\" or "/"; empty
// when it has neither.
std::string directoryOf(const char* path);

}  // namespace qzt
