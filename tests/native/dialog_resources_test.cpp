// The dialog templates as the built modules carry them, read from their
// resource sections: every control that takes input has an access key a user
// can reach, the keys of a dialog are unique and leave Alt+A and Alt+H to the
// sheet's Apply and Help, Japanese captions carry their keys as "(&X)", both
// languages agree, the tab order reads the page, and both modules hold the
// same templates. The build's own check that both languages carry the same
// templates, controls and strings shares this reader (tools/resource_check/).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "access_keys.h"
#include "resource_check/module_resources.h"
#include "resource_check/resource_languages.h"
#include "resources/resource.h"

namespace zelt::test {
namespace {

using namespace zelt::resources;

const std::array<std::uint16_t, 14> kPageTemplates = {
    IDD_COPY_A57,  IDD_RASTER_A57, IDD_RASTER_STANDARD, IDD_LOGO,    IDD_COPY_STANDARD,
    IDD_ZOOM,      IDD_COPY_A59,   IDD_RASTER_A59,      IDD_ETB,     IDD_RASTER_B18,
    IDD_COPY_B18,  IDD_RASTER_B15, IDD_COPY_C252,       IDD_RASTER_C252};
constexpr std::uint16_t kSaveAsTemplate = IDD_SAVE_AS;
// The sheet's own buttons answer to these in both languages.
constexpr char kSheetKeys[] = {'A', 'H'};

// --- Dialog templates ------------------------------------------------------------------------
constexpr std::uint32_t kTabStop = 0x00010000u;  // WS_TABSTOP
constexpr std::uint32_t kGroup = 0x00020000u;    // WS_GROUP
constexpr std::uint32_t kNoPrefix = 0x80u;       // SS_NOPREFIX

std::string Describe(std::uint16_t templateId, std::uint16_t language, const Control& control) {
    return "template " + std::to_string(templateId) + (language == kJapanese ? " ja" : " en") + ", control " +
           std::to_string(control.id) + " \"" + Utf8(control.text) + "\"";
}

// The key that reaches a control that takes input: its own caption's for a
// button, else the caption's of the label right before it, which hands the
// focus on to the next control in tab order (and so must not be
// SS_NOPREFIX, nor have another tab stop between them).
std::optional<char> KeyReaching(const Dialog& dialog, std::size_t index) {
    const Control& control = dialog.controls[index];
    if (control.IsButton()) return AccessKey(control.text);
    if (index == 0) return std::nullopt;
    const Control& label = dialog.controls[index - 1];
    if (label.kind != Kind::kLabel || (label.style & kNoPrefix)) return std::nullopt;
    return AccessKey(label.text);
}

// Whether `later` may follow `earlier` in tab order on a page read top to
// bottom and left to right: it does not stand wholly above it, and beside it
// (sharing some height) it does not stand to its left.
// A drop-down list's height in its template includes the list it drops.
bool ReadsAfter(const Control& earlier, const Control& later) {
    const auto height = [](const Control& c) { return c.kind == Kind::kComboBox ? std::min(c.cy, 14) : c.cy; };
    if (later.y + height(later) <= earlier.y) return false;
    const bool sameRow = later.y < earlier.y + height(earlier);
    return !sameRow || later.x >= earlier.x;
}

class DialogResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const char* path : {ZELT_MODULE_X86, ZELT_MODULE_X64}) {
            ModuleResources module;
            std::string error;
            if (!module.Load(path, error)) {
                loadError_ += error + "\n";
                continue;
            }
            modules_.push_back(module.dialogs());
        }
    }

    void SetUp() override { ASSERT_TRUE(loadError_.empty()) << loadError_; }

    static Dialog Template(std::uint16_t id, std::uint16_t language) {
        const auto found = modules_.front().find({id, language});
        if (found == modules_.front().end()) {
            ADD_FAILURE() << "no template " << id << " in language " << language;
            return {};
        }
        std::optional<Dialog> dialog = ParseDialog(found->second);
        if (!dialog) ADD_FAILURE() << "template " << id << " in language " << language << " cannot be read";
        return dialog.value_or(Dialog{});
    }

    static std::vector<std::uint16_t> AllTemplates() {
        std::vector<std::uint16_t> ids(kPageTemplates.begin(), kPageTemplates.end());
        ids.push_back(kSaveAsTemplate);
        return ids;
    }

    static inline std::vector<std::map<ResourceKey, Bytes>> modules_;
    static inline std::string loadError_;
};

TEST_F(DialogResources, BothModulesCarryTheSameFifteenTemplatesInTwoLanguages) {
    ASSERT_EQ(modules_.size(), 2u);
    EXPECT_TRUE(modules_[0] == modules_[1]) << "the x86 and x64 modules differ in their dialog resources";
    std::set<ResourceKey> expected;
    for (std::uint16_t id : AllTemplates()) {
        expected.insert({id, kEnglish});
        expected.insert({id, kJapanese});
    }
    std::set<ResourceKey> present;
    for (const auto& entry : modules_[0]) present.insert(entry.first);
    EXPECT_TRUE(present == expected) << present.size() << " dialog resources, expected 30";
}

TEST_F(DialogResources, EveryControlThatTakesInputHasAKeyAUserCanReach) {
    for (std::uint16_t id : AllTemplates()) {
        for (std::uint16_t language : {kEnglish, kJapanese}) {
            const Dialog dialog = Template(id, language);
            for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
                if (!dialog.controls[i].TakesInput()) continue;
                EXPECT_TRUE(KeyReaching(dialog, i).has_value()) << Describe(id, language, dialog.controls[i]);
            }
        }
    }
}

TEST_F(DialogResources, KeysAreUniquePerDialogAndLeaveApplyAndHelpToTheSheet) {
    for (std::uint16_t id : AllTemplates()) {
        for (std::uint16_t language : {kEnglish, kJapanese}) {
            std::map<char, std::int32_t> owners;
            for (const Control& control : Template(id, language).controls) {
                EXPECT_LE(AccessKeyMarks(control.text), 1u) << Describe(id, language, control);
                const std::optional<char> key = AccessKey(control.text);
                if (AccessKeyMarks(control.text) == 1) {
                    EXPECT_TRUE(key.has_value()) << Describe(id, language, control) << ": no letter marked";
                }
                if (!key) continue;
                for (char sheetKey : kSheetKeys) {
                    EXPECT_NE(*key, sheetKey) << Describe(id, language, control) << ": the sheet's key";
                }
                const auto [owner, added] = owners.emplace(*key, control.id);
                EXPECT_TRUE(added) << Describe(id, language, control) << ": " << *key << " also marks control "
                                   << owner->second;
            }
        }
    }
}

// English marks a letter of the caption; Japanese adds "(&X)" after it, and
// with the same letter as English, so a user's keys carry over.
TEST_F(DialogResources, JapaneseKeysFollowTheCaptionWithTheEnglishLetters) {
    for (std::uint16_t id : AllTemplates()) {
        const Dialog english = Template(id, kEnglish);
        const Dialog japanese = Template(id, kJapanese);
        ASSERT_EQ(english.controls.size(), japanese.controls.size()) << "template " << id;
        for (std::size_t i = 0; i < english.controls.size(); ++i) {
            const Control& en = english.controls[i];
            const Control& ja = japanese.controls[i];
            if (en.id != ja.id || en.kind != ja.kind) {
                ADD_FAILURE() << Describe(id, kJapanese, ja) << ": the languages differ in controls or their order";
                break;
            }
            EXPECT_EQ(AccessKey(en.text), AccessKey(ja.text)) << Describe(id, kJapanese, ja);
            EXPECT_FALSE(KeyAfterCaption(en.text)) << Describe(id, kEnglish, en);
            if (AccessKeyMarks(ja.text) > 0) EXPECT_TRUE(KeyAfterCaption(ja.text)) << Describe(id, kJapanese, ja);
        }
    }
}

// Tab goes through a page as it is read; a group of option buttons starts
// with WS_GROUP and the control after it starts the next group, so that the
// arrow keys stay within it.
TEST_F(DialogResources, PagesAreTabbedAsTheyReadAndOptionGroupsAreClosed) {
    for (std::uint16_t id : kPageTemplates) {
        for (std::uint16_t language : {kEnglish, kJapanese}) {
            const std::vector<Control>& controls = Template(id, language).controls;
            const Control* previous = nullptr;
            for (std::size_t i = 0; i < controls.size(); ++i) {
                const Control& control = controls[i];
                const bool radio = control.kind == Kind::kRadioButton;
                const bool firstRadio = radio && (i == 0 || controls[i - 1].kind != Kind::kRadioButton);
                const bool lastRadio = radio && (i + 1 == controls.size() || controls[i + 1].kind != Kind::kRadioButton);
                if (firstRadio) EXPECT_TRUE(control.style & kGroup) << Describe(id, language, control);
                if (lastRadio && i + 1 < controls.size()) {
                    EXPECT_TRUE(controls[i + 1].style & kGroup) << Describe(id, language, controls[i + 1]);
                }
                if (!control.TakesInput()) continue;
                if (!radio || firstRadio) {
                    EXPECT_TRUE(control.style & kTabStop) << Describe(id, language, control) << ": no tab stop";
                }
                if (previous != nullptr) {
                    EXPECT_TRUE(ReadsAfter(*previous, control))
                        << Describe(id, language, control) << " comes after " << previous->id << " in tab order";
                }
                previous = &control;
            }
        }
    }
}

// The Save As dialog: its size, its three controls by id, the name field
// first and the buttons after it.
TEST_F(DialogResources, SaveAsKeepsItsSizeIdsAndPutsTheNameFirst) {
    for (std::uint16_t language : {kEnglish, kJapanese}) {
        const Dialog dialog = Template(kSaveAsTemplate, language);
        EXPECT_EQ(dialog.cx, 186);
        EXPECT_EQ(dialog.cy, 39);
        std::vector<std::int32_t> inputs;
        for (const Control& control : dialog.controls) {
            if (control.TakesInput()) inputs.push_back(control.id);
            EXPECT_GE(control.x, 0);
            EXPECT_GE(control.y, 0);
            EXPECT_LE(control.x + control.cx, dialog.cx) << control.id;
            EXPECT_LE(control.y + control.cy, dialog.cy) << control.id;
        }
        EXPECT_EQ(inputs, (std::vector<std::int32_t>{IDC_SAVE_AS_NAME, IDC_SAVE_AS_OK, IDC_SAVE_AS_CANCEL}));
    }
}

// The build's language check, fed two small hand-made resource sets that
// differ in one template, control or string, with ids named as a resource
// header names them (a control id may have two names).
TEST(ResourceLanguages, NameWhatOneLanguageLacks) {
    std::istringstream header(
        "#define IDD_ZOOM 110\n#define IDC_ZOOM_FACTOR 1071 // a comment\n#define IDC_LOGO_FACTOR 1071\n"
        "#define IDS_LEFT 3\n#define IDH_ZOOM 3\n");
    const ResourceNames names = ReadResourceNames(header);
    const auto label = [](std::int32_t id, std::u16string text) {
        return Control{id, Kind::kLabel, 0, 0, 0, 0, 0, std::move(text)};
    };
    LanguageResources same;
    same.dialogs[110] = Dialog{0, 0, u"Zoom", {label(-1, u"Area"), label(1071, u"&Factor:"), label(-1, u"Unit")}};
    same.dialogs[113] = Dialog{0, 0, u"Save As", {}};
    same.strings[3] = u"Left";
    struct Row {
        const char* what;
        std::function<void(LanguageResources& english, LanguageResources& japanese)> change;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"nothing", [](LanguageResources&, LanguageResources&) {}, {}},
        {"a Japanese control",
         [](LanguageResources&, LanguageResources& japanese) {
             std::vector<Control>& controls = japanese.dialogs[110].controls;
             controls.erase(controls.begin() + 1);
         },
         {"Japanese lacks control 1071 IDC_ZOOM_FACTOR or IDC_LOGO_FACTOR of dialog 110 IDD_ZOOM "
          "(English: \"&Factor:\")"}},
        {"one of two Japanese controls with the id -1",
         [](LanguageResources&, LanguageResources& japanese) { japanese.dialogs[110].controls.pop_back(); },
         {"Japanese lacks control -1 of dialog 110 IDD_ZOOM (English: \"Unit\")"}},
        {"a Japanese template",
         [](LanguageResources&, LanguageResources& japanese) { japanese.dialogs.erase(113); },
         {"Japanese lacks dialog 113 (English: \"Save As\")"}},
        {"an English string",
         [](LanguageResources& english, LanguageResources& japanese) {
             english.strings.clear();
             japanese.strings[3] = u"\u5DE6";
         },
         {"English lacks string 3 IDS_LEFT (Japanese: \"\u5DE6\")"}},
    };
    for (const Row& row : rows) {
        LanguageResources english = same;
        LanguageResources japanese = same;
        row.change(english, japanese);
        EXPECT_EQ(LanguageDifferences(english, japanese, names), row.expected) << "without " << row.what;
    }
}

// --- Damaged modules --------------------------------------------------------------------------
Bytes ReadModule(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t Get(const Bytes& bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= std::uint32_t{bytes.at(at + i)} << (8 * i);
    return value;
}

void Put(Bytes& bytes, std::size_t at, std::size_t width, std::uint32_t value) {
    for (std::size_t i = 0; i < width; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

// Where the parts of a module as built lie.
struct Layout {
    std::size_t size, pe, directories, resourceHeader, resourceTree, firstDialog;
};

Layout LayoutOf(const Bytes& image, const ModuleResources& module) {
    const auto find = [&image](const auto& part) {
        return static_cast<std::size_t>(std::search(image.begin(), image.end(), part.begin(), part.end()) -
                                        image.begin());
    };
    Layout at{image.size(), Get(image, 0x3C, 4)};
    at.directories = at.pe + 24 + (Get(image, at.pe + 24, 2) == 0x10B ? 96 : 112);
    at.resourceHeader = find(std::string(".rsrc"));
    at.resourceTree = Get(image, at.resourceHeader + 20, 4);
    at.firstDialog = find(module.dialogs().begin()->second);
    return at;
}

// Copies of both built modules, cut short or with a header field or a
// directory count made absurd: the reader refuses them with an error (where
// a row names it, that one), or the comparison takes what it read without a
// crash. The sanitized build catches any read past the bytes.
TEST(DamagedModules, AreRefusedOrComparedWithoutACrash) {
    enum class Expect { kRefused, kIntact, kEither };
    using Where = std::size_t (*)(const Layout&);
    using Change = std::function<void(Bytes&, const Layout&)>;
    const auto cut = [](Where length) -> Change {
        return [length](Bytes& bytes, const Layout& at) { bytes.resize(length(at)); };
    };
    const auto put = [](Where field, std::size_t width, std::uint32_t value) -> Change {
        return [=](Bytes& bytes, const Layout& at) { Put(bytes, field(at), width, value); };
    };
    // A tree whose 100 type entries (all dialogs) lead to one directory of 100
    // names, whose entries all lead to one of 100 languages, all leading to one
    // data entry: a walk that follows every entry copies it a million times.
    const Change sharedDirectories = [](Bytes& bytes, const Layout& at) {
        constexpr std::uint32_t kEntries = 100, kDirectory = 16 + 8 * kEntries, kSubdirectory = 0x80000000u;
        for (std::uint32_t level = 0; level < 3; ++level) {
            const std::size_t directory = at.resourceTree + level * kDirectory;
            Put(bytes, directory + 12, 4, kEntries << 16);  // no named entries, 100 numbered ones
            const std::uint32_t below = (level + 1) * kDirectory | (level < 2 ? kSubdirectory : 0);
            for (std::size_t entry = directory + 16; entry < directory + kDirectory; entry += 8) {
                Put(bytes, entry, 4, 5);  // RT_DIALOG, dialog 5, language 5
                Put(bytes, entry + 4, 4, below);
            }
        }
        const std::size_t data = at.resourceTree + 3 * kDirectory;  // the section's first 64 bytes
        Put(bytes, data, 4, Get(bytes, at.resourceHeader + 12, 4));
        Put(bytes, data + 4, 4, 64);
    };
    const struct {
        const char* what;
        Change change;
        Expect expect;
        const char* refusal;
    } rows[] = {
        {"whole", [](Bytes&, const Layout&) {}, Expect::kIntact},
        {"cut to nothing", cut([](const Layout&) -> std::size_t { return 0; }), Expect::kRefused},
        {"cut to one byte", cut([](const Layout&) -> std::size_t { return 1; }), Expect::kRefused},
        {"cut before the PE offset", cut([](const Layout&) -> std::size_t { return 0x3C; }), Expect::kRefused},
        {"cut after the PE offset", cut([](const Layout&) -> std::size_t { return 0x40; }), Expect::kRefused},
        {"cut after the PE header", cut([](const Layout& at) { return at.pe + 24; }), Expect::kRefused},
        {"cut in the section table", cut([](const Layout& at) { return at.resourceHeader + 12; }), Expect::kRefused},
        {"cut in the resource section", cut([](const Layout& at) { return at.firstDialog + 8; }), Expect::kRefused},
        {"cut one byte short", cut([](const Layout& at) { return at.size - 1; }), Expect::kIntact},
        {"PE offset past the end", put([](const Layout&) -> std::size_t { return 0x3C; }, 4, 0xFFFFFFF0u),
         Expect::kRefused},
        {"0xFFFF sections", put([](const Layout& at) { return at.pe + 6; }, 2, 0xFFFF), Expect::kEither},
        {"optional header too short for the resource directory", put([](const Layout& at) { return at.pe + 20; }, 2, 0),
         Expect::kRefused},
        // The section table follows the optional header, so it moves up with
        // its end and is still found where the header says.
        {"optional header one byte short of the resource directory",
         [](Bytes& bytes, const Layout& at) {
             const std::size_t optional = at.pe + 24, shortSize = at.directories + 8 * 3 - 1 - optional;
             const auto table = bytes.begin() + static_cast<std::ptrdiff_t>(optional + Get(bytes, at.pe + 20, 2));
             std::copy(table, table + 40 * Get(bytes, at.pe + 6, 2),
                       bytes.begin() + static_cast<std::ptrdiff_t>(optional + shortSize));
             Put(bytes, at.pe + 20, 2, static_cast<std::uint32_t>(shortSize));
         },
         Expect::kRefused, "no readable resource section"},
        {"two data directories", put([](const Layout& at) { return at.directories - 4; }, 4, 2), Expect::kRefused},
        {"resource RVA 0xFFFFFFFF", put([](const Layout& at) { return at.directories + 16; }, 4, 0xFFFFFFFFu),
         Expect::kRefused},
        {"resource section at 0xFFFFFFF0", put([](const Layout& at) { return at.resourceHeader + 20; }, 4, 0xFFFFFFF0u),
         Expect::kRefused},
        // The section starts at address 0 and its file offset moves down as
        // far, to below the file's start: only a 32-bit sum wraps back to the tree.
        {"resource section's offsets adding up only in 32 bits",
         [](Bytes& bytes, const Layout& at) {
             const std::uint32_t address = Get(bytes, at.resourceHeader + 12, 4);
             Put(bytes, at.resourceHeader + 8, 4, Get(bytes, at.resourceHeader + 8, 4) + address);
             Put(bytes, at.resourceHeader + 12, 4, 0);
             Put(bytes, at.resourceHeader + 20, 4, static_cast<std::uint32_t>(at.resourceTree) - address);
         },
         Expect::kRefused, "no readable resource section"},
        {"0xFFFF resource types", put([](const Layout& at) { return at.resourceTree + 14; }, 2, 0xFFFF),
         Expect::kRefused},
        {"resource directories shared a hundred times over", sharedDirectories, Expect::kRefused,
         "a damaged resource tree"},
    };
    const ResourceNames names{};
    for (const char* path : {ZELT_MODULE_X86, ZELT_MODULE_X64}) {
        const Bytes image = ReadModule(path);
        ModuleResources whole;
        std::string error;
        ASSERT_TRUE(whole.Load(image, error)) << error;
        const Layout layout = LayoutOf(image, whole);
        for (const auto& row : rows) {
            Bytes damaged = image;
            row.change(damaged, layout);
            ModuleResources module;
            error.clear();
            const bool loaded = module.Load(std::move(damaged), error);
            const std::vector<std::string> faults = LanguageFaults(module, names);
            const bool empty = module.dialogs().empty() && module.stringBlocks().empty();
            EXPECT_EQ(loaded, error.empty()) << path << ", " << row.what << ": " << error;
            if (row.expect == Expect::kRefused) EXPECT_TRUE(!loaded && empty) << path << ", " << row.what;
            if (row.refusal != nullptr) EXPECT_EQ(error, row.refusal) << path << ", " << row.what;
            if (row.expect == Expect::kIntact) {
                EXPECT_TRUE(loaded && module.dialogs() == whole.dialogs() &&
                            module.stringBlocks() == whole.stringBlocks() && faults.empty())
                    << path << ", " << row.what << ": " << error;
            }
        }
    }
}

// The module with one Japanese string block marked Korean: the first 1041
// in it that the reader then reads as a string block's language.
Bytes WithAStringBlockInKorean(const Bytes& image) {
    constexpr std::uint16_t kKorean = 1042;
    for (std::size_t at = 0; at + 4 <= image.size(); at += 4) {
        if (Get(image, at, 4) != kJapanese) continue;
        Bytes changed = image;
        Put(changed, at, 4, kKorean);
        ModuleResources module;
        std::string error;
        if (!module.Load(changed, error)) continue;
        for (const auto& block : module.stringBlocks()) {
            if (block.first.language == kKorean) return changed;
        }
    }
    ADD_FAILURE() << "no Japanese string block found";
    return image;
}

// The build's language check exits 0 for the module as built and 1 for one
// whose languages differ or that cannot be read.
TEST(DamagedModules, FailTheBuildsLanguageCheck) {
    const Bytes image = ReadModule(ZELT_MODULE_X64);
    const struct {
        const char* what;
        Bytes module;
        int status;
    } rows[] = {
        {"as built", image, 0},
        {"a Japanese string block marked Korean", WithAStringBlockInKorean(image), 1},
        {"cut in half", Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(image.size() / 2)), 1},
    };
    const std::string path = ::testing::TempDir() + "language_check_" + std::to_string(::getpid()) + ".dll";
    for (const auto& row : rows) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(row.module.data()), static_cast<std::streamsize>(row.module.size()));
        const std::string command = std::string("'") + ZELT_LANGUAGE_CHECK + "' '" + path + "' '" +
                                    ZELT_RESOURCE_HEADER + "' >/dev/null 2>&1";
        const int result = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(result) && WEXITSTATUS(result) == row.status) << row.what << ": " << result;
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace zelt::test
