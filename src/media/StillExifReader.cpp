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

/// The EXIF block of a file that does not begin as a JPEG file: Exiv2's,
/// or the raw profile text of an older PNG file.
bool ReadBlockOfOtherFormat(const std::string& path, std::vector<uint8_t>& tiff) {
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

} // namespace

bool ReadStillExifBlock(const std::string& path, std::vector<uint8_t>& tiff) {
    tiff.clear();
    return !BeginsAsJpeg(path) && ReadBlockOfOtherFormat(path, tiff);
}

bool ReadStillExifInfo(const std::string& path, CExifInfo& info) {
    // A JPEG file is kept as such, so that asking again goes straight to
    // the JPEG reader (which keeps its own reading).
    struct CReading {
        bool jpeg = false;
        bool found = false;
        CExifInfo info;
    };
    static CLastFileReading<CReading> last;
    CReading reading;
    last.Get(path, reading, [](const std::string& file, CReading& read) {
        read.jpeg = BeginsAsJpeg(file);
        std::vector<uint8_t> tiff;
        read.found = !read.jpeg && ReadBlockOfOtherFormat(file, tiff);
        if (read.found) {
            CExifReader(&read.info).ReadTiffBlock(tiff.data(), tiff.size());
        }
        return true;
    });
    if (reading.jpeg) {
        return ReadExifInfo(path, info);
    }
    info = reading.info;
    return reading.found;
}
