// Timings of the editor under real GDI, all in one run of this program: the
// view redraw against a bare copy of its background, at zoom 1 and 2, a timer
// tick, a drag step and a scroll step, the tool windows and the New Enemy
// preview, a layout for another DPI, opening levels, and start-up. Prints a
// table of medians, each row as soon as it is measured; not a test. A step
// that makes no progress for a minute is named and ends the run. Runs under
// Wine on an X display (or on Windows), with the logo at its fixed path.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/disk_watch.h"
#include "app/file_commands.h"
#include "app/main_layout.h"
#include "app/startup.h"
#include "app/timer_tick.h"
#include "edit/copy_paste.h"
#include "edit/editor_commands.h"
#include "edit/enemy_selection.h"
#include "level/atomic_file.h"
#include "level/dat_writer.h"
#include "level/file_paths.h"
#include "tests/gfx/bmp_builder.h"
#include "tests/level/test_support.h"
#include "win32/bitmap_copy.h"
#include "win32/document_changes.h"
#include "win32/level_bitmap.h"
#include "win32/level_view.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/enemy_program_editor.h"
#include "windows/level_properties_window.h"
#include "windows/new_enemy_window.h"

// Every allocation through operator new, counted: a drag is to make none.
static size_t allocations = 0;

#ifdef __GNUC__
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // malloc and free are the pair here
#endif

void* operator new(size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }

namespace {

using qzt::levelBitmap;
using qzt::session;
using qzt::shell;

constexpr int ViewRuns = 501, WarmUpRuns = 20, SampleOpenRuns = 9, TallOpenRuns = 5, TallHeight = 16384;
constexpr int ToolRuns = 51, ZoomRounds = 5;

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Names the step under way; one that makes no progress for StallSeconds is
// said, and the run ends instead of waiting for ever in a window call.
class Watchdog {
public:
    static constexpr int StallSeconds = 60;

    Watchdog() : thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void step(const char* name) {
        const std::lock_guard<std::mutex> lock(mutex_);
        name_ = name;
        since_ = std::chrono::steady_clock::now();
    }
    // The step goes on: one more run of it ended.
    void progress() {
        const std::lock_guard<std::mutex> lock(mutex_);
        since_ = std::chrono::steady_clock::now();
    }

private:
    void watch() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; })) {
            if (std::chrono::steady_clock::now() - since_ < std::chrono::seconds(StallSeconds)) continue;
            std::fprintf(stderr, "gui_bench: the step \"%s\" made no progress for %d s; giving up\n", name_,
                         StallSeconds);
            std::fflush(stderr);
            std::_Exit(3);
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    const char* name_ = "start";
    std::chrono::steady_clock::time_point since_ = std::chrono::steady_clock::now();
    std::thread thread_;
};

Watchdog* watchdog = nullptr;
void step(const char* name) { watchdog->step(name); }

// What the message loop would have handled meanwhile; never timed.
void pumpMessages() {
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); DispatchMessageA(&message))
        TranslateMessage(&message);
}

// Thrown so that the level files are removed on the way out.
[[noreturn]] void giveUp(const std::string& why) { throw std::runtime_error(why); }

// Median of each action's runs, timed up to GdiFlush, with the messages
// handled in between. The actions take turns, so that whatever else the
// machine does falls on all alike.
std::vector<double> medians(int runs, int warmUp, const std::vector<std::function<void()>>& actions) {
    std::vector<std::vector<double>> ms(actions.size());
    for (int i = -warmUp; i < runs; ++i) {
        for (size_t a = 0; a < actions.size(); ++a) {
            const double start = nowMs();
            actions[a]();
            GdiFlush();
            if (i >= 0) ms[a].push_back(nowMs() - start);
            pumpMessages();
            watchdog->progress();
        }
    }
    std::vector<double> result;
    for (auto& m : ms) {
        std::nth_element(m.begin(), m.begin() + runs / 2, m.end());
        result.push_back(m[runs / 2]);
    }
    return result;
}

// The window's context and a memory one holding the level bitmap, as a
// redraw makes them. A bitmap can be selected into one context at a time; a
// failed selection would leave nothing to copy and time nothing (and ends
// the program, so those contexts are not given back).
struct LevelContexts {
    HDC window = GetDC(shell.mainWindow);
    HDC memory = CreateCompatibleDC(window);
    HGDIOBJ previous = SelectObject(memory, levelBitmap.bitmap);
    LevelContexts() { if (!previous) giveUp("the level bitmap cannot be selected"); }
    ~LevelContexts() {
        SelectObject(memory, previous);
        DeleteDC(memory);
        ReleaseDC(shell.mainWindow, window);
    }
    void copyView() const {
        BitBlt(window, qzt::ViewLeft, qzt::ViewTop, qzt::ViewWidth, qzt::ViewHeight, memory, 0, qzt::LevelOriginRow,
               SRCCOPY);
    }
};

// What one redraw's background costs at the least.
void bareCopy() { LevelContexts().copyView(); }

// Blanks the view, draws, and checks that the view's top-left pixel then is
// the level bitmap's.
void checkDraws(void (*draw)(), const char* name) {
    const COLORREF wanted = GetPixel(LevelContexts().memory, 0, qzt::LevelOriginRow);
    HDC window = GetDC(shell.mainWindow);
    const RECT view{qzt::ViewLeft, qzt::ViewTop, qzt::ViewLeft + qzt::ViewWidth, qzt::ViewTop + qzt::ViewHeight};
    FillRect(window, &view, static_cast<HBRUSH>(GetStockObject(wanted ? BLACK_BRUSH : WHITE_BRUSH)));
    draw();
    const COLORREF shown = GetPixel(window, qzt::ViewLeft, qzt::ViewTop);
    ReleaseDC(shell.mainWindow, window);
    if (shown != wanted) giveUp(std::string(name) + " does not draw the level bitmap");
}

// Each call sends the window the next of two messages, so that every call
// changes what it shows.
std::function<void()> alternately(HWND window, UINT message, WPARAM wFirst, LPARAM lFirst, WPARAM wSecond,
                                  LPARAM lSecond) {
    return [=, odd = false]() mutable {
        odd = !odd;
        SendMessageA(window, message, odd ? wFirst : wSecond, odd ? lFirst : lSecond);
    };
}

// Opens as "Open" does once its dialog returned; the first picture included.
// The least an open of a bitmap file can cost: its bytes mapped, the device
// bitmap made from them, and one copy of it into the view.
void bitmapFloor(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    const auto* bytes = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    if (!bytes) giveUp("cannot map " + path);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes + sizeof(BITMAPFILEHEADER));
    const DWORD offBits = reinterpret_cast<const BITMAPFILEHEADER*>(bytes)->bfOffBits;
    HDC window = GetDC(shell.mainWindow);
    HBITMAP bitmap = CreateDIBitmap(window, &info->bmiHeader, CBM_INIT, bytes + offBits, info, DIB_RGB_COLORS);
    qzt::copyFromBitmap(window, qzt::ViewLeft, qzt::ViewTop, qzt::ViewWidth, qzt::ViewHeight, bitmap, 0,
                        qzt::LevelOriginRow);
    ReleaseDC(shell.mainWindow, window);
    DeleteObject(bitmap);
    UnmapViewOfFile(bytes);
    CloseHandle(mapping);
    CloseHandle(file);
}

// Unsaved changes kept meanwhile would be offered with a question: gone first.
void openAndCheck(const std::string& path, int height) {
    DeleteFileA(qzt::recoveryPathOf(path).c_str());
    qzt::openLevelFile(path.c_str());
    if (!session.document.loaded || levelBitmap.height != height) giveUp(path + " did not open");
}

// Each tool window filled and shown from hidden, then filled again while
// shown (the command run twice: the filling alone), then hidden; the New
// Enemy preview redrawn as any notification redraws it; and a bare
// ShowWindow for what showing costs the platform. Medians in that order.
std::vector<double> toolWindowTimings() {
    const std::pair<void (*)(), const char*> tools[3] = {{qzt::showLevelPropertiesWindow, qzt::LevelPropertiesClass},
                                                         {qzt::showNewEnemyWindow, qzt::NewEnemyClass},
                                                         {qzt::showEnemyProgramEditor, qzt::EnemyProgramEditorClass}};
    std::vector<std::function<void()>> actions;
    HWND window = nullptr;
    for (const auto& [show, className] : tools) {
        window = FindWindowA(className, nullptr);
        if (!window) giveUp(std::string("no window of class ") + className);
        const auto shows = [show = show, window] {
            show();
            if (!IsWindowVisible(window)) giveUp("a tool window did not show");
        };
        actions.insert(actions.end(), {shows, shows, [window] { ShowWindow(window, SW_HIDE); }});
    }
    HWND newEnemy = FindWindowA(qzt::NewEnemyClass, nullptr);
    actions.insert(actions.end(), {qzt::showNewEnemyWindow, [newEnemy] { SendMessageA(newEnemy, WM_COMMAND, 0, 0); },
                                   [newEnemy] { ShowWindow(newEnemy, SW_HIDE); },
                                   [newEnemy] { ShowWindow(newEnemy, SW_SHOW); },
                                   [newEnemy] { ShowWindow(newEnemy, SW_HIDE); }});
    return medians(ToolRuns, WarmUpRuns, actions);
}

void printRow(const char* name, double value, const char* unit, double aim, int runs) {
    char aimText[32] = "-";
    if (aim > 0) std::snprintf(aimText, sizeof aimText, "<= %g", aim);
    std::printf("%-44s %10.3f %-2s %10s %6d  %s\n", name, value, unit, aimText, runs,
                aim <= 0 ? "" : value <= aim ? "ok" : "OVER");
    std::fflush(stdout);
}

// Lays the main window out for dpi, as when it moves to a monitor of that DPI.
void changeDpi(UINT dpi) {
    RECT place;
    GetWindowRect(shell.mainWindow, &place);
    SendMessageA(shell.mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
}

void run() {
    // Start-up can be timed once only: a second one in the same process
    // would find its window classes registered, and caches would be warm.
    step("start-up");
    const bool logoFound = GetFileAttributesA("C:\\QZTedit\\LOGO.bmp") != INVALID_FILE_ATTRIBUTES;
    const double startBegin = nowMs();
    if (!qzt::startEditor(GetModuleHandleA(nullptr), SW_SHOWNORMAL, "")) giveUp("start-up failed");
    const double started = nowMs();
    pumpMessages();
    const double firstPass = nowMs();
    std::printf("%-44s %13s %10s %6s\n", "timing", "median", "aim", "runs");
    printRow("start-up: startEditor, first in process", started - startBegin, "ms", 200, 1);
    printRow("start-up and the first message-loop pass", firstPass - startBegin, "ms", 200, 1);

    // A copy of the sample, so that the editor's files beside the level (its
    // recovery file) go to a directory of the run's own; the tall level there too.
    step("the levels");
    const qzt::testing::TempDir directory;
    // The build machine's root is drive Z: under Wine.
    const std::string samples = std::string(QZT_SAMPLES_DIR[0] == '/' ? "Z:" : "") + QZT_SAMPLES_DIR + "/";
    for (const char* name : {"sample.dat", "sample.bmp"})
        if (!CopyFileA((samples + name).c_str(), directory.file(name).c_str(), FALSE))
            giveUp(std::string("cannot copy ") + name);
    const std::string sample = directory.file("sample.dat");
    openAndCheck(sample, 1200);
    if (session.document.enemyCount < 1) giveUp("the sample has no enemy");
    const std::string tall = directory.file("tall.dat");
    if (!qzt::test::writeBytesToFile(directory.file("tall.bmp"), qzt::test::buildBmp({640, TallHeight, 24})))
        giveUp("cannot write the tall bitmap");
    auto tallLevel = std::make_unique<qzt::LevelDocument>(session.document);
    qzt::setHeaderText(tallLevel->header.title, "Tall_Level");
    qzt::setHeaderText(tallLevel->header.bitmapPath, "tall.bmp");
    const qzt::SaveOutcome saved = qzt::saveLevelFile(tall.c_str(), *tallLevel);
    if (!saved.ok) giveUp("cannot write " + tall + ": " + saved.why);

    // Fifteen enemies spread over the view at scroll (0, 0), through the
    // image sets; the view draws them from the document as it is.
    qzt::LevelDocument& doc = session.document;
    for (int i = 0; i < qzt::MAX_ENEMIES; ++i) {
        qzt::Enemy& enemy = doc.enemies[i] = doc.enemies[i % doc.enemyCount];
        enemy.used = 1, enemy.x = 20 + (i % 5) * 95, enemy.y = 30 + (i / 5) * 115, enemy.imageSet = i % 3;
    }
    doc.enemyCount = qzt::MAX_ENEMIES;
    // Fifteen image sets whose outlines a tick draws inside the view, below
    // enemy 0 and its pointer.
    for (int i = 0; i < qzt::MAX_IMAGE_SETS; ++i)
        doc.imageSets[i] = {10 + (i % 5) * 95, qzt::LevelOriginRow + 200 + (i / 5) * 55, 32, 28, 3, i, 1};
    // Enemy 0's program: 75 movements in all nine directions, STOP included;
    // every program slot used alike, for the tool windows' lists and a
    // maximal level to undo.
    qzt::EnemyProgram& program = doc.programs[doc.enemies[0].program];
    for (int k = 0; k < qzt::MAX_MOVEMENTS; ++k) program.direction[k] = 1 + k % 9, program.steps[k] = 3;
    program.movementCount = qzt::MAX_MOVEMENTS;
    program.used = 1;
    for (int i = 0; i < qzt::MAX_PROGRAMS; ++i) doc.programs[i] = program;
    qzt::finishGesture(qzt::StepName::Move);
    checkDraws(qzt::RedrawLevelView, "RedrawLevelView");
    checkDraws(bareCopy, "the bare copy");
    // A press inside enemy 0 selects it and starts dragging it; each drag
    // step moves it, each scroll step moves the view by one column.
    step("the view: redraw, drag, scroll");
    HWND window = shell.mainWindow, bar = shell.horizontalScrollBar;
    const qzt::Enemy& dragged = doc.enemies[0];
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(qzt::ViewLeft + dragged.x + 5, qzt::ViewTop + dragged.y + 5));
    if (session.state.selectedEnemy != 0 || session.state.selectedImageSet >= 0 || !session.state.dragging)
        giveUp("the press does not start dragging enemy 0");
    const auto dragStep =
        alternately(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150), MK_LBUTTON, MAKELPARAM(260, 190));
    const auto scrollStep = alternately(window, WM_HSCROLL, SB_LINERIGHT, LPARAM(bar), SB_LINELEFT, LPARAM(bar));
    // The part of a scroll step that SetScrollPos takes with its redraw of the bar.
    const auto barStep = alternately(bar, SBM_SETPOS, 1, TRUE, 0, TRUE);
    dragStep();
    if (dragged.x != 200 - qzt::ViewLeft) giveUp("a drag step does not move enemy 0");
    scrollStep();
    if (GetScrollPos(bar, SB_CTL) != 1) giveUp("a scroll step does not scroll");
    qzt::runTimerTick();
    if (session.state.previewStep != 1) giveUp("a tick does not step the preview");
    const std::vector<double> view =
        medians(ViewRuns, WarmUpRuns, {qzt::RedrawLevelView, bareCopy, dragStep, scrollStep, barStep});
    printRow("RedrawLevelView, 15 enemies", view[0], "ms", 0, ViewRuns);
    printRow("bare copy: GetDC, DC, select, BitBlt, free", view[1], "ms", 0, ViewRuns);
    printRow("redraw / bare copy", view[0] / view[1], "x", 1.5, ViewRuns);
    printRow("drag step: WM_MOUSEMOVE, redraw, panel", view[2], "ms", 2, ViewRuns);
    printRow("scroll step: WM_HSCROLL one column", view[3], "ms", 0, ViewRuns);
    printRow("scroll step / redraw", view[3] / view[0], "x", 1.2, ViewRuns);
    printRow("scroll bar alone: SBM_SETPOS with redraw", view[4], "ms", 0, ViewRuns);
    // The same drag, 1,000 moves long: one step, and no allocation on the way.
    const size_t stepsBefore = session.history.steps(), allocationsBefore = allocations;
    for (int i = 0; i < 1000; ++i) dragStep();
    const size_t dragAllocations = allocations - allocationsBefore;
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    printRow("steps recorded by a 1,000-move drag", double(session.history.steps() - stepsBefore), "", 1, 1);
    printRow("allocations in its 1,000 moves", double(dragAllocations), "", 0, 1);

    // Each level pixel a 2 x 2 block: the same redraw, magnified. A zoom
    // lays the window out anew, so the two take turns by rounds, and the
    // median of the rounds' medians counts.
    step("the view at zoom 2");
    std::vector<double> atOne, atTwo;
    for (int round = 0; round < ZoomRounds; ++round) {
        for (int zoom : {1, 2}) {
            qzt::setZoom(zoom);
            if (shell.view.zoom != zoom) giveUp("zoom 2 does not fit the screen");
            pumpMessages();
            (zoom == 1 ? atOne : atTwo).push_back(medians(ViewRuns / ZoomRounds, WarmUpRuns, {qzt::RedrawLevelView})[0]);
        }
    }
    qzt::setZoom(1);
    std::nth_element(atOne.begin(), atOne.begin() + ZoomRounds / 2, atOne.end());
    std::nth_element(atTwo.begin(), atTwo.begin() + ZoomRounds / 2, atTwo.end());
    const double redrawAtOne = atOne[ZoomRounds / 2], redrawAtTwo = atTwo[ZoomRounds / 2];
    printRow("RedrawLevelView at zoom 1, same run", redrawAtOne, "ms", 0, ViewRuns);
    printRow("RedrawLevelView at zoom 2", redrawAtTwo, "ms", 0, ViewRuns);
    printRow("zoom 2 / zoom 1", redrawAtTwo / redrawAtOne, "x", 2, ViewRuns);
    // A frame of the level in motion: every enemy on its program, far into
    // it, against the placed level's redraw, in turns.
    step("the level in motion");
    int64_t gameFrame = 100000;
    const std::vector<double> motion = medians(ViewRuns, WarmUpRuns, {[] {
                                                                         shell.viewFrame.reset();
                                                                         qzt::RedrawLevelView();
                                                                     },
                                                                     [&] {
                                                                         shell.viewFrame = ++gameFrame;
                                                                         qzt::RedrawLevelView();
                                                                     }});
    shell.viewFrame.reset();
    printRow("a frame of the motion, 15 enemies", motion[1], "ms", 0, ViewRuns);
    printRow("motion frame / redraw, same run", motion[1] / motion[0], "x", 1.5, ViewRuns);
    step("a layout for another DPI");
    const double relayout = medians(ToolRuns, WarmUpRuns, {[] { changeDpi(192); }, [] { changeDpi(96); }})[0];
    printRow("WM_DPICHANGED to 192: the window laid out again", relayout, "ms", 50, ToolRuns);

    // Its undo and redo, each with the redraw and the panel refresh.
    step("undo and redo");
    const int32_t draggedX = dragged.x;
    const auto undo = [&] {
        qzt::undoStep();
        if (dragged.x == draggedX) giveUp("an undo does not move enemy 0 back");
    };
    const auto redo = [&] {
        qzt::redoStep();
        if (dragged.x != draggedX) giveUp("a redo does not move enemy 0 again");
    };
    const std::vector<double> undoRedo = medians(ViewRuns, WarmUpRuns, {undo, redo});
    printRow("undo of a drag, maximal level, with redraw", undoRedo[0], "ms", 2, ViewRuns);
    printRow("redo of the drag", undoRedo[1], "ms", 2, ViewRuns);
    printRow("undo / drag step", undoRedo[0] / view[2], "x", 1.5, ViewRuns);
    printRow("redo / drag step", undoRedo[1] / view[2], "x", 1.5, ViewRuns);

    // Several enemies at once, on the maximal level: 15 image sets, 15
    // programs of 75 movements, 14 enemies and a free slot. Each action with
    // its redraw, against a one-enemy drag step in the same run.
    step("several enemies and the clipboard");
    session.document.enemies[14].used = 0;
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(qzt::ViewLeft + dragged.x + 5, qzt::ViewTop + dragged.y + 5));
    const double oneEnemyDrag = medians(ViewRuns, WarmUpRuns, {dragStep})[0];
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    qzt::selectOnlyEnemy(session.state, 0);
    const auto items = qzt::copiedItems(session.document, session.state);
    const auto pasteOne = [&] {
        qzt::pasteItems(session.document, session.state, *items, std::nullopt);
        qzt::finishGesture(qzt::StepName::Paste);
        session.document.enemies[14].used = 0;  // the slot free again for the next run
    };
    const auto duplicate = [&] {
        qzt::selectOnlyEnemy(session.state, 0);
        SendMessageA(window, WM_COMMAND, qzt::DuplicateCommand, 0);
        session.document.enemies[14].used = 0;
    };
    const std::vector<double> single = medians(ViewRuns, WarmUpRuns, {pasteOne, duplicate});
    qzt::selectAllEnemies(session.document, session.state);
    if (qzt::selectedEnemyCount(session.state) != 14) giveUp("14 enemies are not selected");
    const auto nudge = alternately(window, WM_KEYDOWN, VK_RIGHT, 0, VK_LEFT, 0);
    const double copy = medians(ViewRuns, WarmUpRuns, {[] { qzt::copiedItems(session.document, session.state); }})[0];
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(qzt::ViewLeft + dragged.x + 5, qzt::ViewTop + dragged.y + 5));
    if (qzt::selectedEnemyCount(session.state) != 14) giveUp("the press does not keep the 14 enemies for the drag");
    const double groupDrag = medians(ViewRuns, WarmUpRuns, {dragStep})[0];
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    const double nudged = medians(ViewRuns, WarmUpRuns, {nudge})[0];
    printRow("one-enemy drag step, same run", oneEnemyDrag, "ms", 0, ViewRuns);
    printRow("paste of one enemy / one-enemy drag step", single[0] / oneEnemyDrag, "x", 1.5, ViewRuns);
    printRow("duplicate / one-enemy drag step", single[1] / oneEnemyDrag, "x", 1.5, ViewRuns);
    printRow("nudge of 14 enemies / one-enemy drag step", nudged / oneEnemyDrag, "x", 1.5, ViewRuns);
    printRow("drag step of 14 / one-enemy drag step", groupDrag / oneEnemyDrag, "x", 1.5, ViewRuns);
    printRow("copy of 14 enemies", copy, "ms", 2, ViewRuns);
    qzt::selectOnlyEnemy(session.state, -1);
    // Ticks only, so that the preview walks the whole program.
    step("ticks");
    const double tick = medians(ViewRuns, WarmUpRuns, {qzt::runTimerTick})[0];
    printRow("timer tick, 15 image sets, 75 movements", tick, "ms", 1, ViewRuns);
    // The contexts made once, for as long as the timing: the copy alone. Not in
    // turns with the others, which need the bitmap in contexts of their own.
    const double blit = medians(ViewRuns, WarmUpRuns, {[c = std::make_shared<LevelContexts>()] { c->copyView(); }})[0];
    printRow("bare copy: BitBlt only", blit, "ms", 0, ViewRuns);
    printRow("redraw / BitBlt only", view[0] / blit, "x", 0, ViewRuns);

    step("the tool windows");
    const std::vector<double> tools = toolWindowTimings();
    const char* const toolNames[3] = {"Level Properties", "New Enemy (15 + 15 items)", "Program editor (15 items)"};
    for (int t = 0; t < 3; ++t) {
        printRow((std::string(toolNames[t]) + ": fill and show").c_str(), tools[3 * t], "ms", 2, ToolRuns);
        printRow((std::string(toolNames[t]) + ": refill, shown").c_str(), tools[3 * t + 1], "ms", 0, ToolRuns);
    }
    printRow("bare ShowWindow of a hidden tool window", tools[12], "ms", 0, ToolRuns);
    printRow("Create New Enemy: preview redraw", tools[10], "ms", 2, ToolRuns);

    // One recovery write of the maximal level, beside the level in the temporary directory.
    step("the files on disk");
    const std::string recovery = qzt::recoveryPathOf(tall);
    const double recoveryWrite = medians(ToolRuns, WarmUpRuns, {[&] {
        std::string why;
        if (!qzt::replaceFileAtomically(recovery.c_str(), qzt::serializeLevel(session.document), why))
            giveUp("cannot write " + recovery + ": " + why);
    }})[0];
    printRow("recovery write, maximal level", recoveryWrite, "ms", 0, ToolRuns);
    // The timer's tick with the level's checks on disk (an unchanged level:
    // nothing to write, one stamp read a second per file), beside the tick
    // alone, and one check when it is due.
    const std::vector<double> ticks = medians(ViewRuns, WarmUpRuns, {qzt::onTimer, qzt::runTimerTick});
    printRow("tick with the checks on disk", ticks[0], "ms", 0, ViewRuns);
    printRow("tick alone", ticks[1], "ms", 0, ViewRuns);
    printRow("tick with checks / tick alone", ticks[0] / ticks[1], "x", 1.05, ViewRuns);
    // Times to come, a second apart: every call finds the checks due.
    uint64_t due = GetTickCount64() + 1000000;
    const double dueChecks = medians(ViewRuns, WarmUpRuns, {[&] { qzt::watchLevelFiles(due += 1000); }})[0];
    printRow("the checks when due: two stamp reads", dueChecks, "ms", 0, ViewRuns);

    step("opening levels");
    const double openSample = medians(SampleOpenRuns, 0, {[&] { openAndCheck(sample, 1200); }})[0];
    printRow("open sample.dat (640 x 1200, 8-bit)", openSample, "ms", 50, SampleOpenRuns);
    const std::vector<double> opens = medians(
        TallOpenRuns, 0, {[&] { openAndCheck(tall, TallHeight); }, [&] { bitmapFloor(directory.file("tall.bmp")); }});
    printRow("open 640 x 16384 24-bit level", opens[0], "ms", 300, TallOpenRuns);
    printRow("floor: map, CreateDIBitmap, one copy", opens[1], "ms", 0, TallOpenRuns);
    printRow("open / floor", opens[0] / opens[1], "x", 1.1, TallOpenRuns);
    std::printf("logo %s; GDI calls are timed up to GdiFlush, the window's pixels reach X later, at a message pump\n",
                logoFound ? "found" : "missing (start-up draws none)");
}

// Without a window manager Wine waits two seconds for one whenever a window
// hides, which the tool windows' timings do hundreds of times. Under Wine the
// harness's windows are left unmanaged: set once, then the harness starts
// again so that Wine reads it. Returns the exit code of that run, or -1 when
// this one goes on.
int runUnmanaged() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return -1;
    constexpr char Key[] = "Software\\Wine\\AppDefaults\\gui_bench.exe\\X11 Driver";
    char managed[8] = "";
    DWORD size = sizeof managed;
    if (RegGetValueA(HKEY_CURRENT_USER, Key, "Managed", RRF_RT_REG_SZ, nullptr, managed, &size) == ERROR_SUCCESS &&
        managed[0] == 'N')
        return -1;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return -1;
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = GetCommandLineA();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(code);
}

}  // namespace

int main() {
    const int unmanagedRun = runUnmanaged();
    if (unmanagedRun >= 0) return unmanagedRun;
    Watchdog guard;
    watchdog = &guard;
    try {
        run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gui_bench: %s\n", error.what());
        return 1;
    }
}
