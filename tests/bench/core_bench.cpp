// The core's speed: load and save of a maximal level (15 programs of 75
// movements, 15 enemies, 15 image sets), and reading a 640 x 16384 24-bit
// bitmap beside a bare read of the same file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "gfx/bmp_file.h"
#include "tests/gfx/bmp_builder.h"
#include "tests/level/test_support.h"

namespace {

using namespace qzt;

std::string tempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

const LevelDocument& maximalLevel() {
    static LevelDocument doc = [] {
        LevelDocument level;
        setHeaderText(level.header.title, "Everything_Full");
        setHeaderText(level.header.bitmapPath, "art\\maximal.bmp");
        for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
            EnemyProgram& program = level.programs[slot];
            program.used = 1;
            program.movementCount = MAX_MOVEMENTS;
            for (int i = 0; i < MAX_MOVEMENTS; ++i) {
                program.direction[i] = 1 + (slot + i) % 9;
                program.steps[i] = 10 + i, program.firstFrame[i] = i % 4, program.lastFrame[i] = i % 4 + 3;
            }
            level.enemies[slot] = Enemy{100 * slot, 37 * slot, slot, 5, 100, 3, slot, 1};
            level.imageSets[slot] = ImageSet{42 * slot, 198, 40, 50, 4, slot, 1};
        }
        level.enemyCount = MAX_ENEMIES;
        return level;
    }();
    return doc;
}

void BM_LoadMaximalLevel(benchmark::State& state) {
    const std::string path = tempPath("qzt-bench-maximal.dat");
    if (!saveLevelFile(path.c_str(), maximalLevel()).ok) state.SkipWithError("cannot write the level");
    static LevelDocument doc;
    testing::RecordingSteps steps;
    for (auto _ : state) {
        steps.calls.clear(), steps.bitmapPaths.clear(), steps.captions.clear();
        if (loadLevelFile(path.c_str(), doc, steps) != LoadOk) state.SkipWithError("the level does not load");
    }
}
BENCHMARK(BM_LoadMaximalLevel)->Unit(benchmark::kMicrosecond);

void BM_SerializeMaximalLevel(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(serializeLevel(maximalLevel()).data());
}
BENCHMARK(BM_SerializeMaximalLevel)->Unit(benchmark::kMicrosecond);

void BM_SaveMaximalLevel(benchmark::State& state) {
    const std::string path = tempPath("qzt-bench-save.dat");
    for (auto _ : state) benchmark::DoNotOptimize(saveLevelFile(path.c_str(), maximalLevel()).ok);
}
BENCHMARK(BM_SaveMaximalLevel)->Unit(benchmark::kMicrosecond);

// About 30 MiB of rows, written once.
const std::string& tallBitmap() {
    static const std::string path = [] {
        test::BmpShape shape;
        shape.width = 640, shape.height = 16384, shape.bitCount = 24;
        std::string file = tempPath("qzt-bench-640x16384.bmp");
        return test::writeBytesToFile(file, test::buildBmp(shape)) ? file : std::string();
    }();
    return path;
}

// A mapped file costs nothing until its pixels are used: this reads every
// pixel byte once, as making the screen bitmap does.
void BM_ReadBmpFile(benchmark::State& state) {
    for (auto _ : state) {
        const BmpReadResult read = readBmpFile(tallBitmap().c_str());
        if (!read.image) state.SkipWithError("the bitmap does not read");
        uint64_t sum = 0;
        for (size_t i = 0; read.image && i < read.image->pixelBytes; i += 8) sum += read.image->pixels.get()[i];
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ReadBmpFile)->Unit(benchmark::kMillisecond);

void BM_BareRead(benchmark::State& state) {
    const size_t size = size_t(std::filesystem::file_size(tallBitmap()));
    for (auto _ : state) {
        std::FILE* file = std::fopen(tallBitmap().c_str(), "rb");
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]);
        if (!file || std::fread(buffer.get(), 1, size, file) != size) state.SkipWithError("short read");
        if (file) std::fclose(file);
        uint64_t sum = 0;
        for (size_t i = 0; i < size; i += 8) sum += buffer[i];
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond);

}  // namespace
