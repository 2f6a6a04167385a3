#include "resource_languages.h"

#include <cstdlib>
#include <sstream>
#include <utility>

namespace zelt::resources {
namespace {

struct Side {
    const char* language;
    const LanguageResources& resources;
};

// `110 IDD_ZOOM`, `1125 IDC_A or IDC_B`, or `-1`.
std::string IdAndNames(const std::map<std::int64_t, std::vector<std::string>>& names, std::int64_t id) {
    std::string text = std::to_string(id);
    const auto found = names.find(id);
    if (found == names.end()) return text;
    for (std::size_t i = 0; i < found->second.size(); ++i) text += (i == 0 ? " " : " or ") + found->second[i];
    return text;
}

// ` (English: "Zoom")`, or nothing for a control without text.
std::string TextIn(const Side& side, const std::u16string& text) {
    if (text.empty()) return {};
    return std::string(" (") + side.language + ": \"" + Utf8(text) + "\")";
}

void AddWhatTheOtherLacks(const Side& has, const Side& lacks, const ResourceNames& names,
                          std::vector<std::string>& differences) {
    const std::string prefix = std::string(lacks.language) + " lacks ";
    for (const auto& [id, dialog] : has.resources.dialogs) {
        const auto other = lacks.resources.dialogs.find(id);
        if (other == lacks.resources.dialogs.end()) {
            differences.push_back(prefix + "dialog " + IdAndNames(names.dialogs, id) + TextIn(has, dialog.caption));
            continue;
        }
        std::vector<bool> matched(other->second.controls.size(), false);
        for (const Control& control : dialog.controls) {
            std::size_t i = 0;
            while (i < matched.size() && (matched[i] || other->second.controls[i].id != control.id)) ++i;
            if (i < matched.size()) {
                matched[i] = true;
            } else {
                differences.push_back(prefix + "control " + IdAndNames(names.controls, control.id) + " of dialog " +
                                      IdAndNames(names.dialogs, id) + TextIn(has, control.text));
            }
        }
    }
    for (const auto& [id, text] : has.resources.strings) {
        if (lacks.resources.strings.count(id) == 0) {
            differences.push_back(prefix + "string " + IdAndNames(names.strings, id) + TextIn(has, text));
        }
    }
}

}  // namespace

ResourceNames ReadResourceNames(std::istream& header) {
    ResourceNames names;
    const std::pair<const char*, std::map<std::int64_t, std::vector<std::string>>*> kinds[] = {
        {"IDD_", &names.dialogs}, {"IDC_", &names.controls}, {"IDS_", &names.strings}};
    std::string line;
    while (std::getline(header, line)) {
        std::istringstream words(line);
        std::string define, name, value;
        if (!(words >> define >> name >> value) || define != "#define") continue;
        char* end = nullptr;
        const long long id = std::strtoll(value.c_str(), &end, 0);
        if (*end != '\0') continue;
        for (const auto& [prefix, ids] : kinds) {
            if (name.rfind(prefix, 0) == 0) (*ids)[id].push_back(name);
        }
    }
    return names;
}

std::vector<std::string> LanguageDifferences(const LanguageResources& english, const LanguageResources& japanese,
                                             const ResourceNames& names) {
    std::vector<std::string> differences;
    AddWhatTheOtherLacks({"English", english}, {"Japanese", japanese}, names, differences);
    AddWhatTheOtherLacks({"Japanese", japanese}, {"English", english}, names, differences);
    return differences;
}

std::vector<std::string> LanguageFaults(const ModuleResources& module, const ResourceNames& names) {
    std::vector<std::string> faults;
    std::map<std::uint16_t, LanguageResources> languages{{kEnglish, {}}, {kJapanese, {}}};
    const auto where = [](const char* kind, const ResourceKey& key) {
        return std::string(kind) + " " + std::to_string(key.id) + " in language " + std::to_string(key.language);
    };
    for (const auto& [key, bytes] : module.dialogs()) {
        const auto language = languages.find(key.language);
        std::optional<Dialog> dialog = ParseDialog(bytes);
        if (language == languages.end()) {
            faults.push_back(where("dialog", key) + " is neither English nor Japanese");
        } else if (!dialog) {
            faults.push_back(where("dialog", key) + " cannot be read");
        } else {
            language->second.dialogs[key.id] = std::move(*dialog);
        }
    }
    for (const auto& [key, bytes] : module.stringBlocks()) {
        const auto language = languages.find(key.language);
        std::optional<std::map<std::uint32_t, std::u16string>> strings = ReadStringBlock(key.id, bytes);
        if (language == languages.end()) {
            faults.push_back(where("string block", key) + " is neither English nor Japanese");
        } else if (!strings) {
            faults.push_back(where("string block", key) + " is cut short");
        } else {
            language->second.strings.insert(strings->begin(), strings->end());
        }
    }
    const std::vector<std::string> differences = LanguageDifferences(languages[kEnglish], languages[kJapanese], names);
    faults.insert(faults.end(), differences.begin(), differences.end());
    return faults;
}

}  // namespace zelt::resources
