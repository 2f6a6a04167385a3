#include "resource_languages.h"

#include <utility>

namespace zelt::resources {
namespace {

struct Side {
    const char* language;
    const LanguageResources& resources;
};

// ` (English: "Zoom")`, or nothing for a control without text.
std::string TextIn(const Side& side, const std::u16string& text) {
    if (text.empty()) return {};
    return std::string(" (") + side.language + ": \"" + Utf8(text) + "\")";
}

void AddWhatTheOtherLacks(const Side& has, const Side& lacks, std::vector<std::string>& differences) {
    const std::string prefix = std::string(lacks.language) + " lacks ";
    for (const auto& [id, dialog] : has.resources.dialogs) {
        const auto other = lacks.resources.dialogs.find(id);
        if (other == lacks.resources.dialogs.end()) {
            differences.push_back(prefix + "dialog " + std::to_string(id) + TextIn(has, dialog.caption));
            continue;
        }
        std::vector<bool> matched(other->second.controls.size(), false);
        for (const Control& control : dialog.controls) {
            std::size_t i = 0;
            while (i < matched.size() && (matched[i] || other->second.controls[i].id != control.id)) ++i;
            if (i < matched.size()) {
                matched[i] = true;
            } else {
                differences.push_back(prefix + "control " + std::to_string(control.id) + " of dialog " +
                                      std::to_string(id) + TextIn(has, control.text));
            }
        }
    }
    for (const auto& [id, text] : has.resources.strings) {
        if (lacks.resources.strings.count(id) == 0) {
            differences.push_back(prefix + "string " + std::to_string(id) + TextIn(has, text));
        }
    }
}

}  // namespace

std::vector<std::string> LanguageDifferences(const LanguageResources& english, const LanguageResources& japanese) {
    std::vector<std::string> differences;
    AddWhatTheOtherLacks({"English", english}, {"Japanese", japanese}, differences);
    AddWhatTheOtherLacks({"Japanese", japanese}, {"English", english}, differences);
    return differences;
}

std::vector<std::string> LanguageFaults(const ModuleResources& module) {
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
    const std::vector<std::string> differences = LanguageDifferences(languages[kEnglish], languages[kJapanese]);
    faults.insert(faults.end(), differences.begin(), differences.end());
    return faults;
}

}  // namespace zelt::resources
