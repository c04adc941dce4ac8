// Feeds arbitrary bytes to the level reader, then writes and re-reads what it
// loaded: the writer must produce a file that reads back to the same bytes.
#include <cstdlib>

#include "tests/level/test_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static qzt::LevelDocument doc, again;
    qzt::testing::RecordingSteps steps;  // every bitmap loads
    if (qzt::loadLevelBytes(data, size, "dir/", doc, steps) != qzt::LoadOk) return 0;
    const std::string bytes = qzt::serializeLevel(doc);
    if (qzt::testing::loadText(bytes, again, steps) != qzt::LoadOk || qzt::serializeLevel(again) != bytes) std::abort();
    return 0;
}
