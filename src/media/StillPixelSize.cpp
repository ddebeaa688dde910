#include "media/StillPixelSize.h"

#include "media/FileHead.h"

#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <exception>
#include <mutex>
#include <vector>

namespace {

void SetUpExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        // A reader never shows a message; Exiv2 would print its warnings.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::enableBMFF(true);
    });
}

/// The first front read: the directories of a RAW file lie in its first
/// kilobytes, its preview and image data behind.
constexpr std::size_t kFirstFront = 256 * 1024;

/// Up to limit bytes from the front of the file; whole tells whether they
/// are all of it.
bool ReadFront(const std::string& path, std::size_t limit, std::vector<uint8_t>& bytes,
               bool& whole) {
    const std::lock_guard<std::mutex> lock(CFileHead::Lock());
    CFileHead& head = CFileHead::Shared();
    int error = 0;
    if (!head.Hold(path, error)) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(std::min<uint64_t>(head.Size(), limit)));
    bytes.resize(head.ReadAt(0, bytes.data(), bytes.size()));
    whole = bytes.size() == head.Size();
    head.CloseFile();
    return !bytes.empty();
}

uint32_t ExifNumber(const Exiv2::ExifData& exifData, const char* key) {
    const auto found = exifData.findKey(Exiv2::ExifKey(key));
    if (found == exifData.end() || found->count() == 0) {
        return 0;
    }
    const long value = found->toLong();
    return value > 0 ? static_cast<uint32_t>(value) : 0;
}

/// Whether the size Exiv2 gives is that of a reduced image: no directory
/// says it holds the full image (subfile type 0), and the first says it
/// holds a reduced one, as the thumbnail of a NEF file cut before its raw
/// directory does.
bool IsReducedImageSize(const Exiv2::ExifData& exifData) {
    static const char* const kGroups[] = {"Image",     "SubImage1", "SubImage2", "SubImage3",
                                          "SubImage4", "SubImage5", "SubImage6", "SubImage7",
                                          "SubImage8", "SubImage9"};
    for (const char* group : kGroups) {
        const auto found =
            exifData.findKey(Exiv2::ExifKey(std::string("Exif.") + group + ".NewSubfileType"));
        if (found != exifData.end() && found->count() > 0 && found->toLong() == 0) {
            return false;
        }
    }
    const auto first = exifData.findKey(Exiv2::ExifKey("Exif.Image.NewSubfileType"));
    return first != exifData.end() && first->count() > 0 && (first->toLong() & 1) != 0;
}

/// The size Exiv2 reads from the front bytes of a file; standIn tells that
/// the EXIF pixel dimensions stood in for the main image's.
bool ReadSizeFromFront(const std::vector<uint8_t>& bytes, uint32_t& width, uint32_t& height,
                       bool& standIn) {
    try {
        auto image = Exiv2::ImageFactory::open(bytes.data(), static_cast<long>(bytes.size()));
        if (image.get() == nullptr) {
            return false;
        }
        image->readMetadata();
        width = static_cast<uint32_t>(image->pixelWidth());
        height = static_cast<uint32_t>(image->pixelHeight());
        standIn = width <= 1 || height <= 1 || IsReducedImageSize(image->exifData());
        if (standIn) {
            // No size, a placeholder (a Phase One file's TIFF image is 1x1)
            // or a thumbnail's (a cut file may end inside the raw
            // directory): the EXIF pixel dimensions state the full image's.
            width = ExifNumber(image->exifData(), "Exif.Photo.PixelXDimension");
            height = ExifNumber(image->exifData(), "Exif.Photo.PixelYDimension");
        }
        return width != 0 && height != 0;
    } catch (const Exiv2::AnyError&) {
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool ReadStillPixelSize(const std::string& path, uint32_t& width, uint32_t& height) {
    SetUpExiv2();
    for (const std::size_t limit : {kFirstFront, CFileHead::kMaxKept}) {
        std::vector<uint8_t> bytes;
        bool whole = false;
        if (!ReadFront(path, limit, bytes, whole)) {
            return false;
        }
        uint32_t w = 0;
        uint32_t h = 0;
        bool standIn = false;
        const bool read = ReadSizeFromFront(bytes, w, h, standIn);
        // The main image's directory may lie behind the first front: only
        // all the front kept decides that a stand-in, or nothing, is all.
        if (read && (!standIn || whole || limit == CFileHead::kMaxKept)) {
            width = w;
            height = h;
            return true;
        }
        if (whole) {
            return false;
        }
    }
    return false;
}
