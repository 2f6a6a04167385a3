// Benchmark of "Print All Logos" through the real page, sheet and spooler,
// against the floor: this program's own minimal reading of the same files
// with the same C runtime calls, submitted as the same bytes in one raw job.
//   logo_benchmark.exe COUNT SIZE time RUNS
//     one line per run, the two alternating: "time RUN PLUGIN_MS FLOOR_MS"
//   logo_benchmark.exe COUNT SIZE memory plugin|floor
//     one action in a fresh process: "memory WHAT STREAM WS_BEFORE PEAK_BEFORE
//     PEAK_AFTER" in bytes (the process's working set; a peak can only be
//     read, not reset, so each action has a process of its own)
#include <windows.h>
#include <winspool.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "logo/logo_settings.h"
#include "page_driver.h"
#include "wine_paths.h"

using namespace zelt;
using namespace zelt::test;

namespace {

constexpr int kLogoTab = 1;

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

// The floor: each file opened and read once into one buffer with the logo
// framing around it, and the buffer sent as one raw job.
void FloorJob(HANDLE printer, const std::wstring& folder, int count, std::size_t streamLength) {
    auto* stream = static_cast<unsigned char*>(std::malloc(streamLength));
    if (stream == nullptr) return;
    static const unsigned char kPreamble[40] = {0x1B, 0x2A, 0x72, 0x52, 0x00, 0x1B, 0x2A, 0x72, 0x41, 0x00,
                                                0x1B, 0x2A, 0x72, 0x51, 0x30, 0x00, 0x00, 0x1B, 0x2A, 0x72,
                                                0x46, 0x31, 0x00, 0x00, 0x1B, 0x2A, 0x72, 0x45, 0x31, 0x00,
                                                0x00, 0x1B, 0x2A, 0x72, 0x50, 0x30, 0x00, 0x00, 0x00, 0x00};
    static const unsigned char kPostamble[11] = {0x1B, 0x0C, 0x00, 0x04, 0x1B, 0x2A, 0x72, 0x42, 0x00, 0x0A, 0x00};
    std::size_t offset = 0;
    for (int n = 0; n < count; ++n) {
        std::FILE* file = _wfopen((folder + L"\\" + std::to_wstring(n) + L".zrl").c_str(), L"rb");
        if (file == nullptr) break;
        std::fseek(file, 0, SEEK_END);
        const long length = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        char label[32];
        std::snprintf(label, sizeof label, "[LOGO %4d]\n", n);
        std::memcpy(stream + offset, label, 12);
        std::memcpy(stream + offset + 12, kPreamble, sizeof kPreamble);
        offset += 52;
        offset += std::fread(stream + offset, 1, static_cast<std::size_t>(length), file);
        std::fclose(file);
        std::memcpy(stream + offset, kPostamble, sizeof kPostamble);
        offset += sizeof kPostamble;
    }
    std::memcpy(stream + offset, "\x1B" "d\x02\0", 4);
    offset += 4;
    DOC_INFO_1W document = {const_cast<wchar_t*>(L"floor"), nullptr, const_cast<wchar_t*>(L"RAW")};
    DWORD written = 0;
    StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&document));
    StartPagePrinter(printer);
    WritePrinter(printer, stream, static_cast<DWORD>(offset), &written);
    EndPagePrinter(printer);
    EndDocPrinter(printer);
    std::free(stream);
}

void DeleteJobs(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\job-*.prn").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: logo_benchmark.exe COUNT SIZE time RUNS | COUNT SIZE memory plugin|floor\n");
        return 2;
    }
    const int count = _wtoi(argv[1]);
    const std::size_t size = static_cast<std::size_t>(_wtoi(argv[2]));
    const std::wstring mode = argv[3];
    const std::wstring what = argv[4];

    PageSession session;
    std::wstring error;
    if (!session.Prepare(L"QRVX10.GPD", error)) {
        std::fprintf(stderr, "%s\n", Narrow(error).c_str());
        return 1;
    }
    // Document Top: the pending logo's walk runs too, so each logo is opened three times.
    const std::wstring folder = L"C:\\Zelt\\" + session.printerName() + L"\\ZeltRasterLogoData\\StartDoc";
    const std::wstring jobs = L"C:\\zelt\\jobs\\QRVX10";
    host::MakeFolders(folder, error);
    std::vector<char> bytes(size);
    for (int n = 0;; ++n) {
        const std::wstring path = folder + L"\\" + std::to_wstring(n) + L".zrl";
        if (n >= count) {
            if (!DeleteFileW(path.c_str())) break;
            continue;
        }
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((n * 131 + i) & 0xFF);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(size), &written, nullptr);
        CloseHandle(file);
    }
    DeleteFileW((folder + L"\\-1.zrl").c_str());
    const std::size_t streamLength = static_cast<std::size_t>(count) * (63 + size) + 4;

    if (!session.OpenSheet(error)) {
        std::fprintf(stderr, "%s\n", Narrow(error).c_str());
        return 1;
    }
    HWND page = session.ShowPage(kLogoTab);
    if (page == nullptr || !Click(page, kLogoGenerateButton) || !PickListItem(page, kLogoGenerateToList, kDocumentTop)) {
        std::fprintf(stderr, "the Logo page could not be set to Generate To Document Top\n");
        return 1;
    }
    HANDLE printer = nullptr;
    OpenPrinterW(const_cast<wchar_t*>(session.printerName().c_str()), &printer, nullptr);
    HWND printAll = GetDlgItem(page, kLogoPrintAllButton);

    const auto pluginJob = [&] { SendMessageW(printAll, BM_CLICK, 0, 0); };
    const auto floorJob = [&] { FloorJob(printer, folder, count, streamLength); };
    if (mode == L"time") {
        for (int run = 0; run < _wtoi(what.c_str()); ++run) {
            DeleteJobs(jobs);
            const double plugin = Milliseconds(pluginJob);
            const double floor = Milliseconds(floorJob);
            std::printf("time %d %.2f %.2f\n", run, plugin, floor);
        }
    } else {
        DeleteJobs(jobs);
        const Memory before = ProcessMemory();
        if (what == L"plugin") pluginJob(); else floorJob();
        const Memory after = ProcessMemory();
        std::printf("memory %ls %zu %lld %lld %lld\n", what.c_str(), streamLength, before.workingSet, before.peak,
                    after.peak);
    }
    std::fflush(stdout);
    DeleteJobs(jobs);
    ClosePrinter(printer);
    session.Press(SheetButton::kCancel);
    return 0;
}
