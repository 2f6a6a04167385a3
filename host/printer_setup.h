// The simulated printer in the Wine prefix: an (empty) universal driver with
// the model's data file, and a printer whose port stores every raw job as a
// new numbered file in a capture folder.
#pragma once

#include <string>
#include <vector>

namespace zelt::host {

struct PrinterRequest {
    std::wstring dataFile;     // relative to the driver folder, e.g. "B18\PLAIN.GPD"
    std::wstring printerName;
    std::wstring jobsFolder;   // Windows path; empty: C:\zelt\jobs\<model>
    std::wstring helpFolder;   // Windows folder of the .chm help files to install; empty: none
};

struct SimulatedPrinter {
    std::wstring printerName;
    std::wstring driverName;
    std::wstring reportedDataFile;  // what GetPrinterDriverW says for the printer
    std::wstring jobsFolder;        // Windows path
    std::wstring portName;
    std::vector<std::wstring> helpFiles;  // the help files installed, full Windows paths
};

// The HTML Help files the plug-in looks for in the driver folder's "3".
extern const wchar_t* const kHelpFileNames[2];

// Makes the driver and the printer, or reuses them when present (the port is
// pointed at the requested capture folder), and copies the help files found
// in the request's help folder into the driver folder's "3", where the
// plug-in looks for them (a help file missing there is passed over). False
// with a message on failure.
bool EnsurePrinter(const PrinterRequest& request, SimulatedPrinter& printer, std::wstring& error);

// "|/bin/sh '<script>' '<folder>'", quoted for the shell the spooler runs it in.
std::wstring CapturePortName(const std::wstring& unixScript, const std::wstring& unixFolder);

}  // namespace zelt::host
