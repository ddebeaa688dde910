// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// The conversions of EXIF values into the fields of a CExifInfo.
namespace exif {

/// The fraction cut off toward zero; a value beyond the range of a 32-bit
/// integer gives the nearest one, and a value that is not a number gives 0.
int32_t ToInt32(double value);

/// The nearest 32-bit real; a value that is not a number gives 0.
float ToFloat(double value);

/// Inches per unit of a resolution unit code (1 and 2 inch, 3 centimetre,
/// 4 millimetre, 5 micrometre); false, with inches untouched, for any other.
bool InchesPerUnit(int32_t code, float& inches);

/// The bytes up to the first zero byte (or all count of them), at most
/// maxChars characters of them (a character is a UTF-8 sequence, or a byte
/// that is not part of one).
std::string CopyText(const uint8_t* bytes, std::size_t count, std::size_t maxChars);

} // namespace exif
