#include "media/StillExifReader.h"

#include "media/FileHead.h"
#include "media/FileStamp.h"
#include "media/PngRawProfile.h"

#include <exiv2/exiv2.hpp>

#include <exception>
#include <mutex>

namespace {

void SetUpExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        // A reader never shows a message; Exiv2 would print its warnings.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::enableBMFF(true);
    });
}

bool BeginsAsJpeg(const std::string& path) {
    const std::lock_guard<std::mutex> headLock(CFileHead::Lock());
    CFileHead& head = CFileHead::Shared();
    int error = 0;
    uint8_t start[2] = {};
    const bool read = head.Hold(path, error) && head.ReadAt(0, start, 2) == 2;
    head.CloseFile();
    return read && start[0] == 0xFF && start[1] == 0xD8;
}

} // namespace

bool ReadStillExifBlock(const std::string& path, std::vector<uint8_t>& tiff) {
    tiff.clear();
    if (BeginsAsJpeg(path)) {
        return false;
    }
    SetUpExiv2();
    try {
        auto image = Exiv2::ImageFactory::open(path);
        if (image.get() == nullptr || image->imageType() == Exiv2::ImageType::jpeg) {
            return false;
        }
        image->readMetadata();
        const Exiv2::ExifData& exifData = image->exifData();
        if (exifData.empty()) {
            return image->imageType() == Exiv2::ImageType::png && ReadPngRawProfileExif(path, tiff);
        }
        // Exiv2 parsed the block into its entries; written back as one
        // TIFF block they keep their tags, types and values.
        const Exiv2::ByteOrder order = image->byteOrder() == Exiv2::invalidByteOrder
                                           ? Exiv2::littleEndian
                                           : image->byteOrder();
        Exiv2::Blob blob;
        Exiv2::ExifParser::encode(blob, nullptr, 0, order, exifData);
        tiff.assign(blob.begin(), blob.end());
        return !tiff.empty();
    } catch (const Exiv2::AnyError&) {
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

bool ReadStillExifInfo(const std::string& path, CExifInfo& info) {
    struct CCache {
        std::mutex mutex;
        bool valid = false;
        std::string path;
        CFileStamp stamp;
        bool jpeg = false;
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
        cache.jpeg = BeginsAsJpeg(path);
        std::vector<uint8_t> tiff;
        cache.result = !cache.jpeg && ReadStillExifBlock(path, tiff);
        if (cache.result) {
            CExifReader(&cache.info).ReadTiffBlock(tiff.data(), tiff.size());
        }
    }
    if (cache.jpeg) {
        return ReadExifInfo(path, info);
    }
    info = cache.result ? cache.info : CExifInfo{};
    return cache.result;
}
