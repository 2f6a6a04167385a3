// Logo files in memory, answering as the C runtime does: a file is opened by
// its path, an open file reads whatever the path holds at the time of the
// read, and a rename never replaces its target.
#pragma once

#include <algorithm>
#include <functional>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "logo/logo_store.h"

namespace zelt {

class FakeLogoFiles final : public LogoFileSystem {
public:
    using Bytes = std::vector<unsigned char>;

    int CurrentDrive() override { return drive; }

    File OpenForReading(const wchar_t* path) override {
        ++opens[path];
        if (onOpen) onOpen(path, opens[path]);
        if (files.count(path) == 0 || unreadable.count(path) != 0) return nullptr;
        open.push_back(Handle{path, 0});
        ++openNow;
        return &open.back();
    }

    std::int64_t Length(File file) override {
        Handle& handle = *static_cast<Handle*>(file);
        if (unmeasurable.count(handle.path) != 0) return -1;
        const auto it = files.find(handle.path);
        handle.position = it == files.end() ? 0 : it->second.size();
        return static_cast<std::int64_t>(handle.position);
    }

    bool SeekToStart(File file) override {
        static_cast<Handle*>(file)->position = 0;
        return true;
    }

    std::size_t Read(File file, unsigned char* into, std::size_t count) override {
        Handle& handle = *static_cast<Handle*>(file);
        if (onRead) onRead(handle.path);
        const auto it = files.find(handle.path);
        if (it == files.end() || handle.position >= it->second.size()) return 0;
        const std::size_t available = it->second.size() - handle.position;
        const std::size_t taken = count < available ? count : available;
        std::copy(it->second.begin() + handle.position, it->second.begin() + handle.position + taken, into);
        handle.position += taken;
        return taken;
    }

    void Close(File) override { --openNow; }

    void Rename(const wchar_t* from, const wchar_t* to) override {
        renames.emplace_back(from, to);
        const auto source = files.find(from);
        if (source == files.end() || files.count(to) != 0) return;
        files[to] = source->second;
        files.erase(source);
    }

    int drive = 3;
    std::map<std::wstring, Bytes> files;
    std::set<std::wstring> unreadable;    // exist, but do not open
    std::set<std::wstring> unmeasurable;  // open, but their length cannot be found
    std::map<std::wstring, int> opens;
    std::vector<std::pair<std::wstring, std::wstring>> renames;
    int openNow = 0;  // files opened and not yet closed
    // Called before each open, with the path and how often it has been opened.
    std::function<void(const std::wstring&, int)> onOpen;
    std::function<void(const std::wstring&)> onRead;

private:
    struct Handle {
        std::wstring path;
        std::size_t position;
    };
    std::list<Handle> open;
};

}  // namespace zelt
