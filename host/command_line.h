// The host's command line.
#pragma once

#include <string>
#include <vector>

namespace zelt::host {

struct HostOptions {
    std::wstring dllPath;      // empty: ZeltRasUI.dll beside the host
    std::wstring dataFile;     // the model's data file, relative to the driver folder
    std::wstring printerName;  // empty: derived from the data file
    // A second printer whose sheet opens at the same time; empty: none.
    std::wstring secondDataFile;
    std::wstring secondPrinterName;  // derived from its data file unless given
    std::wstring shotsFolder;  // empty: no screenshots
    std::wstring jobsFolder;   // empty: the default capture folder of the printer
    bool apply = false;        // close the walked sheet with OK instead of Cancel
    bool values = false;       // print the stored values after the sheet
    bool reset = false;        // delete the stored values before the sheet
    bool saveAsShot = false;   // with --shots: also capture the Save As dialog
    bool headless = false;     // walk the pages even when a display is there
    bool readOnly = false;     // tell the pages the user may not change the printer (DPS_NOPERMISSION)
    bool help = false;
};

constexpr const wchar_t* kDefaultDataFile = L"QWNB18_ZOOM.GPD";

// False with a message on an unknown option, a missing argument, a repeated
// model choice, a bad data-file or printer name, or a second printer without
// a model of its own or with the first one's name.
bool ParseHostOptions(const std::vector<std::wstring>& arguments, HostOptions& options, std::wstring& error);

std::wstring HostUsage();

}  // namespace zelt::host
