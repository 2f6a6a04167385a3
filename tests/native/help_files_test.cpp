// The compiled HTML Help files, read back with CHM Lib (Debian's libchm):
// every page context id and every help id of every help table of the module
// resolves, through the file's #IVB and #STRINGS, to a topic that exists and
// has text, and has a text popup; the file carries its language, title,
// contents and index, the Japanese one in code page 932.
#include <chm_lib.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "pages/common/help_tables.h"

#ifndef ZELT_HELP_DIR
#error "ZELT_HELP_DIR names the folder of the compiled .chm files"
#endif

namespace zelt {
namespace {

struct HelpFileCase {
    const char* file;
    std::uint32_t lcid;
    std::string title;           // in the file's code page
    std::string indexKeyword;    // one keyword of index.hhk, in the file's code page
    std::string pageWord;        // a word every page topic about the Raster page holds (UTF-8)
};

// "Zelt ラスタープリンタドライバ ヘルプ" and "カッター動作" in code page 932.
const std::string kJapaneseTitle =
    "Zelt \x83\x89\x83\x58\x83\x5E\x81\x5B\x83\x76\x83\x8A\x83\x93\x83\x5E\x83\x68\x83\x89\x83\x43\x83\x6F \x83\x77"
    "\x83\x8B\x83\x76";
const std::string kJapaneseCutAction = "\x83\x4A\x83\x62\x83\x5E\x81\x5B\x93\xAE\x8D\xEC";

const HelpFileCase kCases[] = {
    {"qrv_ras_help_HJW.chm", 0x0409, "Zelt Raster Printer Driver Help", "Cut action", "Print Quality"},
    {"qrv_ras_help_J_HJW.chm", 0x0411, kJapaneseTitle, kJapaneseCutAction, "\xE5\x8D\xB0\xE5\xAD\x97\xE5\x93\x81\xE8\xB3\xAA"},
};

void PrintTo(const HelpFileCase& c, std::ostream* out) { *out << c.file; }

class ChmFile {
public:
    explicit ChmFile(const std::string& path) : file_(chm_open(path.c_str())) {}
    ~ChmFile() {
        if (file_ != nullptr) chm_close(file_);
    }
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    bool open() const { return file_ != nullptr; }

    std::optional<std::string> Read(const std::string& name) const {
        chmUnitInfo unit{};
        if (chm_resolve_object(file_, name.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(unit.length), '\0');
        if (unit.length == 0) return bytes;
        const LONGINT64 read =
            chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0, unit.length);
        if (read != static_cast<LONGINT64>(unit.length)) return std::nullopt;
        return bytes;
    }

private:
    chmFile* file_;
};

std::uint32_t Dword(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// #IVB: a length, then (context id, offset of the topic's name in #STRINGS) pairs.
std::map<std::uint32_t, std::string> ContextTopics(const ChmFile& chm) {
    std::map<std::uint32_t, std::string> topics;
    const auto ivb = chm.Read("/#IVB");
    const auto strings = chm.Read("/#STRINGS");
    if (!ivb || !strings || ivb->size() < 4) return topics;
    for (std::size_t at = 4; at + 8 <= ivb->size(); at += 8) {
        const std::uint32_t offset = Dword(*ivb, at + 4);
        if (offset >= strings->size()) continue;
        topics[Dword(*ivb, at)] = std::string(strings->c_str() + offset);
    }
    return topics;
}

// The visible text of a topic: its body without tags.
std::string BodyText(const std::string& html) {
    const auto body = html.find("<body");
    std::string text;
    bool inTag = false;
    for (std::size_t i = body == std::string::npos ? 0 : body; i < html.size(); ++i) {
        const char c = html[i];
        if (c == '<') inTag = true;
        else if (c == '>') inTag = false;
        else if (!inTag && c != ' ' && c != '\n' && c != '\r' && c != '\t') text += c;
    }
    return text;
}

std::set<std::uint32_t> AllHelpIds() {
    std::set<std::uint32_t> ids;
    for (HelpTableId table : kAllHelpTables) {
        const std::uint32_t* pairs = HelpTable(table);
        for (int i = 0; i < HelpTablePairCount(table); ++i) ids.insert(pairs[2 * i + 1]);
    }
    return ids;
}

const std::uint32_t kContextIds[] = {kRasterHelpContext, kLogoHelpContext, kCopyHelpContext, kZoomHelpContext,
                                     kEtbHelpContext};

class HelpFiles : public ::testing::TestWithParam<HelpFileCase> {
protected:
    std::string Path() const { return std::string(ZELT_HELP_DIR) + "/" + GetParam().file; }
};

TEST_P(HelpFiles, EveryContextIdAndHelpIdLeadsToATopicWithText) {
    ChmFile chm(Path());
    ASSERT_TRUE(chm.open()) << Path();
    const auto topics = ContextTopics(chm);
    std::vector<std::uint32_t> ids(std::begin(kContextIds), std::end(kContextIds));
    const auto helpIds = AllHelpIds();
    ids.insert(ids.end(), helpIds.begin(), helpIds.end());
    EXPECT_EQ(helpIds.size(), 90u);
    EXPECT_EQ(topics.size(), ids.size()) << "one topic for each id, no other";
    for (std::uint32_t id : ids) {
        SCOPED_TRACE(::testing::Message() << "id 0x" << std::hex << id);
        const auto topic = topics.find(id);
        ASSERT_NE(topic, topics.end()) << "the id is not mapped";
        // The name is the topic's path inside the file (HTML Help prefixes "::/" when it has no slash).
        const std::string name = topic->second.rfind('/', 0) == 0 ? topic->second : "/" + topic->second;
        const auto html = chm.Read(name);
        ASSERT_TRUE(html.has_value()) << "no topic " << name << " in the file";
        EXPECT_GE(BodyText(*html).size(), 20u) << name << " has (almost) no text";
        EXPECT_NE(html->find("<title>"), std::string::npos) << name;
    }
    // The page ids lead to the page topics, a help id to the topic of its control.
    EXPECT_EQ(topics.at(kRasterHelpContext), "/raster.htm");
    EXPECT_EQ(topics.at(kEtbHelpContext), "/etb.htm");
    EXPECT_EQ(topics.at(0x80720447), "/ctl/IDH_114_1095.htm");
}

TEST_P(HelpFiles, EveryHelpIdHasATextPopup) {
    ChmFile chm(Path());
    ASSERT_TRUE(chm.open()) << Path();
    const auto header = chm.Read("/help_ids.h");
    const auto popups = chm.Read("/popups.txt");
    ASSERT_TRUE(header.has_value());
    ASSERT_TRUE(popups.has_value());

    std::map<std::uint32_t, std::string> names;  // id -> NAME, from "#define NAME id"
    std::istringstream defines(*header);
    for (std::string word; defines >> word;) {
        if (word != "#define") continue;
        std::string name, value;
        defines >> name >> value;
        names[static_cast<std::uint32_t>(std::stoul(value, nullptr, 0))] = name;
    }
    std::map<std::string, std::string> texts;  // NAME -> text
    std::istringstream lines(*popups);
    std::string current;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(".topic ", 0) == 0) {
            current = line.substr(7);
            texts[current];
        } else if (!current.empty()) {
            texts[current] += line;
        }
    }
    for (std::uint32_t id : kContextIds) EXPECT_TRUE(names.count(id)) << "context id " << id << " in help_ids.h";
    for (std::uint32_t id : AllHelpIds()) {
        SCOPED_TRACE(::testing::Message() << "help id 0x" << std::hex << id);
        ASSERT_TRUE(names.count(id)) << "not in help_ids.h";
        const auto text = texts.find(names.at(id));
        ASSERT_NE(text, texts.end()) << names.at(id) << " has no popup";
        EXPECT_GE(text->second.size(), 20u) << names.at(id);
    }
}

// #SYSTEM records: (code, length, data); 3 is the title, 4 starts with the LCID.
TEST_P(HelpFiles, LanguageTitleContentsAndIndex) {
    ChmFile chm(Path());
    ASSERT_TRUE(chm.open()) << Path();
    const auto system = chm.Read("/#SYSTEM");
    ASSERT_TRUE(system.has_value());
    std::optional<std::uint32_t> lcid;
    std::string title;
    for (std::size_t at = 4; at + 4 <= system->size();) {
        const unsigned code = static_cast<unsigned char>((*system)[at]) | static_cast<unsigned char>((*system)[at + 1]) << 8;
        const unsigned length = static_cast<unsigned char>((*system)[at + 2]) | static_cast<unsigned char>((*system)[at + 3]) << 8;
        if (at + 4 + length > system->size()) break;
        const std::string data = system->substr(at + 4, length);
        if (code == 3) title = std::string(data.c_str());
        if (code == 4 && length >= 4) lcid = Dword(data, 0);
        at += 4 + length;
    }
    ASSERT_TRUE(lcid.has_value());
    EXPECT_EQ(*lcid, GetParam().lcid);
    EXPECT_EQ(title, GetParam().title);

    const auto index = chm.Read("/index.hhk");
    const auto contents = chm.Read("/contents.hhc");
    ASSERT_TRUE(index.has_value());
    ASSERT_TRUE(contents.has_value());
    EXPECT_NE(index->find(GetParam().indexKeyword), std::string::npos) << "index keyword in the file's code page";
    EXPECT_NE(contents->find("raster.htm"), std::string::npos);
    const auto raster = chm.Read("/raster.htm");
    ASSERT_TRUE(raster.has_value());
    EXPECT_NE(raster->find(GetParam().pageWord), std::string::npos);
    EXPECT_NE(raster->find("charset=utf-8"), std::string::npos) << "topics say their encoding";
}

INSTANTIATE_TEST_SUITE_P(EnglishAndJapanese, HelpFiles, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HelpFileCase>& info) {
                             return info.param.lcid == 0x0411 ? std::string("Japanese") : std::string("English");
                         });

}  // namespace
}  // namespace zelt
