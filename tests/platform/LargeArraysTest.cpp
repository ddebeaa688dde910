// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LargeArrays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {

struct CRowKey {
    uint64_t value;
    uint32_t position;
};

TEST(LargeArraysTest, LargeArraysStartZeroedOnAHugePageBoundaryAndHoldWhatIsWritten) {
    const std::size_t count = platform::kLargeArrayBytes / sizeof(CRowKey) * 3 + 7;
    platform::LargeArray<CRowKey> keys(count);
    ASSERT_EQ(keys.size(), count);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(keys.data()) % platform::kLargeArrayBytes, 0u);
    EXPECT_TRUE(std::all_of(keys.begin(), keys.end(),
                            [](const CRowKey& key) { return key.value == 0 && key.position == 0; }));
    for (std::size_t i = 0; i < count; ++i) {
        keys[i] = {count - i, static_cast<uint32_t>(i)};
    }
    std::sort(keys.begin(), keys.end(),
              [](const CRowKey& a, const CRowKey& b) { return a.value < b.value; });
    EXPECT_EQ(keys.front().position, count - 1);
    EXPECT_EQ(keys.back().position, 0u);
}

TEST(LargeArraysTest, ArraysGrowAcrossTheBoundaryBetweenHeapAndMapping) {
    platform::LargeArray<uint32_t> numbers;
    const std::size_t count = platform::kLargeArrayBytes / sizeof(uint32_t) * 2;
    for (std::size_t i = 0; i < count; ++i) {
        numbers.push_back(static_cast<uint32_t>(i));
    }
    ASSERT_EQ(numbers.size(), count);
    EXPECT_EQ(std::accumulate(numbers.begin(), numbers.end(), uint64_t{0}),
              uint64_t{count} * (count - 1) / 2);
    numbers.resize(10);
    numbers.shrink_to_fit();
    EXPECT_EQ(numbers.back(), 9u);
}

TEST(LargeArraysTest, AnImpossibleSizeThrowsInsteadOfWrapping) {
    static_assert(sizeof(CRowKey) == 16);
    platform::CLargeArrayAllocator<CRowKey> allocator;
    // Counted in bytes without the check, this size wraps round to exactly
    // 2 MiB, which would be mapped and handed out for 2^60 keys.
    const std::size_t wrapping = (std::size_t{1} << 60) + (std::size_t{1} << 17);
    EXPECT_THROW((void)allocator.allocate(wrapping), std::bad_array_new_length);
}

} // namespace
