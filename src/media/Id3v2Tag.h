// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/tbytevector.h>

#include <string>

/// The texts of an ID3v2 tag (versions 2.2, 2.3 and 2.4) as stored.
namespace mp3 {

/// Builds the frames of ID3v2 tags as the library does, except that the
/// year of ID3v2.2 and 2.3 stays "TYER" (not joined with "TDAT" into a
/// "TDRC" date) and the genre text stays as stored. Lives as long as the
/// program.
TagLib::ID3v2::FrameFactory& StoredTextFrameFactory();

/// The text of the first frame with this ID, empty when there is none, it
/// is not a text frame or tag is null. A frame of several texts gives them
/// joined by blanks.
std::string FrameText(const TagLib::ID3v2::Tag* tag, const TagLib::ByteVector& id);

/// The year: "TYER" as stored; an ID3v2.4 tag has its recording time
/// "TDRC" (yyyy-MM-ddTHH:mm:ss) instead, whose first four characters are
/// the year.
std::string YearText(const TagLib::ID3v2::Tag* tag);

/// The genre "TCON" as stored ("(17)", "Rock", "(17)Rock"), read from a
/// tag built by StoredTextFrameFactory.
std::string GenreText(const TagLib::ID3v2::Tag* tag);

} // namespace mp3
