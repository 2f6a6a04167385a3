#include "etb_model.h"

#include "frame/page_plan.h"
#include "settings/setting_table.h"

namespace zelt {
namespace {

const SettingSpec& EtbStatus() { return *FindSetting(L"ETB_STATUS"); }

}  // namespace

std::uint32_t LoadEtbPage(PrinterData& printer) {
    const SettingSpec& spec = EtbStatus();
    const AcceptedRange range = AcceptedRangeOn(spec, false);
    return LoadSetting(printer, spec.name, range.high, range.low, RepairDefault(spec, kEtb));
}

std::uint32_t EtbDefault() { return RepairDefault(EtbStatus(), kEtb); }

void ApplyEtbPage(PrinterData& printer, bool disableChecked) {
    const std::uint32_t value = disableChecked ? 0 : 1;
    WriteSetting(printer, L"ETB_STATUS", value);
    WriteSetting(printer, L"GLOBAL_ETBSTATUS", value);
}

}  // namespace zelt
