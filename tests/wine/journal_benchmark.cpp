// Benchmark of the Copy Options page's journal "Print" through the real page,
// sheet, spooler and capture port, against the floor in the same process:
// each journal sent as one raw job to the same printer, read with
// CreateFileW/ReadFile in parts of the plug-in's size into one buffer and
// each part written at once. Both are timed until the last job has arrived
// whole at the port.
//   journal_benchmark.exe big|all|huge time RUNS
//     one line per run, the two alternating: "time RUN PLUGIN_MS FLOOR_MS"
//   journal_benchmark.exe big|all|huge memory plugin|floor
//     one print in a fresh process: "memory WHAT LARGEST WS_BEFORE PEAK_BEFORE
//     PEAK_AFTER" in bytes
//   journal_benchmark.exe big|all|huge phases RUNS
//     as "time", and after each print where its time went, in milliseconds:
//     "phases WHO READ SPOOL PORT OTHER" (reading the files: the plug-in's
//     fread, the floor's ReadFile; WritePrinter, which copies the job into the
//     spooler's file; EndDocPrinter, which runs the port's command with the
//     job on its input and returns once it is done; everything else)
// "big" prints one current journal of 64 MiB, "all" prints "<All>" over 200
// archived journals of 64 KiB, "huge" one current journal of 4 GiB and 1 MiB,
// a sparse file of zeros (its job is written out whole by the spooler and
// by the port, 4 GiB each, and deleted after each print).
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "iat_hook.h"
#include "journal/copy_model.h"
#include "journal/journal_store.h"
#include "page_driver.h"
#include "print_benchmark.h"

using namespace zelt;
using namespace zelt::test;

namespace {

constexpr std::size_t kBigJournal = 64u << 20;
constexpr std::size_t kSmallJournal = 64u << 10;
constexpr int kSmallJournals = 200;
constexpr std::uint64_t kHugeJournal = (std::uint64_t{4} << 30) + kJournalPartSize;

// --- Where the time goes: the calls of each phase timed through the import
// tables of the plug-in and of this program.
double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

enum Phase { kRead, kSpool, kPort, kPhases };
double g_phaseMs[kPhases];

template <Phase phase, typename Call>
auto Timed(Call call) {
    const double start = Now();
    auto result = call();
    g_phaseMs[phase] += Now() - start;
    return result;
}

using FreadFunction = size_t(__cdecl*)(void*, size_t, size_t, FILE*);
using ReadFileFunction = BOOL(WINAPI*)(HANDLE, void*, DWORD, DWORD*, OVERLAPPED*);
using WritePrinterFunction = BOOL(WINAPI*)(HANDLE, void*, DWORD, DWORD*);
using EndDocPrinterFunction = BOOL(WINAPI*)(HANDLE);
FreadFunction g_fread = nullptr;
ReadFileFunction g_readFile = nullptr;
WritePrinterFunction g_writePrinter = nullptr;
EndDocPrinterFunction g_endDocPrinter = nullptr;

size_t __cdecl TimedFread(void* into, size_t size, size_t count, FILE* file) {
    return Timed<kRead>([&] { return g_fread(into, size, count, file); });
}
BOOL WINAPI TimedReadFile(HANDLE file, void* into, DWORD count, DWORD* read, OVERLAPPED* overlapped) {
    return Timed<kRead>([&] { return g_readFile(file, into, count, read, overlapped); });
}
BOOL WINAPI TimedWritePrinter(HANDLE printer, void* bytes, DWORD count, DWORD* written) {
    return Timed<kSpool>([&] { return g_writePrinter(printer, bytes, count, written); });
}
BOOL WINAPI TimedEndDocPrinter(HANDLE printer) { return Timed<kPort>([&] { return g_endDocPrinter(printer); }); }

bool HookPhases(HMODULE plugin) {
    HMODULE self = GetModuleHandleW(nullptr);
    return HookImport(plugin, "msvcrt.dll", "fread", &TimedFread, g_fread) &&
           HookImport(self, "kernel32.dll", "ReadFile", &TimedReadFile, g_readFile) &&
           HookImport(plugin, "winspool.drv", "WritePrinter", &TimedWritePrinter, g_writePrinter) &&
           HookImport(self, "winspool.drv", "WritePrinter", &TimedWritePrinter, g_writePrinter) &&
           HookImport(plugin, "winspool.drv", "EndDocPrinter", &TimedEndDocPrinter, g_endDocPrinter) &&
           HookImport(self, "winspool.drv", "EndDocPrinter", &TimedEndDocPrinter, g_endDocPrinter);
}

// The print, followed by its "phases" line.
std::function<void()> WithPhases(const char* who, std::function<void()> print) {
    return [who, print] {
        for (double& ms : g_phaseMs) ms = 0;
        const double start = Now();
        print();
        const double total = Now() - start;
        std::printf("phases %s %.2f %.2f %.2f %.2f\n", who, g_phaseMs[kRead], g_phaseMs[kSpool], g_phaseMs[kPort],
                    total - g_phaseMs[kRead] - g_phaseMs[kSpool] - g_phaseMs[kPort]);
    };
}

// The floor of one journal: one raw job, each part read with ReadFile into
// one buffer of the plug-in's part size (or the journal's, when shorter) and
// written at once.
void FloorJob(HANDLE printer, const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER length = {};
    if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &length)) length.QuadPart = 0;
    const DWORD partSize = static_cast<DWORD>(
        length.QuadPart < static_cast<LONGLONG>(kJournalPartSize) ? length.QuadPart : kJournalPartSize);
    auto* part = static_cast<unsigned char*>(std::malloc(partSize > 0 ? partSize : 1));
    DOC_INFO_1W document = {const_cast<wchar_t*>(L"floor"), nullptr, const_cast<wchar_t*>(L"RAW")};
    if (file != INVALID_HANDLE_VALUE && part != nullptr &&
        StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&document))) {
        StartPagePrinter(printer);
        DWORD read = 0;
        DWORD written = 0;
        for (LONGLONG left = length.QuadPart; left > 0; left -= read) {
            if (!ReadFile(file, part, partSize, &read, nullptr) || read == 0) break;
            if (!WritePrinter(printer, part, read, &written)) break;
        }
        EndPagePrinter(printer);
        EndDocPrinter(printer);
    }
    std::free(part);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// A file of `size` bytes that takes no disk: its end set, nothing written.
bool WriteSparseFile(const std::wstring& path, std::uint64_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool made = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: journal_benchmark.exe big|all|huge time|phases RUNS | big|all|huge memory plugin|floor\n");
        return 2;
    }
    const bool huge = std::wstring(argv[1]) == L"huge";
    const bool big = huge || std::wstring(argv[1]) == L"big";
    const std::wstring mode = argv[2];
    const std::wstring what = argv[3];

    PageSession session;
    Port port{kPlainModel, {}};
    if (!PrepareBenchmark(session, port, {{L"COPY_SIMPLECOPY", 0}})) return 1;
    const std::wstring folder = session.JournalFolder();
    std::wstring error;
    ClearFolder(folder, L"*.zrj", error);
    if (huge) {
        WriteSparseFile(folder + L"\\CurrentJournal.zrj", kHugeJournal);
    } else if (big) {
        WritePatternFile(folder + L"\\CurrentJournal.zrj", kBigJournal, 1);
    } else {
        for (int n = 0; n < kSmallJournals; ++n) {
            wchar_t name[32];
            swprintf(name, 32, L"\\J%03d.zrj", n);
            WritePatternFile(folder + name, kSmallJournal, n);
        }
    }
    HWND page = OpenBenchmarkPage(session, kCopyTab);
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
    const std::uint64_t length = huge ? kHugeJournal : big ? kBigJournal : kSmallJournal;
    HANDLE printer = nullptr;
    OpenPrinterW(const_cast<wchar_t*>(session.printerName().c_str()), &printer, nullptr);
    HWND print = GetDlgItem(page, kCopyPrintJournal);

    const std::vector<std::uint64_t> jobLengths(files.size(), length);
    Print plugin{[&] { SendMessageW(print, BM_CLICK, 0, 0); }, jobLengths};
    Print floor{[&] {
                    for (const std::wstring& file : files) FloorJob(printer, file);
                },
                jobLengths};
    if (mode == L"phases") {
        if (!HookPhases(session.plugin().module())) {
            std::fprintf(stderr, "the calls of the phases could not be hooked\n");
            return 1;
        }
        plugin.start = WithPhases("plugin", plugin.start);
        floor.start = WithPhases("floor", floor.start);
    }
    const bool done = mode == L"memory" ? MeasureMemory(port, what.c_str(), length,
                                                        what == L"plugin" ? plugin : floor)
                                        : TimeAgainstFloor(port, plugin, floor, _wtoi(what.c_str()));
    ClosePrinter(printer);
    session.Press(SheetButton::kCancel);
    // Sparse, yet 4 GiB to whatever copies the prefix.
    if (huge) DeleteFileW(files.front().c_str());
    return done ? 0 : 1;
}
