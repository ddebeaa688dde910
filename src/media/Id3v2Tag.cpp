// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/Id3v2Tag.h"

#include "platform/Utf8.h"

#include <taglib/commentsframe.h>
#include <taglib/textidentificationframe.h>

namespace mp3 {
namespace {

/// The ID under which the genre frame is kept as stored. The library turns
/// "(17)" into "17" for frames it files as "TCON"; a frame it files under
/// another ID is left as written. Lower-case letters never occur in the IDs
/// of a file, so this one cannot meet a real frame.
const TagLib::ByteVector kStoredGenreId("Tcon");

/// Names the frame header type, which the library declares for frame
/// classes and their factory only.
struct CFrameHeaderName : TagLib::ID3v2::Frame {
    using Header = TagLib::ID3v2::Frame::Header;
};

/// The factory of StoredTextFrameFactory: the year of ID3v2.2 and 2.3
/// stays "TYER", the genre is filed under kStoredGenreId.
class CStoredTextFrameFactory final : public TagLib::ID3v2::FrameFactory {
public:
    CStoredTextFrameFactory() = default;
    ~CStoredTextFrameFactory() override = default;
    CStoredTextFrameFactory(const CStoredTextFrameFactory&) = delete;
    CStoredTextFrameFactory& operator=(const CStoredTextFrameFactory&) = delete;

protected:
    bool updateFrame(CFrameHeaderName::Header* header) const override {
        const TagLib::ByteVector id = header->frameID();
        if (header->version() == 2 && id == "TYE") {
            header->setFrameID("TYER");
            return true;
        }
        if (header->version() == 3 && id == "TYER") {
            return true;
        }
        if (!FrameFactory::updateFrame(header)) {
            return false;
        }
        if (header->frameID() == "TCON") {
            header->setFrameID(kStoredGenreId);
        }
        return true;
    }
};

std::string ToUtf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

} // namespace

TagLib::ID3v2::FrameFactory& StoredTextFrameFactory() {
    static CStoredTextFrameFactory factory;
    return factory;
}

std::string FrameText(const TagLib::ID3v2::Tag* tag, const TagLib::ByteVector& id) {
    if (tag == nullptr) {
        return {};
    }
    const TagLib::ID3v2::FrameList& frames = tag->frameList(id);
    if (frames.isEmpty()) {
        return {};
    }
    if (const auto* text =
            dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(frames.front())) {
        return ToUtf8(text->toString());
    }
    if (const auto* comment = dynamic_cast<const TagLib::ID3v2::CommentsFrame*>(frames.front())) {
        return ToUtf8(comment->text());
    }
    return {};
}

std::string YearText(const TagLib::ID3v2::Tag* tag) {
    std::string year = FrameText(tag, "TYER");
    if (year.empty()) {
        year = FrameText(tag, "TDRC");
        year.resize(utf8::OffsetOfChar(year, 4));
    }
    return year;
}

std::string GenreText(const TagLib::ID3v2::Tag* tag) {
    return FrameText(tag, kStoredGenreId);
}

} // namespace mp3
