// Memory the host hands the plug-in, taken from the top of the address space:
// in a 64-bit process every pointer into it lies above 4 GiB, so a pointer the
// plug-in cut to 32 bits faults at once instead of reaching valid memory (the
// process heap of a 64-bit Wine process lies below 4 GiB).
#pragma once

#include <windows.h>

#include <cstddef>

namespace zelt::host {

class HighArena {
public:
    explicit HighArena(std::size_t capacity);
    HighArena(const HighArena&) = delete;
    HighArena& operator=(const HighArena&) = delete;
    ~HighArena();

    // `bytes` zeroed bytes aligned for any structure; nullptr when the arena
    // could not be reserved or is full.
    void* Allocate(std::size_t bytes);
    template <typename T>
    T* New() { return static_cast<T*>(Allocate(sizeof(T))); }

private:
    BYTE* base_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
};

}  // namespace zelt::host
