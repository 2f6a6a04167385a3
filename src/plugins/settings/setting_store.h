// Reading, repairing and writing the printer's named 32-bit values.
#pragma once

#include <cstdint>
#include <optional>
#include <type_traits>

#include "setting_table.h"

namespace zelt {

constexpr std::uint32_t kRegDword = 4;

// The spooler's named data of one printer, with the semantics of
// GetPrinterDataW and SetPrinterDataW (results are Win32 error codes).
class PrinterData {
public:
    virtual ~PrinterData() = default;
    virtual std::uint32_t Get(const wchar_t* name, std::uint32_t* type, unsigned char* buffer, std::uint32_t size,
                              std::uint32_t* needed) = 0;
    virtual std::uint32_t Set(const wchar_t* name, std::uint32_t type, const unsigned char* data,
                              std::uint32_t size) = 0;
};

// The number a successful read delivered, or nothing. Only a 4-byte REG_DWORD
// counts: a shorter value would leave bytes of the buffer unread, and a value
// of another type is not what the rendering side reads, so both are missing.
std::optional<std::uint32_t> InterpretStoredValue(std::uint32_t status, std::uint32_t type,
                                                  std::uint32_t bytesNeeded, const unsigned char (&buffer)[4]);

// The stored number, or nothing when it is missing or unusable.
std::optional<std::uint32_t> ReadSetting(PrinterData& printer, Setting setting);

// Stores the number as a 4-byte REG_DWORD; the outcome is not examined.
void WriteSetting(PrinterData& printer, Setting setting, std::uint32_t value);

// The number a page of `templateId` shows: the stored one when it lies in the
// setting's accepted range (unsigned; `paperTypes` as AcceptedRangeOn),
// else the page's repair default, which is written back at once.
std::uint32_t LoadSetting(PrinterData& printer, Setting setting, std::uint16_t templateId,
                          PaperTypes paperTypes = PaperTypes::kThree);
// A paper-type flag where the page's template belongs would otherwise pass
// for template 0 or 1.
template <typename Flag, typename = std::enable_if_t<std::is_same_v<Flag, bool>>>
std::uint32_t LoadSetting(PrinterData& printer, Setting setting, Flag templateId) = delete;

}  // namespace zelt
