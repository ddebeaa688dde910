// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace platform {

/// Case-insensitive match of a wildcard pattern against a long name: "*" any
/// run of characters (dots included), "?" exactly one character. The pattern
/// "*.*" matches every name, also one without a dot. Letters are compared
/// without regard to case (utf8::FoldCase: Latin, Greek, Cyrillic); a
/// multi-byte UTF-8 character counts as one character for "?".
bool MatchWildcard(std::string_view pattern, std::string_view name);

} // namespace platform
