#include "value_table.h"

#include <vector>

#include "host_error.h"
#include "settings/setting_table.h"

namespace zelt::host {
namespace {

std::wstring TypeName(DWORD type) {
    switch (type) {
        case REG_DWORD: return L"REG_DWORD";
        case REG_SZ: return L"REG_SZ";
        case REG_BINARY: return L"REG_BINARY";
        case REG_EXPAND_SZ: return L"REG_EXPAND_SZ";
        case REG_MULTI_SZ: return L"REG_MULTI_SZ";
        default: return L"type " + std::to_wstring(type);
    }
}

}  // namespace

StoredValue ReadStoredValue(HANDLE printer, const wchar_t* name) {
    StoredValue value;
    DWORD number = 0;
    value.status = GetPrinterDataW(printer, const_cast<wchar_t*>(name), &value.type, reinterpret_cast<BYTE*>(&number),
                                   sizeof number, &value.size);
    if (value.status == ERROR_MORE_DATA && value.size > sizeof number) {
        // Longer than a number: read it whole to show its first four bytes.
        std::vector<BYTE> whole(value.size);
        DWORD size = 0;
        value.status = GetPrinterDataW(printer, const_cast<wchar_t*>(name), &value.type, whole.data(),
                                       static_cast<DWORD>(whole.size()), &size);
        if (value.status == ERROR_SUCCESS) memcpy(&number, whole.data(), sizeof number);
    }
    value.number = number;
    return value;
}

std::wstring FormatValueLine(const std::wstring& name, const StoredValue& value) {
    std::wstring line = name;
    line.resize(std::max<std::size_t>(line.size() + 1, 34), L' ');
    if (value.status == ERROR_FILE_NOT_FOUND) return line + L"absent";
    if (value.status != ERROR_SUCCESS) return line + Win32Failure(L"reading", value.status);
    if (value.size >= 4) line += std::to_wstring(value.number);
    else line += L"-";
    return line + L"  " + TypeName(value.type) + L"/" + std::to_wstring(value.size);
}

std::wstring FormatValueTable(HANDLE printer, const std::wstring& printerName) {
    std::wstring table = L"Stored values of printer '" + printerName + L"':\n";
    for (const auto& setting : zelt::kSettings) {
        table += FormatValueLine(setting.name, ReadStoredValue(printer, setting.name)) + L"\n";
    }
    return table;
}

// Wine 8's winspool has no DeletePrinterDataW (a call aborts the process), so
// the values are removed from the registry key where its spooler keeps them.
bool DeleteStoredValues(const std::wstring& printerName, std::wstring& error) {
    const std::wstring keyPath =
        L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + printerName + L"\\PrinterDriverData";
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;  // nothing stored yet
    if (opened != ERROR_SUCCESS) {
        error = Win32Failure(L"opening the stored values of " + printerName, static_cast<DWORD>(opened));
        return false;
    }
    bool ok = true;
    for (const auto& setting : zelt::kSettings) {
        const LONG status = RegDeleteValueW(key, setting.name);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
            error = Win32Failure(std::wstring(L"deleting printer value ") + setting.name, static_cast<DWORD>(status));
            ok = false;
            break;
        }
    }
    RegCloseKey(key);
    return ok;
}

}  // namespace zelt::host
