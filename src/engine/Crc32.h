#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

/// The CRC-32 of IEEE 802.3 (the one of ZIP files): reflected polynomial
/// 0xEDB88320, initial value and final XOR 0xFFFFFFFF. The check value of
/// "123456789" is CBF43926.
class CCrc32 {
public:
    /// Called after every block of a file with the number of bytes read so
    /// far; returns true to cancel the reading.
    using ProgressCallback = bool (*)(uint64_t bytesRead, void* context);

    CCrc32();

    /// Continues crc (0 to start) over size bytes.
    uint32_t Update(uint32_t crc, const void* data, std::size_t size) const;
    /// The same value, one byte at a time through the table (the reference
    /// the fast path is checked and measured against).
    uint32_t UpdateBytewise(uint32_t crc, const void* data, std::size_t size) const;

    /// The CRC of a whole file, read in blocks of 32 KiB with progress after
    /// each. False for a folder, a file that cannot be opened or read, a
    /// short read, or a cancelled reading; crc is then 0.
    bool FileCrc32(const std::string& path, ProgressCallback progress, void* context,
                   uint32_t& crc) const;

private:
    std::array<uint32_t, 256> table{};
};
