// Compiled by the build's test, never linked: a page names its values through
// the table's enumeration, so a mistyped or made-up name fails to compile.
// ZELT_CASE picks the form: 0 the well-formed uses, 1 a mistyped enumerator,
// 2 to 4 a value named by a string, 5 a bare number for the setting, 6 and 7
// a flag where the page's template or its paper types belong.
#include "settings/setting_store.h"

namespace zelt {

void UseSetting(PrinterData& printer) {
#if ZELT_CASE == 0
    const std::uint16_t page = 107;
    WriteSetting(printer, Setting::RPO_PRINTQUALITY, LoadSetting(printer, Setting::RPO_PRINTQUALITY, 107));
    WriteSetting(printer, Setting::RPO_PAPERTYPE, LoadSetting(printer, Setting::RPO_PAPERTYPE, page, PaperTypes::kFour));
    ReadSetting(printer, Setting::ETB_STATUS);
#elif ZELT_CASE == 1
    WriteSetting(printer, Setting::RPO_PRINTQUALITYX, 1);
#elif ZELT_CASE == 2
    WriteSetting(printer, L"RPO_PRINTQUALITY", 1);
#elif ZELT_CASE == 3
    ReadSetting(printer, L"RPO_PRINTQUALITY");
#elif ZELT_CASE == 4
    LoadSetting(printer, L"RPO_PRINTQUALITY", 107);
#elif ZELT_CASE == 5
    LoadSetting(printer, 61, 107);
#elif ZELT_CASE == 6
    LoadSetting(printer, Setting::RPO_PAPERTYPE, true);
#elif ZELT_CASE == 7
    const std::uint16_t page = 107;
    LoadSetting(printer, Setting::RPO_PAPERTYPE, true, page);
#endif
}

}  // namespace zelt
