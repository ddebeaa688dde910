#include "media/ImageReader.h"

#include "media/ImageFormats.h"
#include "platform/SequentialReader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

/// Bytes in memory, as the whole file.
class CMemorySource final : public CImageHeaderSource {
public:
    explicit CMemorySource(std::string_view bytes) : bytes(bytes) {}

    bool Read(uint8_t* buffer, std::size_t count) override {
        if (count > bytes.size() - position) {
            return false;
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

/// An open file, read in small blocks. The first block holds the whole
/// header of every format; only the segment and chunk walks of JPEG and IFF
/// go further. The sequential reader cannot seek, so skipping reads past the
/// bytes; a skip beyond the size the file had when it was opened fails at
/// once without reading.
class CFileSource final : public CImageHeaderSource {
public:
    explicit CFileSource(platform::CSequentialReader& file) : file(file) {}

    bool Read(uint8_t* out, std::size_t count) override {
        while (count > 0) {
            if (next == filled && !Fill()) {
                return false;
            }
            const std::size_t take = std::min(count, filled - next);
            std::memcpy(out, block.data() + next, take);
            next += take;
            out += take;
            count -= take;
        }
        return true;
    }

    bool Skip(uint64_t count) override {
        const std::size_t buffered = filled - next;
        if (count <= buffered) {
            next += static_cast<std::size_t>(count);
            return true;
        }
        count -= buffered;
        next = filled;
        if (count > file.GetSize() - std::min(file.GetSize(), readFromFile)) {
            return false;
        }
        while (count > 0) {
            if (!Fill()) {
                return false;
            }
            const std::size_t take = static_cast<std::size_t>(std::min<uint64_t>(count, filled));
            next = take;
            count -= take;
        }
        return true;
    }

private:
    bool Fill() {
        std::size_t got = 0;
        int error = 0;
        next = 0;
        filled = 0;
        if (!file.Read(block.data(), block.size(), got, error) || got == 0) {
            return false;
        }
        filled = got;
        readFromFile += got;
        return true;
    }

    platform::CSequentialReader& file;
    std::array<uint8_t, 4096> block{};
    std::size_t next = 0;
    std::size_t filled = 0;
    uint64_t readFromFile = 0;
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

bool ReadFile(const std::string& path, CImageInfo& info) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    const ImageHeaderReader reader = FindImageHeaderReader(LowerAscii(path.substr(dot + 1)));
    if (reader == nullptr) {
        return false;
    }
    platform::CSequentialReader file;
    int error = 0;
    if (!file.Open(path, error)) {
        return false;
    }
    CFileSource source(file);
    return reader(source, info);
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
