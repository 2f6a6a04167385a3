#include "command_line.h"

#include <cwchar>

#include "printer_names.h"

namespace zelt::host {

namespace {

// The spooler compares printer names without regard to case.
bool SamePrinterName(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

bool CheckSecondPrinter(HostOptions& options, std::wstring& error) {
    if (options.secondDataFile.empty()) {
        if (options.secondPrinterName.empty()) return true;
        error = L"--second-printer needs --second-model";
        return false;
    }
    std::wstring why;
    if (!IsUsableDataFile(options.secondDataFile, why)) {
        error = L"bad second data file '" + options.secondDataFile + L"': " + why;
        return false;
    }
    if (options.secondPrinterName.empty()) {
        options.secondPrinterName = DefaultPrinterName(options.secondDataFile);
        // Two printers of one model, as in a shop with several tills.
        if (SamePrinterName(options.secondPrinterName, options.printerName)) options.secondPrinterName += L" (2)";
    }
    if (!IsUsablePrinterName(options.secondPrinterName, why)) {
        error = L"bad second printer name '" + options.secondPrinterName + L"': " + why;
        return false;
    }
    if (SamePrinterName(options.secondPrinterName, options.printerName)) {
        error = L"the second printer needs a name of its own";
        return false;
    }
    return true;
}

}  // namespace

bool ParseHostOptions(const std::vector<std::wstring>& arguments, HostOptions& options, std::wstring& error) {
    options = HostOptions{};
    bool modelGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& option = arguments[i];
        bool* flag = option == L"--apply"      ? &options.apply
                     : option == L"--values"   ? &options.values
                     : option == L"--reset"    ? &options.reset
                     : option == L"--headless" ? &options.headless
                     : option == L"--save-as-shot" ? &options.saveAsShot
                     : option == L"--read-only" ? &options.readOnly
                     : option == L"--help"     ? &options.help
                                               : nullptr;
        if (flag) {
            *flag = true;
            continue;
        }
        std::wstring* target = option == L"--dll"         ? &options.dllPath
                               : option == L"--model"     ? &options.dataFile
                               : option == L"--data-file" ? &options.dataFile
                               : option == L"--printer"   ? &options.printerName
                               : option == L"--shots"     ? &options.shotsFolder
                               : option == L"--jobs"      ? &options.jobsFolder
                               : option == L"--second-model"   ? &options.secondDataFile
                               : option == L"--second-printer" ? &options.secondPrinterName
                                                          : nullptr;
        if (!target) {
            error = L"unknown option '" + option + L"'";
            return false;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            error = L"option " + option + L" needs a value";
            return false;
        }
        if (target == &options.dataFile) {
            if (modelGiven) {
                error = L"give the model only once (--model or --data-file)";
                return false;
            }
            modelGiven = true;
        }
        *target = arguments[++i];
    }
    if (!modelGiven) options.dataFile = kDefaultDataFile;
    std::wstring why;
    if (!IsUsableDataFile(options.dataFile, why)) {
        error = L"bad data file '" + options.dataFile + L"': " + why;
        return false;
    }
    if (options.printerName.empty()) options.printerName = DefaultPrinterName(options.dataFile);
    if (!IsUsablePrinterName(options.printerName, why)) {
        error = L"bad printer name '" + options.printerName + L"': " + why;
        return false;
    }
    return CheckSecondPrinter(options, error);
}

std::wstring HostUsage() {
    return L"usage: ZeltDriverHost [options]\n"
           L"  --dll PATH          plug-in to load (default: ZeltRasUI.dll beside this program)\n"
           L"  --model NAME.GPD    model data file (default: QWNB18_ZOOM.GPD)\n"
           L"  --data-file SUBPATH data file below the driver folder, e.g. B18\\PLAIN.GPD\n"
           L"  --printer NAME      printer name (default: Zelt Raster <model>)\n"
           L"  --shots DIR         capture every page as PNG into DIR, then close the sheet\n"
           L"  --jobs DIR          folder that receives each raw job as a numbered file\n"
           L"  --apply             close the sheet with OK instead of Cancel\n"
           L"  --values            print the printer's stored values after the sheet\n"
           L"  --reset             delete the printer's stored values before the sheet\n"
           L"  --headless          walk the pages without waiting for a user\n"
           L"  --read-only         open the sheet for a user without the right to change the\n"
           L"                      printer (the pages show their settings and save none)\n"
           L"  --save-as-shot      with --shots: also capture the Save As dialog (makes a\n"
           L"                      current journal for it when the printer has none)\n"
           L"  --second-model NAME.GPD\n"
           L"                      also open a second printer's sheet at the same time, each\n"
           L"                      on its own thread, side by side; with --shots its pages\n"
           L"                      too, and both sheets on Copy Options in one picture\n"
           L"  --second-printer NAME\n"
           L"                      the second printer's name (default: Zelt Raster <model>,\n"
           L"                      with \" (2)\" added when the first printer has that name)\n"
           L"Folders may be Windows paths or Unix paths (under Wine).\n";
}

}  // namespace zelt::host
