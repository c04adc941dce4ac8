// The blanks that separate words in data files and on the command line.
#pragma once

namespace qzt {

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace qzt
