// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// Character-level access to UTF-8 text. A byte that does not start a valid
/// sequence is one character of its own and keeps its value, so any byte
/// string can be walked and rebuilt unchanged.
namespace utf8 {

/// Length in bytes of the character that starts at text[pos] (1 for an
/// invalid byte); pos must be inside text.
std::size_t CharLength(std::string_view text, std::size_t pos);

/// The code point of the character at text[pos]; an invalid byte gives
/// 0xDC00 + byte (a lone surrogate, never a real character), and its length.
char32_t Decode(std::string_view text, std::size_t pos, std::size_t& length);

/// Appends the UTF-8 bytes of a code point (an 0xDC80..0xDCFF value from
/// Decode turns back into its raw byte).
void Append(std::string& out, char32_t codePoint);

/// Number of characters.
std::size_t CountChars(std::string_view text);

/// Byte offset of character index (the text length when index is past it).
std::size_t OffsetOfChar(std::string_view text, std::size_t index);

/// True when every byte belongs to a valid UTF-8 sequence.
bool IsValid(std::string_view text);

/// Unicode's simple case folding (one code point for one, every script),
/// used wherever names are compared without regard to case: masks, sorting,
/// INI keys. As the file names of Windows compare, a letter never becomes
/// two ("ß" stays, though "ẞ" folds to it), and the Turkish dotted capital
/// I and dotless small i stay as they are.
char32_t FoldCase(char32_t codePoint);

/// True when a and b hold the same characters after FoldCase.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

} // namespace utf8
