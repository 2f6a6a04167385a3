#include "topic_templates.h"

#include <sstream>

namespace zelt::help {
namespace {

// Deep enough for a value that names a value; a loop stops here.
constexpr int kMaxDepth = 8;

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool IsName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    }
    return true;
}

bool IsSectionTag(const std::string& line) {
    return line.size() > 5 && line.compare(0, 2, "{{") == 0 && (line[2] == '#' || line[2] == '/') &&
           line.compare(line.size() - 2, 2, "}}") == 0 && IsName(line.substr(3, line.size() - 5));
}

std::string WithoutTagLineEnds(const std::string& text) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        auto end = text.find('\n', at);
        const bool lastLine = end == std::string::npos;
        if (lastLine) end = text.size();
        const std::string line = text.substr(at, end - at);
        out += line;
        if (!lastLine && !IsSectionTag(line)) out += '\n';
        at = end + 1;
    }
    return out;
}

// Where the {{/name}} that closes a section opened before `from` starts,
// counting sections of the same name opened inside it; npos when none.
std::size_t SectionEnd(const std::string& text, std::size_t from, const std::string& name) {
    const std::string open = "{{#" + name + "}}";
    const std::string close = "{{/" + name + "}}";
    int depth = 1;
    std::size_t at = from;
    while (true) {
        const auto nextClose = text.find(close, at);
        if (nextClose == std::string::npos) return nextClose;
        const auto nextOpen = text.find(open, at);
        if (nextOpen != std::string::npos && nextOpen < nextClose) {
            ++depth;
            at = nextOpen + open.size();
            continue;
        }
        if (--depth == 0) return nextClose;
        at = nextClose + close.size();
    }
}

class Filler {
public:
    Filler(const TopicFill& fill, FillUse& use, std::string& error) : fill_(fill), use_(use), error_(error) {}

    bool Fill(const std::string& text, const std::string* item, int depth, std::string& out) {
        if (depth > kMaxDepth) return Fail("placeholders nest too deeply (does a value name itself?)");
        std::size_t at = 0;
        while (true) {
            const auto open = text.find("{{", at);
            if (open == std::string::npos) {
                out.append(text, at, std::string::npos);
                return true;
            }
            out.append(text, at, open - at);
            const auto close = text.find("}}", open + 2);
            if (close == std::string::npos) return Fail("a {{ is not closed by }}");
            const std::string tag = text.substr(open + 2, close - open - 2);
            at = close + 2;
            if (tag == ".") {
                if (item == nullptr) return Fail("{{.}} stands outside a list section");
                out += *item;
                continue;
            }
            const char kind = tag.empty() ? ' ' : tag[0];
            const std::string name = kind == '#' || kind == '/' ? tag.substr(1) : tag;
            if (!IsName(name)) return Fail("{{" + tag + "}} is not a placeholder or section tag");
            if (kind == '/') return Fail("{{/" + name + "}} closes no open section");
            if (kind == '#') {
                const auto end = SectionEnd(text, at, name);
                if (end == std::string::npos) return Fail("section " + name + " is not closed by {{/" + name + "}}");
                const std::string body = text.substr(at, end - at);
                at = end + name.size() + 5;
                if (!Section(name, body, item, depth, out)) return false;
                continue;
            }
            const auto value = fill_.values.find(name);
            if (value == fill_.values.end()) return Fail("{{" + name + "}} has no value");
            use_.values.insert(name);
            if (!Fill(value->second, item, depth + 1, out)) return false;
        }
    }

private:
    bool Section(const std::string& name, const std::string& body, const std::string* item, int depth,
                 std::string& out) {
        const auto list = fill_.lists.find(name);
        if (list != fill_.lists.end()) {
            use_.sections.insert(name);
            const std::vector<std::string>& items = list->second;
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i > 0 && !Separator(i, items.size(), item, depth, out)) return false;
                if (!Fill(body, &items[i], depth, out)) return false;
            }
            return true;
        }
        if (fill_.sections.count(name) == 0) return true;
        use_.sections.insert(name);
        return Fill(body, item, depth, out);
    }

    bool Separator(std::size_t index, std::size_t count, const std::string* item, int depth, std::string& out) {
        const char* name = count == 2            ? "list_pair_separator"
                           : index == count - 1  ? "list_last_separator"
                                                 : "list_separator";
        return Fill(std::string("{{") + name + "}}", item, depth, out);
    }

    bool Fail(const std::string& why) {
        error_ = why;
        return false;
    }

    const TopicFill& fill_;
    FillUse& use_;
    std::string& error_;
};

std::string Unquoted(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

}  // namespace

bool FillTemplate(const std::string& text, const TopicFill& fill, FillUse& use, std::string& out, std::string& error) {
    Filler filler(fill, use, error);
    return filler.Fill(WithoutTagLineEnds(text), nullptr, 0, out);
}

std::set<std::string> TemplateSections(const std::string& text) {
    std::set<std::string> names;
    for (auto at = text.find("{{#"); at != std::string::npos; at = text.find("{{#", at + 3)) {
        const auto close = text.find("}}", at);
        if (close != std::string::npos) names.insert(text.substr(at + 3, close - at - 3));
    }
    return names;
}

bool ReadVariantTable(const std::string& text, VariantTable& table, std::string& error) {
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    TopicEntry* topic = nullptr;
    auto fail = [&](const std::string& why) {
        error = std::to_string(number) + ": " + why;
        return false;
    };
    while (std::getline(in, raw)) {
        ++number;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            if (close == std::string::npos) return fail("a topic is written \"[topic.htm] template\"");
            TopicEntry entry;
            entry.topic = Trim(line.substr(1, close - 1));
            entry.templateName = Trim(line.substr(close + 1));
            entry.line = number;
            if (entry.topic.empty() || !IsName(entry.templateName)) {
                return fail("a topic is written \"[topic.htm] template\"");
            }
            for (const TopicEntry& other : table.topics) {
                if (other.topic == entry.topic) return fail(entry.topic + " is given twice");
            }
            table.topics.push_back(entry);
            topic = &table.topics.back();
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos) return fail("expected \"name = text\"");
        const std::string name = Trim(line.substr(0, equals));
        const std::string value = Unquoted(Trim(line.substr(equals + 1)));
        if (!IsName(name)) return fail("\"" + name + "\" is not a name (a-z, 0-9, _)");
        if (name == "sections") {
            if (topic == nullptr) return fail("sections belong to a topic");
            std::istringstream names(value);
            std::string section;
            while (std::getline(names, section, ',')) {
                section = Trim(section);
                if (!IsName(section)) return fail("\"" + section + "\" is not a section name");
                topic->sections.insert(section);
            }
            continue;
        }
        if (table.shared.count(name) != 0) return fail(name + " is already given for every topic");
        auto& values = topic != nullptr ? topic->values : table.shared;
        if (!values.emplace(name, value).second) return fail(name + " is given twice");
    }
    return true;
}

}  // namespace zelt::help
