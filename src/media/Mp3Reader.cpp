// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/Mp3Reader.h"

#include "media/Id3v1Tag.h"
#include "media/Id3v2Tag.h"
#include "media/MpegStream.h"
#include "platform/FileSystem.h"
#include "platform/LeadingInteger.h"

#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tfilestream.h>

#include <cstdint>

namespace {

/// The library's debugging messages go nowhere: a reader never prints.
class CSilentDebugListener final : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String& /*message*/) override {}
};

void SilenceLibrary() {
    static CSilentDebugListener listener;
    static const bool installed = [] {
        TagLib::setDebugListener(&listener);
        return true;
    }();
    (void)installed;
}

/// The tag texts: the frames of the ID3v2 tag, and for each one it lacks
/// the field of the ID3v1 tag.
void ReadTagTexts(TagLib::MPEG::File& file, const mp3::CId3v1Fields* v1, CMp3Info& info) {
    const TagLib::ID3v2::Tag* tag = info.hasV2Tag ? file.ID3v2Tag() : nullptr;
    const auto pick = [](std::string text, const std::string* fallback) {
        return text.empty() && fallback != nullptr ? *fallback : text;
    };
    info.album = pick(mp3::FrameText(tag, "TALB"), v1 ? &v1->album : nullptr);
    info.artist = pick(mp3::FrameText(tag, "TPE1"), v1 ? &v1->artist : nullptr);
    info.comment = pick(mp3::FrameText(tag, "COMM"), v1 ? &v1->comment : nullptr);
    info.title = pick(mp3::FrameText(tag, "TIT2"), v1 ? &v1->title : nullptr);
    info.year = pick(mp3::YearText(tag), v1 ? &v1->year : nullptr);
    info.trackText = mp3::FrameText(tag, "TRCK");
    if (info.trackText.empty() && v1 != nullptr && v1->track > 0) {
        info.trackText = std::to_string(v1->track);
    }
    info.genre = mp3::GenreText(tag);
    if (info.genre.empty() && v1 != nullptr) {
        info.genre = Mp3GenreName(v1->genre);
    }
}

/// Reads one MP3 file from a stream. True when the result may be used:
/// the library found the stream's first frame, or an ID3v1 tag was read.
bool ReadStream(TagLib::IOStream& stream, const std::string& fileName, CMp3Info& info) {
    SilenceLibrary();
    info.Clear();
    info.loaded = true;
    info.fileName = fileName;
    TagLib::MPEG::File file(&stream, &mp3::StoredTextFrameFactory(), false);
    if (!file.isValid()) {
        info.Clear();
        return false;
    }
    info.hasV2Tag = file.hasID3v2Tag();
    const TagLib::ByteVector v1Block = mp3::LastId3v1Block(file);
    if (!mp3::ReadStreamFacts(file, info)) {
        // No audio stream: only an ID3v1 tag can tell something, read
        // field by field as it stands.
        info.Clear();
        mp3::CId3v1Fields v1;
        info.hasV1Tag = mp3::ParseId3v1(v1Block, false, v1);
        if (info.hasV1Tag) {
            info.title = v1.title;
            info.artist = v1.artist;
            info.album = v1.album;
            info.year = v1.year;
            info.comment = v1.comment;
            if (v1.track > 0) {
                info.trackNumber = v1.track;
                info.trackText = std::to_string(v1.track);
            }
            info.genre = Mp3GenreName(v1.genre);
        }
        return info.hasV1Tag;
    }
    mp3::CId3v1Fields v1;
    info.hasV1Tag = mp3::ParseId3v1(v1Block, true, v1);
    ReadTagTexts(file, info.hasV1Tag ? &v1 : nullptr, info);
    info.trackNumber =
        info.trackText.empty() ? 0 : platform::LeadingIntegerAfterWhiteSpace(info.trackText);
    return true;
}

/// The one-entry cache: the last path asked for and its result.
struct CMp3Cache {
    bool used = false;
    std::string path;
    bool result = false;
    CMp3Info info;
};

CMp3Cache& Cache() {
    static CMp3Cache cache;
    return cache;
}

} // namespace

bool ReadMp3Info(const std::string& path, CMp3Info& info) {
    CMp3Cache& cache = Cache();
    if (cache.used && cache.path == path) {
        info = cache.info;
        return cache.result;
    }
    cache.used = true;
    cache.path = path;
    cache.info.Clear();
    uint32_t attributes = 0;
    const bool regularFile = platform::GetAttributes(path, attributes) &&
                             (attributes & (platform::kAttrDirectory | platform::kAttrSystem)) == 0;
    if (regularFile) {
        TagLib::FileStream stream(path.c_str(), true);
        cache.result = stream.isOpen() && ReadStream(stream, path, cache.info);
    } else {
        cache.result = false;
    }
    if (!cache.result) {
        cache.info.Clear();
    }
    info = cache.info;
    return cache.result;
}

bool ReadMp3InfoFromMemory(std::string_view bytes, CMp3Info& info) {
    TagLib::ByteVectorStream stream(
        TagLib::ByteVector(bytes.data(), static_cast<unsigned int>(bytes.size())));
    const bool result = ReadStream(stream, {}, info);
    if (!result) {
        info.Clear();
    }
    return result;
}
