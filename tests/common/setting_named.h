// The table row of a value the tests meet by the name the spooler stored it
// under; null for a name outside the table (compared exactly).
#pragma once

#include <string_view>

#include "settings/setting_table.h"

namespace zelt {

inline const SettingSpec* SettingNamed(std::wstring_view name) {
    for (const SettingSpec& spec : kSettings) {
        if (name == spec.name) return &spec;
    }
    return nullptr;
}

}  // namespace zelt
