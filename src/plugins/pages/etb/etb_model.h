// The ETB page as settings: one stored value, 0 (Disable) or 1 (Enable).
#pragma once

#include <array>
#include <cstdint>

#include "resources/resource.h"
#include "settings/setting_store.h"

namespace zelt {

enum EtbControlId : int {
    kEtbDisableButton = IDC_ETB_DISABLE,
    kEtbEnableButton = IDC_ETB_ENABLE,
    kEtbDefaultsButton = IDC_ETB_DEFAULTS,
};

// The controls that change the setting, and the defaults button: what a
// read-only page disables.
constexpr std::array<int, 3> kEtbSettingControls = {kEtbDisableButton, kEtbEnableButton, kEtbDefaultsButton};

// ETB_STATUS loaded with repair: 0 shows Disable, 1 Enable.
std::uint32_t LoadEtbPage(PrinterData& printer);
// What the defaults button shows.
std::uint32_t EtbDefault();

// The value is taken from the Disable button alone, so with neither button
// checked the command is sent (1). Writes ETB_STATUS, then GLOBAL_ETBSTATUS.
void ApplyEtbPage(PrinterData& printer, bool disableChecked);

}  // namespace zelt
