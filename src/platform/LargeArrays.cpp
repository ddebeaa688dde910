// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LargeArrays.h"

#include <cstdint>
#include <sys/mman.h>

namespace platform {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t bytes) {
    return (bytes + kHugePage - 1) & ~(kHugePage - 1);
}

} // namespace

void* MapLargeArray(std::size_t bytes) {
    const std::size_t size = RoundUp(bytes);
    if (size < bytes) {
        return nullptr;
    }
    // One huge page more than needed, so that an aligned stretch lies
    // within; the ends are given back at once.
    const std::size_t mapped = size + kHugePage;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
    if (aligned > start) {
        munmap(raw, aligned - start);
    }
    const std::uintptr_t end = start + mapped;
    if (end > aligned + size) {
        munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    }
    void* block = reinterpret_cast<void*>(aligned);
    // Only advice: where the kernel gives no huge pages, small ones serve.
    madvise(block, size, MADV_HUGEPAGE);
    return block;
}

void UnmapLargeArray(void* block, std::size_t bytes) {
    if (block != nullptr) {
        munmap(block, RoundUp(bytes));
    }
}

} // namespace platform
