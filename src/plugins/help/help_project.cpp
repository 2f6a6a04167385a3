// Build tool (native): lays out one language's HTML Help project for chmcmd.
//
//   help_project SOURCE_DIR STAGE_DIR PROJECT.hhp CODEPAGE
//
// Copies the hand-written sources of SOURCE_DIR into STAGE_DIR and adds what
// comes from the module's one help table (help_tables.cpp) and the pages'
// code, so no id or choice is written twice by hand:
//
// - the topics of SOURCE_DIR/templates/variants.txt, each filled from its
//   template there (topic_templates.h) and from what the page's code says:
//   the list cut_actions (the cut actions the page offers), the values
//   default_cut_action (chosen by the defaults button) and first_cut_action
//   (shown by a printer never set up), the section every_cut_action or
//   some_cut_actions, and the sections of what the page adds: drawers,
//   presenter or buzzer, fourth_paper_type (and
//   fourth_paper_type_on_some_models when the model decides);
// - help_ids.h: "#define NAME id" for each page context id and each help id
//   of every help table ([MAP], and the names of popups.txt);
// - help_alias.h: each NAME mapped to its topic ([ALIAS]): a page context id
//   to the page's topic, a help id to a control topic ctl/NAME.htm;
// - ctl/NAME.htm: one short topic per control, made from its text in
//   popups.txt, linking to the topic of the page its template belongs to;
// - the project file, with the control topics added to [FILES].
//
// popups.txt must hold a non-empty text for every help id and no other name,
// and each template topic must fill without a fault, use every value and
// section its table entry gives and be no hand-written topic too; otherwise
// the tool fails and says which. The project, contents, index and
// popup files are converted from UTF-8 to CODEPAGE (the code page HTML Help
// reads them in: windows-1252, or CP932 for Japanese); the HTML topics stay
// UTF-8 and say so in their meta tag.
#include <iconv.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "frame/page_plan.h"
#include "help/topic_templates.h"
#include "journal/copy_model.h"
#include "pages/common/help_tables.h"
#include "pages/raster/raster_model.h"
#include "settings/setting_table.h"

namespace fs = std::filesystem;
namespace help = zelt::help;

namespace {

struct PageContext {
    const char* name;
    std::uint32_t id;
};

// The page context ids, each opening its page's topic (zelt::PageTopic).
const PageContext kContexts[] = {
    {"IDH_PAGE_RASTER", zelt::kRasterHelpContext}, {"IDH_PAGE_LOGO", zelt::kLogoHelpContext},
    {"IDH_PAGE_COPY", zelt::kCopyHelpContext},     {"IDH_PAGE_ZOOM", zelt::kZoomHelpContext},
    {"IDH_PAGE_ETB", zelt::kEtbHelpContext},
};

// Topic file names are ASCII.
std::string FileName(std::wstring_view topic) { return std::string(topic.begin(), topic.end()); }

// The topic of each dialog template (page variant), as the module names it:
// the sources must hold (or the templates make) a topic of each name.
std::map<std::uint16_t, std::string> TemplateTopics() {
    std::map<std::uint16_t, std::string> topics;
    for (std::uint16_t id = zelt::kCopyA57; id <= zelt::kRasterC252; ++id) {
        topics[id] = FileName(zelt::TemplateTopic(id));
    }
    return topics;
}
const std::map<std::uint16_t, std::string> kTemplateTopics = TemplateTopics();

std::uint16_t TemplateOf(std::uint32_t helpId) { return static_cast<std::uint16_t>((helpId - 0x80000000u) >> 16); }
std::uint16_t ControlOf(std::uint32_t helpId) { return static_cast<std::uint16_t>(helpId & 0xFFFFu); }

std::string HelpIdName(std::uint32_t helpId) {
    return "IDH_" + std::to_string(TemplateOf(helpId)) + "_" + std::to_string(ControlOf(helpId));
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

bool ReadFile(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

// UTF-8 to the code page; false when a character has no place in it.
bool Convert(const std::string& utf8, const std::string& codepage, std::string& converted) {
    if (codepage == "UTF-8") {
        converted = utf8;
        return true;
    }
    iconv_t cd = iconv_open(codepage.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::vector<char> out(utf8.size() * 2 + 16);
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* at = out.data();
    size_t outLeft = out.size();
    const size_t result = iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || inLeft != 0) return false;
    converted.assign(out.data(), out.size() - outLeft);
    return true;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// ".topic NAME" blocks of a text-popup file: NAME to its lines of text.
std::map<std::string, std::vector<std::string>> ReadPopups(const std::string& text) {
    std::map<std::string, std::vector<std::string>> topics;
    std::istringstream in(text);
    std::string line;
    std::vector<std::string>* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(".topic", 0) == 0) {
            current = &topics[Trim(line.substr(6))];
            continue;
        }
        if (current != nullptr && !Trim(line).empty()) current->push_back(Trim(line));
    }
    return topics;
}

std::string HtmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string TitleOf(const std::string& html) {
    const auto open = html.find("<title>");
    const auto close = html.find("</title>");
    if (open == std::string::npos || close == std::string::npos || close < open) return {};
    return Trim(html.substr(open + 7, close - open - 7));
}

std::string LangOf(const std::string& html) {
    const auto at = html.find("<html lang=\"");
    if (at == std::string::npos) return "en";
    const auto end = html.find('"', at + 12);
    return html.substr(at + 12, end - at - 12);
}

int Fail(const std::string& message) {
    std::cerr << "help_project: " << message << "\n";
    return 1;
}

// The label as the topics are written: UTF-8.
std::string CutActionLabel(std::uint32_t row) {
    std::string label;
    for (const wchar_t* at = zelt::kCutActions[row].label; *at != 0; ++at) {
        const auto c = static_cast<std::uint32_t>(*at);
        if (c < 0x80) {
            label += static_cast<char>(c);
        } else if (c < 0x800) {
            label += static_cast<char>(0xC0 | (c >> 6));
            label += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            label += static_cast<char>(0xE0 | (c >> 12));
            label += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            label += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return label;
}

// The values, lists and sections the code of the page of `templateId` gives
// its topic; false for a page that is neither a Raster nor a Copy variant.
bool FillFromPageCode(std::uint16_t templateId, help::TopicFill& fill) {
    const bool raster = (zelt::kRasterPages & zelt::TemplateBit(templateId)) != 0;
    const bool copy = (zelt::kCopyPages & zelt::TemplateBit(templateId)) != 0;
    if (!raster && !copy) return false;
    const auto page = static_cast<zelt::TemplateId>(templateId);
    const zelt::RasterVariant& cut =
        raster ? zelt::RasterVariantFor(page) : zelt::CopyCutRows(zelt::CopyVariantFor(page));
    std::vector<std::string>& offered = fill.lists["cut_actions"];
    for (int position = 0; position < cut.rowCount; ++position) offered.push_back(CutActionLabel(cut.rows[position]));
    fill.sections.insert(cut.rowCount == zelt::kCutActionCount ? "every_cut_action" : "some_cut_actions");
    fill.values["default_cut_action"] = CutActionLabel(cut.defaultsRow);
    const zelt::Setting stored = raster ? zelt::Setting::RPO_PAGEDOCCUTACTION : zelt::Setting::COPY_PAGEDOCCUTACTION;
    const auto firstRow =
        zelt::CutRowAtPosition(cut, zelt::CutPositionForRow(cut, zelt::RepairDefault(stored, templateId)));
    if (firstRow) fill.values["first_cut_action"] = CutActionLabel(*firstRow);
    if (copy) {
        if (zelt::CopyVariantFor(page).presenter) fill.sections.insert("presenter");
        return true;
    }
    switch (cut.extras) {
        case zelt::RasterExtras::kDrawers: fill.sections.insert("drawers"); break;
        case zelt::RasterExtras::kPresenter: fill.sections.insert("presenter"); break;
        case zelt::RasterExtras::kBuzzer: fill.sections.insert("buzzer"); break;
        case zelt::RasterExtras::kNone: break;
    }
    if (zelt::HasFourthPaperType(templateId, true)) {
        fill.sections.insert("fourth_paper_type");
        if (!zelt::HasFourthPaperType(templateId, false)) fill.sections.insert("fourth_paper_type_on_some_models");
    }
    return true;
}

std::optional<std::uint16_t> TemplateOfTopic(const std::string& topic) {
    for (const auto& [templateId, file] : kTemplateTopics) {
        if (file == topic) return templateId;
    }
    return std::nullopt;
}

// The topics of SOURCE/templates/variants.txt: topic file name to its HTML.
// False, with the reason in `error`, when the table or a template is at fault.
bool MakeTemplateTopics(const fs::path& source, std::map<std::string, std::string>& topics, std::string& error) {
    const fs::path folder = source / "templates";
    const fs::path tablePath = folder / "variants.txt";
    const std::string tableName = tablePath.string();
    std::string tableText;
    if (!ReadFile(tablePath, tableText)) {
        error = "cannot read " + tableName;
        return false;
    }
    help::VariantTable table;
    if (!help::ReadVariantTable(tableText, table, error)) {
        error = tableName + ":" + error;
        return false;
    }
    std::map<std::string, std::string> templates;          // name to text
    std::map<std::string, std::set<std::string>> written;  // template to the sections some topic wrote
    for (const help::TopicEntry& entry : table.topics) {
        const std::string where = tableName + ":" + std::to_string(entry.line) + ": " + entry.topic;
        const fs::path templatePath = folder / (entry.templateName + ".htm");
        if (templates.count(entry.templateName) == 0 && !ReadFile(templatePath, templates[entry.templateName])) {
            error = where + " names template " + entry.templateName + ", but there is no " + templatePath.string();
            return false;
        }
        const std::string& text = templates[entry.templateName];
        const auto templateId = TemplateOfTopic(entry.topic);
        help::TopicFill fill;
        if (!templateId || !FillFromPageCode(*templateId, fill)) {
            error = where + " is not the topic of a Raster Print Options or Copy Options page";
            return false;
        }
        if (fs::exists(source / entry.topic)) {
            error = where + " is made from a template and also written by hand in " + source.string();
            return false;
        }
        // What the page has, its topic must say.
        const std::set<std::string> sections = help::TemplateSections(text);
        std::set<std::string> fromCode = fill.sections;
        for (const auto& [list, items] : fill.lists) fromCode.insert(list);
        for (const std::string& section : fromCode) {
            if (sections.count(section) == 0) {
                error = where + ": the page has " + section + ", but " + templatePath.string() + " has no such section";
                return false;
            }
        }
        for (const std::string& section : entry.sections) {
            if (fromCode.count(section) != 0) {
                error = where + ": section " + section + " comes from the page's code, not from the table";
                return false;
            }
            if (sections.count(section) == 0) {
                error = where + ": " + templatePath.string() + " has no section " + section;
                return false;
            }
            fill.sections.insert(section);
        }
        std::map<std::string, std::string> given = table.shared;
        given.insert(entry.values.begin(), entry.values.end());
        for (const auto& [name, value] : given) {
            if (!fill.values.emplace(name, value).second) {
                error = where + ": " + name + " comes from the page's code, not from the table";
                return false;
            }
        }
        help::FillUse use;
        if (!help::FillTemplate(text, fill, use, topics[entry.topic], error)) {
            error = templatePath.string() + " for " + entry.topic + ": " + error;
            return false;
        }
        for (const auto& [name, value] : entry.values) {
            if (use.values.count(name) == 0) {
                error = where + ": " + name + " is given but " + templatePath.string() + " does not use it";
                return false;
            }
        }
        for (const std::string& section : entry.sections) {
            if (use.sections.count(section) == 0) {
                error = where + ": section " + section + " is chosen but lies inside a section left out";
                return false;
            }
        }
        written[entry.templateName].insert(use.sections.begin(), use.sections.end());
    }
    for (const auto& [name, text] : templates) {
        for (const std::string& section : help::TemplateSections(text)) {
            if (written[name].count(section) == 0) {
                error = (folder / (name + ".htm")).string() + ": section " + section + " is in no topic";
                return false;
            }
        }
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().stem().string();
        if (entry.path().extension() == ".htm" && templates.count(name) == 0) {
            error = entry.path().string() + " is the template of no topic in " + tableName;
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) return Fail("usage: help_project SOURCE_DIR STAGE_DIR PROJECT.hhp CODEPAGE");
    const fs::path source = argv[1];
    const fs::path stage = argv[2];
    const std::string projectName = argv[3];
    const std::string codepage = argv[4];

    // Every help id of every table, once, in order.
    std::set<std::uint32_t> helpIds;
    for (zelt::HelpTableId table : zelt::kAllHelpTables) {
        const std::uint32_t* pairs = zelt::HelpTable(table);
        for (int i = 0; i < zelt::HelpTablePairCount(table); ++i) helpIds.insert(pairs[2 * i + 1]);
    }

    std::string popupText;
    if (!ReadFile(source / "popups.txt", popupText)) return Fail("no popups.txt in " + source.string());
    const auto popups = ReadPopups(popupText);
    std::set<std::string> names;
    for (std::uint32_t id : helpIds) {
        const std::string name = HelpIdName(id);
        names.insert(name);
        const auto found = popups.find(name);
        if (found == popups.end() || found->second.empty()) {
            return Fail(source.string() + "/popups.txt has no text for " + name + " (" + Hex(id) + ")");
        }
        if (kTemplateTopics.count(TemplateOf(id)) == 0) return Fail("no topic for the template of " + name);
    }
    for (const auto& [name, lines] : popups) {
        if (names.count(name) == 0) return Fail(source.string() + "/popups.txt names " + name + ", no help id of the tables");
    }

    std::map<std::string, std::string> madeTopics;
    std::string templateError;
    if (!MakeTemplateTopics(source, madeTopics, templateError)) return Fail(templateError);

    std::error_code error;
    fs::create_directories(stage / "ctl", error);
    if (error) return Fail("cannot make " + (stage / "ctl").string());

    // The hand-written sources, the text files in the help's code page.
    for (const auto& entry : fs::directory_iterator(source)) {
        if (!entry.is_regular_file()) continue;
        const std::string file = entry.path().filename().string();
        const std::string extension = entry.path().extension().string();
        std::string text;
        if (!ReadFile(entry.path(), text)) return Fail("cannot read " + entry.path().string());
        std::string out = text;
        if (extension == ".hhp" || extension == ".hhc" || extension == ".hhk" || extension == ".txt") {
            if (!Convert(text, codepage, out)) return Fail(entry.path().string() + " does not fit code page " + codepage);
        }
        if (extension == ".hhp") continue;  // written below, with the control topics
        if (!WriteFile(stage / file, out)) return Fail("cannot write " + (stage / file).string());
    }
    for (const auto& [file, html] : madeTopics) {
        if (!WriteFile(stage / file, html)) return Fail("cannot write " + (stage / file).string());
    }

    // help_ids.h and help_alias.h.
    std::ostringstream ids, aliases;
    ids << "/* Generated from the module's help tables (help_tables.cpp) by help_project. */\n";
    ids << "/* Page context ids: the sheet's Help button. */\n";
    aliases << "; Generated by help_project: each context id and help id to its topic.\n";
    for (const PageContext& context : kContexts) {
        ids << "#define " << context.name << " " << context.id << "\n";
        aliases << context.name << "=" << FileName(zelt::PageTopic(context.id)) << "\n";
    }
    ids << "/* Help ids: 0x80000000 + template id * 65536 + control id (F1, \"What's This?\"). */\n";
    std::string controlFiles;
    for (std::uint32_t id : helpIds) {
        const std::string name = HelpIdName(id);
        ids << "#define " << name << " " << Hex(id) << "\n";
        aliases << name << "=ctl/" << name << ".htm\n";
        controlFiles += "ctl/" + name + ".htm\n";
    }
    if (!WriteFile(stage / "help_ids.h", ids.str()) || !WriteFile(stage / "help_alias.h", aliases.str())) {
        return Fail("cannot write the id headers");
    }

    // One topic per control, from its popup text.
    for (std::uint32_t id : helpIds) {
        const std::string name = HelpIdName(id);
        const std::string pageTopic = kTemplateTopics.at(TemplateOf(id));
        const auto made = madeTopics.find(pageTopic);
        std::string pageHtml;
        if (made != madeTopics.end()) {
            pageHtml = made->second;
        } else if (!ReadFile(source / pageTopic, pageHtml)) {
            return Fail("no page topic " + (source / pageTopic).string());
        }
        const std::vector<std::string>& lines = popups.at(name);
        std::ostringstream html;
        html << "<!DOCTYPE html>\n<html lang=\"" << LangOf(pageHtml) << "\">\n<head>\n"
             << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
             << "<title>" << HtmlEscaped(lines.front()) << "</title>\n"
             << "<link rel=\"stylesheet\" href=\"../help.css\">\n</head>\n<body>\n"
             << "<h1>" << HtmlEscaped(lines.front()) << "</h1>\n";
        for (std::size_t i = 1; i < lines.size(); ++i) html << "<p>" << HtmlEscaped(lines[i]) << "</p>\n";
        html << "<p class=\"page\"><a href=\"../" << pageTopic << "\">" << TitleOf(pageHtml) << "</a></p>\n"
             << "</body>\n</html>\n";
        if (!WriteFile(stage / "ctl" / (name + ".htm"), html.str())) return Fail("cannot write the topic of " + name);
    }

    // The project, with the control topics in [FILES].
    std::string project;
    if (!ReadFile(source / projectName, project)) return Fail("no project " + (source / projectName).string());
    const auto files = project.find("[FILES]\n");
    if (files == std::string::npos) return Fail(projectName + " has no [FILES] section");
    project.insert(files + 8, controlFiles);
    std::string converted;
    if (!Convert(project, codepage, converted)) return Fail(projectName + " does not fit code page " + codepage);
    if (!WriteFile(stage / projectName, converted)) return Fail("cannot write " + (stage / projectName).string());
    return 0;
}
