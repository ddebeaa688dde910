// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/PngRawProfile.h"

#include "media/FileHead.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <string_view>

namespace {

constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
/// A raw profile text larger than this is not read (an EXIF block is at
/// most 64 KiB in a JPEG file; its text takes a little over twice that).
constexpr uint32_t kMaxChunk = 4 * 1024 * 1024;
constexpr uLong kMaxInflated = 4 * 1024 * 1024;
/// At most this many chunks are looked at.
constexpr int kMaxChunks = 10000;

uint32_t BigEndian32(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

int HexDigit(uint8_t c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsRawProfileKeyword(std::string_view keyword) {
    return keyword == "Raw profile type exif" || keyword == "Raw profile type APP1";
}

/// The text of a tEXt or zTXt chunk whose keyword names a raw EXIF profile.
bool ProfileText(const std::vector<uint8_t>& chunk, bool compressed, std::vector<uint8_t>& text) {
    const auto* end = static_cast<const uint8_t*>(std::memchr(chunk.data(), 0, chunk.size()));
    if (end == nullptr) {
        return false;
    }
    const std::size_t keywordSize = static_cast<std::size_t>(end - chunk.data());
    if (!IsRawProfileKeyword(
            std::string_view(reinterpret_cast<const char*>(chunk.data()), keywordSize))) {
        return false;
    }
    std::size_t start = keywordSize + 1;
    if (!compressed) {
        text.assign(chunk.begin() + static_cast<std::ptrdiff_t>(start), chunk.end());
        return true;
    }
    // zTXt: one byte of method (0, deflate), then the zlib stream.
    if (start >= chunk.size() || chunk[start] != 0) {
        return false;
    }
    ++start;
    text.resize(kMaxInflated);
    uLongf size = kMaxInflated;
    if (uncompress(text.data(), &size, chunk.data() + start, chunk.size() - start) != Z_OK) {
        return false;
    }
    text.resize(size);
    return true;
}

} // namespace

bool DecodeRawProfile(const uint8_t* text, std::size_t size, std::vector<uint8_t>& bytes) {
    bytes.clear();
    // Three lines: empty, the profile's name, its length in decimal.
    std::size_t at = 0;
    for (int line = 0; line < 2; ++line) {
        while (at < size && text[at] != '\n') {
            ++at;
        }
        if (at == size) {
            return false;
        }
        ++at;
    }
    while (at < size && text[at] == ' ') {
        ++at;
    }
    std::size_t length = 0;
    const std::size_t digitsStart = at;
    while (at < size && text[at] >= '0' && text[at] <= '9' && at - digitsStart < 9) {
        length = length * 10 + static_cast<std::size_t>(text[at] - '0');
        ++at;
    }
    if (at == digitsStart || length == 0 || length > size / 2) {
        return false;
    }
    bytes.reserve(length);
    int high = -1;
    for (; at < size && bytes.size() < length; ++at) {
        const int digit = HexDigit(text[at]);
        if (digit < 0) {
            continue; // line breaks
        }
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    return bytes.size() == length;
}

bool ReadPngRawProfileExif(const std::string& path, std::vector<uint8_t>& tiff) {
    tiff.clear();
    const std::lock_guard<std::mutex> headLock(CFileHead::Lock());
    CFileHead& head = CFileHead::Shared();
    int error = 0;
    if (!head.Hold(path, error)) {
        return false;
    }
    std::array<uint8_t, 8> signature{};
    bool found = false;
    if (head.ReadAt(0, signature.data(), signature.size()) == signature.size() &&
        signature == kPngSignature) {
        uint64_t offset = signature.size();
        for (int count = 0; count < kMaxChunks && !found; ++count) {
            std::array<uint8_t, 8> chunkHead{};
            if (head.ReadAt(offset, chunkHead.data(), chunkHead.size()) != chunkHead.size()) {
                break;
            }
            const uint32_t length = BigEndian32(chunkHead.data());
            const std::string_view type(reinterpret_cast<const char*>(chunkHead.data()) + 4, 4);
            if (type == "IEND") {
                break;
            }
            const bool compressed = type == "zTXt";
            if ((type == "tEXt" || compressed) && length <= kMaxChunk) {
                std::vector<uint8_t> chunk(length);
                std::vector<uint8_t> text;
                found = head.ReadAt(offset + 8, chunk.data(), length) == length &&
                        ProfileText(chunk, compressed, text) &&
                        DecodeRawProfile(text.data(), text.size(), tiff);
            }
            offset += uint64_t{12} + length;
        }
    }
    head.CloseFile();
    // The block may still begin with the JPEG section's header.
    static constexpr std::array<uint8_t, 6> kExifHeader = {'E', 'x', 'i', 'f', 0, 0};
    if (found && tiff.size() >= kExifHeader.size() &&
        std::equal(kExifHeader.begin(), kExifHeader.end(), tiff.begin())) {
        tiff.erase(tiff.begin(), tiff.begin() + kExifHeader.size());
    }
    if (!found) {
        tiff.clear();
    }
    return found && !tiff.empty();
}
