// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

/// The pixel size of the full image of a TIFF-based camera RAW file or a
/// Minolta MRW file, as Exiv2 reads it from the front bytes of the file:
/// the main raw image's width and length for most (the image whose subfile
/// type is 0); the sensor size for RW2. Where the main image has no size, is
/// a 1x1 placeholder (IIQ) or a thumbnail (a file cut before its raw
/// directory), the EXIF pixel dimensions stand in, and standIn says so.
/// False when Exiv2 finds no size; its errors never leave this function.
bool ReadRawPixelSizeWithExiv2(const uint8_t* bytes, std::size_t size, uint32_t& width,
                               uint32_t& height, bool& standIn);
