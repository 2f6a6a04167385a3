// Logo and journal files in memory, answering as the C runtime does: a file
// is opened by its path and read as it is at the time of the read, a rename
// never replaces its target, and the listing returns a folder's entries in
// the order they were made (a renamed entry moves to the end). Files too
// large to hold are generated: byte i of one is GeneratedByte(i).
#pragma once

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <functional>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "logo/file_system.h"

namespace zelt {

class FakeFileSystem final : public FileSystem {
public:
    using Bytes = std::vector<unsigned char>;

    int CurrentDrive() override { return drive; }

    // Depends on every bit of the offset, so that bytes out of order show.
    static unsigned char GeneratedByte(std::uint64_t offset) {
        return static_cast<unsigned char>((offset * 0x9E3779B97F4A7C15ull) >> 56);
    }

    File OpenForReading(const wchar_t* path) override {
        ++opens[path];
        if (onOpen) onOpen(path, opens[path]);
        if (!Exists(path) || unreadable.count(path) != 0) return nullptr;
        open_.push_back(Handle{path, 0});
        ++openNow;
        return &open_.back();
    }

    std::int64_t Length(File file) override {
        Handle& handle = *static_cast<Handle*>(file);
        if (reportedLength.count(handle.path) != 0) return reportedLength[handle.path];
        handle.position = SizeOf(handle.path);
        return static_cast<std::int64_t>(handle.position);
    }

    bool SeekToStart(File file) override {
        Handle& handle = *static_cast<Handle*>(file);
        handle.position = 0;
        // The rendering side may cut the file between measuring and reading.
        if (shrinkOnSeek.count(handle.path) != 0 && Exists(handle.path)) {
            files[handle.path].resize(shrinkOnSeek[handle.path]);
        }
        return true;
    }

    std::size_t Read(File file, unsigned char* into, std::size_t count) override {
        Handle& handle = *static_cast<Handle*>(file);
        if (onRead) onRead(handle.path);
        std::uint64_t end = SizeOf(handle.path);
        const auto failing = readFailsAt.find(handle.path);
        if (failing != readFailsAt.end()) end = std::min(end, failing->second);
        if (handle.position >= end) return 0;
        const auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(count, end - handle.position));
        const auto it = files.find(handle.path);
        if (it != files.end()) {
            std::copy(it->second.begin() + handle.position, it->second.begin() + handle.position + taken, into);
        } else {
            for (std::size_t i = 0; i < taken; ++i) into[i] = GeneratedByte(handle.position + i);
        }
        handle.position += taken;
        return taken;
    }

    void Close(File) override { --openNow; }

    bool Rename(const wchar_t* from, const wchar_t* to) override {
        renames.emplace_back(from, to);
        const auto source = files.find(from);
        if (source == files.end() || Exists(to)) return false;
        files[to] = std::move(source->second);
        files.erase(source);
        made_[to] = ++lastMade_;
        return true;
    }

    Search FindFirst(const wchar_t* pattern, FolderEntry& entry) override {
        patterns.emplace_back(pattern);
        auto* listing = new Listing{Matches(pattern), 0};
        if (listing->entries.empty()) {
            delete listing;
            return nullptr;
        }
        ++searchesOpen;
        FindNext(listing, entry);
        return listing;
    }

    bool FindNext(Search search, FolderEntry& entry) override {
        auto* listing = static_cast<Listing*>(search);
        if (listing->next >= listing->entries.size()) return false;
        const auto& [name, size] = listing->entries[listing->next++];
        std::wcsncpy(entry.name, name.c_str(), kFolderEntryNameCapacity - 1);
        entry.name[kFolderEntryNameCapacity - 1] = L'\0';
        entry.size = size;
        return true;
    }

    void FindClose(Search search) override {
        delete static_cast<Listing*>(search);
        --searchesOpen;
    }

    // Makes or replaces a file; a new one goes to the end of its folder's listing.
    void Put(const std::wstring& path, Bytes bytes = {}) {
        if (files.count(path) == 0) made_[path] = ++lastMade_;
        files[path] = std::move(bytes);
    }
    bool Exists(const std::wstring& path) const { return files.count(path) != 0 || generated.count(path) != 0; }
    std::uint64_t SizeOf(const std::wstring& path) const {
        const auto it = files.find(path);
        if (it != files.end()) return it->second.size();
        const auto big = generated.find(path);
        return big == generated.end() ? 0 : big->second;
    }

    int drive = 3;
    std::map<std::wstring, Bytes> files;  // by path; made directly, they list in path order
    std::set<std::wstring> unreadable;    // exist, but do not open
    std::map<std::wstring, std::int64_t> reportedLength;  // what seeking to the end reports instead (-1: fails)
    std::map<std::wstring, std::size_t> shrinkOnSeek;     // cut to this length once measured
    std::map<std::wstring, std::uint64_t> generated;      // by path, the size of a generated file
    std::map<std::wstring, std::uint64_t> readFailsAt;    // reads end at this offset, as on a failing disk
    std::map<std::wstring, std::uint64_t> listedSize;     // what a stale listing reports instead
    std::map<std::wstring, int> opens;                    // every open asked for, by path
    std::vector<std::pair<std::wstring, std::wstring>> renames;
    std::vector<std::wstring> patterns;
    int openNow = 0;       // files opened and not yet closed
    int searchesOpen = 0;  // searches begun and not yet closed
    // Called before each open, with the path and how often it has been opened.
    std::function<void(const std::wstring&, int)> onOpen;
    std::function<void(const std::wstring&)> onRead;

private:
    struct Handle {
        std::wstring path;
        std::uint64_t position;
    };
    struct Listing {
        std::vector<std::pair<std::wstring, std::uint64_t>> entries;  // name and size
        std::size_t next;
    };

    // "<folder>\*<ending>": the folder's entries whose names end so (in any
    // case, as the file system matches), in the order they were made.
    std::vector<std::pair<std::wstring, std::uint64_t>> Matches(const std::wstring& pattern) const {
        const std::size_t star = pattern.rfind(L"\\*");
        if (star == std::wstring::npos) return {};
        const std::wstring folder = pattern.substr(0, star + 1);
        const std::wstring ending = pattern.substr(star + 2);
        std::vector<std::pair<std::uint64_t, std::wstring>> found;  // when made, and the path
        for (const auto& [path, bytes] : files) {
            if (path.compare(0, folder.size(), folder) != 0) continue;
            const std::wstring name = path.substr(folder.size());
            if (name.find(L'\\') != std::wstring::npos || name.size() < ending.size() ||
                !std::equal(ending.begin(), ending.end(), name.end() - ending.size(),
                            [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); })) {
                continue;
            }
            const auto made = made_.find(path);
            found.emplace_back(made == made_.end() ? 0 : made->second, path);
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::pair<std::wstring, std::uint64_t>> entries;
        for (const auto& [made, path] : found) {
            const auto listed = listedSize.find(path);
            const std::uint64_t size = listed != listedSize.end() ? listed->second : SizeOf(path);
            entries.emplace_back(path.substr(folder.size()), size);
        }
        return entries;
    }

    std::map<std::wstring, std::uint64_t> made_;  // when each file was put or renamed
    std::uint64_t lastMade_ = 0;
    std::list<Handle> open_;
};

}  // namespace zelt
