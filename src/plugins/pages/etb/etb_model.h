// The ETB page as settings: one stored value, 0 (Disable) or 1 (Enable).
#pragma once

#include <cstdint>

#include "settings/setting_store.h"

namespace zelt {

// ETB_STATUS loaded with repair: 0 shows Disable, 1 Enable.
std::uint32_t LoadEtbPage(PrinterData& printer);
// What the defaults button shows.
std::uint32_t EtbDefault();

// The value is taken from the Disable button alone, so with neither button
// checked the command is sent (1). Writes ETB_STATUS, then GLOBAL_ETBSTATUS.
void ApplyEtbPage(PrinterData& printer, bool disableChecked);

}  // namespace zelt
