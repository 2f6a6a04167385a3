// The dialog templates as the built modules carry them, read from their
// resource sections: every control that takes input has an access key a user
// can reach, the keys of a dialog are unique and leave Alt+A and Alt+H to the
// sheet's Apply and Help, Japanese captions carry their keys as "(&X)", both
// languages agree, the tab order reads the page, and both modules hold the
// same templates.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "access_keys.h"
#include "resources/resource.h"

namespace zelt::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kEnglish = 1033;
constexpr std::uint16_t kJapanese = 1041;
constexpr std::uint32_t kDialogResource = 5;  // RT_DIALOG
constexpr std::uint32_t kStringResource = 6;  // RT_STRING

const std::array<std::uint16_t, 14> kPageTemplates = {
    IDD_COPY_A57,  IDD_RASTER_A57, IDD_RASTER_STANDARD, IDD_LOGO,    IDD_COPY_STANDARD,
    IDD_ZOOM,      IDD_COPY_A59,   IDD_RASTER_A59,      IDD_ETB,     IDD_RASTER_B18,
    IDD_COPY_B18,  IDD_RASTER_B15, IDD_COPY_C252,       IDD_RASTER_C252};
constexpr std::uint16_t kSaveAsTemplate = IDD_SAVE_AS;
// The sheet's own buttons answer to these in both languages.
constexpr char kSheetKeys[] = {'A', 'H'};

// --- Reading bytes that may be short or wrong -----------------------------------------
// Every read is bounds-checked; a read past the end marks the reader failed
// and yields zeros, so a damaged module fails a check instead of the test.
class Reader {
public:
    Reader(const Bytes& bytes, std::size_t at) : bytes_(bytes), at_(at) {}
    bool failed() const { return failed_; }
    std::size_t at() const { return at_; }
    void Seek(std::size_t at) { at_ = at; }
    void Align4() { at_ = (at_ + 3) & ~std::size_t{3}; }

    std::uint32_t Read(std::size_t size) {
        if (at_ > bytes_.size() || bytes_.size() - at_ < size) {
            failed_ = true;
            at_ = bytes_.size();
            return 0;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{bytes_[at_ + i]} << (8 * i);
        at_ += size;
        return value;
    }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Read(2)); }
    std::int16_t S16() { return static_cast<std::int16_t>(Read(2)); }
    std::uint32_t U32() { return Read(4); }

    std::u16string Text() {
        std::u16string text;
        while (!failed_) {
            const char16_t c = U16();
            if (c == 0) break;
            text.push_back(c);
        }
        return text;
    }
    // A name or number field of a template: none, 0xFFFF and a number, or text.
    std::u16string TextOrNumber(std::uint16_t& number) {
        number = 0;
        const std::uint16_t first = U16();
        if (first == 0) return {};
        if (first == 0xFFFF) {
            number = U16();
            return {};
        }
        at_ -= 2;
        return Text();
    }

private:
    const Bytes& bytes_;
    std::size_t at_;
    bool failed_ = false;
};

// --- Resources of a PE module --------------------------------------------------------------
struct ResourceKey {
    std::uint32_t id;
    std::uint16_t language;
    bool operator<(const ResourceKey& other) const {
        return id != other.id ? id < other.id : language < other.language;
    }
    bool operator==(const ResourceKey& other) const { return id == other.id && language == other.language; }
};

class ModuleResources {
public:
    // The dialog resources and string table blocks by id and language; empty
    // with `error` when the file is missing or is no PE module with a well-formed resource tree.
    bool Load(const std::string& path, std::string& error) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            error = "cannot read " + path + " (the cross builds make it)";
            return false;
        }
        image_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (!FindResourceSection()) {
            error = path + " has no readable resource section";
            return false;
        }
        if (!ReadDialogs()) {
            error = path + " has a damaged resource tree";
            return false;
        }
        return true;
    }
    const std::map<ResourceKey, Bytes>& dialogs() const { return dialogs_; }
    const std::map<ResourceKey, Bytes>& stringBlocks() const { return stringBlocks_; }

private:
    bool FindResourceSection() {
        Reader r(image_, 0x3C);
        const std::uint32_t pe = r.U32();
        r.Seek(pe);
        if (r.U32() != 0x4550) return false;  // "PE\0\0"
        r.Seek(pe + 6);
        const std::uint16_t sections = r.U16();
        r.Seek(pe + 20);
        const std::uint16_t optionalSize = r.U16();
        const std::size_t optional = pe + 24;
        r.Seek(optional);
        const std::uint16_t magic = r.U16();
        if (magic != 0x10B && magic != 0x20B) return false;
        // The resource table is the third data directory.
        r.Seek(optional + (magic == 0x10B ? 96 : 112) + 2 * 8);
        const std::uint32_t resourceRva = r.U32();
        for (std::uint16_t i = 0; i < sections; ++i) {
            r.Seek(optional + optionalSize + 40u * i + 8);
            const std::uint32_t virtualSize = r.U32();
            const std::uint32_t virtualAddress = r.U32();
            r.U32();  // size of raw data
            const std::uint32_t rawData = r.U32();
            if (!r.failed() && resourceRva >= virtualAddress && resourceRva < virtualAddress + virtualSize) {
                sectionRva_ = virtualAddress;
                sectionFile_ = rawData;
                resourceFile_ = rawData + (resourceRva - virtualAddress);
                return resourceFile_ < image_.size();
            }
        }
        return false;
    }

    // One directory's entries: (id or name offset, offset of what it leads to).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Entries(std::uint32_t directory, bool& ok) const {
        Reader r(image_, resourceFile_ + directory + 12);
        const std::uint32_t count = std::uint32_t{r.U16()} + r.U16();
        std::vector<std::pair<std::uint32_t, std::uint32_t>> entries;
        for (std::uint32_t i = 0; i < count && !r.failed(); ++i) {
            const std::uint32_t name = r.U32();
            const std::uint32_t target = r.U32();
            entries.emplace_back(name, target);
        }
        ok = ok && !r.failed() && count < 4096;
        return entries;
    }

    bool ReadDialogs() {
        bool ok = true;
        constexpr std::uint32_t kSubdirectory = 0x80000000u;
        for (const auto& [type, types] : Entries(0, ok)) {
            if ((type != kDialogResource && type != kStringResource) || !(types & kSubdirectory)) continue;
            std::map<ResourceKey, Bytes>& found = type == kDialogResource ? dialogs_ : stringBlocks_;
            for (const auto& [name, names] : Entries(types & ~kSubdirectory, ok)) {
                if (!(names & kSubdirectory)) return false;
                for (const auto& [language, dataEntry] : Entries(names & ~kSubdirectory, ok)) {
                    if (dataEntry & kSubdirectory) return false;
                    Reader r(image_, resourceFile_ + dataEntry);
                    const std::uint32_t rva = r.U32();
                    const std::uint32_t size = r.U32();
                    const std::size_t at = sectionFile_ + (rva - sectionRva_);
                    if (r.failed() || rva < sectionRva_ || at > image_.size() || image_.size() - at < size) {
                        return false;
                    }
                    found[{name, static_cast<std::uint16_t>(language)}] =
                        Bytes(image_.begin() + static_cast<std::ptrdiff_t>(at),
                              image_.begin() + static_cast<std::ptrdiff_t>(at + size));
                }
            }
        }
        return ok;
    }

    Bytes image_;
    std::uint32_t sectionRva_ = 0;
    std::uint32_t sectionFile_ = 0;
    std::size_t resourceFile_ = 0;
    std::map<ResourceKey, Bytes> dialogs_;
    std::map<ResourceKey, Bytes> stringBlocks_;
};

// The ids of the strings a string table block holds (block n holds 16n-16 to 16n-1).
std::set<std::uint32_t> StringIds(std::uint32_t block, const Bytes& bytes) {
    std::set<std::uint32_t> ids;
    Reader r(bytes, 0);
    for (std::uint32_t slot = 0; slot < 16; ++slot) {
        const std::uint16_t length = r.U16();
        if (length != 0) ids.insert((block - 1) * 16 + slot);
        r.Seek(r.at() + 2u * length);
    }
    if (r.failed() || r.at() > bytes.size()) ADD_FAILURE() << "string block " << block << " is cut short";
    return ids;
}

// --- Dialog templates ------------------------------------------------------------------------
enum class Kind { kPushButton, kCheckBox, kRadioButton, kGroupBox, kEdit, kComboBox, kLabel, kOther };

constexpr std::uint32_t kTabStop = 0x00010000u;  // WS_TABSTOP
constexpr std::uint32_t kGroup = 0x00020000u;    // WS_GROUP
constexpr std::uint32_t kNoPrefix = 0x80u;       // SS_NOPREFIX

struct Control {
    std::int32_t id;
    Kind kind;
    std::uint32_t style;
    int x, y, cx, cy;
    std::u16string text;
    bool TakesInput() const { return kind != Kind::kGroupBox && kind != Kind::kLabel && kind != Kind::kOther; }
    bool IsButton() const { return kind == Kind::kPushButton || kind == Kind::kCheckBox || kind == Kind::kRadioButton; }
};

struct Dialog {
    int cx = 0, cy = 0;
    std::vector<Control> controls;
};

Kind KindOf(std::uint16_t classNumber, std::uint32_t style) {
    switch (classNumber) {
        case 0x80: {  // Button
            switch (style & 0x0F) {
                case 0x02: case 0x03: case 0x05: case 0x06: return Kind::kCheckBox;
                case 0x04: case 0x09: return Kind::kRadioButton;
                case 0x07: return Kind::kGroupBox;
                default: return Kind::kPushButton;
            }
        }
        case 0x81: return Kind::kEdit;
        case 0x82: return Kind::kLabel;
        case 0x85: return Kind::kComboBox;
        default: return Kind::kOther;
    }
}

// An extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items).
std::optional<Dialog> ParseDialog(const Bytes& bytes) {
    Reader r(bytes, 0);
    if (r.U16() != 1 || r.U16() != 0xFFFF) return std::nullopt;
    r.U32();  // help id
    r.U32();  // extended style
    const std::uint32_t style = r.U32();
    const std::uint16_t count = r.U16();
    Dialog dialog;
    r.S16();
    r.S16();
    dialog.cx = r.S16();
    dialog.cy = r.S16();
    std::uint16_t number = 0;
    r.TextOrNumber(number);  // menu
    r.TextOrNumber(number);  // class
    r.Text();                // caption
    if (style & 0x40) {      // DS_SETFONT: size, weight, italic and charset, face
        r.U16();
        r.U16();
        r.U16();
        r.Text();
    }
    for (std::uint16_t i = 0; i < count && !r.failed(); ++i) {
        r.Align4();
        Control control{};
        r.U32();  // help id
        r.U32();  // extended style
        control.style = r.U32();
        control.x = r.S16();
        control.y = r.S16();
        control.cx = r.S16();
        control.cy = r.S16();
        control.id = static_cast<std::int32_t>(r.U32());
        std::uint16_t classNumber = 0;
        r.TextOrNumber(classNumber);
        control.kind = KindOf(classNumber, control.style);
        control.text = r.TextOrNumber(number);
        const std::uint16_t creationData = r.U16();
        r.Seek(r.at() + creationData);
        dialog.controls.push_back(control);
    }
    if (r.failed()) return std::nullopt;
    return dialog;
}

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

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
            stringBlocks_.push_back(module.stringBlocks());
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
    static inline std::vector<std::map<ResourceKey, Bytes>> stringBlocks_;
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

TEST_F(DialogResources, BothLanguagesCarryTheSameStrings) {
    for (const std::map<ResourceKey, Bytes>& blocks : stringBlocks_) {
        std::map<std::uint16_t, std::set<std::uint32_t>> idsByLanguage;
        for (const auto& [key, bytes] : blocks) {
            const std::set<std::uint32_t> ids = StringIds(key.id, bytes);
            idsByLanguage[key.language].insert(ids.begin(), ids.end());
        }
        EXPECT_FALSE(idsByLanguage[kEnglish].empty());
        EXPECT_TRUE(idsByLanguage[kEnglish] == idsByLanguage[kJapanese]) << "the languages differ in their strings";
        EXPECT_EQ(idsByLanguage.size(), 2u);
    }
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

}  // namespace
}  // namespace zelt::test
