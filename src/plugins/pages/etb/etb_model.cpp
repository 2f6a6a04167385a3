#include "etb_model.h"

#include "frame/page_plan.h"
#include "settings/setting_table.h"

namespace zelt {

std::uint32_t LoadEtbPage(PrinterData& printer) { return LoadSetting(printer, Setting::ETB_STATUS, kEtb); }

std::uint32_t EtbDefault() { return RepairDefault(Setting::ETB_STATUS, kEtb); }

void ApplyEtbPage(PrinterData& printer, bool disableChecked) {
    const std::uint32_t value = disableChecked ? 0 : 1;
    WriteSetting(printer, Setting::ETB_STATUS, value);
    WriteSetting(printer, Setting::GLOBAL_ETBSTATUS, value);
}

}  // namespace zelt
