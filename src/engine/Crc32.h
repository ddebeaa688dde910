// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

/// The CRC-32 of IEEE 802.3 (the one of ZIP files and zlib): reflected
/// polynomial 0xEDB88320, initial value and final XOR 0xFFFFFFFF. The check
/// value of "123456789" is CBF43926.
class CCrc32 {
public:
    /// Called after every block of a file with the number of bytes read so
    /// far; returns true to cancel the reading.
    using ProgressCallback = bool (*)(uint64_t bytesRead, void* context);

    /// The size of the blocks FileCrc32 reads, and so the granularity of its
    /// progress reports and of cancelling.
    static constexpr std::size_t kBlockSize = 32768;

    CCrc32();

    /// Continues crc (0 to start) over size bytes, as zlib's crc32 does:
    /// Update(Update(0, a), b) is the CRC of a followed by b.
    uint32_t Update(uint32_t crc, const void* data, std::size_t size) const;
    /// The same value, one byte at a time through the table (the reference
    /// the fast path is checked and measured against).
    uint32_t UpdateBytewise(uint32_t crc, const void* data, std::size_t size) const;

    /// The CRC of a whole file, read in blocks of kBlockSize bytes with a
    /// call of progress (when not null) after each. False for a folder or
    /// anything else that is not a regular file, a file that cannot be
    /// opened or read, a read that ends before the size the file had when it
    /// was opened, or a cancelled reading; crc is then 0.
    bool FileCrc32(const std::string& path, ProgressCallback progress, void* context,
                   uint32_t& crc) const;

private:
    std::array<uint32_t, 256> table{};
};
