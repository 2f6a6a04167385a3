#include "module_resources.h"

#include <fstream>
#include <iterator>
#include <utility>

namespace zelt::resources {
namespace {

constexpr std::uint32_t kDialogResource = 5;  // RT_DIALOG
constexpr std::uint32_t kStringResource = 6;  // RT_STRING

// --- Reading bytes that may be short or wrong -----------------------------------------
// A read past the end marks the reader failed and yields zeros.
class Reader {
public:
    Reader(const Bytes& bytes, std::uint64_t at) : bytes_(bytes) { Seek(at); }
    bool failed() const { return failed_; }
    std::size_t at() const { return at_; }
    // Offsets come from the bytes themselves, hence 64 bits: no sum of two
    // 32-bit fields wraps back into the file.
    void Seek(std::uint64_t at) {
        if (at > bytes_.size()) {
            failed_ = true;
            at_ = bytes_.size();
            return;
        }
        at_ = static_cast<std::size_t>(at);
    }
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
    std::size_t at_ = 0;
    bool failed_ = false;
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

}  // namespace

bool ModuleResources::Load(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path + " (the cross builds make it)";
        return false;
    }
    if (Load(Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()), error)) return true;
    error = path + " has " + error;
    return false;
}

bool ModuleResources::Load(Bytes image, std::string& error) {
    ModuleResources read;
    read.image_ = std::move(image);
    if (!read.FindResourceSection()) {
        error = "no readable resource section";
    } else if (!read.ReadDialogs()) {
        error = "a damaged resource tree";
    } else {
        *this = std::move(read);
        return true;
    }
    *this = ModuleResources{};
    return false;
}

bool ModuleResources::FindResourceSection() {
    Reader r(image_, 0x3C);
    const std::uint64_t pe = r.U32();
    r.Seek(pe);
    if (r.U32() != 0x4550) return false;  // "PE\0\0"
    r.Seek(pe + 6);
    const std::uint16_t sections = r.U16();
    r.Seek(pe + 20);
    const std::uint16_t optionalSize = r.U16();
    const std::uint64_t optional = pe + 24;
    r.Seek(optional);
    const std::uint16_t magic = r.U16();
    if (magic != 0x10B && magic != 0x20B) return false;
    // The data directories end the optional header, after their count; the
    // resource table is the third, and both must be there.
    const std::uint64_t directories = magic == 0x10B ? 96 : 112;
    constexpr std::uint32_t kResourceDirectory = 2;
    r.Seek(optional + directories - 4);
    const std::uint32_t directoryCount = r.U32();
    if (directoryCount <= kResourceDirectory || optionalSize < directories + 8 * (kResourceDirectory + 1)) {
        return false;
    }
    r.Seek(optional + directories + 8 * kResourceDirectory);
    const std::uint32_t resourceRva = r.U32();
    for (std::uint16_t i = 0; i < sections && !r.failed(); ++i) {
        r.Seek(optional + optionalSize + 40u * i + 8);
        const std::uint32_t virtualSize = r.U32();
        const std::uint32_t virtualAddress = r.U32();
        r.U32();  // size of raw data
        const std::uint32_t rawData = r.U32();
        if (!r.failed() && resourceRva >= virtualAddress &&
            resourceRva < std::uint64_t{virtualAddress} + virtualSize) {
            sectionRva_ = virtualAddress;
            sectionFile_ = rawData;
            const std::uint64_t resourceFile = std::uint64_t{rawData} + (resourceRva - virtualAddress);
            if (resourceFile >= image_.size()) return false;
            resourceFile_ = static_cast<std::size_t>(resourceFile);
            return true;
        }
    }
    return false;
}

// One directory's entries: (id or name offset, offset of what it leads to);
// none when the directory is cut short or more than the walk may read.
std::optional<std::vector<ModuleResources::Entry>> ModuleResources::Entries(std::uint32_t directory) {
    Reader r(image_, std::uint64_t{resourceFile_} + directory + 12);
    const std::uint32_t count = std::uint32_t{r.U16()} + r.U16();
    const std::uint64_t size = 16 + 8 * std::uint64_t{count};
    if (r.failed() || size > walkLeft_) return std::nullopt;
    walkLeft_ -= size;
    std::vector<Entry> entries;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t name = r.U32();
        const std::uint32_t target = r.U32();
        entries.emplace_back(name, target);
    }
    if (r.failed()) return std::nullopt;
    return entries;
}

bool ModuleResources::ReadDialogs() {
    constexpr std::uint32_t kSubdirectory = 0x80000000u;
    constexpr std::uint64_t kDataEntrySize = 16;
    walkLeft_ = image_.size();
    const std::optional<std::vector<Entry>> types = Entries(0);
    if (!types) return false;
    for (const auto& [type, typeDirectory] : *types) {
        if ((type != kDialogResource && type != kStringResource) || !(typeDirectory & kSubdirectory)) continue;
        std::map<ResourceKey, Bytes>& found = type == kDialogResource ? dialogs_ : stringBlocks_;
        const std::optional<std::vector<Entry>> names = Entries(typeDirectory & ~kSubdirectory);
        if (!names) return false;
        for (const auto& [name, nameDirectory] : *names) {
            if (!(nameDirectory & kSubdirectory)) return false;
            const std::optional<std::vector<Entry>> languages = Entries(nameDirectory & ~kSubdirectory);
            if (!languages) return false;
            for (const auto& [language, dataEntry] : *languages) {
                if (dataEntry & kSubdirectory) return false;
                Reader r(image_, std::uint64_t{resourceFile_} + dataEntry);
                const std::uint32_t rva = r.U32();
                const std::uint32_t size = r.U32();
                if (r.failed() || rva < sectionRva_ || kDataEntrySize + size > walkLeft_) return false;
                walkLeft_ -= kDataEntrySize + size;
                const std::uint64_t at = std::uint64_t{sectionFile_} + (rva - sectionRva_);
                if (at > image_.size() || image_.size() - at < size) return false;
                found[{name, static_cast<std::uint16_t>(language)}] =
                    Bytes(image_.begin() + static_cast<std::ptrdiff_t>(at),
                          image_.begin() + static_cast<std::ptrdiff_t>(at + size));
            }
        }
    }
    return true;
}

std::optional<std::map<std::uint32_t, std::u16string>> ReadStringBlock(std::uint32_t block, const Bytes& bytes) {
    std::map<std::uint32_t, std::u16string> strings;
    Reader r(bytes, 0);
    for (std::uint32_t slot = 0; slot < 16; ++slot) {
        const std::uint16_t length = r.U16();
        std::u16string text;
        for (std::uint16_t i = 0; i < length && !r.failed(); ++i) text.push_back(r.U16());
        if (length != 0) strings[(block - 1) * 16 + slot] = text;
    }
    if (r.failed()) return std::nullopt;
    return strings;
}

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
    dialog.caption = r.Text();
    if (style & 0x40) {  // DS_SETFONT: size, weight, italic and charset, face
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

}  // namespace zelt::resources
