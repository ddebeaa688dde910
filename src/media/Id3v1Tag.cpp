// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/Id3v1Tag.h"

#include "platform/Utf8.h"
#include "platform/Windows1252.h"

#include <string_view>

namespace mp3 {
namespace {

/// An ID3v1 text as UTF-8. The format has no encoding field: bytes that are
/// valid UTF-8 (as written by taggers on UTF-8 systems) stay as they are,
/// any other text is read as Windows-1252, the code page of Windows taggers.
std::string Id3v1TextToUtf8(std::string_view bytes) {
    if (utf8::IsValid(bytes)) {
        return std::string(bytes);
    }
    return platform::Windows1252ToUtf8(bytes);
}

constexpr unsigned kId3v1Size = 128;

/// A text field of the tag: its bytes up to the first zero byte; with
/// trimBlanks without the blanks that pad it.
std::string Id3v1Field(const TagLib::ByteVector& tag, unsigned offset, unsigned count,
                       bool trimBlanks) {
    std::string_view bytes(tag.data() + offset, count);
    bytes = bytes.substr(0, bytes.find('\0'));
    if (trimBlanks) {
        const std::size_t end = bytes.find_last_not_of(' ');
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(0, end + 1);
    }
    return Id3v1TextToUtf8(bytes);
}

} // namespace

bool ParseId3v1(const TagLib::ByteVector& tag, bool trimBlanks, CId3v1Fields& fields) {
    if (tag.size() != kId3v1Size || !tag.startsWith("TAG")) {
        return false;
    }
    fields.title = Id3v1Field(tag, 3, 30, trimBlanks);
    fields.artist = Id3v1Field(tag, 33, 30, trimBlanks);
    fields.album = Id3v1Field(tag, 63, 30, trimBlanks);
    fields.year = Id3v1Field(tag, 93, 4, trimBlanks);
    const bool hasTrack = tag[125] == '\0' && tag[126] != '\0';
    fields.comment = Id3v1Field(tag, 97, hasTrack ? 28 : 30, trimBlanks);
    fields.track = hasTrack ? static_cast<unsigned char>(tag[126]) : 0;
    fields.genre = static_cast<unsigned char>(tag[127]);
    return true;
}

TagLib::ByteVector LastId3v1Block(TagLib::File& file) {
    if (file.length() < static_cast<long>(kId3v1Size)) {
        return {};
    }
    file.seek(-static_cast<long>(kId3v1Size), TagLib::File::End);
    return file.readBlock(kId3v1Size);
}

} // namespace mp3
