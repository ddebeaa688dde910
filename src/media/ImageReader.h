// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The size and colour depth of an image, read from the first bytes of its
/// file (the format is chosen by the extension, pixels are never decoded).
struct CImageInfo {
    uint32_t width = 0;        ///< pixels, as stored (a rotation is not applied)
    uint32_t height = 0;       ///< pixels, as stored
    uint32_t bitsPerPixel = 0; ///< colour depth as the format's header gives it
    /// 2 to the power bitsPerPixel for 1 to 31 bits; 4294967295 (the largest
    /// count the field holds) for 32 bits and more; 0 for cursors and for a
    /// depth of 0, which leaves the colours to data behind the header (HEIF
    /// and AVIF without pixel information, JPEG XL, the RAW formats).
    uint32_t colourCount = 0;
};

/// The header facts of an image file, chosen by the extension after the
/// last dot in lower case; the contents never choose another format:
/// - BMP, PNG, GIF, JPEG, ICO and CUR, Targa, Photoshop, PCX and IFF (also as
///   "ilbm" and "lbm");
/// - HEIF, HEIC, HIF and AVIF: the primary item's extents (a grid's, not its
///   tiles'; not rotated) and its pixel information's depth;
/// - WebP (lossy, lossless and extended), JPEG XL (bare or in its container);
/// - the RAW formats, each as the full image's size the file states:
///   CR3 (its first track), RAF (the full raw image of its directory), X3F
///   (its header), and through Exiv2 (ReadStillPixelSize) CR2, NEF, NRW,
///   ARW, SRF, SR2, DNG, ORF, RW2, PEF, SRW, IIQ and MRW.
/// Only the header blocks at the front of a file are read. Keeps the last
/// path and its result for the whole program, so that asking again for the
/// same path (exact comparison) does not read the file, even when it changed
/// since. True when the fields are valid; on false info is left as it was.
/// Call it from one thread only.
bool ReadImageInfo(const std::string& path, CImageInfo& info);

/// The same header rules on bytes in memory, as if they were the whole file
/// and its extension (without the dot, in any case) were extension; the
/// formats read through Exiv2 give false here. Keeps nothing, and leaves
/// info as it was on false.
bool ReadImageInfoFromBytes(std::string_view bytes, std::string_view extension, CImageInfo& info);
