// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/module/Exiv2PixelSize.h"

#include "media/module/Exiv2SetUp.h"

#include <exiv2/exiv2.hpp>

#include <exception>
#include <limits>
#include <string>

namespace {

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
} // namespace

bool ReadRawPixelSizeWithExiv2(const uint8_t* bytes, std::size_t size, uint32_t& width,
                               uint32_t& height, bool& standIn) {
    if (size > static_cast<std::size_t>(std::numeric_limits<long>::max())) {
        return false;
    }
    SetUpExiv2();
    try {
        // Exiv2 0.27 hands the image out in an auto_ptr; only its pointer
        // is used here.
        auto image = Exiv2::ImageFactory::open(bytes, static_cast<long>(size));
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
