// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

/// The pixel size of the full image of a TIFF-based camera RAW file (CR2,
/// NEF, NRW, ARW, SRF, SR2, DNG, ORF, RW2, PEF, SRW, IIQ) or of a Minolta
/// MRW file, as Exiv2 reads it from the front of the file: the first
/// 256 KiB, or CFileHead::kMaxKept bytes when the main image's size is not
/// found in those. The main raw image's width and length for most (the
/// image whose subfile type is 0); the EXIF pixel dimensions for CR2 and
/// where the main image has no size, is a 1x1 placeholder (IIQ) or a
/// thumbnail (a file cut before its raw directory); the sensor size for
/// RW2. Exiv2 reads in the media module (MediaLibraries.h). False when the
/// file cannot be read, states no size or the module cannot be loaded. Exiv2's
/// errors and messages never leave this function.
bool ReadStillPixelSize(const std::string& path, uint32_t& width, uint32_t& height);
