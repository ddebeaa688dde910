// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>

// Numbers of the image headers, read from bytes the caller has checked to be
// there.
namespace image_bytes {

inline uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint16_t Be16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline uint32_t Be32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

inline uint64_t Be64(const uint8_t* p) {
    return (static_cast<uint64_t>(Be32(p)) << 32) | Be32(p + 4);
}

/// Whether the bytes at p begin with text (without its terminating zero).
inline bool Matches(const uint8_t* p, const char* text) {
    return std::memcmp(p, text, std::strlen(text)) == 0;
}

} // namespace image_bytes
