// Load and save of a maximal level: 15 programs of 75 movements, 15 enemies,
// 15 image sets.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "level/dat_reader.h"
#include "level/dat_writer.h"

namespace {

using namespace qzt;

class NoScreen : public LoadSteps {
public:
    void resetScrollPositions() override {}
    bool replaceBitmap(const char*, std::string&) override { return true; }
    void showBitmap() override {}
    void setCaption(const char*) override {}
};

LevelDocument maximalLevel() {
    LevelDocument doc;
    setHeaderText(doc.header.subtitle, "Maximal_Level");
    setHeaderText(doc.header.title, "Everything_Full");
    setHeaderText(doc.header.bitmapPath, "art\\maximal.bmp");
    setHeaderText(doc.header.musicPath, "music\\maximal.mid");
    doc.header.timeBonus = 12345;
    for (int slot = 0; slot < MAX_PROGRAMS; ++slot) {
        EnemyProgram& program = doc.programs[slot];
        program.used = 1;
        program.movementCount = MAX_MOVEMENTS;
        for (int i = 0; i < MAX_MOVEMENTS; ++i) {
            program.direction[i] = 1 + (slot + i) % 9;
            program.steps[i] = 10 + i;
            program.firstFrame[i] = i % 4;
            program.lastFrame[i] = i % 4 + 3;
        }
        doc.enemies[slot] = Enemy{100 * slot, 37 * slot, slot, 5, 100, 3, slot, 1};
        doc.imageSets[slot] = ImageSet{42 * slot, 198, 40, 50, 4, slot, 1};
    }
    doc.enemyCount = MAX_ENEMIES;
    doc.loaded = 1;
    return doc;
}

std::string maximalLevelFile() {
    std::string path = (std::filesystem::temp_directory_path() / "qzt-bench-maximal.dat").string();
    static bool written = saveLevelFile(path.c_str(), maximalLevel()).ok;
    if (!written) std::fprintf(stderr, "could not write %s\n", path.c_str());
    return path;
}

void BM_LoadMaximalLevel(benchmark::State& state) {
    std::string path = maximalLevelFile();
    static LevelDocument doc;
    NoScreen steps;
    for (auto _ : state) {
        LoadResult result = loadLevelFile(path.c_str(), doc, steps);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_LoadMaximalLevel)->Unit(benchmark::kMicrosecond);

void BM_SerializeMaximalLevel(benchmark::State& state) {
    static LevelDocument doc = maximalLevel();
    for (auto _ : state) {
        std::string bytes = serializeLevel(doc);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_SerializeMaximalLevel)->Unit(benchmark::kMicrosecond);

void BM_SaveMaximalLevel(benchmark::State& state) {
    std::string path = (std::filesystem::temp_directory_path() / "qzt-bench-save.dat").string();
    static LevelDocument doc = maximalLevel();
    for (auto _ : state) {
        SaveOutcome outcome = saveLevelFile(path.c_str(), doc);
        benchmark::DoNotOptimize(outcome.ok);
    }
}
BENCHMARK(BM_SaveMaximalLevel)->Unit(benchmark::kMicrosecond);

}  // namespace
