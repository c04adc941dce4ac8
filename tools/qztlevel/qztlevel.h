// qztlevel: checks, normalises and describes level data files without a
// window, with the editor's own reader and writer.
#pragma once

#include <iosfwd>

namespace qzt {

// Exit codes of the tool.
constexpr int ToolOk = 0;
constexpr int ToolFileFailed = 1;  // a file did not load, or could not be saved
constexpr int ToolUsageError = 2;

// argv[0] is the program name. Results go to out, failures and usage to err.
int runQztLevel(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace qzt
