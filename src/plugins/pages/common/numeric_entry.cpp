#include "numeric_entry.h"

namespace zelt {

std::optional<std::uint32_t> ParseNumericEntry(std::wstring_view text, std::uint32_t low, std::uint32_t high) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(ch - L'0');
        if (value > high) return std::nullopt;  // also stops long entries from overflowing
    }
    if (value < low) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

}  // namespace zelt
