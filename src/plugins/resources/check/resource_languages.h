// English and Japanese must carry the same dialog templates, controls and
// strings: a user who switches the system language must meet the same pages.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "module_resources.h"

namespace zelt::resources {

// One language's templates by id and strings by id.
struct LanguageResources {
    std::map<std::uint32_t, Dialog> dialogs;
    std::map<std::uint32_t, std::u16string> strings;
};

// What one language has and the other lacks, one line each: the language
// that lacks it, the kind (dialog, control, string), the id and the text it
// has in the other language. Controls of a template are matched by id, so a
// template may hold several controls with the id -1.
std::vector<std::string> LanguageDifferences(const LanguageResources& english, const LanguageResources& japanese);

// The differences of a loaded module, after the resources that cannot be
// read or are in neither language.
std::vector<std::string> LanguageFaults(const ModuleResources& module);

}  // namespace zelt::resources
