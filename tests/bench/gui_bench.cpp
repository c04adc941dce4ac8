// Timings of the editor under real GDI, all in one run of this program: the
// view redraw against a bare copy of its background, opening levels, and
// start-up. Prints a table of medians; not a test. Runs under Wine on an X
// display (or on Windows), with the logo at its fixed path.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/editor_globals.h"
#include "app/file_commands.h"
#include "app/startup.h"
#include "gfx/level_view.h"
#include "level/dat_writer.h"
#include "tests/gfx/bmp_builder.h"
#include "tests/level/test_support.h"

namespace {

using qzt::editor;

constexpr int RedrawRuns = 500;
constexpr int WarmUpRuns = 20;
constexpr int SampleOpenRuns = 9;
constexpr int TallOpenRuns = 5;
constexpr int TallHeight = 16384;

double ticksPerMs = 0;

double nowMs() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return double(count.QuadPart) / ticksPerMs;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// What the message loop would have handled meanwhile; never timed.
void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Thrown so that the level files are removed on the way out.
[[noreturn]] void giveUp(const std::string& why) { throw std::runtime_error(why); }

// The build machine's root is drive Z: under Wine.
std::string samplesDirectory() {
    std::string directory = QZT_SAMPLES_DIR;
    if (!directory.empty() && directory[0] == '/') directory = "Z:" + directory;
    return directory;
}

// The levels the timings open, in a directory of their own.
struct BenchLevels {
    qzt::testing::TempDir directory;
    std::string sample = directory.file("sample.dat");
    std::string fifteenEnemies = directory.file("fifteen.dat");
    std::string tall = directory.file("tall.dat");
};

// The sample's records with fifteen enemies spread over the view at scroll
// position (0, 0), cycling through its image sets.
void fillWithEnemies(qzt::LevelDocument& doc) {
    for (int i = 0; i < qzt::MAX_ENEMIES; ++i) {
        qzt::Enemy& enemy = doc.enemies[i];
        enemy = doc.enemies[i % doc.enemyCount];
        enemy.used = 1;
        enemy.x = 20 + (i % 5) * 95;
        enemy.y = 30 + (i / 5) * 115;
        enemy.imageSet = i % 3;
    }
    doc.enemyCount = qzt::MAX_ENEMIES;
}

void saveVariant(const qzt::LevelDocument& sample, const char* title, const char* bitmap, bool enemies,
                 const std::string& path) {
    auto doc = std::make_unique<qzt::LevelDocument>(sample);
    qzt::setHeaderText(doc->header.title, title);
    qzt::setHeaderText(doc->header.bitmapPath, bitmap);
    if (enemies) fillWithEnemies(*doc);
    const qzt::SaveOutcome outcome = qzt::saveLevelFile(path.c_str(), *doc);
    if (!outcome.ok) giveUp("cannot write " + path + ": " + outcome.why);
}

void makeLevels(const BenchLevels& levels) {
    for (const char* name : {"sample.dat", "sample.bmp"}) {
        const std::string bytes = qzt::testing::readFile(samplesDirectory() + "/" + name);
        if (bytes.empty()) giveUp("cannot read " + samplesDirectory() + "/" + name);
        qzt::testing::writeFile(levels.directory.file(name), bytes);
    }
    auto sample = std::make_unique<qzt::LevelDocument>();
    qzt::testing::RecordingSteps steps;
    if (qzt::loadLevelFile(levels.sample.c_str(), *sample, steps) != qzt::LoadOk) giveUp("the sample does not load");
    if (sample->enemyCount < 1) giveUp("the sample has no enemy");

    saveVariant(*sample, "Fifteen_Enemies", "sample.bmp", true, levels.fifteenEnemies);

    qzt::test::BmpSpec spec;
    spec.width = 640;
    spec.height = TallHeight;
    spec.bitCount = 24;
    if (!qzt::test::writeBytesToFile(levels.directory.file("tall.bmp"), qzt::test::buildBmp(spec)))
        giveUp("cannot write the tall bitmap");
    saveVariant(*sample, "Tall_Level", "tall.bmp", false, levels.tall);
}

// Opens as "Open" does once its dialog returned; the first picture included.
void openAndCheck(const std::string& path, int height) {
    qzt::openLevelFile(path.c_str());
    if (!editor.document.loaded || editor.levelBitmap.height != height) giveUp(path + " did not open");
}

std::vector<double> timeOpening(const std::string& path, int height, int runs) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMs();
        openAndCheck(path, height);
        GdiFlush();
        ms.push_back(nowMs() - start);
        pumpMessages();
    }
    return ms;
}

// A bitmap can be selected into one context at a time; a failed selection
// would leave nothing to copy and time nothing.
HGDIOBJ selectLevelBitmap(HDC memory) {
    HGDIOBJ previous = SelectObject(memory, editor.levelBitmap.bitmap);
    if (!previous) giveUp("the level bitmap cannot be selected");
    return previous;
}

// What one redraw's background costs at the least: the same contexts, the
// same selection and the one 500 x 380 copy.
void bareCopy() {
    HDC window = GetDC(editor.main.window);
    HDC memory = CreateCompatibleDC(window);
    HGDIOBJ previous = selectLevelBitmap(memory);
    BitBlt(window, qzt::ViewLeft, qzt::ViewTop, qzt::ViewWidth, qzt::ViewHeight, memory, 0, qzt::LevelOriginRow,
           SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(editor.main.window, window);
}

// Blanks the view, draws, and tells whether the view's top-left pixel then
// is the level bitmap's.
void checkDrawsTheBitmap(void (*draw)(), const char* name) {
    HDC window = GetDC(editor.main.window);
    HDC memory = CreateCompatibleDC(window);
    HGDIOBJ previous = selectLevelBitmap(memory);
    const COLORREF wanted = GetPixel(memory, 0, qzt::LevelOriginRow);
    SelectObject(memory, previous);
    DeleteDC(memory);
    const RECT view{qzt::ViewLeft, qzt::ViewTop, qzt::ViewLeft + qzt::ViewWidth, qzt::ViewTop + qzt::ViewHeight};
    FillRect(window, &view, static_cast<HBRUSH>(GetStockObject(wanted ? BLACK_BRUSH : WHITE_BRUSH)));
    draw();
    const COLORREF shown = GetPixel(window, qzt::ViewLeft, qzt::ViewTop);
    ReleaseDC(editor.main.window, window);
    if (shown != wanted) giveUp(std::string(name) + " does not draw the level bitmap");
}

struct ViewTimings {
    std::vector<double> redraw, bareCopy, blitOnly;
};

// One drawing per message, as in the editor: messages are handled between
// the runs, untimed. The redraw and the bare copy alternate so that whatever
// else the machine does falls on both alike.
ViewTimings timeView() {
    checkDrawsTheBitmap(qzt::RedrawLevelView, "RedrawLevelView");
    checkDrawsTheBitmap(bareCopy, "the bare copy");
    ViewTimings t;
    for (int i = -WarmUpRuns; i < RedrawRuns; ++i) {
        double start = nowMs();
        qzt::RedrawLevelView();
        GdiFlush();
        const double redraw = nowMs() - start;
        pumpMessages();

        start = nowMs();
        bareCopy();
        GdiFlush();
        const double bare = nowMs() - start;
        pumpMessages();
        if (i < 0) continue;
        t.redraw.push_back(redraw);
        t.bareCopy.push_back(bare);
    }

    // The contexts and the selection made once: the copy alone. Not mixed
    // with the others, which need the bitmap in contexts of their own.
    HDC window = GetDC(editor.main.window);
    HDC memory = CreateCompatibleDC(window);
    HGDIOBJ previous = selectLevelBitmap(memory);
    for (int i = -WarmUpRuns; i < RedrawRuns; ++i) {
        const double start = nowMs();
        BitBlt(window, qzt::ViewLeft, qzt::ViewTop, qzt::ViewWidth, qzt::ViewHeight, memory, 0, qzt::LevelOriginRow,
               SRCCOPY);
        GdiFlush();
        if (i >= 0) t.blitOnly.push_back(nowMs() - start);
        pumpMessages();
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(editor.main.window, window);
    return t;
}

// Milliseconds from the process's creation to now: Wine's own start when
// called first thing in main.
double processAgeMs() {
    FILETIME creation, exitTime, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& f) { return (ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return double(ticks(now) - ticks(creation)) / 10000.0;
}

void printRow(const char* name, double value, const char* unit, double aim, size_t runs) {
    char aimText[32] = "-";
    if (aim > 0) std::snprintf(aimText, sizeof aimText, "<= %g", aim);
    const char* verdict = aim <= 0 ? "" : value <= aim ? "ok" : "OVER";
    std::printf("%-44s %10.3f %-2s %10s %6zu  %s\n", name, value, unit, aimText, runs, verdict);
}

void run(double wineStartMs) {
    // Start-up can be timed once only: a second one in the same process
    // would find its window classes registered, and caches would be warm.
    const bool logoFound = GetFileAttributesA("C:\\QZTedit\\LOGO.bmp") != INVALID_FILE_ATTRIBUTES;
    const double startBegin = nowMs();
    if (!qzt::startEditor(GetModuleHandleA(nullptr), SW_SHOWNORMAL, "")) giveUp("start-up failed");
    const double started = nowMs();
    pumpMessages();
    const double firstPass = nowMs();

    BenchLevels levels;
    makeLevels(levels);

    openAndCheck(levels.fifteenEnemies, 1200);
    if (editor.document.enemyCount != qzt::MAX_ENEMIES) giveUp("the level has fewer than fifteen enemies");
    pumpMessages();
    const ViewTimings view = timeView();

    const std::vector<double> openSample = timeOpening(levels.sample, 1200, SampleOpenRuns);
    const std::vector<double> openTall = timeOpening(levels.tall, TallHeight, TallOpenRuns);

    const double redraw = median(view.redraw);
    const double bare = median(view.bareCopy);
    const double blit = median(view.blitOnly);
    std::printf("%-44s %13s %10s %6s\n", "timing", "median", "aim", "runs");
    printRow("RedrawLevelView, 15 enemies", redraw, "ms", 0, view.redraw.size());
    printRow("bare copy: GetDC, DC, select, BitBlt, free", bare, "ms", 0, view.bareCopy.size());
    printRow("bare copy: BitBlt only", blit, "ms", 0, view.blitOnly.size());
    printRow("redraw / bare copy", redraw / bare, "x", 1.5, view.redraw.size());
    printRow("redraw / BitBlt only", redraw / blit, "x", 0, view.redraw.size());
    printRow("open sample.dat (640 x 1200, 8-bit)", median(openSample), "ms", 50, openSample.size());
    printRow("open 640 x 16384 24-bit level", median(openTall), "ms", 300, openTall.size());
    printRow("start-up: startEditor, first in process", started - startBegin, "ms", 200, 1);
    printRow("start-up and the first message-loop pass", firstPass - startBegin, "ms", 200, 1);
    std::printf("not counted: the process start before main (Wine's own) took %.1f ms; logo %s\n", wineStartMs,
                logoFound ? "found" : "missing (start-up draws none)");
    std::printf("GDI calls are timed up to GdiFlush; under Wine the window's pixels reach X later, at a message pump\n");
}

}  // namespace

int main() {
    const double wineStartMs = processAgeMs();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs = double(frequency.QuadPart) / 1000.0;
    try {
        run(wineStartMs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gui_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
