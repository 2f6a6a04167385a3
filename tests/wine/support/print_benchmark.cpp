#include "print_benchmark.h"

#include <psapi.h>
#include <winspool.h>

#include <cstdio>

namespace zelt::test {
namespace {

// Generous: 200 jobs through a port that starts a shell command each.
constexpr DWORD kArrivalTimeoutMs = 120000;

struct Memory {
    long long workingSet = -1;
    long long peak = -1;
};

Memory ProcessMemory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return {};
    return {static_cast<long long>(counters.WorkingSetSize), static_cast<long long>(counters.PeakWorkingSetSize)};
}

bool ClearJobs(Port& port) {
    std::wstring error;
    if (port.jobs.Reset(port.dataFile, error)) return true;
    std::fprintf(stderr, "the port's jobs could not be cleared: %s\n", Narrow(error).c_str());
    return false;
}

// Each job in turn: the port's command runs once per job, in order.
bool AwaitJobs(const Port& port, const Print& print) {
    for (std::size_t i = 0; i < print.jobLengths.size(); ++i) {
        if (!port.jobs.Arrived(static_cast<int>(i + 1), print.jobLengths[i], kArrivalTimeoutMs)) {
            std::fprintf(stderr, "job %zu of %zu did not arrive whole (%llu bytes expected)\n", i + 1,
                         print.jobLengths.size(), static_cast<unsigned long long>(print.jobLengths[i]));
            return false;
        }
    }
    return true;
}

// Milliseconds from the print's start until its last job has arrived; -1 when one did not.
double TimeOnePrint(Port& port, const Print& print) {
    if (!ClearJobs(port)) return -1;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    print.start();
    if (!AwaitJobs(port, print)) return -1;
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

std::size_t ReadOnce(const std::wstring& path, unsigned char* into, std::size_t capacity) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    std::size_t done = 0;
    DWORD read = 0;
    while (done < capacity && ReadFile(file, into + done, static_cast<DWORD>(capacity - done), &read, nullptr) &&
           read > 0) {
        done += read;
    }
    CloseHandle(file);
    return done;
}

bool PrepareBenchmark(PageSession& session, const Port& port, const NamedNumbers& seed) {
    std::wstring error;
    if (session.Prepare(port.dataFile, error, seed)) return true;
    std::fprintf(stderr, "%s\n", Narrow(error).c_str());
    return false;
}

HWND OpenBenchmarkPage(PageSession& session, int tab) {
    std::wstring error;
    if (!session.OpenSheet(error)) {
        std::fprintf(stderr, "%s\n", Narrow(error).c_str());
        return nullptr;
    }
    HWND page = session.ShowPage(tab);
    if (page == nullptr) std::fprintf(stderr, "no page at tab %d\n", tab);
    return page;
}

bool WritePatternFile(const std::wstring& path, std::uint64_t size, int seed) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char piece[65536];
    bool ok = true;
    for (std::uint64_t done = 0; done < size && ok;) {
        const DWORD count = static_cast<DWORD>(size - done < sizeof piece ? size - done : sizeof piece);
        for (DWORD i = 0; i < count; ++i) piece[i] = static_cast<char>((seed * 131 + done + i) & 0xFF);
        DWORD written = 0;
        ok = WriteFile(file, piece, count, &written, nullptr) && written == count;
        done += count;
    }
    CloseHandle(file);
    return ok;
}

bool TimeAgainstFloor(Port& port, const Print& plugin, const Print& floor, int runs) {
    for (int run = 0; run < runs; ++run) {
        const bool pluginFirst = run % 2 == 0;
        const double first = TimeOnePrint(port, pluginFirst ? plugin : floor);
        const double second = TimeOnePrint(port, pluginFirst ? floor : plugin);
        if (first < 0 || second < 0) return false;
        std::printf("time %d %.2f %.2f\n", run, pluginFirst ? first : second, pluginFirst ? second : first);
        std::fflush(stdout);
    }
    return ClearJobs(port);
}

bool MeasureMemory(Port& port, const wchar_t* what, std::uint64_t reference, const Print& print) {
    if (!ClearJobs(port)) return false;
    const Memory before = ProcessMemory();
    print.start();
    const bool arrived = AwaitJobs(port, print);
    const Memory after = ProcessMemory();
    if (!ClearJobs(port) || !arrived) return false;
    std::printf("memory %ls %llu %lld %lld %lld\n", what, static_cast<unsigned long long>(reference),
                before.workingSet, before.peak, after.peak);
    std::fflush(stdout);
    return true;
}

}  // namespace zelt::test
