#pragma once

#include <cstdint>
#include <string>

/// The size and colour depth of an image, read from the first bytes of its
/// file (the format is chosen by the extension, pixels are never decoded).
struct CImageInfo {
    uint32_t width = 0;        ///< pixels
    uint32_t height = 0;       ///< pixels
    uint32_t bitsPerPixel = 0; ///< colour depth as the format's header gives it
    uint32_t colourCount = 0;  ///< 2 to the power bitsPerPixel; 0 for cursors
};

/// The header facts of an image file: BMP, PNG, GIF, JPEG, ICO and CUR,
/// Targa, Photoshop, PCX and IFF, chosen by the extension after the last
/// dot in lower case. Keeps the last path and its result, so that asking
/// again for the same path (exact comparison) does not read the file. True
/// when the fields are valid; on false the caller must ignore info.
bool ReadImageInfo(const std::string& path, CImageInfo& info);
