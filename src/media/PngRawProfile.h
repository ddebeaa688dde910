// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// The EXIF block that older programs kept in a PNG file as the text
/// "Raw profile type exif" (or "... APP1"): a tEXt or zTXt chunk whose text
/// is a name line, a length line and the bytes in hexadecimal. Exiv2 reads
/// such a text only when it holds the JPEG section's "Exif" header; this
/// reads the bare TIFF block too. Gives the TIFF bytes (the header dropped
/// where there is one); false when the file is no PNG file or holds no such
/// readable text.
bool ReadPngRawProfileExif(const std::string& path, std::vector<uint8_t>& tiff);

/// The bytes of the hexadecimal text of a raw profile (after its keyword):
/// "\nexif\n   <length>\n<hex digits in lines>". False when it is not in that
/// form or holds fewer digits than its length says.
bool DecodeRawProfile(const uint8_t* text, std::size_t size, std::vector<uint8_t>& bytes);
