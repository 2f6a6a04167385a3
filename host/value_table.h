// The printer's stored values as a table, and their removal for a fresh run.
#pragma once

#include <windows.h>

#include <string>

namespace zelt::host {

struct StoredValue {
    DWORD status = ERROR_FILE_NOT_FOUND;  // GetPrinterDataW's answer
    DWORD type = 0;
    DWORD size = 0;
    DWORD number = 0;  // the first 4 bytes, when there are 4 or more
};

StoredValue ReadStoredValue(HANDLE printer, const wchar_t* name);

// One line: name, then the number and "REG_DWORD/4", or "absent", or what
// else was found.
std::wstring FormatValueLine(const std::wstring& name, const StoredValue& value);

// Every value of the plug-in's table, in table order, with a heading.
std::wstring FormatValueTable(HANDLE printer, const std::wstring& printerName);

// Deletes every value of the table from the named printer; false with a
// message when one that exists cannot be deleted.
bool DeleteStoredValues(const std::wstring& printerName, std::wstring& error);

}  // namespace zelt::host
