// qztlevel: checks, normalises, describes and draws level data files without
// a window, and builds them from JSON, with the editor's own reader and writer.
#pragma once

#include <iosfwd>

namespace qzt {

// Exit codes of the tool.
constexpr int ToolOk = 0;
constexpr int ToolFileFailed = 1;  // a file did not load, or could not be saved
constexpr int ToolUsageError = 2;

// argv[0] is the program name. Input that is not a file comes from in, results
// go to out, failures and usage to err.
int runQztLevel(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace qzt
