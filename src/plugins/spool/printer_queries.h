// What the pages ask the spooler about their printer: its name and the
// path of its driver's data file.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstddef>

namespace zelt {

// Clears all `capacity` characters of `name`, then copies in the printer's
// name from its level-4 information. A name that does not fit (with its
// terminator) is refused: `name` stays empty, as when the spooler cannot
// report one.
void GetPrinterName(HANDLE printer, wchar_t* name, std::size_t capacity);

// The driver's level-4 information, read when made and freed when destroyed.
class DriverDataFile {
public:
    explicit DriverDataFile(HANDLE printer);
    DriverDataFile(const DriverDataFile&) = delete;
    DriverDataFile& operator=(const DriverDataFile&) = delete;
    ~DriverDataFile();

    // The full pDataFile path; null when the spooler could not report it.
    const wchar_t* path() const;

private:
    DRIVER_INFO_4W* info_ = nullptr;
};

}  // namespace zelt
