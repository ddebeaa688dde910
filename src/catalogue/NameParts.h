// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LeadingInteger.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Splits a long name at its last dot into base name and extension
/// ("archive.tar.gz" gives "archive.tar" and "gz", ".profile" gives "" and
/// "profile", "name." gives "name" and "").
void SplitName(std::string_view longName, std::string& baseName, std::string& extension);

/// The pieces of a wildcard mask separated by ";". Splitting stops at the
/// first empty piece; pieces are not trimmed.
std::vector<std::string> SplitMask(std::string_view mask);

/// Case-insensitive comparison of two byte strings, letters of every
/// script compared by their folded case (utf8::FoldCase): negative, zero or
/// positive.
int CompareNoCase(std::string_view a, std::string_view b);

/// Appends text with its letters folded, as CompareNoCase sees it:
/// comparing two such texts byte by byte (shorter first on a tie) orders
/// them as CompareNoCase does, without folding on every comparison.
void AppendFoldedCase(std::string& out, std::string_view text);

/// The attribute letters of attribute bits, always in the order A R H S C E
/// N O T.
std::string AttributeLetters(uint32_t attributes);

/// The leading integer of a name (see platform::LeadingInteger: spaces
/// skipped, an optional sign, held at the 32-bit limits).
using platform::LeadingInteger;
