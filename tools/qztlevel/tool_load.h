// Loading a level for a command: what cannot be loaded is reported as check
// reports it.
#pragma once

#include <iosfwd>
#include <string>

#include "level/dat_reader.h"

namespace qzt {

// Loads file into doc; on failure prints the data file's own problem,
// or the Open command's message and where and why the reader stopped, and
// returns false.
bool loadForTool(const std::string& file, LevelDocument& doc, LoadSteps& steps, std::ostream& err);

}  // namespace qzt
