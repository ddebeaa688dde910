// SPDX-License-Identifier: GPL-3.0-or-later
// Image headers of any bytes. The first byte picks the extension, the rest
// is the file. Reading never fails or reads out of bounds and always ends;
// what is read is consistent: the colour count belongs to the depth, the
// formats that test their sizes never report a zero, the extension's case
// does not matter.
#include "media/ImageReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// New extensions go at the end, so that the first byte of every seed keeps
// its format.
constexpr std::string_view kExtensions[] = {"bmp",  "png",   "gif",  "jpg", "jpeg", "ico",  "cur",
                                            "tga",  "targa", "pix",  "psd", "pcx",  "pcc",  "iff",
                                            "ilbm", "lbm",   "webp", "jxl", "heic", "heif", "hif",
                                            "avif", "cr3",   "raf",  "x3f"};

uint32_t ExpectedColours(uint32_t bits) {
    return bits == 0 ? 0 : bits >= 32 ? 4294967295u : 1u << bits;
}

bool Same(const CImageInfo& a, const CImageInfo& b) {
    return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel &&
           a.colourCount == b.colourCount;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view extension =
        kExtensions[data[0] % (sizeof(kExtensions) / sizeof(kExtensions[0]))];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const CImageInfo untouched{1, 2, 3, 4};
    CImageInfo info = untouched;
    const bool read = ReadImageInfoFromBytes(bytes, extension, info);
    if (!read) {
        if (!Same(info, untouched)) {
            std::abort(); // a failure leaves the caller's fields alone
        }
    } else {
        if (info.colourCount != ExpectedColours(info.bitsPerPixel)) {
            std::abort();
        }
        const bool testsSizes = extension == "jpg" || extension == "jpeg" || extension == "iff" ||
                                extension == "ilbm" || extension == "lbm" || extension == "ico" ||
                                extension == "cur" || extension == "webp" || extension == "jxl" ||
                                extension == "heic" || extension == "heif" || extension == "hif" ||
                                extension == "avif" || extension == "cr3" || extension == "raf" ||
                                extension == "x3f";
        if (testsSizes && (info.width == 0 || info.height == 0)) {
            std::abort();
        }
        if ((extension == "ico" || extension == "cur") && info.bitsPerPixel > 32) {
            std::abort();
        }
    }

    std::string upper(extension);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A'); // the 3 of "cr3" and "x3f" stays
        }
    }
    CImageInfo again;
    if (ReadImageInfoFromBytes(bytes, upper, again) != read || (read && !Same(again, info))) {
        std::abort();
    }
    return 0;
}
