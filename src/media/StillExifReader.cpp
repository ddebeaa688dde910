// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/StillExifReader.h"

#include "media/FileHead.h"
#include "media/FileStamp.h"
#include "media/MediaLibraries.h"
#include "media/PngRawProfile.h"

#include <mutex>

namespace {

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
    const CMediaLibraries* libraries = MediaLibraries();
    bool isPng = false;
    if (libraries == nullptr) {
        return false;
    }
    if (libraries->ReadStillExifBlock(path, tiff, isPng)) {
        return true;
    }
    return isPng && ReadPngRawProfileExif(path, tiff);
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
