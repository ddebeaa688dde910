// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/FileStamp.h"
#include "media/MediaLibraries.h"
#include "media/VideoDateReader.h"

// The video reader itself lives in the media module; the result for the last
// file is kept here, on the program's side.
bool ReadVideoExifInfo(const std::string& path, CExifInfo& info) {
    static CLastFileReading<CExifInfo> last;
    return last.Get(path, info, [](const std::string& file, CExifInfo& read) {
        const CMediaLibraries* libraries = MediaLibraries();
        return libraries != nullptr && libraries->ReadVideoExif(file, read);
    });
}
