// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/ImageFormats.h"

#include "media/BmffImageFormats.h"
#include "media/ImageBytes.h"
#include "media/StillImageFormats.h"

#include <array>
#include <limits>

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

/// BMP: "BM", then the information header behind the 14-byte file header.
bool ReadBmpHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 30> h;
    if (!source.Read(h.data(), h.size()) || h[0] != 'B' || h[1] != 'M') {
        return false;
    }
    if (Le32(&h[14]) == 12) {
        // The old core header of OS/2 has 16-bit sizes, planes at 22 and the
        // bit count at 24; read as the Windows layout its height would come
        // out as the plane count.
        info.width = Le16(&h[18]);
        info.height = Le16(&h[20]);
        SetDepth(info, h[24]);
        return true;
    }
    const auto width = static_cast<int32_t>(Le32(&h[18]));
    const auto height = static_cast<int32_t>(Le32(&h[22]));
    if (width < 0) {
        return false;
    }
    info.width = static_cast<uint32_t>(width);
    // A negative height marks rows stored from the top down; the image is
    // as high as its magnitude.
    info.height = height < 0 ? 0u - static_cast<uint32_t>(height) : static_cast<uint32_t>(height);
    SetDepth(info, h[28]);
    return true;
}

/// GIF: the logical screen descriptor; the depth is the size field of the
/// global colour table, whether or not the table is present.
bool ReadGifHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 12> h;
    if (!source.Read(h.data(), h.size()) || !Matches(h.data(), "GIF")) {
        return false;
    }
    info.width = Le16(&h[6]);
    info.height = Le16(&h[8]);
    SetDepth(info, (h[10] & 7u) + 1);
    return true;
}

/// PNG: the signature and the IHDR chunk that must come first.
bool ReadPngHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 26> h;
    if (!source.Read(h.data(), h.size()) || !Matches(h.data(), "\x89PNG\r\n\x1A\n") ||
        !Matches(&h[12], "IHDR")) {
        return false;
    }
    info.width = Be32(&h[16]);
    info.height = Be32(&h[20]);
    const uint8_t bitDepth = h[24];
    switch (h[25]) {
    case 0: // grey
    case 3: // palette
    case 4: // grey with alpha
        SetDepth(info, bitDepth);
        return true;
    case 2: // true colour
    case 6: // true colour with alpha
        SetDepth(info, bitDepth == 8 ? 24 : 32);
        return true;
    default:
        return false;
    }
}

/// The start-of-frame markers: 0xC0 to 0xCF but the Huffman table (C4), the
/// reserved extension (C8) and the arithmetic conditioning (CC).
bool IsFrameHeader(uint8_t code) {
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

/// JPEG: walks the marker segments from the start of the image to the first
/// frame header. Every step moves forward by at least two bytes, so the walk
/// ends at the end of the data whatever the bytes say.
bool ReadJpegHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 2> start;
    if (!source.Read(start.data(), start.size()) || start[0] != 0xFF || start[1] != 0xD8) {
        return false;
    }
    for (;;) {
        std::array<uint8_t, 2> marker;
        if (!source.Read(marker.data(), marker.size()) || marker[0] != 0xFF) {
            return false;
        }
        // Any marker may be preceded by fill bytes 0xFF.
        while (marker[1] == 0xFF) {
            if (!source.Read(&marker[1], 1)) {
                return false;
            }
        }
        const uint8_t code = marker[1];
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD8)) {
            continue; // markers without a segment behind them
        }
        if (code == 0xD9 || code == 0xDA) {
            return false; // end of image, or scan data before any frame header
        }
        std::array<uint8_t, 2> lengthBytes;
        if (!source.Read(lengthBytes.data(), lengthBytes.size())) {
            return false;
        }
        if (IsFrameHeader(code)) {
            std::array<uint8_t, 6> frame;
            if (!source.Read(frame.data(), frame.size())) {
                return false;
            }
            info.height = Be16(&frame[1]);
            info.width = Be16(&frame[3]);
            SetDepth(info, static_cast<uint32_t>(frame[0]) * frame[5]);
            return info.width != 0 && info.height != 0;
        }
        // The length counts its own two bytes; less cannot be a segment.
        const uint16_t length = Be16(lengthBytes.data());
        if (length < 2 || !source.Skip(length - 2u)) {
            return false;
        }
    }
}

/// The smallest depth (at least 1 bit) with room for colours colours.
uint32_t DepthForColours(uint32_t colours) {
    uint32_t bits = 1;
    while ((1u << bits) < colours) {
        ++bits;
    }
    return bits;
}

/// ICO and CUR: the icon directory and its first entry. The type field, not
/// the extension, tells an icon from a cursor.
bool ReadIconHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 14> h;
    if (!source.Read(h.data(), h.size()) || h[0] != 0 || h[1] != 0) {
        return false;
    }
    const uint16_t type = Le16(&h[2]);
    const uint16_t imageCount = Le16(&h[4]);
    if (imageCount == 0) {
        return false; // no first entry: the bytes behind the directory are something else
    }
    // A size byte of 0 stands for 256 pixels.
    info.width = h[6] != 0 ? h[6] : 256u;
    info.height = h[7] != 0 ? h[7] : 256u;
    if (type == 2) {
        // A cursor keeps its hot spot where an icon keeps planes and bit count.
        info.bitsPerPixel = 0;
        info.colourCount = 0;
        return true;
    }
    const uint8_t colours = h[8];
    const uint32_t bits = colours != 0 ? DepthForColours(colours) : Le16(&h[12]);
    if (bits == 0 || bits > 32) {
        return false;
    }
    SetDepth(info, bits);
    return true;
}

/// Targa: the 18-byte header, which has no signature.
bool ReadTargaHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 18> h;
    if (!source.Read(h.data(), h.size())) {
        return false;
    }
    info.width = Le16(&h[12]);
    info.height = Le16(&h[14]);
    SetDepth(info, h[16]);
    return true;
}

/// Photoshop: "8BPS", version 1, channels, height, width, depth.
bool ReadPhotoshopHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 24> h;
    if (!source.Read(h.data(), h.size()) || !Matches(h.data(), "8BPS") || h[4] != 0 || h[5] != 1) {
        return false;
    }
    info.height = Be32(&h[14]);
    info.width = Be32(&h[18]);
    // The low bytes of the depth per channel and of the channel count.
    SetDepth(info, static_cast<uint32_t>(h[23]) * h[13]);
    return true;
}

/// PCX: the 128-byte header up to the plane count at 65; no signature.
bool ReadPcxHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 66> h;
    if (!source.Read(h.data(), h.size())) {
        return false;
    }
    const uint16_t xMin = Le16(&h[4]);
    const uint16_t yMin = Le16(&h[6]);
    const uint16_t xMax = Le16(&h[8]);
    const uint16_t yMax = Le16(&h[10]);
    if (xMax < xMin || yMax < yMin) {
        return false; // a window that ends before it starts holds no image
    }
    info.width = xMax - xMin + 1u;
    info.height = yMax - yMin + 1u;
    SetDepth(info, static_cast<uint32_t>(h[3]) * h[65]);
    return true;
}

/// IFF: a "FORM" of type "ILBM" or "PBM ", walked chunk by chunk to the
/// bitmap header. Every chunk moves the walk forward by at least its 8-byte
/// head, and a size past the end of the data ends it.
bool ReadIffHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::array<uint8_t, 12> h;
    if (!source.Read(h.data(), h.size()) || !Matches(h.data(), "FORM") ||
        (!Matches(&h[8], "ILBM") && !Matches(&h[8], "PBM "))) {
        return false;
    }
    for (;;) {
        std::array<uint8_t, 8> chunk;
        if (!source.Read(chunk.data(), chunk.size())) {
            return false;
        }
        const uint64_t size = Be32(&chunk[4]);
        if (!Matches(chunk.data(), "BMHD")) {
            // Chunks are padded to an even size.
            if (!source.Skip(size + (size & 1u))) {
                return false;
            }
            continue;
        }
        std::array<uint8_t, 9> header;
        if (!source.Read(header.data(), header.size())) {
            return false;
        }
        info.width = Be16(&header[0]);
        info.height = Be16(&header[2]);
        const uint8_t planes = header[8];
        SetDepth(info, planes);
        return info.width != 0 && info.height != 0 && planes >= 1 && planes <= 32;
    }
}

struct CFormatEntry {
    std::string_view extension;
    ImageHeaderReader reader;
};

constexpr CFormatEntry kFormats[] = {
    {"bmp", ReadBmpHeader},   {"png", ReadPngHeader},       {"gif", ReadGifHeader},
    {"jpg", ReadJpegHeader},  {"jpeg", ReadJpegHeader},     {"ico", ReadIconHeader},
    {"cur", ReadIconHeader},  {"tga", ReadTargaHeader},     {"targa", ReadTargaHeader},
    {"pix", ReadTargaHeader}, {"psd", ReadPhotoshopHeader}, {"pcx", ReadPcxHeader},
    {"pcc", ReadPcxHeader},   {"iff", ReadIffHeader},       {"ilbm", ReadIffHeader},
    {"lbm", ReadIffHeader},   {"webp", ReadWebpHeader},     {"jxl", ReadJxlHeader},
    {"heic", ReadHeifHeader}, {"heif", ReadHeifHeader},     {"hif", ReadHeifHeader},
    {"avif", ReadHeifHeader}, {"cr3", ReadCr3Header},       {"raf", ReadRafHeader},
    {"x3f", ReadX3fHeader},
};

} // namespace

ImageHeaderReader FindImageHeaderReader(std::string_view extension) {
    for (const CFormatEntry& entry : kFormats) {
        if (entry.extension == extension) {
            return entry.reader;
        }
    }
    return nullptr;
}

uint32_t ColourCountForDepth(uint32_t bits) {
    if (bits == 0) {
        return 0;
    }
    if (bits >= 32) {
        return std::numeric_limits<uint32_t>::max();
    }
    return 1u << bits;
}
