#include "app/editor_runs.h"

#include <windows.h>

#include <cstdio>

namespace qzt {
namespace {

// A named mutex lives exactly as long as some process holds it open.
void runMutexName(uint64_t run, char (&name)[48]) {
    std::snprintf(name, sizeof name, "QZTLevelEditor.run.%016llx", static_cast<unsigned long long>(run));
}

}  // namespace

uint64_t thisEditorRun() {
    static const uint64_t run = [] {
        // The process id keeps it apart from every other running editor; the
        // clock, from an earlier editor that had the same process id.
        LARGE_INTEGER clock;
        QueryPerformanceCounter(&clock);
        const uint64_t id = uint64_t(GetCurrentProcessId()) << 32 | (uint64_t(clock.QuadPart) & 0xFFFFFFFFu);
        char name[48];
        runMutexName(id, name);
        // Held until the process ends, however it ends.
        CreateMutexA(nullptr, FALSE, name);
        return id;
    }();
    return run;
}

bool editorRunning(uint64_t run) {
    if (run == thisEditorRun()) return true;
    char name[48];
    runMutexName(run, name);
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (!mutex) return false;
    CloseHandle(mutex);
    return true;
}

}  // namespace qzt
