// Names the host derives from a model's data file: the model's short name,
// the driver and printer names, and screenshot file names.
#pragma once

#include <string>

namespace zelt::host {

// A relative path below the driver folder, ending in ".GPD" (any case), with
// no drive, no "." or ".." parts and no characters a file name cannot hold.
bool IsUsableDataFile(const std::wstring& dataFile, std::wstring& why);

// The spooler refuses backslashes and commas in printer names.
bool IsUsablePrinterName(const std::wstring& name, std::wstring& why);

// "QWNB18_ZOOM.GPD" -> "QWNB18_ZOOM"; "B18\PLAIN.GPD" -> "B18-PLAIN".
std::wstring ModelName(const std::wstring& dataFile);

std::wstring DefaultPrinterName(const std::wstring& dataFile);
std::wstring DriverName(const std::wstring& dataFile);

// "<model>-<lang>-<index>-<caption>.png". ASCII characters other than
// letters, digits, '-' and '_', and spaces and controls of any script, become
// '_'; other text (a Japanese caption) stays readable.
std::wstring ShotFileName(const std::wstring& model, const std::wstring& language, int index,
                          const std::wstring& caption);

}  // namespace zelt::host
