// SPDX-License-Identifier: GPL-3.0-or-later
// The video reader on any bytes, read from memory through the same reading
// context as a file. Reading never reads out of bounds, always ends, and
// reads at most its limit; the record it gives keeps the rules of an EXIF
// record: a date is empty or "YYYY:MM:DD HH:MM:SS", the camera's names keep
// their limits, only the date and the names are set, exifPresent says
// whether one of them was found, and the same bytes read twice give the
// same record.
#include "media/MovieBoxes.h"
#include "media/VideoDateReader.h"
#include "platform/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsExifDate(const std::string& text) {
    if (text.size() != CExifInfo::kMaxDateTime) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char expected = i == 4 || i == 7     ? ':'
                              : i == 10            ? ' '
                              : i == 13 || i == 16 ? ':'
                                                   : '0';
        if (expected == '0' ? (text[i] < '0' || text[i] > '9') : text[i] != expected) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CExifInfo info;
    uint64_t bytesRead = 0;
    const bool read = ReadVideoExifInfoFromMemory(data, size, info, bytesRead);

    // The demuxer's reads are cut at the limit; the walk over the boxes reads
    // at most a head per box on three levels and the date text.
    Check(bytesRead <= kMaxVideoBytesRead + 3 * 16 * kMaxBoxesPerLevel + kMaxUserDate);
    Check(info.dateTime.empty() || IsExifDate(info.dateTime));
    Check(utf8::CountChars(info.cameraMake) <= CExifInfo::kMaxCameraMake);
    Check(utf8::CountChars(info.cameraModel) <= CExifInfo::kMaxCameraModel);
    Check(info.cameraMake.find('\0') == std::string::npos &&
          info.cameraModel.find('\0') == std::string::npos);
    const bool found =
        !info.dateTime.empty() || !info.cameraMake.empty() || !info.cameraModel.empty();
    Check(info.exifPresent == (found ? 1 : 0));
    Check(read || !found);
    Check(info.version.empty() && info.comments.empty() && info.width == 0 && info.height == 0 &&
          info.orientation == 0 && info.focalLength == 0 && info.isoEquivalent == 0);

    CExifInfo again;
    uint64_t bytesAgain = 0;
    Check(ReadVideoExifInfoFromMemory(data, size, again, bytesAgain) == read);
    Check(again.dateTime == info.dateTime && again.cameraMake == info.cameraMake &&
          again.cameraModel == info.cameraModel && again.exifPresent == info.exifPresent);
    Check(bytesAgain == bytesRead);
    return 0;
}
