// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/Mp3Reader.h"

#include <taglib/mpegfile.h>

/// The facts of the MPEG audio stream: rates, length, layer, version and
/// channel mode.
namespace mp3 {

/// The stream facts from the first frame header and, when it carries one,
/// the VBR header inside that frame (or else a walk over every frame); the
/// numbers and the layer, version and channel texts of info are set. False,
/// with info untouched, when the library finds no frame. An "Xing" or
/// "VBRI" header marks a variable rate; an "Info" header a constant one.
bool ReadStreamFacts(TagLib::MPEG::File& file, CMp3Info& info);

} // namespace mp3
