#include "high_memory.h"

namespace zelt::host {

HighArena::HighArena(std::size_t capacity) {
    base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, capacity, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE));
    if (base_) capacity_ = capacity;
}

HighArena::~HighArena() {
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

void* HighArena::Allocate(std::size_t bytes) {
    constexpr std::size_t kAlignment = 16;
    const std::size_t start = (used_ + kAlignment - 1) & ~(kAlignment - 1);
    if (!base_ || bytes > capacity_ || start > capacity_ - bytes) return nullptr;
    used_ = start + bytes;
    return base_ + start;  // VirtualAlloc hands out zeroed pages, used once
}

}  // namespace zelt::host
