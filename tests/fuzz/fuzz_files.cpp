// The path-taking entry points on a real file: the same bytes read as a
// data file (its lines pulled piece by piece) and as a bitmap (mapped), each
// agreeing with the reader of bytes in memory.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "gfx/bmp_file.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "no_screen.h"

namespace {

const std::string& scratchFile() {
    static const std::string path = "/tmp/qzt-fuzz-files-" + std::to_string(getpid());
    return path;
}

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = scratchFile().c_str();
    std::FILE* file = std::fopen(path, "wb");
    check(file && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0);

    static qzt::LevelDocument fromFile, fromBytes;
    NoScreen steps;
    const qzt::LoadResult fileResult = qzt::loadLevelFile(path, fromFile, steps);
    check(fileResult == qzt::loadLevelBytes(data, size, "/tmp/", fromBytes, steps));
    if (fileResult == qzt::LoadOk) check(qzt::serializeLevel(fromFile) == qzt::serializeLevel(fromBytes));

    const qzt::BmpReadResult mapped = qzt::readBmpFile(path), copied = qzt::readBmpBytes(data, size);
    check(bool(mapped.image) == bool(copied.image) && mapped.why == copied.why);
    if (mapped.image) {
        const qzt::BmpImage &a = *mapped.image, &b = *copied.image;
        check(a.bitmapInfo == b.bitmapInfo && a.pixelBytes == b.pixelBytes);
        for (size_t i = 0; i < a.pixelBytes; ++i) check(a.pixels.get()[i] == b.pixels.get()[i]);
    }
    std::remove(path);
    return 0;
}
