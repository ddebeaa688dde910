// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/ImageReader.h"

#include "media/FileHead.h"
#include "media/ImageFormats.h"
#include "media/StillPixelSize.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

/// Bytes in memory, as the whole file.
class CMemorySource final : public CImageHeaderSource {
public:
    explicit CMemorySource(std::string_view bytes) : bytes(bytes) {}

    bool Read(uint8_t* buffer, std::size_t count) override {
        if (count > bytes.size() - position) {
            return false;
        }
        if (count == 0) {
            return true; // an empty box: buffer may be null
        }
        std::memcpy(buffer, bytes.data() + position, count);
        position += count;
        return true;
    }

    bool Skip(uint64_t count) override {
        if (count > bytes.size() - position) {
            return false;
        }
        position += static_cast<std::size_t>(count);
        return true;
    }

private:
    std::string_view bytes;
    std::size_t position = 0;
};

/// The file held by the shared head. The header of every format lies in
/// the first bytes; only the segment and chunk walks of JPEG and IFF go
/// further, and a skip beyond the size the file had when it was opened fails
/// at once without reading.
class CHeadSource final : public CImageHeaderSource {
public:
    explicit CHeadSource(CFileHead& head) : head(head) {}

    bool Read(uint8_t* out, std::size_t count) override {
        if (head.ReadAt(position, out, count) != count) {
            return false;
        }
        position += count;
        return true;
    }

    bool Skip(uint64_t count) override {
        if (count > head.Size() - std::min(head.Size(), position)) {
            return false;
        }
        position += count;
        return true;
    }

private:
    CFileHead& head;
    uint64_t position = 0;
};

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

/// The one remembered request of the program: the tag expansion asks for
/// the same file once per image tag of a rule.
struct CImageCache {
    std::string path;
    bool result = false;
    CImageInfo info;
};

CImageCache& Cache() {
    static CImageCache cache;
    return cache;
}

/// The RAW formats whose size lies in TIFF directories (or, in MRW, behind
/// blocks of their own), which Exiv2 reads.
bool IsTiffRawExtension(std::string_view extension) {
    for (const std::string_view raw : {"cr2", "nef", "nrw", "arw", "srf", "sr2", "dng", "orf",
                                       "rw2", "pef", "srw", "iiq", "mrw"}) {
        if (extension == raw) {
            return true;
        }
    }
    return false;
}

bool ReadFile(const std::string& path, CImageInfo& info) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    const std::string extension = LowerAscii(path.substr(dot + 1));
    if (IsTiffRawExtension(extension)) {
        // The depth of a raw sample is no colour depth of the image: 0.
        info = CImageInfo{};
        return ReadStillPixelSize(path, info.width, info.height);
    }
    const ImageHeaderReader reader = FindImageHeaderReader(extension);
    if (reader == nullptr) {
        return false;
    }
    const std::lock_guard<std::mutex> lock(CFileHead::Lock());
    CFileHead& head = CFileHead::Shared();
    int error = 0;
    if (!head.Hold(path, error)) {
        return false;
    }
    CHeadSource source(head);
    const bool read = reader(source, info);
    head.CloseFile();
    return read;
}

} // namespace

bool ReadImageInfo(const std::string& path, CImageInfo& info) {
    CImageCache& cache = Cache();
    if (path != cache.path) {
        cache.path = path;
        CImageInfo read;
        cache.result = ReadFile(path, read);
        cache.info = cache.result ? read : CImageInfo{};
    }
    if (cache.result) {
        info = cache.info;
    }
    return cache.result;
}

bool ReadImageInfoFromBytes(std::string_view bytes, std::string_view extension, CImageInfo& info) {
    const ImageHeaderReader reader = FindImageHeaderReader(LowerAscii(extension));
    if (reader == nullptr) {
        return false;
    }
    CMemorySource source(bytes);
    CImageInfo read;
    if (!reader(source, read)) {
        return false;
    }
    info = read;
    return true;
}
