// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/ImageReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

/// The bytes of one image file, read from the front to the back. The header
/// readers only ever ask for a few bytes at a time and skip the rest, so a
/// source never has to hold more than a small block.
class CImageHeaderSource {
public:
    virtual ~CImageHeaderSource() = default;

    /// Reads exactly count bytes at the current position and moves past them.
    /// False when the data ends first.
    virtual bool Read(uint8_t* buffer, std::size_t count) = 0;

    /// Moves count bytes forward without handing them out. False when that
    /// would pass the end of the data.
    virtual bool Skip(uint64_t count) = 0;
};

/// The header reader of one format: fills every field of info and returns
/// true, or returns false with info in any state.
using ImageHeaderReader = bool (*)(CImageHeaderSource& source, CImageInfo& info);

/// The reader for an extension in lower case without the dot ("jpg",
/// "tga", "heic", ...); null for an extension that names no image format
/// whose header is read from bytes (the TIFF-based RAW formats are read by
/// Exiv2 from the file, see ReadStillPixelSize).
ImageHeaderReader FindImageHeaderReader(std::string_view extension);

/// The colour count of a depth: 2 to the power bits for 1 to 31 bits,
/// 4294967295 for 32 bits and more, 0 for 0 bits.
uint32_t ColourCountForDepth(uint32_t bits);
