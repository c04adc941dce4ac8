// What Level Properties' OK writes into the header.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "level/level_document.h"

namespace qzt {

struct HeaderEntry {
    std::array<std::string, 8> texts;  // in the header's file order
    int32_t timeBonus = 0;
};

// Each text becomes its header line, cut to what a data-file line holds and
// before any line break, so that the file reads back the same.
void applyHeader(LevelDocument& doc, const HeaderEntry& entry);

}  // namespace qzt
