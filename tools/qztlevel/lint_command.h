// qztlevel lint: the level check's findings for many level files.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qzt {

struct LintRequest {
    std::vector<std::string> files;
    bool strict = false;  // warnings count as errors
    bool json = false;    // one JSON array of findings instead of lines
};

// Prints every file's findings to out in file order; a file that does not
// load is reported to err as check reports it and counts as an error.
// Returns 1 when any file has an error, else 0.
int runLint(const LintRequest& request, std::ostream& out, std::ostream& err);

}  // namespace qzt
