// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/BmffImageFormats.h"

#include "media/ImageBytes.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <vector>

namespace {

using image_bytes::Be16;
using image_bytes::Be32;
using image_bytes::Be64;
using image_bytes::Matches;

/// The largest box whose payload is read into memory (a HEIF file's meta
/// box, a CR3 file's movie box); real ones hold some tens of kilobytes.
constexpr uint64_t kMaxHeldBox = 1 << 20;
/// The top-level boxes walked before the one sought; a file gives up after.
constexpr int kMaxTopBoxes = 64;

/// A box in memory: its type and payload.
struct CBox {
    const uint8_t* type = nullptr;
    const uint8_t* data = nullptr;
    std::size_t size = 0;
};

/// Steps through the boxes that fill a payload in memory. A box that claims
/// more than is left ends the walk.
class CBoxWalk {
public:
    CBoxWalk(const uint8_t* data, std::size_t size) : at(data), end(data + size) {}
    explicit CBoxWalk(const CBox& box) : CBoxWalk(box.data, box.size) {}

    bool Next(CBox& box) {
        const auto left = static_cast<std::size_t>(end - at);
        if (left < 8) {
            return false;
        }
        uint64_t size = Be32(at);
        std::size_t head = 8;
        if (size == 1) {
            if (left < 16) {
                return false;
            }
            size = Be64(at + 8);
            head = 16;
        } else if (size == 0) {
            size = left;
        }
        if (size < head || size > left) {
            return false;
        }
        box = CBox{at + 4, at + head, static_cast<std::size_t>(size) - head};
        at += size;
        return true;
    }

    /// The next box of type; false when none is left.
    bool Find(const char* type, CBox& box) {
        while (Next(box)) {
            if (Matches(box.type, type)) {
                return true;
            }
        }
        return false;
    }

private:
    const uint8_t* at;
    const uint8_t* end;
};

/// Descends from box through the first child of each type in turn.
bool FindPath(CBox box, std::initializer_list<const char*> types, CBox& found) {
    for (const char* type : types) {
        if (!CBoxWalk(box).Find(type, box)) {
            return false;
        }
    }
    found = box;
    return true;
}

/// Walks the top-level boxes, which must begin with the file type box, to the
/// first one of type and reads its payload.
bool ReadTopLevelBox(CImageHeaderSource& source, const char* type, std::vector<uint8_t>& payload) {
    CBoxHead head;
    if (!ReadBoxHead(source, head) || !Matches(head.type, "ftyp") || head.toEnd ||
        !source.Skip(head.payload)) {
        return false;
    }
    for (int i = 0; i < kMaxTopBoxes; ++i) {
        if (!ReadBoxHead(source, head)) {
            return false;
        }
        if (Matches(head.type, type)) {
            if (head.toEnd || head.payload > kMaxHeldBox) {
                return false;
            }
            payload.resize(static_cast<std::size_t>(head.payload));
            return source.Read(payload.data(), payload.size());
        }
        if (head.toEnd || !source.Skip(head.payload)) {
            return false;
        }
    }
    return false;
}

/// Adds the property indexes (1-based) that an ipma box associates with item.
void CollectAssociations(const CBox& ipma, uint32_t item, std::vector<uint32_t>& indexes) {
    if (ipma.size < 8) {
        return;
    }
    const uint8_t version = ipma.data[0];
    const bool wideIndexes = (ipma.data[3] & 1u) != 0;
    const uint32_t count = Be32(ipma.data + 4);
    const uint8_t* p = ipma.data + 8;
    const uint8_t* end = ipma.data + ipma.size;
    const std::size_t idSize = version < 1 ? 2 : 4;
    const std::size_t indexSize = wideIndexes ? 2 : 1;
    // Every entry moves on by at least its item number and count, so the
    // loop ends with the payload whatever the count says.
    for (uint32_t i = 0; i < count; ++i) {
        if (static_cast<std::size_t>(end - p) < idSize + 1) {
            return;
        }
        const uint32_t id = idSize == 2 ? Be16(p) : Be32(p);
        const std::size_t associations = p[idSize];
        p += idSize + 1;
        if (static_cast<std::size_t>(end - p) < associations * indexSize) {
            return;
        }
        if (id == item) {
            for (std::size_t a = 0; a < associations; ++a) {
                // The top bit marks an essential property.
                indexes.push_back(wideIndexes ? Be16(p + 2 * a) & 0x7FFFu : p[a] & 0x7Fu);
            }
        }
        p += associations * indexSize;
    }
}

/// The primary item's number from a pitm box.
bool ReadPrimaryItem(const CBox& pitm, uint32_t& item) {
    if (pitm.size >= 6 && pitm.data[0] == 0) {
        item = Be16(pitm.data + 4);
        return true;
    }
    if (pitm.size >= 8 && pitm.data[0] == 1) {
        item = Be32(pitm.data + 4);
        return true;
    }
    return false;
}

} // namespace

bool ReadBoxHead(CImageHeaderSource& source, CBoxHead& head) {
    std::array<uint8_t, 8> h;
    if (!source.Read(h.data(), h.size())) {
        return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        head.type[i] = h[4 + i];
    }
    const uint32_t size = Be32(h.data());
    head.toEnd = size == 0;
    head.payload = 0;
    if (size == 1) {
        std::array<uint8_t, 8> large;
        if (!source.Read(large.data(), large.size())) {
            return false;
        }
        const uint64_t largeSize = Be64(large.data());
        if (largeSize < 16) {
            return false;
        }
        head.payload = largeSize - 16;
    } else if (size != 0) {
        if (size < 8) {
            return false;
        }
        head.payload = size - 8u;
    }
    return true;
}

bool ReadHeifHeader(CImageHeaderSource& source, CImageInfo& info) {
    std::vector<uint8_t> meta;
    // The meta box is a full box: version and flags come first.
    if (!ReadTopLevelBox(source, "meta", meta) || meta.size() < 4) {
        return false;
    }
    bool havePrimary = false;
    uint32_t primary = 0;
    std::vector<CBox> properties;
    std::vector<CBox> associationBoxes;
    CBoxWalk walk(meta.data() + 4, meta.size() - 4);
    CBox box;
    while (walk.Next(box)) {
        if (Matches(box.type, "pitm")) {
            havePrimary = ReadPrimaryItem(box, primary);
        } else if (Matches(box.type, "iprp")) {
            CBoxWalk inner(box);
            CBox child;
            while (inner.Next(child)) {
                if (Matches(child.type, "ipco")) {
                    CBoxWalk entries(child);
                    CBox property;
                    while (entries.Next(property)) {
                        properties.push_back(property);
                    }
                } else if (Matches(child.type, "ipma")) {
                    associationBoxes.push_back(child);
                }
            }
        }
    }
    if (!havePrimary) {
        return false;
    }
    std::vector<uint32_t> indexes;
    for (const CBox& ipma : associationBoxes) {
        CollectAssociations(ipma, primary, indexes);
    }
    bool sized = false;
    uint32_t bits = 0;
    for (const uint32_t index : indexes) {
        if (index == 0 || index > properties.size()) {
            continue; // 0 stands for no property
        }
        const CBox& property = properties[index - 1];
        if (!sized && Matches(property.type, "ispe") && property.size >= 12) {
            info.width = Be32(property.data + 4);
            info.height = Be32(property.data + 8);
            sized = true;
        } else if (Matches(property.type, "pixi") && property.size >= 5 &&
                   property.size >= 5u + property.data[4]) {
            bits = 0;
            for (std::size_t c = 0; c < property.data[4]; ++c) {
                bits += property.data[5 + c];
            }
        }
    }
    info.bitsPerPixel = bits;
    info.colourCount = ColourCountForDepth(bits);
    return sized && info.width != 0 && info.height != 0;
}

bool ReadCr3Header(CImageHeaderSource& source, CImageInfo& info) {
    std::vector<uint8_t> movie;
    if (!ReadTopLevelBox(source, "moov", movie)) {
        return false;
    }
    CBoxWalk tracks(movie.data(), movie.size());
    CBox track;
    while (tracks.Find("trak", track)) {
        CBox descriptions;
        // The sample description box: version and flags, the entry count,
        // then the entries.
        if (!FindPath(track, {"mdia", "minf", "stbl", "stsd"}, descriptions) ||
            descriptions.size < 8) {
            continue;
        }
        CBox entry;
        // A visual sample entry: 24 bytes of reserved and predefined fields,
        // width, height, resolutions, frame count, compressor name, depth.
        if (!CBoxWalk(descriptions.data + 8, descriptions.size - 8).Next(entry) ||
            !Matches(entry.type, "CRAW") || entry.size < 76) {
            continue;
        }
        info.width = Be16(entry.data + 24);
        info.height = Be16(entry.data + 26);
        info.bitsPerPixel = Be16(entry.data + 74);
        info.colourCount = ColourCountForDepth(info.bitsPerPixel);
        return info.width != 0 && info.height != 0;
    }
    return false;
}
