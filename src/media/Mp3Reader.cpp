#include "media/Mp3Reader.h"

#include "platform/FileSystem.h"
#include "platform/Utf8.h"

#include <taglib/commentsframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/mpegheader.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tdebuglistener.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfilestream.h>
#include <taglib/xingheader.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// The ID3v1 genres with their usual extensions, numbered 0 to 147.
constexpr std::array<std::string_view, kMp3GenreCount> kGenres = {
    "Blues",
    "Classic Rock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "Hip-Hop",
    "Jazz",
    "Metal",
    "New Age",
    "Oldies",
    "Other",
    "Pop",
    "R&B",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "Death Metal",
    "Pranks",
    "Soundtrack",
    "Euro-Techno",
    "Ambient",
    "Trip-Hop",
    "Vocal",
    "Jazz+Funk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "Sound Clip",
    "Gospel",
    "Noise",
    "AlternRock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "Instrumental Pop",
    "Instrumental Rock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "Techno-Industrial",
    "Electronic",
    "Pop-Folk",
    "Eurodance",
    "Dream",
    "Southern Rock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top 40",
    "Christian Rap",
    "Pop/Funk",
    "Jungle",
    "Native American",
    "Cabaret",
    "New Wave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "Lo-Fi",
    "Tribal",
    "Acid Punk",
    "Acid Jazz",
    "Polka",
    "Retro",
    "Musical",
    "Rock & Roll",
    "Hard Rock",
    "Folk",
    "Folk-Rock",
    "National Folk",
    "Swing",
    "Fast Fusion",
    "Bebob",
    "Latin",
    "Revival",
    "Celtic",
    "Bluegrass",
    "Avantgarde",
    "Gothic Rock",
    "Progressive Rock",
    "Psychedelic Rock",
    "Symphonic Rock",
    "Slow Rock",
    "Big Band",
    "Chorus",
    "Easy Listening",
    "Acoustic",
    "Humour",
    "Speech",
    "Chanson",
    "Opera",
    "Chamber Music",
    "Sonata",
    "Symphony",
    "Booty Bass",
    "Primus",
    "Porn Groove",
    "Satire",
    "Slow Jam",
    "Club",
    "Tango",
    "Samba",
    "Folklore",
    "Ballad",
    "Power Ballad",
    "Rhythmic Soul",
    "Freestyle",
    "Duet",
    "Punk Rock",
    "Drum Solo",
    "A capella",
    "Euro-House",
    "Dance Hall",
    "Goa",
    "Drum & Bass",
    "Club-House",
    "Hardcore",
    "Terror",
    "Indie",
    "Britpop",
    "Negerpunk",
    "Polsk Punk",
    "Beat",
    "Christian Gangsta Rap",
    "Heavy Metal",
    "Black Metal",
    "Crossover",
    "Contemporary Christian",
    "Christian Rock ", // the trailing blank belongs to the name
    "Merengue",
    "Salsa",
    "Trash Metal",
    "Anime",
    "JPop",
    "Synthpop",
};

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

/// Builds the frames of ID3v2 tags as the library does, except that the
/// year of ID3v2.2 and 2.3 stays "TYER" (not joined with "TDAT" into a
/// "TDRC" date) and the genre text stays as stored.
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

/// The library's debugging messages go nowhere: a reader never prints.
class CSilentDebugListener final : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String& /*message*/) override {}
};

CStoredTextFrameFactory& StoredTextFrameFactory() {
    static CStoredTextFrameFactory factory;
    return factory;
}

void SilenceLibrary() {
    static CSilentDebugListener listener;
    static const bool installed = [] {
        TagLib::setDebugListener(&listener);
        return true;
    }();
    (void)installed;
}

// Windows-1252 0x80-0x9F; the five bytes the code page leaves free keep
// their own code point, as the system's conversion does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

/// An ID3v1 text as UTF-8. The format has no encoding field: bytes that are
/// valid UTF-8 (as written by taggers on UTF-8 systems) stay as they are,
/// any other text is read as Windows-1252, the code page of Windows taggers.
std::string Id3v1TextToUtf8(std::string_view bytes) {
    if (utf8::IsValid(bytes)) {
        return std::string(bytes);
    }
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0) {
            utf8::Append(text, kWindows1252High[byte - 0x80u]);
        } else {
            utf8::Append(text, byte);
        }
    }
    return text;
}

/// The fields of an ID3v1 tag (the last 128 bytes of a file).
struct CId3v1Fields {
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    int track = 0; ///< 0 when the tag holds none
    int genre = 255;
};

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

/// Reads an ID3v1 tag from its 128 bytes; false when they do not begin
/// with "TAG". A track number is only taken from an ID3v1.1 tag (a zero
/// byte before it); in an ID3v1.0 tag those two bytes end the comment.
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

/// The last 128 bytes of the file, empty when it is shorter.
TagLib::ByteVector LastBytes(TagLib::File& file) {
    if (file.length() < static_cast<long>(kId3v1Size)) {
        return {};
    }
    file.seek(-static_cast<long>(kId3v1Size), TagLib::File::End);
    return file.readBlock(kId3v1Size);
}

std::string ToUtf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

/// The text of the first frame with this ID, empty when there is none or it
/// is not a text frame. A frame of several texts gives them joined by blanks.
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

/// The year: "TYER" as stored; an ID3v2.4 tag has its recording time
/// "TDRC" (yyyy-MM-ddTHH:mm:ss) instead, whose first four characters are
/// the year.
std::string YearText(const TagLib::ID3v2::Tag* tag) {
    std::string year = FrameText(tag, "TYER");
    if (year.empty()) {
        year = FrameText(tag, "TDRC");
        year.resize(utf8::OffsetOfChar(year, 4));
    }
    return year;
}

/// The leading decimal integer of a text, read as the C library's atoi does
/// (blanks and a sign allowed, no digits give 0), held to 32 bits.
int32_t LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{INT32_MAX} + 1);
    }
    value = negative ? -value : value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

/// The two-bit header codes of the library's values.
int LayerCode(int layer) {
    return layer >= 1 && layer <= 3 ? 4 - layer : 0;
}
int VersionCode(TagLib::MPEG::Header::Version version) {
    switch (version) {
    case TagLib::MPEG::Header::Version1:
        return 3;
    case TagLib::MPEG::Header::Version2:
        return 2;
    case TagLib::MPEG::Header::Version2_5:
        return 0;
    }
    return 1;
}

/// What a walk over every frame header of the stream found.
struct CFrameWalk {
    uint64_t frames = 0;
    uint64_t bytes = 0;
    int minBitRate = INT_MAX;
    int maxBitRate = 0;
};

/// Walks the frames from the first to the last one the library finds. A
/// stream without a VBR header says nothing of its length or its average
/// rate in its first frame, so every header is read. Frames of another
/// version, layer or sampling rate, and bytes that are no frame, are passed
/// over up to the next frame the library recognises.
CFrameWalk WalkFrames(TagLib::MPEG::File& file, long firstOffset,
                      const TagLib::MPEG::Header& first) {
    CFrameWalk walk;
    const long lastOffset = std::max(file.lastFrameOffset(), firstOffset);
    long offset = firstOffset;
    while (offset >= 0 && offset <= lastOffset) {
        const TagLib::MPEG::Header header(&file, offset, false);
        if (header.isValid() && header.frameLength() > 0 && header.version() == first.version() &&
            header.layer() == first.layer() && header.sampleRate() == first.sampleRate()) {
            ++walk.frames;
            walk.bytes += static_cast<uint64_t>(header.frameLength());
            walk.minBitRate = std::min(walk.minBitRate, header.bitrate());
            walk.maxBitRate = std::max(walk.maxBitRate, header.bitrate());
            offset += header.frameLength();
        } else {
            offset = file.nextFrameOffset(offset + 1);
        }
    }
    return walk;
}

/// Bits per second of bytes played in samples at the sampling rate, rounded.
int32_t AverageBitRate(uint64_t bytes, uint64_t samples, int sampleRate) {
    if (samples == 0) {
        return 0;
    }
    const double rate =
        static_cast<double>(bytes) * 8.0 * sampleRate / static_cast<double>(samples);
    return static_cast<int32_t>(std::min<long long>(std::llround(rate), INT32_MAX));
}

int32_t Seconds(uint64_t samples, int sampleRate) {
    return static_cast<int32_t>(
        std::min<uint64_t>(samples / static_cast<uint64_t>(sampleRate), INT32_MAX));
}

/// The stream facts from the first frame header and, when it carries one,
/// the VBR header inside that frame; false when the library finds no frame.
/// An "Xing" or "VBRI" header marks a variable rate. Encoders write the
/// same header under the name "Info" into constant-rate streams, and the
/// library files both under one type, so the name is read from the frame.
bool ReadStreamFacts(TagLib::MPEG::File& file, CMp3Info& info) {
    const long firstOffset = file.firstFrameOffset();
    if (firstOffset < 0) {
        return false;
    }
    const TagLib::MPEG::Header first(&file, firstOffset, false);
    if (!first.isValid() || first.sampleRate() <= 0 || first.samplesPerFrame() <= 0) {
        return false;
    }
    const int sampleRate = first.sampleRate();
    const auto samplesPerFrame = static_cast<uint64_t>(first.samplesPerFrame());
    const int32_t frameBitRate = first.bitrate() * 1000;

    file.seek(firstOffset);
    const TagLib::ByteVector frame =
        file.readBlock(static_cast<unsigned long>(first.frameLength()));
    const TagLib::MPEG::XingHeader vbrHeader(frame);
    if (vbrHeader.isValid()) {
        const uint64_t samples = uint64_t{vbrHeader.totalFrames()} * samplesPerFrame;
        const bool variable =
            vbrHeader.type() == TagLib::MPEG::XingHeader::VBRI || frame.find("Xing") >= 0;
        info.vbrBitRate = variable ? AverageBitRate(vbrHeader.totalSize(), samples, sampleRate) : 0;
        info.lengthSeconds = Seconds(samples, sampleRate);
    } else {
        const CFrameWalk walk = WalkFrames(file, firstOffset, first);
        const uint64_t samples = walk.frames * samplesPerFrame;
        const bool variable = walk.frames > 0 && walk.minBitRate != walk.maxBitRate;
        info.vbrBitRate = variable ? AverageBitRate(walk.bytes, samples, sampleRate) : 0;
        info.lengthSeconds = Seconds(samples, sampleRate);
    }
    info.bitRate = info.vbrBitRate > 0 ? info.vbrBitRate : frameBitRate;
    info.sampleRate = sampleRate;
    info.layerText = Mp3LayerText(LayerCode(first.layer()));
    info.versionText = Mp3VersionText(VersionCode(first.version()));
    info.channelText = Mp3ChannelText(static_cast<int>(first.channelMode()));
    return true;
}

/// The tag texts: the frames of the ID3v2 tag, and for each one it lacks
/// the field of the ID3v1 tag.
void ReadTagTexts(TagLib::MPEG::File& file, const CId3v1Fields* v1, CMp3Info& info) {
    const TagLib::ID3v2::Tag* tag = info.hasV2Tag ? file.ID3v2Tag() : nullptr;
    const auto pick = [](std::string text, const std::string* fallback) {
        return text.empty() && fallback != nullptr ? *fallback : text;
    };
    info.album = pick(FrameText(tag, "TALB"), v1 ? &v1->album : nullptr);
    info.artist = pick(FrameText(tag, "TPE1"), v1 ? &v1->artist : nullptr);
    info.comment = pick(FrameText(tag, "COMM"), v1 ? &v1->comment : nullptr);
    info.title = pick(FrameText(tag, "TIT2"), v1 ? &v1->title : nullptr);
    info.year = pick(YearText(tag), v1 ? &v1->year : nullptr);
    info.trackText = FrameText(tag, "TRCK");
    if (info.trackText.empty() && v1 != nullptr && v1->track > 0) {
        info.trackText = std::to_string(v1->track);
    }
    info.genre = FrameText(tag, kStoredGenreId);
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
    TagLib::MPEG::File file(&stream, &StoredTextFrameFactory(), false);
    if (!file.isValid()) {
        info.Clear();
        return false;
    }
    info.hasV2Tag = file.hasID3v2Tag();
    const TagLib::ByteVector v1Block = LastBytes(file);
    if (!ReadStreamFacts(file, info)) {
        // No audio stream: only an ID3v1 tag can tell something, read
        // field by field as it stands.
        info.Clear();
        CId3v1Fields v1;
        info.hasV1Tag = ParseId3v1(v1Block, false, v1);
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
    CId3v1Fields v1;
    info.hasV1Tag = ParseId3v1(v1Block, true, v1);
    ReadTagTexts(file, info.hasV1Tag ? &v1 : nullptr, info);
    info.trackNumber = info.trackText.empty() ? 0 : LeadingInteger(info.trackText);
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

std::string_view Mp3GenreName(int number) {
    if (number < 0 || number >= kMp3GenreCount) {
        return {};
    }
    return kGenres[static_cast<std::size_t>(number)];
}

std::string_view Mp3LayerText(int layerCode) {
    switch (layerCode) {
    case 0:
        return "UNDEFINED";
    case 1:
        return "Layer III";
    case 2:
        return "Layer II";
    case 3:
        return "Layer I";
    default:
        return {};
    }
}

std::string_view Mp3VersionText(int versionCode) {
    switch (versionCode) {
    case 0:
        return "MPEG 2.5";
    case 2:
        return "MPEG 2";
    case 3:
        return "MPEG 1";
    default:
        return {};
    }
}

std::string_view Mp3ChannelText(int channelMode) {
    switch (channelMode) {
    case 0:
        return "Stereo";
    case 1:
        return "Joint Stereo";
    case 2:
        return "Dual Channel";
    case 3:
        return "Single Channel";
    default:
        return {};
    }
}

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
