// The compiled HTML Help files, read back with CHM Lib (Debian's libchm):
// every page context id and every help id of every help table of the module
// resolves, through the file's #IVB and #STRINGS, to a topic that exists and
// has text, and has a text popup; the file carries its language, title,
// contents and index, the Japanese one in code page 932.
#include <chm_lib.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>

#include "pages/common/help_tables.h"

namespace zelt {
namespace {

struct HelpFileCase {
    const char* file;
    std::uint32_t lcid;
    std::string title;         // in the file's code page
    std::string indexKeyword;  // in the file's code page
};

void PrintTo(const HelpFileCase& c, std::ostream* out) { *out << c.file; }

// "Zelt ラスタープリンタドライバ ヘルプ" and "カッター動作" in code page 932.
const HelpFileCase kCases[] = {
    {"qrv_ras_help_HJW.chm", 0x0409, "Zelt Raster Printer Driver Help", "Cut action"},
    {"qrv_ras_help_J_HJW.chm", 0x0411,
     "Zelt \x83\x89\x83\x58\x83\x5E\x81\x5B\x83\x76\x83\x8A\x83\x93\x83\x5E\x83\x68\x83\x89\x83\x43\x83\x6F \x83\x77"
     "\x83\x8B\x83\x76",
     "\x83\x4A\x83\x62\x83\x5E\x81\x5B\x93\xAE\x8D\xEC"},
};

std::uint32_t Dword(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

class HelpFiles : public ::testing::TestWithParam<HelpFileCase> {
protected:
    void SetUp() override {
        chm_ = chm_open((std::string(ZELT_HELP_DIR) + "/" + GetParam().file).c_str());
        ASSERT_NE(chm_, nullptr) << GetParam().file;
    }
    void TearDown() override {
        if (chm_ != nullptr) chm_close(chm_);
    }

    std::optional<std::string> Read(const std::string& name) const {
        chmUnitInfo unit{};
        if (chm_resolve_object(chm_, name.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(unit.length), '\0');
        const LONGINT64 read = unit.length == 0 ? 0
                               : chm_retrieve_object(chm_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                                     unit.length);
        if (read != static_cast<LONGINT64>(unit.length)) return std::nullopt;
        return bytes;
    }

    // #IVB: a length, then (context id, offset of the topic's name in #STRINGS) pairs.
    std::map<std::uint32_t, std::string> ContextTopics() const {
        std::map<std::uint32_t, std::string> topics;
        const auto ivb = Read("/#IVB");
        const auto strings = Read("/#STRINGS");
        if (!ivb || !strings) return topics;
        for (std::size_t at = 4; at + 8 <= ivb->size(); at += 8) {
            const std::uint32_t offset = Dword(*ivb, at + 4);
            if (offset < strings->size()) topics[Dword(*ivb, at)] = strings->c_str() + offset;
        }
        return topics;
    }

    chmFile* chm_ = nullptr;
};

// The five page context ids, then the help ids of every table.
std::set<std::uint32_t> AllIds() {
    std::set<std::uint32_t> ids = {kRasterHelpContext, kLogoHelpContext, kCopyHelpContext, kZoomHelpContext,
                                   kEtbHelpContext};
    for (HelpTableId table : kAllHelpTables) {
        for (int i = 0; i < HelpTablePairCount(table); ++i) ids.insert(HelpTable(table)[2 * i + 1]);
    }
    return ids;
}

// The visible text of a topic: its body without tags and blanks.
std::string BodyText(const std::string& html) {
    std::string text;
    bool inTag = false;
    for (std::size_t i = html.find("<body"); i < html.size(); ++i) {
        if (html[i] == '<' || html[i] == '>') inTag = html[i] == '<';
        else if (!inTag && !std::isspace(static_cast<unsigned char>(html[i]))) text += html[i];
    }
    return text;
}

TEST_P(HelpFiles, EveryContextIdAndHelpIdLeadsToATopicWithText) {
    const auto topics = ContextTopics();
    const auto ids = AllIds();
    EXPECT_EQ(ids.size(), 5u + 90u);
    EXPECT_EQ(topics.size(), ids.size()) << "one topic for each id, no other";
    for (std::uint32_t id : ids) {
        SCOPED_TRACE(::testing::Message() << "id 0x" << std::hex << id);
        ASSERT_EQ(topics.count(id), 1u) << "the id is not mapped";
        // HTML Help puts "::/" before a name without a slash.
        const std::string& name = topics.at(id);
        const auto html = Read(name.rfind('/', 0) == 0 ? name : "/" + name);
        ASSERT_TRUE(html.has_value()) << "no topic " << name << " in the file";
        EXPECT_GE(BodyText(*html).size(), 20u) << name << " has (almost) no text";
    }
    EXPECT_EQ(topics.at(kRasterHelpContext), "/raster.htm");
    EXPECT_EQ(topics.at(kEtbHelpContext), "/etb.htm");
    EXPECT_EQ(topics.at(0x80720447), "/ctl/IDH_114_1095.htm");
}

// The Help button opens "<.chm>::/<topic>" by the module's own table: each
// page's topic is in the file, with text, and is the one its context id maps to.
TEST_P(HelpFiles, EveryPageTopicOfTheModuleIsInTheFile) {
    const auto topics = ContextTopics();
    for (std::uint32_t context :
         {kRasterHelpContext, kLogoHelpContext, kCopyHelpContext, kZoomHelpContext, kEtbHelpContext}) {
        const std::wstring_view topic = PageTopic(context);
        const std::string name = "/" + std::string(topic.begin(), topic.end());
        const auto html = Read(name);
        ASSERT_TRUE(html.has_value()) << "no topic " << name << " in the file";
        EXPECT_GE(BodyText(*html).size(), 20u) << name << " has (almost) no text";
        ASSERT_EQ(topics.count(context), 1u) << "context " << context;
        EXPECT_EQ(topics.at(context), name) << "context " << context;
    }
}

TEST_P(HelpFiles, EveryHelpIdHasATextPopup) {
    const auto header = Read("/help_ids.h");
    const auto popups = Read("/popups.txt");
    ASSERT_TRUE(header && popups);
    std::map<std::uint32_t, std::string> names;  // "#define NAME id"
    std::istringstream defines(*header);
    for (std::string word, name, value; defines >> word;) {
        if (word == "#define" && defines >> name >> value) names[std::stoul(value, nullptr, 0)] = name;
    }
    std::map<std::string, std::string> texts;  // ".topic NAME", then its text
    std::istringstream lines(*popups);
    std::string current;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(".topic ", 0) == 0) current = line.substr(7);
        else if (!current.empty()) texts[current] += line;
    }
    for (std::uint32_t id : AllIds()) {
        SCOPED_TRACE(::testing::Message() << "id 0x" << std::hex << id);
        ASSERT_EQ(names.count(id), 1u) << "not in help_ids.h";
        if (id < 0x80000000u) continue;  // a page context id: its help is the page topic
        EXPECT_GE(texts[names.at(id)].size(), 20u) << names.at(id) << " has no popup text";
    }
}

// #SYSTEM records: (code, length, data); 3 is the title, 4 starts with the LCID.
TEST_P(HelpFiles, LanguageTitleContentsAndIndex) {
    const auto system = Read("/#SYSTEM");
    ASSERT_TRUE(system.has_value());
    std::optional<std::uint32_t> lcid;
    std::string title;
    for (std::size_t at = 4; at + 4 <= system->size();) {
        const unsigned code = Dword(*system, at) & 0xFFFF;
        const unsigned length = Dword(*system, at) >> 16;
        if (at + 4 + length > system->size()) break;
        if (code == 3) title = system->c_str() + at + 4;
        if (code == 4 && length >= 4) lcid = Dword(*system, at + 4);
        at += 4 + length;
    }
    EXPECT_EQ(lcid, GetParam().lcid);
    EXPECT_EQ(title, GetParam().title);
    const auto index = Read("/index.hhk");
    const auto contents = Read("/contents.hhc");
    ASSERT_TRUE(index && contents);
    EXPECT_NE(index->find(GetParam().indexKeyword), std::string::npos) << "index keyword in the file's code page";
    EXPECT_NE(contents->find("raster.htm"), std::string::npos);
    EXPECT_NE(Read("/raster.htm").value_or("").find("charset=utf-8"), std::string::npos) << "topics say their encoding";
}

INSTANTIATE_TEST_SUITE_P(EnglishAndJapanese, HelpFiles, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HelpFileCase>& info) {
                             return std::string(info.param.lcid == 0x0411 ? "Japanese" : "English");
                         });

}  // namespace
}  // namespace zelt
