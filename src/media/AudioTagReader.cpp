// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/AudioTagReader.h"

#include "media/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/LeadingInteger.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <mutex>

namespace {

/// The library's debugging messages go nowhere: a reader never prints.
class CQuietListener final : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String& /*message*/) override {}
};

void SilenceLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        static CQuietListener listener;
        TagLib::setDebugListener(&listener);
    });
}

/// Another stream seen read-only under a name of ours, whose extension
/// tells the library the format, and cut off after kAudioReadLimit bytes:
/// the library searches a damaged file for its next page or block, and a
/// long file of noise would otherwise be read to its end.
class CLimitedStream final : public TagLib::IOStream {
public:
    CLimitedStream(TagLib::IOStream& inner, std::string name)
        : inner(inner), streamName(std::move(name)) {}

    TagLib::FileName name() const override { return streamName.c_str(); }
    TagLib::ByteVector readBlock(unsigned long length) override {
        length = std::min(length, kAudioReadLimit - bytesRead);
        if (length == 0) {
            return {};
        }
        TagLib::ByteVector block = inner.readBlock(length);
        bytesRead += block.size();
        return block;
    }
    void writeBlock(const TagLib::ByteVector& /*data*/) override {}
    void insert(const TagLib::ByteVector& /*data*/, unsigned long /*start*/,
                unsigned long /*replace*/) override {}
    void removeBlock(unsigned long /*start*/, unsigned long /*length*/) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return inner.isOpen(); }
    void seek(long offset, Position position = Beginning) override { inner.seek(offset, position); }
    void clear() override { inner.clear(); }
    long tell() const override { return inner.tell(); }
    long length() override { return inner.length(); }
    void truncate(long /*length*/) override {}

private:
    TagLib::IOStream& inner;
    std::string streamName;
    unsigned long bytesRead = 0;
};

/// The values of one field in stored order, the empty ones left out,
/// joined by ", ".
std::string FieldText(const TagLib::PropertyMap& properties, const char* key) {
    const auto found = properties.find(key);
    if (found == properties.end()) {
        return {};
    }
    std::string text;
    for (const TagLib::String& value : found->second) {
        if (value.isEmpty()) {
            continue;
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += value.to8Bit(true);
    }
    return text;
}

std::string ChannelText(int channels) {
    if (channels <= 0) {
        return {};
    }
    if (channels == 1) {
        return "Single Channel";
    }
    if (channels == 2) {
        return "Stereo";
    }
    return std::to_string(channels);
}

int32_t NonNegative(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

/// Fills info; true when the file told something: a tag field, or a
/// stream of some rate, channels or length (the library takes any bytes
/// for a WAV or APE file of nothing).
bool ReadFields(TagLib::File& file, const TagLib::AudioProperties* audio, CMp3Info& info) {
    const TagLib::PropertyMap properties = file.properties();
    info.title = FieldText(properties, "TITLE");
    info.artist = FieldText(properties, "ARTIST");
    info.album = FieldText(properties, "ALBUM");
    info.comment = FieldText(properties, "COMMENT");
    info.genre = FieldText(properties, "GENRE");
    info.year = FieldText(properties, "DATE");
    info.trackText = FieldText(properties, "TRACKNUMBER");
    info.trackNumber =
        info.trackText.empty() ? 0 : platform::LeadingIntegerAfterWhiteSpace(info.trackText);
    if (audio != nullptr) {
        info.bitRate = NonNegative(int64_t{audio->bitrate()} * 1000);
        info.sampleRate = NonNegative(audio->sampleRate());
        info.lengthSeconds = NonNegative(audio->lengthInMilliseconds() / 1000);
        info.channelText = ChannelText(audio->channels());
    }
    return !properties.isEmpty() || info.sampleRate > 0 || info.lengthSeconds > 0 ||
           !info.channelText.empty();
}

/// Reads one file from a stream under the given name (its extension picks
/// the format). True when the library recognised it.
bool ReadStream(TagLib::IOStream& source, const std::string& streamName, CMp3Info& info) {
    SilenceLibrary();
    info.Clear();
    try {
        CLimitedStream stream(source, streamName);
        const TagLib::FileRef file(&stream, true, TagLib::AudioProperties::Average);
        if (file.isNull()) {
            return false;
        }
        info.loaded = true;
        if (!ReadFields(*file.file(), file.audioProperties(), info)) {
            info.Clear();
            return false;
        }
        return true;
    } catch (const std::exception&) {
        // The library allocates what a damaged length field asks for.
        info.Clear();
        return false;
    }
}

bool IsRegularFile(const std::string& path) {
    uint32_t attributes = 0;
    return platform::GetAttributes(path, attributes) &&
           (attributes & (platform::kAttrDirectory | platform::kAttrSystem)) == 0;
}

} // namespace

bool ReadAudioInfo(const std::string& path, CMp3Info& info) {
    static CLastFileReading<CMp3Info> last;
    return last.Get(path, info, [](const std::string& file, CMp3Info& read) {
        if (!IsRegularFile(file)) {
            return false;
        }
        TagLib::FileStream stream(file.c_str(), true);
        if (!stream.isOpen() || !ReadStream(stream, file, read)) {
            return false;
        }
        read.fileName = file;
        return true;
    });
}

bool ReadAudioInfoFromMemory(std::string_view bytes, std::string_view extension, CMp3Info& info) {
    TagLib::ByteVectorStream stream(
        TagLib::ByteVector(bytes.data(), static_cast<unsigned int>(bytes.size())));
    return ReadStream(stream, "memory." + std::string(extension), info);
}
