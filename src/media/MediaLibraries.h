// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/ExifReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// The readers that need a heavy library (Exiv2 for the still formats,
/// libavformat for videos). They live in a module of their own that is
/// loaded the first time a tag reads such a file, so that a run whose rules
/// read no file contents never pays for those libraries at start-up.
/// Every call is safe from any thread; errors of the libraries never leave
/// a call (a file they cannot read gives false).
class CMediaLibraries {
public:
    virtual ~CMediaLibraries() = default;

    /// The EXIF block of a still image that is not a JPEG file, as bare
    /// TIFF bytes, found by Exiv2. isPng says whether Exiv2 took the file
    /// for a PNG file (whose old-style raw profile text it may not decode).
    virtual bool ReadStillExifBlock(const std::string& path, std::vector<uint8_t>& tiff,
                                    bool& isPng) const = 0;

    /// The pixel size of the full image of a TIFF-based RAW file (or MRW)
    /// from the front bytes of the file, as ReadRawPixelSizeWithExiv2
    /// (module/Exiv2PixelSize.h) reads it.
    virtual bool ReadRawPixelSize(const uint8_t* bytes, std::size_t size, uint32_t& width,
                                  uint32_t& height, bool& standIn) const = 0;

    /// The recording date, make and model of a video (MP4, MOV, M4V, 3GP,
    /// Matroska, WebM) in the fields of an EXIF reading, as
    /// ReadVideoExifInfoCounted (VideoDateReader.h) reads them.
    virtual bool ReadVideoExif(const std::string& path, CExifInfo& info) const = 0;
};

/// The loaded module's readers, loading it on the first call; nullptr when
/// it cannot be loaded (what went wrong is in MediaLibrariesProblem()).
const CMediaLibraries* MediaLibraries();

/// Why the module could not be loaded; empty while it loads or was loaded.
std::string MediaLibrariesProblem();

/// The name of the module's entry point: a function without arguments that
/// gives the module's CMediaLibraries.
inline constexpr const char* kMediaLibrariesEntry = "NrMediaLibraries";
