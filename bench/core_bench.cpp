// The core's speed: load, serialize and save of a maximal level (15 programs
// of 75 movements, 15 enemies, 15 image sets); reading a 640 x 16384 24-bit
// bitmap beside a bare read of the same file; decoding it and an RLE8 one of
// the same size beside a bare copy of the decoded bytes; rendering the
// maximal level over it, and the whole "qztlevel render" beside the PNG encoding,
// ours over zlib and stb's as it was used before, with the PNG sizes; the
// level check of the maximal level, and "qztlevel lint" over copies of the
// sample; the whole "qztlevel animate" of the sample's view, with the file's
// size; and the plan of one view at a game frame, which playing the level
// makes 60 times a second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "edit/level_lint.h"
#include "gfx/bmp_decode.h"
#include "edit/view_plan.h"
#include "gfx/bmp_file.h"
#include "render/level_render.h"
#include "tests/gfx/bmp_builder.h"
#include "tests/level/test_support.h"
#include "tools/qztlevel/png_output.h"
#include "tools/qztlevel/qztlevel.h"

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

using namespace qzt;
constexpr int TallRows = 16384;

std::string tempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// About 30 MiB of rows, written once.
const std::string& tallBitmap() {
    static const std::string path = [] {
        const std::string file = tempPath("qzt-bench-640x16384.bmp");
        return test::writeBytesToFile(file, test::buildBmp({640, TallRows, 24})) ? file : std::string();
    }();
    return path;
}

// The maximal level spread over the tall bitmap.
const LevelDocument& maximalLevel() {
    static const LevelDocument doc = [] {
        LevelDocument level;
        level.loaded = 1;
        setHeaderText(level.header.title, "Everything_Full");
        setHeaderText(level.header.bitmapPath, std::filesystem::path(tallBitmap()).filename().string().c_str());
        for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
            EnemyProgram& program = level.programs[slot];
            program.used = 1;
            program.movementCount = MAX_MOVEMENTS;
            for (int i = 0; i < MAX_MOVEMENTS; ++i) {
                program.direction[i] = 1 + (slot + i) % 9;
                program.steps[i] = 10 + i, program.firstFrame[i] = i % 4, program.lastFrame[i] = i % 4 + 3;
            }
            level.enemies[slot] = Enemy{40 * slot, 1000 * slot, slot, 5, 100, 3, slot, 1};
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
    for (auto _ : state) {
        testing::RecordingSteps steps;
        if (loadLevelFile(path.c_str(), doc, steps) != LoadOk) state.SkipWithError("the level does not load");
    }
}

void BM_SerializeMaximalLevel(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(serializeLevel(maximalLevel()).data());
}

void BM_SaveMaximalLevel(benchmark::State& state) {
    const std::string path = tempPath("qzt-bench-save.dat");
    for (auto _ : state) benchmark::DoNotOptimize(saveLevelFile(path.c_str(), maximalLevel()).ok);
}

uint64_t sumEvery8th(const uint8_t* bytes, size_t size) {
    uint64_t sum = 0;
    for (size_t i = 0; i < size; i += 8) sum += bytes[i];
    return sum;
}

// A mapped file costs nothing until its pixels are used: this reads every
// pixel byte once, as making the screen bitmap does.
void BM_ReadBmpFile(benchmark::State& state) {
    for (auto _ : state) {
        const BmpReadResult read = readBmpFile(tallBitmap().c_str());
        if (!read.image) return state.SkipWithError("the bitmap does not read");
        benchmark::DoNotOptimize(sumEvery8th(read.image->pixels.get(), read.image->pixelBytes));
    }
}

void BM_BareRead(benchmark::State& state) {
    const size_t size = size_t(std::filesystem::file_size(tallBitmap()));
    for (auto _ : state) {
        std::FILE* file = std::fopen(tallBitmap().c_str(), "rb");
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]);
        if (!file || std::fread(buffer.get(), 1, size, file) != size) state.SkipWithError("short read");
        if (file) std::fclose(file);
        benchmark::DoNotOptimize(sumEvery8th(buffer.get(), size));
    }
}

const BmpImage& tallImage() {
    static const std::unique_ptr<BmpImage> image = readBmpFile(tallBitmap().c_str()).image;
    return *image;
}

// Runs as a drawn level has them: long runs, short absolute blocks, each line ended.
const BmpImage& tallRle8Image() {
    static const std::unique_ptr<BmpImage> image = [] {
        std::vector<uint8_t> runs;
        for (int line = 0; line < TallRows; ++line) {
            for (int x = 0; x < 640;) {
                const int length = std::min(20 + (x * 7 + line) % 100, 640 - x);
                runs.insert(runs.end(), {uint8_t(length), uint8_t(x + line), 0, 6, 1, 2, 3, 4, 5, 6});
                x += length + 6;
            }
            runs.insert(runs.end(), {0, 0});
        }
        runs.insert(runs.end(), {0, 1});
        const std::vector<uint8_t> file = test::buildBmp({640, TallRows, 8, 1, 40, 0, runs});
        return readBmpBytes(file.data(), file.size()).image;
    }();
    return *image;
}

void BM_DecodeRgb24(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(decodeBmpPixels(tallImage()).bytes.data());
}

void BM_DecodeRle8(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(decodeBmpPixels(tallRle8Image()).bytes.data());
}

// A fresh buffer of the decoded size filled by one copy: what any decode costs at least.
void BM_BareCopyOfDecodedSize(benchmark::State& state) {
    const std::vector<uint8_t> decoded(size_t(640) * TallRows * 3, 7);
    for (auto _ : state) {
        std::vector<uint8_t> copy(decoded);
        benchmark::DoNotOptimize(copy.data());
    }
}

void BM_RenderLevel(benchmark::State& state) {
    const RgbImage bitmap = decodeBmpPixels(tallImage());
    for (auto _ : state)
        benchmark::DoNotOptimize(renderLevel(maximalLevel(), bitmap, LevelArea::LevelRows, {}).bytes.data());
}

const RgbImage& tallPicture() {
    static const RgbImage picture =
        renderLevel(maximalLevel(), decodeBmpPixels(tallImage()), LevelArea::LevelRows, {});
    return picture;
}

void BM_EncodePng(benchmark::State& state) {
    const RgbImage& picture = tallPicture();
    size_t size = 0;
    for (auto _ : state) size = encodePng(picture).size();
    state.counters["png_bytes"] = double(size);
}

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

// The encoder qztlevel used before: stb's, every filter tried on every row.
void BM_EncodePngStb(benchmark::State& state) {
    const RgbImage& picture = tallPicture();
    std::string png;
    for (auto _ : state) {
        png.clear();
        if (!stbi_write_png_to_func(appendBytes, &png, picture.width, picture.height, 3, picture.bytes.data(),
                                    int(picture.rowBytes())))
            state.SkipWithError("stb's encoder failed");
    }
    state.counters["png_bytes"] = double(png.size());
}

// Load, read, decode, render, encode and write, as the command does.
void BM_QztLevelRender(benchmark::State& state) {
    const std::string level = tempPath("qzt-bench-tall.dat"), png = tempPath("qzt-bench-tall.png");
    if (!saveLevelFile(level.c_str(), maximalLevel()).ok) state.SkipWithError("cannot write the level");
    const char* argv[] = {"qztlevel", "render", level.c_str(), png.c_str()};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (runQztLevel(4, argv, std::cin, out, err) != ToolOk) state.SkipWithError(err.str().c_str());
    }
}

// The level check after an edit: every rule over the maximal level.
void BM_LintMaximalLevel(benchmark::State& state) {
    const LintFacts facts{BitmapSize{640, TallRows}, [](const char*) { return true; }};
    for (auto _ : state) benchmark::DoNotOptimize(lintLevel(maximalLevel(), facts).data());
}

// "qztlevel lint" over a folder of copies of the sample level beside its
// bitmap, in levels a second.
void BM_QztLevelLintSamples(benchmark::State& state) {
    constexpr int Copies = 2000;
    const std::filesystem::path folder = tempPath("qzt-bench-lint");
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(QZT_SAMPLES_DIR "/sample.bmp", folder / "sample.bmp",
                               std::filesystem::copy_options::overwrite_existing);
    std::vector<std::string> args = {"qztlevel", "lint"};
    for (int i = 0; i < Copies; ++i) {
        args.push_back((folder / ("level" + std::to_string(i) + ".dat")).string());
        std::filesystem::copy_file(QZT_SAMPLES_DIR "/sample.dat", args.back(), std::filesystem::copy_options::overwrite_existing);
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    for (auto _ : state) {
        std::ostringstream out, err;
        if (runQztLevel(int(argv.size()), argv.data(), std::cin, out, err) != ToolOk) state.SkipWithError(err.str().c_str());
    }
    state.SetItemsProcessed(state.iterations() * Copies);
}

// Every enemy of the maximal level on 75 movements, far into their runs.
void BM_PlanViewAtGameFrame(benchmark::State& state) {
    int64_t frame = 1000000;
    for (auto _ : state) benchmark::DoNotOptimize(planLevelViewAt(maximalLevel(), {0, 0}, ++frame).copies.size());
}

// Ten seconds at 30 frames a second of the sample level's 500 x 380 view.
void BM_QztLevelAnimate(benchmark::State& state) {
    const std::string level = QZT_SAMPLES_DIR "/sample.dat", apng = tempPath("qzt-bench-motion.png");
    const char* argv[] = {"qztlevel", "animate", "--view", "0,0", level.c_str(), apng.c_str()};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (runQztLevel(6, argv, std::cin, out, err) != ToolOk) state.SkipWithError(err.str().c_str());
    }
    state.counters["apng_bytes"] = double(std::filesystem::file_size(apng));
}

BENCHMARK(BM_LoadMaximalLevel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SerializeMaximalLevel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveMaximalLevel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBmpFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRgb24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRle8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareCopyOfDecodedSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodePngStb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QztLevelRender)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LintMaximalLevel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QztLevelLintSamples)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QztLevelAnimate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanViewAtGameFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
