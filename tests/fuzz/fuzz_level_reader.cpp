// Feeds arbitrary bytes to the level reader, then writes and re-reads what it
// loaded: the writer must produce a file that reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "no_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static qzt::LevelDocument doc;
    NoScreen steps;
    if (qzt::loadLevelBytes(data, size, "dir/", doc, steps) != qzt::LoadOk) return 0;
    std::string bytes = qzt::serializeLevel(doc);
    static qzt::LevelDocument again;
    qzt::LoadResult result = qzt::loadLevelBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                                 "dir/", again, steps);
    if (result != qzt::LoadOk || qzt::serializeLevel(again) != bytes) std::abort();
    return 0;
}
