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

std::optional<std::uint32_t> ReadSetting(PrinterData& printer, Setting setting) {
    unsigned char buffer[4] = {};
    std::uint32_t type = 0;
    std::uint32_t needed = 0;
    const std::uint32_t status = printer.Get(RowOf(setting).name, &type, buffer, sizeof buffer, &needed);
    return InterpretStoredValue(status, type, needed, buffer);
}

void WriteSetting(PrinterData& printer, Setting setting, std::uint32_t value) {
    unsigned char bytes[4];
    std::memcpy(bytes, &value, sizeof bytes);
    printer.Set(RowOf(setting).name, kRegDword, bytes, sizeof bytes);
}

std::uint32_t LoadSetting(PrinterData& printer, Setting setting, std::uint16_t templateId, PaperTypes paperTypes) {
    const AcceptedRange range = AcceptedRangeOn(setting, paperTypes);
    const std::optional<std::uint32_t> stored = ReadSetting(printer, setting);
    if (stored && *stored >= range.low && *stored <= range.high) return *stored;
    const std::uint32_t repairDefault = RepairDefault(setting, templateId);
    WriteSetting(printer, setting, repairDefault);
    return repairDefault;
}

}  // namespace zelt
