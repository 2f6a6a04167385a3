#include "printer_setup.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "host_error.h"
#include "printer_names.h"
#include "wine_paths.h"

namespace zelt::host {
namespace {

constexpr const wchar_t* kHostFolder = L"C:\\zelt";
// Drivers are installed for the environment of the running program.
constexpr const wchar_t* kDriverKey =
#if defined(_WIN64)
    L"System\\CurrentControlSet\\Control\\Print\\Environments\\Windows x64\\Drivers\\Version-3\\";
#else
    L"System\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\Version-3\\";
#endif

// Stores standard input (one raw job) as the next free job-NNN.prn in $1.
constexpr const char kCaptureScript[] =
    "#!/bin/sh\n"
    "# Port command of the Zelt driver host: keeps each raw job as a numbered file.\n"
    "dir=$1\n"
    "mkdir -p \"$dir\" || exit 1\n"
    "# The next free number, found with shell built-ins only: a process per\n"
    "# file already kept would slow every job as the folder fills.\n"
    "n=1\n"
    "while :; do\n"
    "  case $n in ?) name=job-00$n.prn ;; ??) name=job-0$n.prn ;; *) name=job-$n.prn ;; esac\n"
    "  [ -e \"$dir/$name\" ] || break\n"
    "  n=$((n+1))\n"
    "done\n"
    "cat > \"$dir/$name\"\n";

std::wstring ShellQuoted(const std::wstring& text) {
    std::wstring quoted = L"'";
    for (wchar_t c : text) quoted += c == L'\'' ? std::wstring(L"'\\''") : std::wstring(1, c);
    return quoted + L"'";
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

bool WriteWholeFile(const std::wstring& path, const char* bytes, DWORD size, std::wstring& error) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = Win32Failure(L"creating " + path);
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    const DWORD code = GetLastError();
    CloseHandle(file);
    if (!ok) error = Win32Failure(L"writing " + path, code ? code : ERROR_WRITE_FAULT);
    return ok;
}

// Empty stand-ins for the driver's files: the spooler only copies them.
bool PlaceEmptyFile(const std::wstring& path, std::wstring& error) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    return MakeFolders(FolderOf(path), error) && WriteWholeFile(path, "", 0, error);
}

bool DriverFolder(std::wstring& folder, std::wstring& error) {
    wchar_t buffer[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(buffer), sizeof buffer, &needed)) {
        error = Win32Failure(L"GetPrinterDriverDirectoryW");
        return false;
    }
    folder = buffer;
    return true;
}

bool AddDriver(const std::wstring& driverFolder, const std::wstring& dataFile, const std::wstring& driverName,
               std::wstring& error) {
    const std::wstring driverPath = driverFolder + L"\\UNIDRV.DLL";
    const std::wstring configPath = driverFolder + L"\\UNIDRVUI.DLL";
    const std::wstring dataPath = driverFolder + L"\\" + dataFile;
    if (!PlaceEmptyFile(driverPath, error) || !PlaceEmptyFile(configPath, error) || !PlaceEmptyFile(dataPath, error)) {
        return false;
    }
    DRIVER_INFO_3W info = {};
    info.cVersion = 3;
    info.pName = const_cast<wchar_t*>(driverName.c_str());
    info.pDriverPath = const_cast<wchar_t*>(driverPath.c_str());
    info.pConfigFile = const_cast<wchar_t*>(configPath.c_str());
    info.pDataFile = const_cast<wchar_t*>(dataPath.c_str());
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&info)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        error = Win32Failure(L"AddPrinterDriverW for " + driverName);
        return false;
    }
    return true;
}

// Wine's AddPrinterDriverW copies the data file into the version folder
// without its subfolder, but reports the driver's "Data File" value relative
// to that folder. Writing the subpath there (and placing the file to match)
// gives a driver whose data file lies in a subfolder, as installed drivers may.
bool KeepDataFileSubfolder(const std::wstring& driverFolder, const std::wstring& dataFile,
                           const std::wstring& driverName, std::wstring& error) {
    if (dataFile.find(L'\\') == std::wstring::npos) return true;
    if (!PlaceEmptyFile(driverFolder + L"\\3\\" + dataFile, error)) return false;
    HKEY key = nullptr;
    const std::wstring keyPath = kDriverKey + driverName;
    LONG status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_SET_VALUE, &key);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExW(key, L"Data File", 0, REG_SZ, reinterpret_cast<const BYTE*>(dataFile.c_str()),
                                static_cast<DWORD>((dataFile.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    if (status != ERROR_SUCCESS) {
        error = Win32Failure(L"setting the data file of driver " + driverName + L" in the registry",
                             static_cast<DWORD>(status));
        return false;
    }
    return true;
}

// Copies each help file of `fromFolder` into the driver folder's "3".
bool InstallHelpFiles(const std::wstring& driverFolder, const std::wstring& fromFolder,
                      std::vector<std::wstring>& installed, std::wstring& error) {
    installed.clear();
    if (fromFolder.empty()) return true;
    const std::wstring target = driverFolder + L"\\3";
    if (!MakeFolders(target, error)) return false;
    for (const wchar_t* name : kHelpFileNames) {
        const std::wstring source = fromFolder + L"\\" + name;
        if (GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        const std::wstring copy = target + L"\\" + name;
        if (!CopyFileW(source.c_str(), copy.c_str(), FALSE)) {
            error = Win32Failure(L"copying " + source + L" to " + copy);
            return false;
        }
        installed.push_back(copy);
    }
    return true;
}

bool WriteCaptureScript(std::wstring& unixScript, std::wstring& error) {
    const std::wstring script = std::wstring(kHostFolder) + L"\\capture-job.sh";
    if (!MakeFolders(kHostFolder, error) ||
        !WriteWholeFile(script, kCaptureScript, sizeof kCaptureScript - 1, error)) {
        return false;
    }
    unixScript = UnixPathOf(script);
    if (unixScript.empty()) {
        error = L"cannot find the Unix path of " + script + L" (the host must run under Wine)";
        return false;
    }
    return true;
}

// The two-call pattern of the spooler's queries: learn the size, then fill.
bool QueryPrinter(HANDLE printer, std::vector<BYTE>& buffer) {
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    if (needed < sizeof(PRINTER_INFO_2W)) return false;
    buffer.assign(needed, 0);
    return GetPrinterW(printer, 2, buffer.data(), needed, &needed);
}

bool QueryDriver(HANDLE printer, std::vector<BYTE>& buffer) {
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 4, nullptr, 0, &needed);
    if (needed < sizeof(DRIVER_INFO_4W)) return false;
    buffer.assign(needed, 0);
    return GetPrinterDriverW(printer, nullptr, 4, buffer.data(), needed, &needed);
}

bool UseExistingPrinter(HANDLE printer, const std::wstring& driverName, const std::wstring& portName,
                        const std::wstring& printerName, std::wstring& error) {
    std::vector<BYTE> buffer;
    if (!QueryPrinter(printer, buffer)) {
        error = Win32Failure(L"GetPrinterW for " + printerName);
        return false;
    }
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    if (!info->pDriverName || driverName != info->pDriverName) {
        error = L"printer '" + printerName + L"' already exists with driver '" +
                (info->pDriverName ? info->pDriverName : L"") + L"', not '" + driverName +
                L"'; choose another name with --printer";
        return false;
    }
    if (info->pPortName && portName == info->pPortName) return true;
    info->pPortName = const_cast<wchar_t*>(portName.c_str());
    info->pSecurityDescriptor = nullptr;
    if (!SetPrinterW(printer, 2, buffer.data(), 0)) {
        error = Win32Failure(L"SetPrinterW (port) for " + printerName);
        return false;
    }
    return true;
}

}  // namespace

const wchar_t* const kHelpFileNames[2] = {L"qrv_ras_help_HJW.chm", L"qrv_ras_help_J_HJW.chm"};

std::wstring CapturePortName(const std::wstring& unixScript, const std::wstring& unixFolder) {
    return L"|/bin/sh " + ShellQuoted(unixScript) + L" " + ShellQuoted(unixFolder);
}

bool EnsurePrinter(const PrinterRequest& request, SimulatedPrinter& printer, std::wstring& error) {
    std::wstring why;
    if (!IsUsableDataFile(request.dataFile, why)) {
        error = L"bad data file '" + request.dataFile + L"': " + why;
        return false;
    }
    if (!IsUsablePrinterName(request.printerName, why)) {
        error = L"bad printer name '" + request.printerName + L"': " + why;
        return false;
    }
    printer = SimulatedPrinter{};
    printer.printerName = request.printerName;
    printer.driverName = DriverName(request.dataFile);
    printer.jobsFolder = request.jobsFolder.empty()
                             ? std::wstring(kHostFolder) + L"\\jobs\\" + ModelName(request.dataFile)
                             : request.jobsFolder;

    std::wstring driverFolder, unixScript;
    if (!DriverFolder(driverFolder, error) ||
        !AddDriver(driverFolder, request.dataFile, printer.driverName, error) ||
        !KeepDataFileSubfolder(driverFolder, request.dataFile, printer.driverName, error) ||
        !InstallHelpFiles(driverFolder, request.helpFolder, printer.helpFiles, error) ||
        !MakeFolders(printer.jobsFolder, error) || !WriteCaptureScript(unixScript, error)) {
        return false;
    }
    const std::wstring unixJobs = UnixPathOf(printer.jobsFolder);
    if (unixJobs.empty()) {
        error = L"cannot find the Unix path of " + printer.jobsFolder;
        return false;
    }
    printer.portName = CapturePortName(unixScript, unixJobs);

    HANDLE handle = nullptr;
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(const_cast<wchar_t*>(printer.printerName.c_str()), &handle, &access)) {
        const bool ok =
            UseExistingPrinter(handle, printer.driverName, printer.portName, printer.printerName, error);
        ClosePrinter(handle);
        if (!ok) return false;
    } else {
        PRINTER_INFO_2W info = {};
        info.pPrinterName = const_cast<wchar_t*>(printer.printerName.c_str());
        info.pDriverName = const_cast<wchar_t*>(printer.driverName.c_str());
        info.pPortName = const_cast<wchar_t*>(printer.portName.c_str());
        info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
        info.pDatatype = const_cast<wchar_t*>(L"RAW");
        handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        if (!handle) {
            error = Win32Failure(L"AddPrinterW for " + printer.printerName);
            return false;
        }
        ClosePrinter(handle);
    }

    // Read back what the plug-in will see, so a wrong set-up shows here.
    if (!OpenPrinterW(const_cast<wchar_t*>(printer.printerName.c_str()), &handle, nullptr)) {
        error = Win32Failure(L"OpenPrinterW for " + printer.printerName);
        return false;
    }
    std::vector<BYTE> buffer;
    const bool known = QueryDriver(handle, buffer);
    const DWORD code = GetLastError();
    ClosePrinter(handle);
    if (!known) {
        error = Win32Failure(L"GetPrinterDriverW for " + printer.printerName, code);
        return false;
    }
    const auto* driver = reinterpret_cast<const DRIVER_INFO_4W*>(buffer.data());
    printer.reportedDataFile = driver->pDataFile ? driver->pDataFile : L"";
    const std::wstring expectedEnd = L"\\" + request.dataFile;
    const std::wstring& reported = printer.reportedDataFile;
    if (reported.size() < expectedEnd.size() ||
        CompareStringOrdinal(reported.c_str() + reported.size() - expectedEnd.size(), -1, expectedEnd.c_str(), -1,
                             TRUE) != CSTR_EQUAL) {
        error = L"the spooler reports data file '" + reported + L"' for " + printer.printerName +
                L", which does not end in '" + expectedEnd + L"'";
        return false;
    }
    return true;
}

}  // namespace zelt::host
