// Any bytes as qztlevel import's JSON: refused with a fault, or a level that
// the editor's writer and reader carry through unchanged.
#include <cstdlib>
#include <string>

#include "tests/level/test_support.h"
#include "level/level_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static qzt::LevelDocument imported, reloaded;
    imported = qzt::LevelDocument{};
    if (!qzt::levelFromJsonText(std::string(reinterpret_cast<const char*>(data), size), imported).empty()) return 0;
    const std::string bytes = qzt::serializeLevel(imported);
    qzt::testing::RecordingSteps steps;  // every bitmap loads
    if (qzt::testing::loadText(bytes, reloaded, steps) != qzt::LoadOk || qzt::serializeLevel(reloaded) != bytes)
        std::abort();
    return 0;
}
