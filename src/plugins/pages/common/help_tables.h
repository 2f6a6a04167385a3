// Context help: the help file by system language, each page's context id and
// its table of (control id, help id) pairs ended by (0, 0).
#pragma once

#include <cstdint>
#include <string_view>

namespace zelt {

// Every help id in the module: the template whose topic is meant, and the control.
constexpr std::uint32_t HelpId(std::uint16_t templateId, std::uint16_t controlId) {
    return 0x80000000u + templateId * 65536u + controlId;
}

enum class HelpTableId { kRaster, kRasterWithPeripheral, kLogo, kCopy, kZoom, kEtb, kSaveAs };

// The pairs (control id, help id, ..., 0, 0) as WinHelp's HELP_WM_HELP takes them.
const std::uint32_t* HelpTable(HelpTableId table);
// Pairs before the closing (0, 0).
int HelpTablePairCount(HelpTableId table);

// The file name part appended to the printer-driver directory.
std::wstring_view HelpFileSuffix(std::uint32_t systemDefaultLcid);

}  // namespace zelt
