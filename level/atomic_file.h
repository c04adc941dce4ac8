// Replacing a file in one step, so a failed write never leaves half a file.
#pragma once

#include <string>

namespace qzt {

// Writes bytes to a temporary file of this save's own beside path, flushes it
// to disk and then puts it in path's place, with the permissions (and, on
// Windows, the attributes) of the file it replaces; a link is written through
// to the file it names, and a target that is not a regular file is refused.
// On failure the file at path is untouched, the temporary file is gone and
// why names the cause.
bool replaceFileAtomically(const char* path, const std::string& bytes, std::string& why);

}  // namespace qzt
