// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/FileStamp.h"
#include "media/MediaLibraries.h"
#include "media/VideoDateReader.h"

#include <mutex>

// The video reader itself lives in the media module; the result for the last
// file is kept here, on the program's side.
bool ReadVideoExifInfo(const std::string& path, CExifInfo& info) {
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
    if (!cache.valid || cache.path != path || !(cache.stamp == stamp)) {
        const CMediaLibraries* libraries = MediaLibraries();
        cache.info = CExifInfo();
        cache.result = libraries != nullptr && libraries->ReadVideoExif(path, cache.info);
        cache.path = path;
        cache.stamp = stamp;
        cache.valid = true;
    }
    info = cache.info;
    return cache.result;
}
