// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace platform {

/// Arrays of this many bytes or more are mapped on their own.
inline constexpr std::size_t kLargeArrayBytes = std::size_t{2} << 20;

/// Maps bytes (at least kLargeArrayBytes) of zeroed memory on a 2-MiB
/// boundary and asks the kernel for huge pages there; nullptr when the
/// system gives no memory.
void* MapLargeArray(std::size_t bytes);
/// Gives back what MapLargeArray gave for the same bytes.
void UnmapLargeArray(void* block, std::size_t bytes);

/// An allocator for the large scratch arrays of work on every row (a sort's
/// keys, a reordering): an array of 2 MiB or more gets a mapping of its own
/// in huge pages, so a million rows take a few page faults instead of
/// thousands, and the memory goes back to the system when the array goes.
/// Smaller arrays come from the heap.
template <typename T>
struct CLargeArrayAllocator {
    using value_type = T;

    CLargeArrayAllocator() = default;
    template <typename U>
    explicit CLargeArrayAllocator(const CLargeArrayAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > std::size_t(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargeArrayBytes) {
            return std::allocator<T>().allocate(count);
        }
        void* block = MapLargeArray(bytes);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(block);
    }

    void deallocate(T* pointer, std::size_t count) noexcept {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargeArrayBytes) {
            std::allocator<T>().deallocate(pointer, count);
        } else {
            UnmapLargeArray(pointer, bytes);
        }
    }

    template <typename U>
    bool operator==(const CLargeArrayAllocator<U>&) const noexcept {
        return true;
    }
};

template <typename T>
using LargeArray = std::vector<T, CLargeArrayAllocator<T>>;

} // namespace platform
