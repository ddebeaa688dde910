// SPDX-License-Identifier: GPL-3.0-or-later
// The EXIF block of the still formats other than JPEG on any bytes. The
// first byte picks the reader: even, Exiv2 on the rest as a whole file
// (HEIF, AVIF, CR3, WebP, PNG, JPEG XL, TIFF-based RAW, RAF, ...) with the
// block it finds read by the JPEG rules, and the RAW pixel size read from
// the same bytes; odd, the hexadecimal text of an old
// PNG raw profile. Reading never fails the process and always ends; a block
// that was found is never empty, and the same bytes give the same block.
#include "media/ExifReader.h"
#include "media/PngRawProfile.h"
#include "media/module/Exiv2PixelSize.h"
#include "media/module/Exiv2StillExif.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t* rest = data + 1;
    const std::size_t restSize = size - 1;
    std::vector<uint8_t> block;
    if ((data[0] & 1) == 1) {
        const bool decoded = DecodeRawProfile(rest, restSize, block);
        std::vector<uint8_t> again;
        Check(DecodeRawProfile(rest, restSize, again) == decoded && again == block);
        return 0;
    }
    bool isPng = false;
    const bool found = ReadExifBlockWithExiv2(rest, restSize, block, isPng);
    Check(!found || !block.empty());
    std::vector<uint8_t> again;
    bool againPng = false;
    Check(ReadExifBlockWithExiv2(rest, restSize, again, againPng) == found && again == block &&
          againPng == isPng);
    uint32_t width = 0;
    uint32_t height = 0;
    bool standIn = false;
    Check(!ReadRawPixelSizeWithExiv2(rest, restSize, width, height, standIn) ||
          (width != 0 && height != 0));
    if (found) {
        CExifInfo info;
        CExifReader(&info).ReadTiffBlock(block.data(), block.size());
        Check(info.exifPresent <= 1 && info.orientation >= 0 && info.orientation <= 8);
    }
    return 0;
}
