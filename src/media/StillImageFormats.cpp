// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/StillImageFormats.h"

#include "media/BmffImageFormats.h"
#include "media/ImageBytes.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace {

using image_bytes::Be16;
using image_bytes::Be32;
using image_bytes::Le16;
using image_bytes::Le32;
using image_bytes::Matches;

void SetDepth(CImageInfo& info, uint32_t bits) {
    info.bitsPerPixel = bits;
    info.colourCount = ColourCountForDepth(bits);
}

uint32_t Le24(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16);
}

// ---- JPEG XL ---------------------------------------------------------------

/// The codestream's signature and the longest size header: a flag, two
/// sizes of a 2-bit selector and up to 30 bits, and a 3-bit ratio (68 bits).
constexpr std::size_t kJxlHeadBytes = 2 + 9;
/// The boxes of a container walked before the codestream; a file gives up
/// after.
constexpr int kMaxJxlBoxes = 64;

/// The bits of the codestream head, least significant bit of each byte first.
class CBitReader {
public:
    CBitReader(const uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool Read(unsigned count, uint32_t& value) {
        value = 0;
        for (unsigned i = 0; i < count; ++i, ++bit) {
            if (bit >= size * 8) {
                return false;
            }
            value |= static_cast<uint32_t>((data[bit / 8] >> (bit % 8)) & 1u) << i;
        }
        return true;
    }

private:
    const uint8_t* data;
    std::size_t size;
    std::size_t bit = 0;
};

/// A dimension of the size header: a 2-bit selector picks 9, 13, 18 or 30
/// bits holding the size less one.
bool ReadJxlDimension(CBitReader& bits, uint32_t& value) {
    static constexpr unsigned kBits[] = {9, 13, 18, 30};
    uint32_t selector = 0;
    uint32_t less = 0;
    if (!bits.Read(2, selector) || !bits.Read(kBits[selector], less)) {
        return false;
    }
    value = less + 1;
    return true;
}

/// The size header behind the signature FF 0A.
bool ParseJxlSize(const uint8_t* head, std::size_t size, CImageInfo& info) {
    if (size < 2 || head[0] != 0xFF || head[1] != 0x0A) {
        return false;
    }
    CBitReader bits(head + 2, size - 2);
    uint32_t small = 0;
    uint32_t height = 0;
    uint32_t width = 0;
    uint32_t ratio = 0;
    if (!bits.Read(1, small)) {
        return false;
    }
    // A small image has sizes in units of 8 pixels, 5 bits less one.
    if (small != 0 ? !bits.Read(5, height) : !ReadJxlDimension(bits, height)) {
        return false;
    }
    height = small != 0 ? (height + 1) * 8 : height;
    if (!bits.Read(3, ratio)) {
        return false;
    }
    if (ratio == 0) {
        if (small != 0 ? !bits.Read(5, width) : !ReadJxlDimension(bits, width)) {
            return false;
        }
        width = small != 0 ? (width + 1) * 8 : width;
    } else {
        // A fixed aspect ratio gives the width from the height.
        static constexpr uint32_t kNumerator[] = {1, 1, 12, 4, 3, 16, 5, 2};
        static constexpr uint32_t kDenominator[] = {1, 1, 10, 3, 2, 9, 4, 1};
        width = static_cast<uint32_t>(uint64_t{height} * kNumerator[ratio] / kDenominator[ratio]);
    }
    info.width = width;
    info.height = height;
    SetDepth(info, 0);
    return true;
}

/// Appends up to count bytes of the source (fewer where it ends) to head.
void ReadUpTo(CImageHeaderSource& source, std::size_t count, std::vector<uint8_t>& head) {
    for (std::size_t i = 0; i < count; ++i) {
        uint8_t byte = 0;
        if (!source.Read(&byte, 1)) {
            return;
        }
        head.push_back(byte);
    }
}

/// The codestream head of a container file behind its signature box: the
/// whole codestream box (jxlc) or the parts (jxlp) in their order.
void ReadJxlContainerHead(CImageHeaderSource& source, std::vector<uint8_t>& head) {
    for (int i = 0; i < kMaxJxlBoxes && head.size() < kJxlHeadBytes; ++i) {
        CBoxHead box;
        if (!ReadBoxHead(source, box)) {
            return;
        }
        const std::size_t wanted = kJxlHeadBytes - head.size();
        if (Matches(box.type, "jxlc")) {
            ReadUpTo(source, box.toEnd ? wanted : std::min<uint64_t>(box.payload, wanted), head);
            return;
        }
        if (Matches(box.type, "jxlp")) {
            // A part begins with its 4-byte index; the top bit marks the last.
            std::array<uint8_t, 4> index;
            if ((!box.toEnd && box.payload < 4) || !source.Read(index.data(), index.size())) {
                return;
            }
            const uint64_t left = box.payload - 4;
            const std::size_t take = box.toEnd ? wanted : std::min<uint64_t>(left, wanted);
            const std::size_t before = head.size();
            ReadUpTo(source, take, head);
            if (box.toEnd || (index[0] & 0x80u) != 0 || head.size() - before < take ||
                !source.Skip(left - take)) {
                return;
            }
            continue;
        }
        if (box.toEnd || !source.Skip(box.payload)) {
            return;
        }
    }
}

} // namespace

bool ReadWebpHeader(CImageHeaderSource& source, CImageInfo& info) {
    // The RIFF head, then the first chunk's head.
    std::array<uint8_t, 20> h;
    if (!source.Read(h.data(), h.size()) || !Matches(h.data(), "RIFF") || !Matches(&h[8], "WEBP")) {
        return false;
    }
    std::array<uint8_t, 10> p;
    if (Matches(&h[12], "VP8 ")) {
        // The frame tag (bit 0 clear on a key frame), the start code, then
        // 14-bit sizes with 2 bits of scaling each.
        if (!source.Read(p.data(), 10) || (p[0] & 1u) != 0 || p[3] != 0x9D || p[4] != 0x01 ||
            p[5] != 0x2A) {
            return false;
        }
        info.width = Le16(&p[6]) & 0x3FFFu;
        info.height = Le16(&p[8]) & 0x3FFFu;
        SetDepth(info, 24);
    } else if (Matches(&h[12], "VP8L")) {
        // The signature byte, then 14 bits each of width and height less
        // one, the alpha hint and a 3-bit version that is 0.
        if (!source.Read(p.data(), 5) || p[0] != 0x2F) {
            return false;
        }
        const uint32_t fields = Le32(&p[1]);
        if ((fields >> 29) != 0) {
            return false;
        }
        info.width = (fields & 0x3FFFu) + 1;
        info.height = ((fields >> 14) & 0x3FFFu) + 1;
        SetDepth(info, (fields >> 28 & 1u) != 0 ? 32 : 24);
    } else if (Matches(&h[12], "VP8X")) {
        // The flags, 3 reserved bytes, the canvas width and height less one
        // in 24 bits each.
        if (!source.Read(p.data(), 10)) {
            return false;
        }
        info.width = Le24(&p[4]) + 1;
        info.height = Le24(&p[7]) + 1;
        SetDepth(info, (p[0] & 0x10u) != 0 ? 32 : 24);
    } else {
        return false;
    }
    return info.width != 0 && info.height != 0;
}

bool ReadJxlHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::vector<uint8_t> head;
    ReadUpTo(source, 2, head);
    if (head.size() == 2 && head[0] == 0xFF && head[1] == 0x0A) {
        ReadUpTo(source, kJxlHeadBytes - 2, head);
        return ParseJxlSize(head.data(), head.size(), info);
    }
    // The container's signature box: size 12, "JXL ", 0D 0A 87 0A.
    static constexpr uint8_t kSignature[] = {0,   0,   0,    12,   'J',  'X',
                                             'L', ' ', 0x0D, 0x0A, 0x87, 0x0A};
    ReadUpTo(source, sizeof kSignature - 2, head);
    if (head.size() != sizeof kSignature || !std::equal(head.begin(), head.end(), kSignature)) {
        return false;
    }
    head.clear();
    ReadJxlContainerHead(source, head);
    return ParseJxlSize(head.data(), head.size(), info);
}

bool ReadRafHeader(CImageHeaderSource& source, CImageInfo& info) {
    // The signature, format version, camera number and name, directory
    // version, then the offsets and lengths of the JPEG preview and of the
    // RAF directory.
    std::array<uint8_t, 100> h;
    if (!source.Read(h.data(), h.size()) || !Matches(h.data(), "FUJIFILMCCD-RAW ")) {
        return false;
    }
    const uint32_t directory = Be32(&h[92]);
    std::array<uint8_t, 4> count;
    if (directory < h.size() || !source.Skip(directory - h.size()) ||
        !source.Read(count.data(), count.size())) {
        return false;
    }
    // Real directories have some hundred entries; a longer walk gives up.
    const uint32_t entries = std::min<uint32_t>(Be32(count.data()), 4096);
    for (uint32_t i = 0; i < entries; ++i) {
        std::array<uint8_t, 4> entry;
        if (!source.Read(entry.data(), entry.size())) {
            return false;
        }
        const uint16_t size = Be16(&entry[2]);
        if (Be16(entry.data()) == 0x100 && size >= 4) {
            // The full raw image size: height, then width.
            std::array<uint8_t, 4> value;
            if (!source.Read(value.data(), value.size())) {
                return false;
            }
            info.height = Be16(value.data());
            info.width = Be16(&value[2]);
            SetDepth(info, 0);
            return info.width != 0 && info.height != 0;
        }
        if (!source.Skip(size)) {
            return false;
        }
    }
    return false;
}

bool ReadX3fHeader(CImageHeaderSource& source, CImageInfo& info) {
    // "FOVb", version, unique identifier, mark bits, columns, rows.
    std::array<uint8_t, 36> h;
    if (!source.Read(h.data(), h.size()) || !Matches(h.data(), "FOVb")) {
        return false;
    }
    info.width = Le32(&h[28]);
    info.height = Le32(&h[32]);
    SetDepth(info, 0);
    return info.width != 0 && info.height != 0;
}
