// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/ExifReader.h"

#include "media/ExifParseValues.h"
#include "media/FileHead.h"
#include "media/FileStamp.h"

#include "platform/FileSystem.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>
#include <streambuf>
#include <string_view>

namespace {

constexpr int kMarkerSos = 0xDA;
constexpr int kMarkerEoi = 0xD9;
constexpr int kMarkerApp0 = 0xE0;
constexpr int kMarkerApp1 = 0xE1;
constexpr int kMarkerCom = 0xFE;
constexpr int kMaxMarkerPadding = 6;
/// The comment section is read from offset 2 up to this offset at most.
constexpr std::size_t kCommentEnd = 1000;
constexpr std::size_t kMaxUserComment = 199;

// Tags of the directories.
constexpr uint16_t kTagMake = 0x010F;
constexpr uint16_t kTagModel = 0x0110;
constexpr uint16_t kTagOrientation = 0x0112;
constexpr uint16_t kTagXResolution = 0x011A;
constexpr uint16_t kTagYResolution = 0x011B;
constexpr uint16_t kTagResolutionUnit = 0x0128;
constexpr uint16_t kTagExposureTime = 0x829A;
constexpr uint16_t kTagFNumber = 0x829D;
constexpr uint16_t kTagExifOffset = 0x8769;
constexpr uint16_t kTagExposureProgram = 0x8822;
constexpr uint16_t kTagIsoEquivalent = 0x8827;
constexpr uint16_t kTagExifVersion = 0x9000;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;
constexpr uint16_t kTagCompressedBitsPerPixel = 0x9102;
constexpr uint16_t kTagShutterSpeed = 0x9201;
constexpr uint16_t kTagAperture = 0x9202;
constexpr uint16_t kTagBrightness = 0x9203;
constexpr uint16_t kTagExposureBias = 0x9204;
constexpr uint16_t kTagMaxAperture = 0x9205;
constexpr uint16_t kTagSubjectDistance = 0x9206;
constexpr uint16_t kTagMeteringMode = 0x9207;
constexpr uint16_t kTagLightSource = 0x9208;
constexpr uint16_t kTagFlash = 0x9209;
constexpr uint16_t kTagFocalLength = 0x920A;
constexpr uint16_t kTagUserComment = 0x9286;
constexpr uint16_t kTagPixelXDimension = 0xA002;
constexpr uint16_t kTagPixelYDimension = 0xA003;
constexpr uint16_t kTagInteropOffset = 0xA005;
constexpr uint16_t kTagFocalPlaneXRes = 0xA20E;
constexpr uint16_t kTagFocalPlaneYRes = 0xA20F;
constexpr uint16_t kTagFocalPlaneUnits = 0xA210;

constexpr std::size_t kEntrySize = 12;
constexpr int kMaxFormat = 12;
/// Bytes per component of the format codes 0 to 12.
constexpr std::array<std::size_t, kMaxFormat + 1> kFormatSizes = {0, 1, 1, 2, 4, 8, 1,
                                                                  1, 2, 4, 8, 4, 8};

bool IsStartOfFrame(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

uint16_t BigEndian16(const uint8_t* bytes) {
    return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
}

/// Serves an istream from the shared head of the file held.
class CHeadBuffer : public std::streambuf {
public:
    explicit CHeadBuffer(CFileHead& head) : head(head) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        const std::size_t got =
            head.ReadAt(position, reinterpret_cast<uint8_t*>(buffer.data()), buffer.size());
        if (got == 0) {
            return traits_type::eof();
        }
        position += got;
        setg(buffer.data(), buffer.data(), buffer.data() + got);
        return traits_type::to_int_type(*gptr());
    }

private:
    CFileHead& head;
    uint64_t position = 0;
    std::array<char, 4096> buffer{};
};

} // namespace

using exif::CopyText;
using exif::InchesPerUnit;
using exif::ToFloat;
using exif::ToInt32;

CExifReader::CExifReader(CExifInfo* target)
    : ownedInfo(target == nullptr ? std::make_unique<CExifInfo>() : nullptr),
      info(target == nullptr ? ownedInfo.get() : target) {}

CExifReader::~CExifReader() = default;

bool CExifReader::ReadSections(std::istream& file) {
    sections.clear();
    lastError.clear();
    if (file.get() != 0xFF || file.get() != 0xD8) {
        return false;
    }
    bool commentRead = false;
    for (;;) {
        if (sections.size() >= kMaxSections) {
            lastError = "Too many sections in jpg file";
            return false;
        }
        int marker = 0;
        for (int padding = 0;; ++padding) {
            marker = file.get();
            if (marker == std::char_traits<char>::eof()) {
                lastError = "Premature end of file?";
                return false;
            }
            if (marker != 0xFF) {
                break;
            }
            if (padding >= kMaxMarkerPadding) {
                return false;
            }
        }
        const int high = file.get();
        const int low = file.get();
        if (high == std::char_traits<char>::eof() || low == std::char_traits<char>::eof()) {
            lastError = "Premature end of file?";
            return false;
        }
        const std::size_t length = static_cast<std::size_t>((high << 8) | low);
        if (length < 2) {
            lastError = "invalid marker";
            return false;
        }

        CSection section;
        section.marker = marker;
        try {
            section.data.resize(length);
        } catch (const std::bad_alloc&) {
            lastError = "Could not allocate memory";
            return false;
        }
        section.data[0] = static_cast<uint8_t>(high);
        section.data[1] = static_cast<uint8_t>(low);
        const auto rest = static_cast<std::streamsize>(length - 2);
        file.read(reinterpret_cast<char*>(section.data.data() + 2), rest);
        if (file.gcount() != rest) {
            lastError = "Premature end of file?";
            return false;
        }

        if (IsStartOfFrame(marker)) {
            ReadFrameHeader(section);
        } else if (marker == kMarkerEoi) {
            return false;
        } else if (marker == kMarkerSos) {
            sections.push_back(std::move(section));
            return true;
        } else if (marker == kMarkerApp1) {
            if (length < 6 || std::memcmp(section.data.data() + 2, "Exif", 4) != 0) {
                continue; // another kind of APP1 (XMP, ...): not kept
            }
            info->exifPresent = ParseExifBlock(section) ? 1 : 0;
        } else if (marker == kMarkerCom) {
            if (commentRead) {
                continue;
            }
            commentRead = true;
            ReadComment(section);
        } else if (marker == kMarkerApp0) {
            continue;
        }
        sections.push_back(std::move(section));
    }
}

void CExifReader::ReadTiffBlock(const uint8_t* data, std::size_t size) {
    // Dressed as an APP1 section (two length bytes and the EXIF header), so
    // that every offset and check is the one of a JPEG file.
    static constexpr std::array<uint8_t, 8> kHead = {0, 0, 'E', 'x', 'i', 'f', 0, 0};
    CSection section;
    section.marker = kMarkerApp1;
    section.data.reserve(kHead.size() + size);
    section.data.assign(kHead.begin(), kHead.end());
    section.data.insert(section.data.end(), data, data + size);
    lastError.clear();
    info->exifPresent = ParseExifBlock(section) ? 1 : 0;
}

void CExifReader::ReadFrameHeader(const CSection& section) {
    // A frame header too short to hold the frame size and the component
    // count says nothing.
    if (section.data.size() < 8) {
        return;
    }
    info->height = BigEndian16(section.data.data() + 3);
    info->width = BigEndian16(section.data.data() + 5);
    info->isColor = section.data[7] == 3 ? 1 : 0;
    info->process = section.marker;
}

void CExifReader::ReadComment(const CSection& section) {
    const std::vector<uint8_t>& data = section.data;
    const std::string_view all(reinterpret_cast<const char*>(data.data()) + 2, data.size() - 2);
    const std::string_view text =
        all.substr(0, utf8::OffsetOfChar(all, kCommentEnd - 2)); // 998 characters at most
    std::string comment;
    comment.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' && i + 1 < all.size() && all[i + 1] == '\n') {
            continue;
        }
        if (byte < 32 && byte != '\t' && byte != '\n') {
            comment += '?';
        } else {
            comment += text[i];
        }
    }
    info->comments = std::move(comment);
}

uint16_t CExifReader::Get16(const uint8_t* bytes) const {
    if (motorolaOrder) {
        return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
    }
    return static_cast<uint16_t>((bytes[1] << 8) | bytes[0]);
}

uint32_t CExifReader::Get32(const uint8_t* bytes) const {
    if (motorolaOrder) {
        return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
               bytes[3];
    }
    return (uint32_t{bytes[3]} << 24) | (uint32_t{bytes[2]} << 16) | (uint32_t{bytes[1]} << 8) |
           bytes[0];
}

double CExifReader::ValueAsNumber(const uint8_t* value, std::size_t byteCount, int format) const {
    // Only the first component counts; a value without components is 0.
    if (byteCount < kFormatSizes[static_cast<std::size_t>(format)]) {
        return 0;
    }
    switch (format) {
    case 1:
        return value[0];
    case 3:
        return Get16(value);
    case 4:
        return Get32(value);
    case 5: {
        const uint32_t denominator = Get32(value + 4);
        return denominator == 0 ? 0.0 : static_cast<double>(Get32(value)) / denominator;
    }
    case 6:
        return static_cast<int8_t>(value[0]);
    case 8:
        return static_cast<int16_t>(Get16(value));
    case 9:
        return static_cast<int32_t>(Get32(value));
    case 10: {
        const auto denominator = static_cast<int32_t>(Get32(value + 4));
        return denominator == 0
                   ? 0.0
                   : static_cast<double>(static_cast<int32_t>(Get32(value))) / denominator;
    }
    case 11:
        return std::bit_cast<float>(Get32(value));
    case 12: {
        const uint64_t first = Get32(value);
        const uint64_t second = Get32(value + 4);
        return std::bit_cast<double>(motorolaOrder ? (first << 32) | second
                                                   : (second << 32) | first);
    }
    default: // none, text, undefined
        return 0;
    }
}

bool CExifReader::ParseExifBlock(const CSection& section) {
    info->flashUsed = 0;
    info->comments.clear();
    exifImageWidth = 0;

    const uint8_t* data = section.data.data();
    const std::size_t length = section.data.size();
    if (length < 8 || std::memcmp(data + 2, "Exif\0\0", 6) != 0) {
        lastError = "Incorrect Exif header";
        return false;
    }
    if (length >= 10 && data[8] == 'I' && data[9] == 'I') {
        motorolaOrder = false;
    } else if (length >= 10 && data[8] == 'M' && data[9] == 'M') {
        motorolaOrder = true;
    } else {
        lastError = "Invalid Exif alignment marker.";
        return false;
    }
    if (length < 12 || Get16(data + 10) != 42) {
        lastError = "Invalid Exif start (1)";
        return false;
    }
    // The first directory may lie anywhere in the block after the header
    // (cameras put it beyond offset 16 too), but not outside it.
    const CBlock block{data + 8, length - 8};
    const uint32_t firstOffset = length >= 16 ? Get32(data + 12) : 0;
    if (firstOffset < 8 || firstOffset >= block.size) {
        lastError = "Suspicious offset of first IFD value";
        return false;
    }

    // The walk starts where the header says the first directory is; for
    // the usual offset 8 that is right behind the header.
    directoriesRead.clear();
    entriesLeft = kMaxEntries;
    if (!ReadDirectory(block, firstOffset)) {
        return false;
    }
    if (info->focalPlaneXRes != 0) {
        info->ccdWidth = ToFloat(static_cast<double>(exifImageWidth) * info->focalPlaneUnits /
                                 info->focalPlaneXRes);
    }
    return true;
}

bool CExifReader::FollowLink(const CBlock& block, uint32_t offset) {
    // A broken link (outside the block, or to a directory that does not fit
    // in it) skips what it links to: the fields of that directory stay
    // empty, and what was read stays.
    if (offset >= block.size) {
        lastError = "Illegal subdirectory link";
        return true;
    }
    if (!DirectoryFits(block, offset)) {
        lastError = "Illegally sized directory";
        return true;
    }
    // A directory already read (a link back into the chain) or one past the
    // limit is not read again: its facts are in already, and the walk ends.
    if (std::find(directoriesRead.begin(), directoriesRead.end(), offset) !=
            directoriesRead.end() ||
        directoriesRead.size() >= kMaxDirectories) {
        return true;
    }
    return ReadDirectory(block, offset);
}

bool CExifReader::DirectoryFits(const CBlock& block, std::size_t start) const {
    return start + 2 <= block.size &&
           start + 2 + kEntrySize * std::size_t{Get16(block.data + start)} <= block.size;
}

bool CExifReader::ReadDirectory(const CBlock& block, std::size_t start) {
    directoriesRead.push_back(start);
    if (!DirectoryFits(block, start)) {
        lastError = "Illegally sized directory";
        return false;
    }
    const std::size_t count = Get16(block.data + start);
    const std::size_t end = start + 2 + kEntrySize * count;
    for (std::size_t index = 0; index < count; ++index) {
        if (entriesLeft == 0) {
            return true;
        }
        --entriesLeft;
        const uint8_t* entry = block.data + start + 2 + kEntrySize * index;
        const uint16_t tag = Get16(entry);
        const int format = Get16(entry + 2);
        const uint32_t components = Get32(entry + 4);
        if (format > kMaxFormat) {
            lastError = "Illegal format code in EXIF dir";
            return false;
        }
        const uint64_t byteCount =
            uint64_t{components} * kFormatSizes[static_cast<std::size_t>(format)];
        const uint8_t* value = entry + 8;
        if (byteCount > 4) {
            const uint32_t offset = Get32(entry + 8);
            if (uint64_t{offset} + byteCount > block.size) {
                lastError = "Illegal pointer offset value in EXIF.";
                return false;
            }
            value = block.data + offset;
        }
        HandleTag(tag, format, value, static_cast<std::size_t>(byteCount));
        // The 4 bytes of a link are there in both cases: the entry's own, or
        // more than 4 bytes inside the block.
        if ((tag == kTagExifOffset || tag == kTagInteropOffset) &&
            !FollowLink(block, Get32(value))) {
            return false;
        }
    }
    // A link to the next directory that does not fit in the block ends the
    // chain here.
    if (end + 4 <= block.size && entriesLeft > 0) {
        const uint32_t next = Get32(block.data + end);
        if (next != 0 && !FollowLink(block, next)) {
            return false;
        }
    }
    return true;
}

void CExifReader::HandleTag(uint16_t tag, int format, const uint8_t* value, std::size_t byteCount) {
    const double number = ValueAsNumber(value, byteCount, format);
    switch (tag) {
    case kTagMake:
        info->cameraMake = CopyText(value, byteCount, CExifInfo::kMaxCameraMake);
        break;
    case kTagModel:
        info->cameraModel = CopyText(value, byteCount, CExifInfo::kMaxCameraModel);
        break;
    case kTagOrientation:
        info->orientation = ToInt32(number);
        if (info->orientation < 1 || info->orientation > 8) {
            lastError = "Undefined rotation value";
            info->orientation = 0;
        }
        break;
    case kTagXResolution:
        info->xResolution = ToFloat(number);
        break;
    case kTagYResolution:
        info->yResolution = ToFloat(number);
        break;
    case kTagResolutionUnit:
        InchesPerUnit(ToInt32(number), info->resolutionUnit);
        break;
    case kTagExposureTime:
        info->exposureTime = ToFloat(number);
        break;
    case kTagFNumber:
        info->apertureFNumber = ToFloat(number);
        break;
    case kTagExposureProgram:
        info->exposureProgram = ToInt32(number);
        break;
    case kTagIsoEquivalent: {
        // Some cameras store the speed in units of 200.
        const int32_t iso = ToInt32(number);
        info->isoEquivalent = iso < 50 ? ToInt32(static_cast<double>(iso) * 200) : iso;
        break;
    }
    case kTagExifVersion:
        info->version = CopyText(value, byteCount, CExifInfo::kMaxVersion);
        break;
    case kTagDateTimeOriginal:
        info->dateTime = CopyText(value, byteCount, CExifInfo::kMaxDateTime);
        break;
    case kTagCompressedBitsPerPixel:
        info->compressionLevel = ToInt32(number);
        break;
    case kTagShutterSpeed:
        // APEX: the time value Tv gives 1 / 2^Tv seconds.
        if (info->exposureTime == 0) {
            info->exposureTime = ToFloat(std::exp2(-number));
        }
        break;
    case kTagAperture:
    case kTagMaxAperture:
        // APEX: the aperture value Av gives the f-number 2^(Av / 2).
        if (info->apertureFNumber == 0) {
            info->apertureFNumber = ToFloat(std::exp2(number / 2));
        }
        break;
    case kTagBrightness:
        info->brightness = ToFloat(number);
        break;
    case kTagExposureBias:
        info->exposureBias = ToFloat(number);
        break;
    case kTagSubjectDistance:
        info->distance = ToFloat(number);
        break;
    case kTagMeteringMode:
        info->meteringMode = ToInt32(number);
        break;
    case kTagLightSource:
        info->whiteBalance = ToInt32(number);
        break;
    case kTagFlash:
        info->flashUsed = (ToInt32(number) & 7) != 0 ? 1 : 0;
        break;
    case kTagFocalLength:
        info->focalLength = ToFloat(number);
        break;
    case kTagUserComment:
        ReadUserComment(value, byteCount);
        break;
    case kTagPixelXDimension:
    case kTagPixelYDimension:
        exifImageWidth = std::max(exifImageWidth, ToInt32(number));
        break;
    case kTagFocalPlaneXRes:
        info->focalPlaneXRes = ToFloat(number);
        break;
    case kTagFocalPlaneYRes:
        info->focalPlaneYRes = ToFloat(number);
        break;
    case kTagFocalPlaneUnits:
        InchesPerUnit(ToInt32(number), info->focalPlaneUnits);
        break;
    default:
        break;
    }
}

void CExifReader::ReadUserComment(const uint8_t* value, std::size_t byteCount) {
    // Some cameras pad the comment with blanks.
    while (byteCount > 0 && value[byteCount - 1] == ' ') {
        --byteCount;
    }
    // The value starts with an eight-byte character code; an ASCII comment
    // begins at the first byte after "ASCII" that is neither zero nor blank.
    if (byteCount >= 5 && std::memcmp(value, "ASCII", 5) == 0) {
        for (std::size_t pos = 5; pos < 10 && pos < byteCount; ++pos) {
            if (value[pos] != 0 && value[pos] != ' ') {
                info->comments = CopyText(value + pos, byteCount - pos, kMaxUserComment);
                return;
            }
        }
        return;
    }
    info->comments = CopyText(value, byteCount, kMaxUserComment);
}

bool ReadExifInfo(const std::string& path, CExifInfo& info) {
    struct CCache {
        std::mutex mutex;
        bool valid = false;
        std::string path;
        CFileStamp stamp;
        bool result = false;
        CExifInfo info;
    };
    static CCache cache;

    const std::lock_guard<std::mutex> lock(cache.mutex);
    const CFileStamp stamp = StampOf(path);
    if (!cache.valid || path != cache.path || stamp != cache.stamp) {
        cache.valid = true;
        cache.path = path;
        cache.stamp = stamp;
        cache.info = CExifInfo{};
        cache.result = false;
        const std::lock_guard<std::mutex> headLock(CFileHead::Lock());
        CFileHead& head = CFileHead::Shared();
        int error = 0;
        if (head.Hold(path, error)) {
            CHeadBuffer buffer(head);
            std::istream stream(&buffer);
            CExifReader reader(&cache.info);
            cache.result = reader.ReadSections(stream);
            head.CloseFile();
        }
    }
    info = cache.result ? cache.info : CExifInfo{};
    return cache.result;
}
