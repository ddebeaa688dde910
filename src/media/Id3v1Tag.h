// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <taglib/tbytevector.h>
#include <taglib/tfile.h>

#include <string>

/// The ID3v1 tag: the last 128 bytes of a file.
namespace mp3 {

/// The fields of an ID3v1 tag.
struct CId3v1Fields {
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    int track = 0; ///< 0 when the tag holds none
    int genre = 255;
};

/// Reads an ID3v1 tag from its 128 bytes; false when they do not begin
/// with "TAG". The texts become UTF-8 and end at their first zero byte;
/// with trimBlanks without the blanks that pad them. A track number is only
/// taken from an ID3v1.1 tag (a zero byte before it); in an ID3v1.0 tag
/// those two bytes end the comment.
bool ParseId3v1(const TagLib::ByteVector& tag, bool trimBlanks, CId3v1Fields& fields);

/// The last 128 bytes of the file, where an ID3v1 tag stands; empty when
/// the file is shorter.
TagLib::ByteVector LastId3v1Block(TagLib::File& file);

} // namespace mp3
