// Benchmark of "Print All Logos" (Generate To Document Top) through the real
// page, sheet, spooler and capture port, against the floor in the same
// process: each logo file read once with CreateFileW/ReadFile into one
// buffer with the same framing, sent as one raw job to the same printer.
// Both are timed until the job has arrived whole at the port.
//   logo_benchmark.exe COUNT SIZE time RUNS
//     one line per run, the two alternating: "time RUN PLUGIN_MS FLOOR_MS"
//   logo_benchmark.exe COUNT SIZE memory plugin|floor
//     one print in a fresh process: "memory WHAT STREAM WS_BEFORE PEAK_BEFORE
//     PEAK_AFTER" in bytes
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "logo/logo_settings.h"
#include "logo/logo_stream.h"
#include "page_driver.h"
#include "print_benchmark.h"

using namespace zelt;
using namespace zelt::test;

namespace {

// The stream the plug-in builds, made the floor's way: each file read once
// into its place, framed as the plug-in frames it.
void FloorJob(HANDLE printer, const std::wstring& folder, int count, std::size_t size, std::size_t streamLength) {
    auto* stream = static_cast<unsigned char*>(std::malloc(streamLength));
    if (stream == nullptr) return;
    static const unsigned char kPreamble[40] = {0x1B, 0x2A, 0x72, 0x52, 0x00, 0x1B, 0x2A, 0x72, 0x41, 0x00,
                                                0x1B, 0x2A, 0x72, 0x51, 0x30, 0x00, 0x00, 0x1B, 0x2A, 0x72,
                                                0x46, 0x31, 0x00, 0x00, 0x1B, 0x2A, 0x72, 0x45, 0x31, 0x00,
                                                0x00, 0x1B, 0x2A, 0x72, 0x50, 0x30, 0x00, 0x00, 0x00, 0x00};
    static const unsigned char kPostamble[11] = {0x1B, 0x0C, 0x00, 0x04, 0x1B, 0x2A, 0x72, 0x42, 0x00, 0x0A, 0x00};
    std::size_t offset = 0;
    for (int n = 0; n < count; ++n) {
        unsigned char label[kLogoLabelLength];
        FormatLogoLabel(n, label);
        std::memcpy(stream + offset, label, sizeof label);
        std::memcpy(stream + offset + sizeof label, kPreamble, sizeof kPreamble);
        offset += kLogoPreambleLength;
        offset += ReadOnce(folder + L"\\" + std::to_wstring(n) + L".zrl", stream + offset, size);
        std::memcpy(stream + offset, kPostamble, sizeof kPostamble);
        offset += sizeof kPostamble;
    }
    std::memcpy(stream + offset, "\x1B" "d\x02\0", 4);
    SubmitRawJob(printer, stream, offset + 4);
    std::free(stream);
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
    Port port{kPlainModel, {}};
    if (!PrepareBenchmark(session, port)) return 1;
    // Document Top: the pending logo's numbering is part of the press.
    const std::wstring folder = session.LogoFolder(L"StartDoc");
    std::wstring error;
    ClearFolder(folder, L"*.zrl", error);
    for (int n = 0; n < count; ++n) WritePatternFile(folder + L"\\" + std::to_wstring(n) + L".zrl", size, n);
    const std::size_t streamLength = static_cast<std::size_t>(count) * (63 + size) + 4;

    HWND page = OpenBenchmarkPage(session, kLogoTab);
    if (page == nullptr || !Click(page, kLogoGenerateButton) || !PickListItem(page, kLogoGenerateToList, kDocumentTop)) {
        std::fprintf(stderr, "the Logo page could not be set to Generate To Document Top\n");
        return 1;
    }
    HANDLE printer = nullptr;
    OpenPrinterW(const_cast<wchar_t*>(session.printerName().c_str()), &printer, nullptr);
    HWND printAll = GetDlgItem(page, kLogoPrintAllButton);

    const Print plugin{[&] { SendMessageW(printAll, BM_CLICK, 0, 0); }, {streamLength}};
    const Print floor{[&] { FloorJob(printer, folder, count, size, streamLength); }, {streamLength}};
    const bool done = mode == L"time" ? TimeAgainstFloor(port, plugin, floor, _wtoi(what.c_str()))
                                      : MeasureMemory(port, what.c_str(), streamLength,
                                                      what == L"plugin" ? plugin : floor);
    ClosePrinter(printer);
    session.Press(SheetButton::kCancel);
    return done ? 0 : 1;
}
