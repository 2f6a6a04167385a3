// Compiled by the build's test, never linked: a page names its values through
// the table's enumeration, so a mistyped or made-up name fails to compile.
// ZELT_CASE picks the form: 0 the well-formed use, 1 a mistyped enumerator,
// 2 a value named by a string, 3 a bare number for the setting.
#include "settings/setting_store.h"

namespace zelt {

void UseSetting(PrinterData& printer) {
#if ZELT_CASE == 0
    WriteSetting(printer, Setting::RPO_PRINTQUALITY, LoadSetting(printer, Setting::RPO_PRINTQUALITY, 107));
#elif ZELT_CASE == 1
    WriteSetting(printer, Setting::RPO_PRINTQUALITYX, 1);
#elif ZELT_CASE == 2
    WriteSetting(printer, L"RPO_PRINTQUALITY", 1);
#elif ZELT_CASE == 3
    LoadSetting(printer, 61, 107);
#endif
}

}  // namespace zelt
