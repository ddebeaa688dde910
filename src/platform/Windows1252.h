// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace platform {

/// Windows-1252 text as UTF-8, every byte one character, through ICU's
/// converter: 0x00-0x7F as they are, 0x80-0x9F by the code page's table
/// (the five bytes it leaves free, 0x81 0x8D 0x8F 0x90 0x9D, keep their own
/// code points U+0081 ... U+009D), 0xA0-0xFF as U+00A0-U+00FF.
std::string Windows1252ToUtf8(std::string_view bytes);

} // namespace platform
