// Journal files in memory, answering as the C runtime does: a file is opened
// by its path and read as it is at the time of the read, a rename never
// replaces its target, and the listing returns a folder's entries in the
// order they were made.
#pragma once

#include <algorithm>
#include <cwchar>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "journal/journal_store.h"

namespace zelt {

class FakeJournalFiles final : public JournalFiles {
public:
    using Bytes = std::vector<unsigned char>;

    int CurrentDrive() override { return drive; }

    File OpenForReading(const wchar_t* path) override {
        if (!Exists(path) || unreadable.count(path) != 0) return nullptr;
        open.push_back(Handle{path, 0});
        ++openNow;
        return &open.back();
    }

    std::int64_t Length(File file) override {
        Handle& handle = *static_cast<Handle*>(file);
        if (reportedLength.count(handle.path) != 0) return reportedLength[handle.path];
        handle.position = Find(handle.path)->bytes.size();
        return static_cast<std::int64_t>(handle.position);
    }

    bool SeekToStart(File file) override {
        Handle& handle = *static_cast<Handle*>(file);
        handle.position = 0;
        // The rendering side may cut the file between measuring and reading.
        if (shrinkOnSeek.count(handle.path) != 0) Find(handle.path)->bytes.resize(shrinkOnSeek[handle.path]);
        return true;
    }

    std::size_t Read(File file, unsigned char* into, std::size_t count) override {
        Handle& handle = *static_cast<Handle*>(file);
        const Entry* entry = Find(handle.path);
        if (entry == nullptr || handle.position >= entry->bytes.size()) return 0;
        const std::size_t taken = std::min(count, entry->bytes.size() - handle.position);
        std::copy(entry->bytes.begin() + handle.position, entry->bytes.begin() + handle.position + taken, into);
        handle.position += taken;
        return taken;
    }

    void Close(File) override { --openNow; }

    bool Rename(const wchar_t* from, const wchar_t* to) override {
        renames.emplace_back(from, to);
        Entry* source = Find(from);
        if (source == nullptr || Exists(to)) return false;
        source->path = to;
        // A renamed entry moves to the end of the listing.
        entries.splice(entries.end(), entries, Iterator(to));
        return true;
    }

    Search FindFirst(const wchar_t* pattern, wchar_t (&name)[kJournalEntryNameCapacity]) override {
        patterns.emplace_back(pattern);
        ++searchesOpen;
        auto* search = new Listing{Matches(pattern), 0};
        if (search->names.empty()) {
            delete search;
            --searchesOpen;
            return nullptr;
        }
        FindNext(search, name);
        return search;
    }

    bool FindNext(Search search, wchar_t (&name)[kJournalEntryNameCapacity]) override {
        auto* listing = static_cast<Listing*>(search);
        if (listing->next >= listing->names.size()) return false;
        std::wcsncpy(name, listing->names[listing->next++].c_str(), kJournalEntryNameCapacity - 1);
        name[kJournalEntryNameCapacity - 1] = L'\0';
        return true;
    }

    void FindClose(Search search) override {
        delete static_cast<Listing*>(search);
        --searchesOpen;
    }

    void Put(const std::wstring& path, Bytes bytes = {}) {
        if (Entry* entry = Find(path)) {
            entry->bytes = std::move(bytes);
            return;
        }
        entries.push_back(Entry{path, std::move(bytes)});
    }
    bool Exists(const std::wstring& path) const { return Find(path) != nullptr; }

    int drive = 3;
    std::set<std::wstring> unreadable;                 // exist, but do not open
    std::map<std::wstring, std::int64_t> reportedLength;  // what seeking to the end reports instead
    std::map<std::wstring, std::size_t> shrinkOnSeek;     // cut to this length once measured
    std::vector<std::pair<std::wstring, std::wstring>> renames;
    std::vector<std::wstring> patterns;
    int openNow = 0;       // files opened and not yet closed
    int searchesOpen = 0;  // searches begun and not yet closed

private:
    struct Entry {
        std::wstring path;
        Bytes bytes;
    };
    struct Handle {
        std::wstring path;
        std::size_t position;
    };
    struct Listing {
        std::vector<std::wstring> names;
        std::size_t next;
    };

    Entry* Find(const std::wstring& path) {
        for (Entry& entry : entries) {
            if (entry.path == path) return &entry;
        }
        return nullptr;
    }
    const Entry* Find(const std::wstring& path) const { return const_cast<FakeJournalFiles*>(this)->Find(path); }
    std::list<Entry>::iterator Iterator(const std::wstring& path) {
        return std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.path == path; });
    }

    // "<folder>\*.zrj": the names of the folder's entries that end in ".zrj".
    std::vector<std::wstring> Matches(const std::wstring& pattern) const {
        const std::wstring folder = pattern.substr(0, pattern.rfind(L'\\') + 1);
        std::vector<std::wstring> names;
        for (const Entry& entry : entries) {
            if (entry.path.compare(0, folder.size(), folder) != 0) continue;
            const std::wstring name = entry.path.substr(folder.size());
            if (name.find(L'\\') == std::wstring::npos && name.size() >= 4 &&
                name.compare(name.size() - 4, 4, L".zrj") == 0) {
                names.push_back(name);
            }
        }
        return names;
    }

    std::list<Entry> entries;
    std::list<Handle> open;
};

}  // namespace zelt
