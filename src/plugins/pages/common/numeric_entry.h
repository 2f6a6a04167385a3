// Reading a number typed into an edit field that an up-down control is bound to.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelt {

// The number the text holds when it is all digits and lies in low..high;
// nothing for an empty, non-numeric or out-of-range entry.
std::optional<std::uint32_t> ParseNumericEntry(std::wstring_view text, std::uint32_t low, std::uint32_t high);

}  // namespace zelt
