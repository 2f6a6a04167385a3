// The dialog templates and string tables of a built PE module, read from its
// resource section by a native program (the build's language check and the
// unit tests). Every read is bounds-checked: a damaged module is an error,
// never a read past the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelt::resources {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kEnglish = 1033;
constexpr std::uint16_t kJapanese = 1041;

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
    bool Load(const std::string& path, std::string& error);
    // The same from a module's bytes; `error` says what is wrong with them.
    bool Load(Bytes image, std::string& error);
    const std::map<ResourceKey, Bytes>& dialogs() const { return dialogs_; }
    const std::map<ResourceKey, Bytes>& stringBlocks() const { return stringBlocks_; }

private:
    using Entry = std::pair<std::uint32_t, std::uint32_t>;
    bool FindResourceSection();
    std::optional<std::vector<Entry>> Entries(std::uint32_t directory);
    bool ReadDialogs();

    Bytes image_;
    std::uint32_t sectionRva_ = 0;
    std::uint32_t sectionFile_ = 0;
    std::size_t resourceFile_ = 0;
    // What the walk of the tree may still read and copy: a module's own tree
    // reads each byte once, a damaged one could lead it round and round.
    std::uint64_t walkLeft_ = 0;
    std::map<ResourceKey, Bytes> dialogs_;
    std::map<ResourceKey, Bytes> stringBlocks_;
};

// The strings of a string table block by id (block n holds 16n-16 to 16n-1);
// none when the block is cut short.
std::optional<std::map<std::uint32_t, std::u16string>> ReadStringBlock(std::uint32_t block, const Bytes& bytes);

// --- Dialog templates ------------------------------------------------------------------------
enum class Kind { kPushButton, kCheckBox, kRadioButton, kGroupBox, kEdit, kComboBox, kLabel, kOther };

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
    std::u16string caption;
    std::vector<Control> controls;
};

// An extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items).
std::optional<Dialog> ParseDialog(const Bytes& bytes);

std::string Utf8(const std::u16string& text);

}  // namespace zelt::resources
