// Help topics written once per page family as a template, and filled for
// each page variant from a small table (templates/variants.txt).
//
// In a template:
// - {{name}} is replaced by the topic's value of that name; a value may hold
//   {{name}} itself.
// - {{#name}}...{{/name}} is a section: written when the topic has it, left
//   out when not. A section that is a list is written once per item, {{.}}
//   standing for the item, the items joined with the values list_separator,
//   list_last_separator (before the last of three or more) and
//   list_pair_separator (between just two).
// - A line holding nothing but a section tag is left out with its line end,
//   so that a section can wrap whole lines.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace zelt::help {

struct TopicFill {
    std::map<std::string, std::string> values;
    std::set<std::string> sections;
    std::map<std::string, std::vector<std::string>> lists;
};

// The values and sections a fill has used, to find table entries that no
// template asks for.
struct FillUse {
    std::set<std::string> values;
    std::set<std::string> sections;
};

// False, with the reason in `error`, for a placeholder without a value, a
// section that is not closed or closes nothing, or a malformed tag.
bool FillTemplate(const std::string& text, const TopicFill& fill, FillUse& use, std::string& out, std::string& error);

// The names of the sections a template has.
std::set<std::string> TemplateSections(const std::string& text);

// One topic of the table: "[topic.htm] template", then "name = text" lines
// and "sections = a, b".
struct TopicEntry {
    std::string topic;
    std::string templateName;
    int line = 0;
    std::map<std::string, std::string> values;
    std::set<std::string> sections;
};

struct VariantTable {
    std::map<std::string, std::string> shared;  // the lines before the first topic: values of every topic
    std::vector<TopicEntry> topics;
};

// False, with "N: why" in `error` (N the line), for a line that is neither a
// comment, a topic nor "name = text", and for a name given twice to one topic.
// A text in double quotes keeps the spaces at its ends.
bool ReadVariantTable(const std::string& text, VariantTable& table, std::string& error);

}  // namespace zelt::help
