// A document's bytes, to tell that an action changed nothing at all.
#pragma once

#include <cstring>
#include <type_traits>
#include <vector>

#include "level/level_document.h"

namespace qzt::testing {

static_assert(std::is_trivially_copyable_v<LevelDocument>);

inline std::vector<unsigned char> bytesOf(const LevelDocument& doc) {
    std::vector<unsigned char> bytes(sizeof doc);
    std::memcpy(bytes.data(), &doc, sizeof doc);
    return bytes;
}

}  // namespace qzt::testing
