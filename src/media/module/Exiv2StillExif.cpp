// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/module/Exiv2StillExif.h"

#include "media/module/Exiv2SetUp.h"

#include <exiv2/exiv2.hpp>

#include <exception>
#include <limits>

namespace {

bool ReadOpened(Exiv2::Image* image, std::vector<uint8_t>& tiff, bool& isPng) {
    if (image == nullptr || image->imageType() == Exiv2::ImageType::jpeg) {
        return false;
    }
    isPng = image->imageType() == Exiv2::ImageType::png;
    image->readMetadata();
    const Exiv2::ExifData& exifData = image->exifData();
    if (exifData.empty()) {
        return false;
    }
    // Exiv2 parsed the block into its entries; written back as one TIFF
    // block they keep their tags, types and values.
    const Exiv2::ByteOrder order =
        image->byteOrder() == Exiv2::invalidByteOrder ? Exiv2::littleEndian : image->byteOrder();
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, nullptr, 0, order, exifData);
    tiff.assign(blob.begin(), blob.end());
    return !tiff.empty();
}

template <typename Open> bool ReadGuarded(Open open, std::vector<uint8_t>& tiff, bool& isPng) {
    tiff.clear();
    isPng = false;
    SetUpExiv2();
    try {
        // Exiv2 0.27 hands the image out in an auto_ptr; only its pointer
        // is used here.
        auto image = open();
        return ReadOpened(image.get(), tiff, isPng);
    } catch (const Exiv2::AnyError&) {
    } catch (const std::exception&) {
    }
    tiff.clear();
    return false;
}

} // namespace

bool ReadExifBlockWithExiv2(const std::string& path, std::vector<uint8_t>& tiff, bool& isPng) {
    return ReadGuarded([&path] { return Exiv2::ImageFactory::open(path); }, tiff, isPng);
}

bool ReadExifBlockWithExiv2(const uint8_t* bytes, std::size_t size, std::vector<uint8_t>& tiff,
                            bool& isPng) {
    if (size > static_cast<std::size_t>(std::numeric_limits<long>::max())) {
        return false;
    }
    return ReadGuarded(
        [bytes, size] { return Exiv2::ImageFactory::open(bytes, static_cast<long>(size)); }, tiff,
        isPng);
}
