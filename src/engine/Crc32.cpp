// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Crc32.h"

#include "platform/SequentialReader.h"

#include <isa-l/crc.h>
#include <memory>

namespace {

constexpr uint32_t kReflectedPolynomial = 0xEDB88320u;

} // namespace

CCrc32::CCrc32() {
    for (uint32_t i = 0; i < table.size(); ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1u) != 0 ? (value >> 1) ^ kReflectedPolynomial : value >> 1;
        }
        table[i] = value;
    }
}

uint32_t CCrc32::Update(uint32_t crc, const void* data, std::size_t size) const {
    if (size == 0) {
        return crc;
    }
    // ISA-L's reflected IEEE CRC complements its seed on entry and its result
    // on exit, exactly like zlib's crc32, so the running values chain the
    // same way. It only reads the buffer, whatever its prototype says.
    return crc32_gzip_refl(crc, const_cast<uint8_t*>(static_cast<const uint8_t*>(data)),
                           static_cast<uint64_t>(size));
}

uint32_t CCrc32::UpdateBytewise(uint32_t crc, const void* data, std::size_t size) const {
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint32_t value = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        value = (value >> 8) ^ table[(value ^ bytes[i]) & 0xFFu];
    }
    return ~value;
}

bool CCrc32::FileCrc32(const std::string& path, ProgressCallback progress, void* context,
                       uint32_t& crc) const {
    crc = 0;
    platform::CSequentialReader reader;
    int error = 0;
    if (!reader.Open(path, error)) {
        return false;
    }
    const uint64_t size = reader.GetSize();
    const auto buffer = std::make_unique_for_overwrite<uint8_t[]>(kBlockSize);
    uint32_t value = 0;
    uint64_t total = 0;
    bool readOk = true;
    bool fullBlock = true;
    while (readOk && fullBlock) {
        std::size_t bytesRead = 0;
        readOk = reader.Read(buffer.get(), kBlockSize, bytesRead, error);
        fullBlock = bytesRead == kBlockSize;
        if (bytesRead > 0) {
            value = Update(value, buffer.get(), bytesRead);
            total += bytesRead;
        }
        if (progress != nullptr && progress(total, context)) {
            return false;
        }
    }
    // A file that shrank or grew while it was read, or a read error, gives
    // no CRC rather than the CRC of some of its bytes.
    if (!readOk || total != size) {
        return false;
    }
    crc = value;
    return true;
}
