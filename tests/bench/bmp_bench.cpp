// Reading a tall level bitmap against the bare cost of getting its bytes off
// the disk: the reader should add little to the read itself.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "gfx/bmp_file.h"
#include "tests/gfx/bmp_builder.h"

namespace {

// 640 x 16384 at 24 bits, about 30 MiB of rows; made once, removed at exit.
struct BenchFile {
    BenchFile() : path((std::filesystem::temp_directory_path() / "qzt_bmp_bench_640x16384.bmp").string()) {
        qzt::test::BmpSpec spec;
        spec.width = 640;
        spec.height = 16384;
        spec.bitCount = 24;
        const std::vector<uint8_t> bytes = qzt::test::buildBmp(spec);
        size = bytes.size();
        written = qzt::test::writeBytesToFile(path, bytes);
    }
    ~BenchFile() { std::remove(path.c_str()); }

    std::string path;
    size_t size = 0;
    bool written = false;
};

const BenchFile& benchFile() {
    static const BenchFile file;
    return file;
}

void BM_ReadBmpFile(benchmark::State& state) {
    const BenchFile& file = benchFile();
    if (!file.written) state.SkipWithError("cannot write the bitmap");
    for (auto _ : state) {
        const qzt::BmpReadResult result = qzt::readBmpFile(file.path.c_str());
        if (!result.image) {
            state.SkipWithError(result.why.c_str());
            break;
        }
        benchmark::DoNotOptimize(result.image->pixels.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size));
}
BENCHMARK(BM_ReadBmpFile)->Unit(benchmark::kMillisecond);

void BM_BareRead(benchmark::State& state) {
    const BenchFile& file = benchFile();
    if (!file.written) state.SkipWithError("cannot write the bitmap");
    for (auto _ : state) {
        std::FILE* f = std::fopen(file.path.c_str(), "rb");
        if (!f) {
            state.SkipWithError("cannot open the bitmap");
            break;
        }
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[file.size]);
        const size_t got = std::fread(buffer.get(), 1, file.size, f);
        std::fclose(f);
        if (got != file.size) {
            state.SkipWithError("short read");
            break;
        }
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size));
}
BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond);

}  // namespace
