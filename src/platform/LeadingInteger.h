// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

/// The leading decimal integer of a text: leading blanks (spaces only)
/// skipped, an optional sign, decimal digits up to the first other
/// character; 0 when there are none. Values beyond 32 bits are held at the
/// 32-bit limits. This is how a name's number is read.
int32_t LeadingInteger(std::string_view text);

/// The same, but skipping white space (blank, tab, line feed, vertical
/// tab, form feed, carriage return) before the sign, as the C library's
/// atoi does. This is how a tag's track text is read.
int32_t LeadingIntegerAfterWhiteSpace(std::string_view text);

} // namespace platform
