// The path-taking entry points on a real file: the same bytes read as a
// data file (its lines pulled piece by piece) and as a bitmap (mapped), each
// agreeing with the reader of bytes in memory.
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "gfx/bmp_file.h"
#include "tests/level/test_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/qzt-fuzz-files-" + std::to_string(getpid());
    qzt::testing::writeFile(path, std::string(reinterpret_cast<const char*>(data), size));

    static qzt::LevelDocument fromFile, fromBytes;
    qzt::testing::RecordingSteps steps;  // every bitmap loads
    const qzt::LoadResult result = qzt::loadLevelFile(path.c_str(), fromFile, steps);
    bool same = result == qzt::loadLevelBytes(data, size, "/tmp/", fromBytes, steps) &&
                (result != qzt::LoadOk || qzt::serializeLevel(fromFile) == qzt::serializeLevel(fromBytes));

    const qzt::BmpReadResult mapped = qzt::readBmpFile(path.c_str()), copied = qzt::readBmpBytes(data, size);
    same = same && bool(mapped.image) == bool(copied.image) && mapped.why == copied.why;
    if (same && mapped.image) {
        const qzt::BmpImage &a = *mapped.image, &b = *copied.image;
        same = a.bitmapInfo == b.bitmapInfo && a.pixelBytes == b.pixelBytes &&
               std::equal(a.pixels.get(), a.pixels.get() + a.pixelBytes, b.pixels.get());
    }
    if (!same) std::abort();
    std::remove(path.c_str());
    return 0;
}
