// ZeltDriverHost: does with the plug-in what the printer driver's user
// interface does, on a simulated printer in the Wine prefix.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "page_walk.h"
#include "pages/common/printer_access.h"
#include "plugin_session.h"
#include "printer_names.h"
#include "printer_setup.h"
#include "property_sheet.h"
#include "sheet_session.h"
#include "value_table.h"
#include "wine_paths.h"

using namespace zelt::host;

namespace {

void Write(FILE* stream, const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string utf8(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), length, nullptr,
                        nullptr);
    fwrite(utf8.data(), 1, utf8.size(), stream);
    fflush(stream);
}

int Fail(const std::wstring& message) {
    Write(stderr, L"ZeltDriverHost: " + message + L"\n");
    return 1;
}

bool HasDisplay() {
    wchar_t display[8];
    return GetEnvironmentVariableW(L"DISPLAY", display, 8) > 0;
}

bool ResolveFolder(const wchar_t* option, std::wstring& folder, std::wstring& error) {
    if (folder.empty()) return true;
    const std::wstring resolved = WindowsFolderOf(folder);
    if (resolved.empty()) {
        error = std::wstring(L"cannot use '") + folder + L"' given to " + option + L" as a folder";
        return false;
    }
    folder = resolved;
    return MakeFolders(folder, error);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    HostOptions options;
    std::wstring error;
    if (!ParseHostOptions(std::vector<std::wstring>(argv + 1, argv + argc), options, error)) {
        Write(stderr, L"ZeltDriverHost: " + error + L"\n" + HostUsage());
        return 2;
    }
    if (options.help) {
        Write(stdout, HostUsage());
        return 0;
    }
    if (!ResolveFolder(L"--shots", options.shotsFolder, error) || !ResolveFolder(L"--jobs", options.jobsFolder, error)) {
        return Fail(error);
    }

    SimulatedPrinter printer;
    if (!EnsurePrinter({options.dataFile, options.printerName, options.jobsFolder}, printer, error)) {
        return Fail(L"printer set-up: " + error);
    }
    Write(stdout, L"Printer:   " + printer.printerName + L"\nData file: " + printer.reportedDataFile +
                      L"\nRaw jobs:  " + printer.jobsFolder + L"\n");

    PluginSession session;
    const std::wstring dllPath = options.dllPath.empty() ? DefaultPluginPath() : options.dllPath;
    if (!session.Load(dllPath, error) || !session.AttachPrinter(printer.printerName, error)) {
        return Fail(error);
    }
    Write(stdout, L"Plug-in:   " + dllPath + L" (signature 0x" + [&] {
        wchar_t hex[16];
        wsprintfW(hex, L"%08lX", session.signature());
        return std::wstring(hex);
    }() + L", version " + std::to_wstring(session.version()) + L", private devmode " +
                      std::to_wstring(session.privateDevmodeSize()) + L" bytes)\n");

    if (options.reset && !DeleteStoredValues(printer.printerName, error)) return Fail(error);
    if (options.readOnly) session.sheetParams()->dwFlags |= zelt::kNoPermissionFlag;

    const bool interactive = HasDisplay() && options.shotsFolder.empty() && !options.headless;
    if (interactive) {
        SheetRun run;
        if (!RunPropertySheet(session.plugin(), session.sheetParams(), run, error)) return Fail(error);
    } else {
        SheetSession sheet(session.plugin(), session.sheetParams());
        std::vector<PageSeen> pages;
        const WalkRequest walk{options.shotsFolder, ModelName(options.dataFile), UiLanguageTag(), options.apply,
                               options.saveAsShot, printer.printerName};
        if (!sheet.Open(error) || !WalkPages(sheet, walk, pages, error)) return Fail(error);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            Write(stdout, L"Page " + std::to_wstring(i + 1) + L": " + pages[i].caption +
                              (pages[i].shotPath.empty() ? L"" : L" -> " + pages[i].shotPath) + L"\n");
        }
        Write(stdout, std::wstring(L"Sheet closed with ") + (options.apply ? L"OK" : L"Cancel") + L"\n");
    }

    if (options.values) Write(stdout, FormatValueTable(session.printer(), printer.printerName));
    if (session.ReleasePlugin() != 0) return Fail(L"the plug-in object is still referenced after its last release");
    return 0;
}
