// A printer's named data in memory, answering as the spooler does: a value
// longer than the caller's buffer gives ERROR_MORE_DATA, a missing one
// ERROR_FILE_NOT_FOUND.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/setting_store.h"

namespace zelt {

class FakePrinterData final : public PrinterData {
public:
    struct Stored {
        std::uint32_t type;
        std::vector<unsigned char> bytes;
    };

    std::uint32_t Get(const wchar_t* name, std::uint32_t* type, unsigned char* buffer, std::uint32_t size,
                      std::uint32_t* needed) override {
        if (readError != 0) return readError;
        auto it = values.find(name);
        if (it == values.end()) return 2;
        *type = it->second.type;
        *needed = static_cast<std::uint32_t>(it->second.bytes.size());
        if (it->second.bytes.size() > size) return 234;
        if (!it->second.bytes.empty()) std::memcpy(buffer, it->second.bytes.data(), it->second.bytes.size());
        return 0;
    }

    std::uint32_t Set(const wchar_t* name, std::uint32_t type, const unsigned char* data,
                      std::uint32_t size) override {
        ++writes;
        if (writeError != 0 && (refusedName.empty() || refusedName == name)) return writeError;
        values[name] = Stored{type, std::vector<unsigned char>(data, data + size)};
        return 0;
    }

    void PutDword(const wchar_t* name, std::uint32_t value) {
        unsigned char bytes[4];
        std::memcpy(bytes, &value, 4);
        values[name] = Stored{kRegDword, std::vector<unsigned char>(bytes, bytes + 4)};
    }

    std::map<std::wstring, Stored> values;
    int writes = 0;  // attempted, refused ones included
    // Non-zero: every read fails with this error, as on an unusable handle.
    std::uint32_t readError = 0;
    // Non-zero: writes (of `refusedName` only, when given) fail with this
    // error and store nothing, as the spooler refuses them.
    std::uint32_t writeError = 0;
    std::wstring refusedName;
};

// Writes as (name, number), in the order a page made them.
using Writes = std::vector<std::pair<std::wstring, std::uint32_t>>;

// The fake store with every write recorded. Pages write only 4-byte
// REG_DWORD values; a write of any other form is counted apart.
class RecordingPrinter final : public PrinterData {
public:
    std::uint32_t Get(const wchar_t* name, std::uint32_t* type, unsigned char* buffer, std::uint32_t size,
                      std::uint32_t* needed) override {
        return store.Get(name, type, buffer, size, needed);
    }
    std::uint32_t Set(const wchar_t* name, std::uint32_t type, const unsigned char* data,
                      std::uint32_t size) override {
        std::uint32_t value = 0;
        if (size == 4) std::memcpy(&value, data, 4);
        if (type != kRegDword || size != 4) ++malformedWrites;
        writes.emplace_back(name, value);
        return store.Set(name, type, data, size);
    }

    FakePrinterData store;
    Writes writes;
    int malformedWrites = 0;
};

}  // namespace zelt
