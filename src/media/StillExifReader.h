// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/ExifReader.h"

#include <cstdint>
#include <string>
#include <vector>

/// The EXIF block of a still image that is not a JPEG file (HEIF and HEIC,
/// AVIF, CR3, WebP, PNG, JPEG XL, the TIFF-based RAW formats, RAF, ...) as
/// bare TIFF bytes, found by Exiv2 in the media module (MediaLibraries.h) or,
/// for the raw profile text of older PNG files that Exiv2 cannot decode, by
/// ReadPngRawProfileExif. False when the file begins as a JPEG file (Exiv2
/// is never asked for one), cannot be read, is of a format Exiv2 does not
/// know, holds no EXIF data, or the module cannot be loaded. Exiv2's errors
/// and messages never leave this function.
bool ReadStillExifBlock(const std::string& path, std::vector<uint8_t>& tiff);

/// The EXIF facts of such a still image, read from its EXIF block by the
/// rules of a JPEG file's EXIF section (CExifReader::ReadTiffBlock). A file
/// that begins as a JPEG file is read by ReadExifInfo instead. The frame
/// facts of a JPEG file (width, height, isColor, process) stay 0 and the
/// comment is UserComment's alone. True when an EXIF block was found;
/// info.exifPresent says whether it could be read. Like ReadExifInfo it
/// keeps the result for the last path and its file stamp.
bool ReadStillExifInfo(const std::string& path, CExifInfo& info);
