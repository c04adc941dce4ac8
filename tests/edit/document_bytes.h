// A document's bytes, to tell that an action changed nothing at all.
#pragma once

#include <type_traits>
#include <vector>

#include "level/level_document.h"

namespace qzt::testing {

static_assert(std::is_trivially_copyable_v<LevelDocument>);

inline std::vector<unsigned char> bytesOf(const LevelDocument& doc) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&doc);
    return {bytes, bytes + sizeof doc};
}

}  // namespace qzt::testing
