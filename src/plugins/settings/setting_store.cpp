#include "setting_store.h"

#include <cstring>

namespace zelt {

std::optional<std::uint32_t> InterpretStoredValue(std::uint32_t status, std::uint32_t type,
                                                  std::uint32_t bytesNeeded, const unsigned char (&buffer)[4]) {
    if (status != 0 || type != kRegDword || bytesNeeded != sizeof(std::uint32_t)) return std::nullopt;
    std::uint32_t value;
    std::memcpy(&value, buffer, sizeof value);
    return value;
}

std::optional<std::uint32_t> ReadSetting(PrinterData& printer, const wchar_t* name) {
    unsigned char buffer[4] = {};
    std::uint32_t type = 0;
    std::uint32_t needed = 0;
    const std::uint32_t status = printer.Get(name, &type, buffer, sizeof buffer, &needed);
    return InterpretStoredValue(status, type, needed, buffer);
}

void WriteSetting(PrinterData& printer, const wchar_t* name, std::uint32_t value) {
    unsigned char bytes[4];
    std::memcpy(bytes, &value, sizeof bytes);
    printer.Set(name, kRegDword, bytes, sizeof bytes);
}

std::uint32_t LoadSetting(PrinterData& printer, const wchar_t* name, std::uint32_t high, std::uint32_t low,
                          std::uint32_t repairDefault) {
    const std::optional<std::uint32_t> stored = ReadSetting(printer, name);
    if (stored && *stored >= low && *stored <= high) return *stored;
    WriteSetting(printer, name, repairDefault);
    return repairDefault;
}

}  // namespace zelt
