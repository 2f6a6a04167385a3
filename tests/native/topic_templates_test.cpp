#include "help/topic_templates.h"

#include <gtest/gtest.h>

namespace zelt::help {
namespace {

TEST(FillTemplate, FillsValuesSectionsAndListsOrSaysWhatIsWrong) {
    TopicFill fill;
    fill.values = {{"title", "Copy ({{model}})"}, {"model", "B18"}, {"loop", "{{loop}}"},
                   {"list_separator", ", "}, {"list_last_separator", " and "}, {"list_pair_separator", " or "}};
    fill.sections = {"on"};
    fill.lists = {{"one", {"A"}}, {"two", {"A", "B"}}, {"three", {"A", "B", "C"}}, {"none", {}}};
    const struct {
        const char* text;
        const char* out;    // null when the fill fails
        const char* error;  // then part of the reason
    } cases[] = {
        {"<h1>{{title}}</h1>", "<h1>Copy (B18)</h1>", nullptr},
        {"a\n{{#on}}\nb\n{{/on}}\nc\n", "a\nb\nc\n", nullptr},
        {"a\n{{#off}}\nb {{missing}}\n{{/off}}\nc", "a\nc", nullptr},
        {"{{#on}}x{{#on}}y{{/on}}z{{/on}}", "xyz", nullptr},
        {"[{{#one}}<{{.}}>{{/one}}]", "[<A>]", nullptr},
        {"[{{#two}}<{{.}}>{{/two}}]", "[<A> or <B>]", nullptr},
        {"[{{#three}}<{{.}}>{{/three}}]", "[<A>, <B> and <C>]", nullptr},
        {"[{{#none}}<{{.}}>{{/none}}]", "[]", nullptr},
        {"{{titel}}", nullptr, "{{titel}} has no value"},
        {"{{#on}}x", nullptr, "section on is not closed"},
        {"x{{/on}}", nullptr, "{{/on}} closes no open section"},
        {"{{title", nullptr, "not closed by }}"},
        {"{{.}}", nullptr, "outside a list section"},
        {"{{Title}}", nullptr, "{{Title}} is not a placeholder"},
        {"{{loop}}", nullptr, "nest too deeply"},
    };
    for (const auto& c : cases) {
        FillUse use;
        std::string out, error;
        const bool filled = FillTemplate(c.text, fill, use, out, error);
        EXPECT_EQ(filled, c.out != nullptr) << c.text << ": " << error;
        if (c.out != nullptr) {
            EXPECT_EQ(out, c.out) << c.text;
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << c.text << ": " << error;
        }
    }
}

TEST(FillTemplate, ReportsWhatItUsed) {
    TopicFill fill;
    fill.values = {{"a", "{{b}}"}, {"b", "x"}, {"unused", "y"}};
    fill.sections = {"on", "skipped"};
    FillUse use;
    std::string out, error;
    ASSERT_TRUE(FillTemplate("{{#on}}{{a}}{{/on}}", fill, use, out, error)) << error;
    EXPECT_EQ(use.values, (std::set<std::string>{"a", "b"}));
    EXPECT_EQ(use.sections, (std::set<std::string>{"on"}));
    EXPECT_EQ(TemplateSections("{{#on}}{{#two}}{{/two}}{{/on}}{{#on}}{{/on}}"), (std::set<std::string>{"on", "two"}));
}

TEST(ReadVariantTable, ReadsSharedValuesAndTopics) {
    VariantTable table;
    std::string error;
    ASSERT_TRUE(ReadVariantTable("# words\nsep = \", \"\n\n[copy_b18.htm] copy\r\ntitle = Copy \"B\" = x\n"
                                 "sections = a, b\n[copy.htm]   copy\n",
                                 table, error))
        << error;
    EXPECT_EQ(table.shared, (std::map<std::string, std::string>{{"sep", ", "}}));
    ASSERT_EQ(table.topics.size(), 2u);
    EXPECT_EQ(table.topics[0].topic, "copy_b18.htm");
    EXPECT_EQ(table.topics[0].templateName, "copy");
    EXPECT_EQ(table.topics[0].line, 4);
    EXPECT_EQ(table.topics[0].values, (std::map<std::string, std::string>{{"title", "Copy \"B\" = x"}}));
    EXPECT_EQ(table.topics[0].sections, (std::set<std::string>{"a", "b"}));
    EXPECT_EQ(table.topics[1].templateName, "copy");
}

TEST(ReadVariantTable, NamesTheLineAtFault) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"[a.htm] t\njunk\n", "2: expected \"name = text\""},
        {"[a.htm]\n", "1: a topic is written"},
        {"[a.htm t\n", "1: a topic is written"},
        {"[a.htm] t\n[a.htm] t\n", "2: a.htm is given twice"},
        {"[a.htm] t\nx = 1\nx = 2\n", "3: x is given twice"},
        {"x = 1\n[a.htm] t\nx = 2\n", "3: x is already given for every topic"},
        {"sections = a\n", "1: sections belong to a topic"},
        {"[a.htm] t\nsections = a, B\n", "2: \"B\" is not a section name"},
        {"[a.htm] t\nTitle = x\n", "2: \"Title\" is not a name"},
    };
    for (const auto& c : cases) {
        VariantTable table;
        std::string error;
        EXPECT_FALSE(ReadVariantTable(c.text, table, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << ": " << error;
    }
}

}  // namespace
}  // namespace zelt::help
