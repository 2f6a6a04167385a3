// Benchmark of the Copy Options page's journal "Print" through the real page,
// sheet and spooler, against the floor: this program's own minimal reading of
// the same files with the same C runtime calls, each submitted as one raw job.
//   journal_benchmark.exe big|all time RUNS
//     one line per run, the two alternating: "time RUN PLUGIN_MS FLOOR_MS"
//   journal_benchmark.exe big|all memory plugin|floor
//     one action in a fresh process: "memory WHAT LARGEST WS_BEFORE PEAK_BEFORE
//     PEAK_AFTER" in bytes (a peak can only be read, not reset, so each action
//     has a process of its own)
// "big" prints one current journal of 64 MiB, "all" prints "<All>" over 200
// archived journals of 64 KiB.
#include <windows.h>
#include <winspool.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "journal/copy_model.h"
#include "page_driver.h"
#include "wine_paths.h"

using namespace zelt;
using namespace zelt::test;

namespace {

constexpr int kCopyTab = 2;
constexpr std::size_t kBigJournal = 64u << 20;
constexpr std::size_t kSmallJournal = 64u << 10;
constexpr int kSmallJournals = 200;

struct Memory {
    long long workingSet;
    long long peak;
};

Memory ProcessMemory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return {-1, -1};
    return {static_cast<long long>(counters.WorkingSetSize), static_cast<long long>(counters.PeakWorkingSetSize)};
}

template <typename Action>
double Milliseconds(Action action) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    action();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Written in pieces, so that making the files raises no peak of its own.
bool WriteJournal(const std::wstring& path, std::size_t size, int seed) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char piece[65536];
    bool ok = true;
    for (std::size_t done = 0; done < size && ok;) {
        const std::size_t count = size - done < sizeof piece ? size - done : sizeof piece;
        for (std::size_t i = 0; i < count; ++i) piece[i] = static_cast<char>((seed * 131 + done + i) & 0xFF);
        DWORD written = 0;
        ok = WriteFile(file, piece, static_cast<DWORD>(count), &written, nullptr) && written == count;
        done += count;
    }
    CloseHandle(file);
    return ok;
}

// The floor for one file: opened, measured and read once into one buffer,
// sent as one raw job.
void FloorJob(HANDLE printer, const std::wstring& path) {
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return;
    _fseeki64(file, 0, SEEK_END);
    const long long length = _ftelli64(file);
    _fseeki64(file, 0, SEEK_SET);
    auto* bytes = static_cast<unsigned char*>(std::malloc(length > 0 ? static_cast<std::size_t>(length) : 1));
    const std::size_t read = bytes ? std::fread(bytes, 1, static_cast<std::size_t>(length), file) : 0;
    std::fclose(file);
    DOC_INFO_1W document = {const_cast<wchar_t*>(L"floor"), nullptr, const_cast<wchar_t*>(L"RAW")};
    DWORD written = 0;
    StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&document));
    StartPagePrinter(printer);
    WritePrinter(printer, bytes, static_cast<DWORD>(read), &written);
    EndPagePrinter(printer);
    EndDocPrinter(printer);
    std::free(bytes);
}

void DeleteFiles(const std::wstring& folder, const wchar_t* pattern) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: journal_benchmark.exe big|all time RUNS | big|all memory plugin|floor\n");
        return 2;
    }
    const bool big = std::wstring(argv[1]) == L"big";
    const std::wstring mode = argv[2];
    const std::wstring what = argv[3];

    PageSession session;
    std::wstring error;
    if (!session.Prepare(L"QRVX10.GPD", error)) {
        std::fprintf(stderr, "%s\n", Narrow(error).c_str());
        return 1;
    }
    const std::wstring folder = L"C:\\Zelt\\" + session.printerName() + L"\\ZeltRasterJournalData";
    const std::wstring jobs = L"C:\\zelt\\jobs\\QRVX10";
    host::MakeFolders(folder, error);
    DeleteFiles(folder, L"*.zrj");
    if (big) {
        WriteJournal(folder + L"\\CurrentJournal.zrj", kBigJournal, 1);
    } else {
        for (int n = 0; n < kSmallJournals; ++n) {
            wchar_t name[32];
            swprintf(name, 32, L"\\J%03d.zrj", n);
            WriteJournal(folder + name, kSmallJournal, n);
        }
    }
    session.values().Write(L"COPY_SIMPLECOPY", 0);
    if (!session.OpenSheet(error)) {
        std::fprintf(stderr, "%s\n", Narrow(error).c_str());
        return 1;
    }
    HWND page = session.ShowPage(kCopyTab);
    if (page == nullptr || !PickListItem(page, kCopyJournalList, big ? 0 : 1)) {
        std::fprintf(stderr, "the Copy Options page could not select the journal\n");
        return 1;
    }
    // The files in the order the page prints them.
    std::vector<std::wstring> files;
    if (big) {
        files.push_back(folder + L"\\CurrentJournal.zrj");
    } else {
        const std::vector<std::wstring> items = ListTexts(page, kCopyJournalList);
        for (std::size_t i = 2; i < items.size(); ++i) files.push_back(folder + L"\\" + items[i]);
    }
    HANDLE printer = nullptr;
    OpenPrinterW(const_cast<wchar_t*>(session.printerName().c_str()), &printer, nullptr);
    HWND print = GetDlgItem(page, kCopyPrintJournal);

    const auto pluginJobs = [&] { SendMessageW(print, BM_CLICK, 0, 0); };
    const auto floorJobs = [&] {
        for (const std::wstring& file : files) FloorJob(printer, file);
    };
    const std::size_t largest = big ? kBigJournal : kSmallJournal;
    if (mode == L"time") {
        for (int run = 0; run < _wtoi(what.c_str()); ++run) {
            DeleteFiles(jobs, L"job-*.prn");
            const double plugin = Milliseconds(pluginJobs);
            DeleteFiles(jobs, L"job-*.prn");
            const double floor = Milliseconds(floorJobs);
            std::printf("time %d %.2f %.2f\n", run, plugin, floor);
        }
    } else {
        DeleteFiles(jobs, L"job-*.prn");
        const Memory before = ProcessMemory();
        if (what == L"plugin") pluginJobs(); else floorJobs();
        const Memory after = ProcessMemory();
        std::printf("memory %ls %zu %lld %lld %lld\n", what.c_str(), largest, before.workingSet, before.peak,
                    after.peak);
    }
    std::fflush(stdout);
    DeleteFiles(jobs, L"job-*.prn");
    ClosePrinter(printer);
    session.Press(SheetButton::kCancel);
    return 0;
}
