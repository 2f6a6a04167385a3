// ZeltDriverHost: does with the plug-in what the printer driver's user
// interface does, on a simulated printer in the Wine prefix.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "command_line.h"
#include "page_walk.h"
#include "plugin_session.h"
#include "printer_names.h"
#include "printer_setup.h"
#include "property_sheet.h"
#include "settings/printer_access.h"
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

// A simulated printer with the plug-in loaded on it, as the driver holds it.
struct HostedPrinter {
    SimulatedPrinter printer;
    PluginSession session;
};

bool SetUpPrinter(const HostOptions& options, const std::wstring& dataFile, const std::wstring& printerName,
                  HostedPrinter& hosted, std::wstring& error) {
    // The .chm help files lie beside the host (and the plug-in) in the build.
    const std::wstring pluginBeside = DefaultPluginPath();
    const std::size_t slash = pluginBeside.find_last_of(L'\\');
    const std::wstring helpFolder = slash == std::wstring::npos ? std::wstring(L".") : pluginBeside.substr(0, slash);
    if (!EnsurePrinter({dataFile, printerName, options.jobsFolder, helpFolder}, hosted.printer, error)) {
        error = L"printer set-up: " + error;
        return false;
    }
    const SimulatedPrinter& printer = hosted.printer;
    Write(stdout, L"Printer:   " + printer.printerName + L"\nData file: " + printer.reportedDataFile +
                      L"\nRaw jobs:  " + printer.jobsFolder + L"\n");
    for (const std::wstring& help : printer.helpFiles) Write(stdout, L"Help file: " + help + L"\n");
    if (printer.helpFiles.empty()) Write(stdout, L"Help file: none (no .chm beside the host)\n");

    PluginSession& session = hosted.session;
    const std::wstring dllPath = options.dllPath.empty() ? DefaultPluginPath() : options.dllPath;
    if (!session.Load(dllPath, error) || !session.AttachPrinter(printer.printerName, error)) return false;
    if (options.readOnly) session.sheetParams()->dwFlags |= zelt::kNoPermissionFlag;
    wchar_t signature[16];
    wsprintfW(signature, L"%08lX", session.signature());
    Write(stdout, L"Plug-in:   " + dllPath + L" (signature 0x" + signature + L", version " +
                      std::to_wstring(session.version()) + L", private devmode " +
                      std::to_wstring(session.privateDevmodeSize()) + L" bytes)\n");
    return !options.reset || DeleteStoredValues(printer.printerName, error);
}

void ReportPages(const std::wstring& heading, const std::vector<PageSeen>& pages) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
        Write(stdout, heading + L"Page " + std::to_wstring(i + 1) + L": " + pages[i].caption +
                          (pages[i].shotPath.empty() ? L"" : L" -> " + pages[i].shotPath) + L"\n");
    }
}

// Both printers' sheets open at once, each on its own thread, side by side:
// left to the user, or walked (and captured) and closed.
bool RunTwoSheets(const HostOptions& options, bool interactive, HostedPrinter& first, HostedPrinter& second,
                  std::wstring& error) {
    SheetSession left(first.session.plugin(), first.session.sheetParams());
    SheetSession right(second.session.plugin(), second.session.sheetParams());
    if (!left.Open(error) || !right.Open(error)) return false;
    PlaceBeside(left.window(), right.window());
    if (interactive) return right.WaitClosed(error, INFINITE) && left.WaitClosed(error, INFINITE);

    const std::wstring model = ModelName(options.dataFile);
    std::wstring secondModel = ModelName(options.secondDataFile);
    if (secondModel == model) secondModel += L"-2";  // two printers of one model
    const WalkRequest walks[] = {
        {options.shotsFolder, model, UiLanguageTag(), options.apply, options.saveAsShot, first.printer.printerName},
        {options.shotsFolder, secondModel, UiLanguageTag(), options.apply, options.saveAsShot,
         second.printer.printerName},
    };
    SheetSession* sheets[] = {&left, &right};
    for (int i = 0; i < 2; ++i) {
        std::vector<PageSeen> pages;
        if (!VisitPages(*sheets[i], walks[i], pages, error)) return false;
        ReportPages(walks[i].printerName + L", ", pages);
    }
    if (!options.shotsFolder.empty()) {
        const std::wstring path = options.shotsFolder + L"\\" +
                                  ShotFileName(model + L"-and-" + secondModel, UiLanguageTag(), 0, L"Copy Options");
        if (!CaptureOnCopyOptions(left, right, path, error)) return false;
        Write(stdout, L"Both sheets on Copy Options -> " + path + L"\n");
    }
    if (!CloseSheet(right, options.apply, error) || !CloseSheet(left, options.apply, error)) return false;
    Write(stdout, std::wstring(L"Both sheets closed with ") + (options.apply ? L"OK" : L"Cancel") + L"\n");
    return true;
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

    HostedPrinter first;
    if (!SetUpPrinter(options, options.dataFile, options.printerName, first, error)) return Fail(error);
    std::unique_ptr<HostedPrinter> second;
    if (!options.secondDataFile.empty()) {
        second = std::make_unique<HostedPrinter>();
        if (!SetUpPrinter(options, options.secondDataFile, options.secondPrinterName, *second, error)) {
            return Fail(error);
        }
    }

    const bool interactive = HasDisplay() && options.shotsFolder.empty() && !options.headless;
    if (second) {
        if (!RunTwoSheets(options, interactive, first, *second, error)) return Fail(error);
    } else if (interactive) {
        SheetRun run;
        if (!RunPropertySheet(first.session.plugin(), first.session.sheetParams(), run, error)) return Fail(error);
    } else {
        SheetSession sheet(first.session.plugin(), first.session.sheetParams());
        std::vector<PageSeen> pages;
        const WalkRequest walk{options.shotsFolder, ModelName(options.dataFile), UiLanguageTag(), options.apply,
                               options.saveAsShot, first.printer.printerName};
        if (!sheet.Open(error) || !WalkPages(sheet, walk, pages, error)) return Fail(error);
        ReportPages(L"", pages);
        Write(stdout, std::wstring(L"Sheet closed with ") + (options.apply ? L"OK" : L"Cancel") + L"\n");
    }

    for (HostedPrinter* hosted : {&first, second.get()}) {
        if (hosted == nullptr) continue;
        if (options.values) Write(stdout, FormatValueTable(hosted->session.printer(), hosted->printer.printerName));
        if (hosted->session.ReleasePlugin() != 0) {
            return Fail(L"the plug-in object is still referenced after its last release");
        }
    }
    return 0;
}
