// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// The EXIF block of a still image read by Exiv2 (ISO-BMFF with its support
/// switched on, WebP, PNG, JPEG XL, TIFF-based RAW, RAF, ...), written back
/// as one bare TIFF block. False for a JPEG file (its own reader reads it),
/// a format Exiv2 does not know, a file without EXIF data or any error of
/// Exiv2's; isPng says whether Exiv2 took the file for a PNG file.
bool ReadExifBlockWithExiv2(const std::string& path, std::vector<uint8_t>& tiff, bool& isPng);

/// The same for bytes in memory (for the fuzz target).
bool ReadExifBlockWithExiv2(const uint8_t* bytes, std::size_t size, std::vector<uint8_t>& tiff,
                            bool& isPng);
