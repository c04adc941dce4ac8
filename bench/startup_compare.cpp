// startup_compare BEFORE.exe AFTER.exe LEVEL [ROUNDS]: starts two editors in
// turn with the same level and times each from CreateProcess until its
// message loop first waits for input (WaitForInputIdle), then ends it. In
// turn, each going first every other round, so that both see the same
// machine; medians, as one start in a few is slow (the first of a run reads
// every DLL from disk). Work an editor leaves to other threads is not timed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double nowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Milliseconds to the first idle wait; negative when it did not start or never waited.
double timeStart(const char* editor, const char* level) {
    std::string commandLine = std::string("\"") + editor + "\" \"" + level + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double begin = nowMs();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    const DWORD waited = WaitForInputIdle(process.hProcess, 30000);
    const double took = nowMs() - begin;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waited == 0 ? took : -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_compare BEFORE.exe AFTER.exe LEVEL [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 20;
    std::vector<double> before, after;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) before.push_back(timeStart(argv[1], argv[3]));
        after.push_back(timeStart(argv[2], argv[3]));
        if (round % 2 == 1) before.push_back(timeStart(argv[1], argv[3]));
        if (before.back() < 0 || after.back() < 0) {
            std::fprintf(stderr, "round %d: an editor did not start or never waited for input\n", round);
            return 1;
        }
        std::printf("round %2d: before %7.1f ms, after %7.1f ms\n", round, before.back(), after.back());
        std::fflush(stdout);
    }
    std::printf("median: before %.1f ms, after %.1f ms, after / before %.2f\n", median(before), median(after),
                median(after) / median(before));
    return 0;
}
