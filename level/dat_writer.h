// Writing the document as a level data file.
#pragma once

#include <string>

#include "level/level_document.h"

namespace qzt {

// The 45-byte comment that ends every file the editor writes.
extern const char SavedFileComment[];

// The exact bytes of the data file for doc (CR LF after every line but the
// closing comment). Programs and image sets by slot, enemies packed.
std::string serializeLevel(const LevelDocument& doc);

struct SaveOutcome {
    bool ok = false;
    std::string why;  // what failed, when ok is false
};

// Writes doc to path atomically: the old file stays byte for byte unless the
// whole new file reached the disk. Never changes doc.
SaveOutcome saveLevelFile(const char* path, const LevelDocument& doc);

}  // namespace qzt
