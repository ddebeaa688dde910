// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/ImageFormats.h"

#include <cstdint>

/// The head of an ISO base media box as read from a source: its type and the
/// size of the payload behind the head. A box whose size field is 0 runs to
/// the end of the file; its payload size is not known then (toEnd).
struct CBoxHead {
    uint8_t type[4] = {};
    uint64_t payload = 0;
    bool toEnd = false;
};

/// Reads the head of the box at the source's position (8 bytes, 16 with a
/// 64-bit size) and leaves the source at its payload. False when the data
/// ends first or the size is smaller than the head.
bool ReadBoxHead(CImageHeaderSource& source, CBoxHead& head);

/// HEIF, HEIC and AVIF: the size of the primary item (pitm) from its image
/// spatial extents property (ispe) as the item property associations (ipma)
/// give it, and the depth from its pixel information (pixi) where it has
/// one, else 0. The rotation (irot) is not applied. The primary item of a
/// grid of tiles is the grid, whose extents are those of the whole image.
bool ReadHeifHeader(CImageHeaderSource& source, CImageInfo& info);

/// Canon CR3: the size and depth of the first track's Canon raw sample entry
/// (CRAW), which is the full-size image of the camera.
bool ReadCr3Header(CImageHeaderSource& source, CImageInfo& info);
