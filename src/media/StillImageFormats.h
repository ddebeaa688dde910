// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/ImageFormats.h"

/// WebP: the size of the simple lossy (VP8) or lossless (VP8L) bitstream, or
/// the canvas of the extended format (VP8X); 24 bits, 32 with alpha.
bool ReadWebpHeader(CImageHeaderSource& source, CImageInfo& info);

/// JPEG XL: the size header of the codestream, bare (FF 0A) or in the
/// container ("JXL " signature box, then a jxlc box or jxlp parts). The
/// depth is left 0: it lies in the image metadata behind.
bool ReadJxlHeader(CImageHeaderSource& source, CImageInfo& info);

/// Fujifilm RAF: the full raw image size of the RAF directory; depth 0.
bool ReadRafHeader(CImageHeaderSource& source, CImageInfo& info);

/// Sigma X3F: the image columns and rows of the file header; depth 0.
bool ReadX3fHeader(CImageHeaderSource& source, CImageInfo& info);
