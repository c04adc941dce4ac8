// The level file named on the editor's command line. No window code.
#pragma once

#include <string>

namespace qzt {

// The file the command line names, or empty when it names none. The path may
// be in double quotes; unquoted, the rest of the line without its surrounding
// blanks is the path, so a path with blanks needs no quotes.
std::string commandLineFile(const char* commandLine);

}  // namespace qzt
