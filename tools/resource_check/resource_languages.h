// English and Japanese must carry the same dialog templates, controls and
// strings: a user who switches the system language must meet the same pages.
#pragma once

#include <cstdint>
#include <istream>
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

// The names the resource header gives the ids ("#define IDC_NAME 1060"):
// templates (IDD_), controls (IDC_) and strings (IDS_). A control id may
// have several names, one per page.
struct ResourceNames {
    std::map<std::int64_t, std::vector<std::string>> dialogs, controls, strings;
};
ResourceNames ReadResourceNames(std::istream& header);

// What one language has and the other lacks, one line each: the language
// that lacks it, the kind (dialog, control, string), the id with its names
// and the text it has in the other language. Controls of a template are
// matched by id, so a template may hold several controls with the id -1.
std::vector<std::string> LanguageDifferences(const LanguageResources& english, const LanguageResources& japanese,
                                             const ResourceNames& names);

// The differences of a loaded module, after the resources that cannot be
// read or are in neither language.
std::vector<std::string> LanguageFaults(const ModuleResources& module, const ResourceNames& names);

}  // namespace zelt::resources
