// SPDX-License-Identifier: GPL-3.0-or-later
// The MP3 reader on two kinds of files. The first kind is written here byte
// by byte: MPEG audio frames of known rate and mode, with or without a VBR
// header, and ID3v1, ID3v2.2, 2.3 and 2.4 tags over them, so that every
// expected value follows from the bytes. The second kind is made by real
// encoders and taggers (tests/media/make-mp3-fixtures.sh, run by the build);
// its expected values follow from the encoder settings.
#include "media/Mp3Reader.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// ---- bytes -----------------------------------------------------------------

std::string Byte(uint32_t v) {
    return std::string(1, static_cast<char>(v & 0xFF));
}
std::string Be16(uint32_t v) {
    return Byte(v >> 8) + Byte(v);
}
std::string Be24(uint32_t v) {
    return Byte(v >> 16) + Be16(v);
}
std::string Be32(uint32_t v) {
    return Be16(v >> 16) + Be16(v);
}
/// The 28-bit "synchsafe" integer of ID3v2: seven bits in each byte.
std::string SyncSafe32(uint32_t v) {
    return Byte(v >> 21 & 0x7F) + Byte(v >> 14 & 0x7F) + Byte(v >> 7 & 0x7F) + Byte(v & 0x7F);
}
std::string Zeros(std::size_t count) {
    return std::string(count, '\0');
}
std::string Repeat(const std::string& part, int count) {
    std::string all;
    for (int i = 0; i < count; ++i) {
        all += part;
    }
    return all;
}

// ---- MPEG audio frames -------------------------------------------------------

// The two-bit codes of the frame header.
constexpr int kMpeg25 = 0;
constexpr int kMpeg2 = 2;
constexpr int kMpeg1 = 3;
constexpr int kLayer3 = 1;
constexpr int kLayer2 = 2;
constexpr int kLayer1 = 3;
constexpr int kStereo = 0;
constexpr int kJoint = 1;
constexpr int kDual = 2;
constexpr int kMono = 3;

/// The bit-rate index of a rate in kbit/s in the standard's tables.
uint32_t BitRateIndex(int version, int layer, int kbps) {
    static const int v1l1[] = {0,   32,  64,  96,  128, 160, 192, 224,
                               256, 288, 320, 352, 384, 416, 448};
    static const int v1l2[] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
    static const int v1l3[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int v2l1[] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256};
    static const int v2l23[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    const int* table = version == kMpeg1 ? (layer == kLayer1   ? v1l1
                                            : layer == kLayer2 ? v1l2
                                                               : v1l3)
                                         : (layer == kLayer1 ? v2l1 : v2l23);
    for (uint32_t i = 1; i < 15; ++i) {
        if (table[i] == kbps) {
            return i;
        }
    }
    ADD_FAILURE() << "no bit-rate index for " << kbps;
    return 0;
}

/// The sampling-rate index: 44100, 48000, 32000 Hz in MPEG 1, halved in
/// MPEG 2 and quartered in MPEG 2.5.
uint32_t SampleRateIndex(int version, int hz) {
    const int divisor = version == kMpeg1 ? 1 : version == kMpeg2 ? 2 : 4;
    const int rates[] = {44100, 48000, 32000};
    for (uint32_t i = 0; i < 3; ++i) {
        if (rates[i] / divisor == hz) {
            return i;
        }
    }
    ADD_FAILURE() << "no sampling-rate index for " << hz;
    return 0;
}

/// One frame: sync, version, layer, the protection bit (0 when a CRC
/// follows the header); rate and sampling indexes, the padding bit; channel
/// mode. The length is the standard's: Layer I
/// (12 × rate / sampling rate + padding) × 4 bytes, Layer II and MPEG 1
/// Layer III 144 × rate / sampling rate + padding, MPEG 2 and 2.5 Layer III
/// 72 × rate / sampling rate + padding. The frame body is zeros (silence),
/// with body placed at its start when given.
std::string Frame(int version, int layer, int kbps, int hz, int mode, bool padding = false,
                  const std::string& body = {}, bool crc = false) {
    const std::string header = Byte(0xFF) +
                               Byte(0xE0 | static_cast<uint32_t>(version) << 3 |
                                    static_cast<uint32_t>(layer) << 1 | (crc ? 0u : 1u)) +
                               Byte(BitRateIndex(version, layer, kbps) << 4 |
                                    SampleRateIndex(version, hz) << 2 | (padding ? 2u : 0u)) +
                               Byte(static_cast<uint32_t>(mode) << 6);
    const int rate = kbps * 1000;
    int length = 0;
    if (layer == kLayer1) {
        length = (12 * rate / hz + (padding ? 1 : 0)) * 4;
    } else if (layer == kLayer2 || version == kMpeg1) {
        length = 144 * rate / hz + (padding ? 1 : 0);
    } else {
        length = 72 * rate / hz + (padding ? 1 : 0);
    }
    std::string frame = header + body;
    frame.resize(static_cast<std::size_t>(length), '\0');
    return frame;
}

// At 48000 Hz an MPEG 1 Layer III frame plays 1152 samples, 24 ms, and a
// frame of 64, 128 or 192 kbit/s has 192, 384 or 576 bytes: 250 frames are
// exactly 6 seconds.
std::string Frame48k(int kbps, int mode = kJoint) {
    return Frame(kMpeg1, kLayer3, kbps, 48000, mode);
}

/// 250 frames of 128 kbit/s: 6 seconds, 96000 bytes.
std::string ConstantStream() {
    return Repeat(Frame48k(128), 250);
}

/// 250 frames alternately of 64 and 192 kbit/s: 6 seconds, 125 × 192 +
/// 125 × 576 = 96000 bytes, an average of 96000 × 8 / 6 = 128000 bit/s.
std::string VariableStream() {
    return Repeat(Frame48k(64) + Frame48k(192), 125);
}

/// A first frame that carries a VBR header of this name where encoders put
/// it: behind the 4-byte header and the 32 bytes of MPEG 1 stereo side
/// information. "Xing" and "Info" hold flags (3: frame and byte counts
/// present), the frame count and the byte count; "VBRI" holds a version,
/// delay and quality, then the byte count and the frame count.
std::string VbrHeaderFrame(const std::string& name, uint32_t frames, uint32_t bytes) {
    std::string body = Zeros(32) + name;
    if (name == "VBRI") {
        body += Be16(1) + Be16(0) + Be16(75) + Be32(bytes) + Be32(frames) + Zeros(18);
    } else {
        body += Be32(3) + Be32(frames) + Be32(bytes);
    }
    return Frame(kMpeg1, kLayer3, 128, 48000, kJoint, false, body);
}

// ---- tags --------------------------------------------------------------------

/// An ID3v1 tag: "TAG", title, artist, album (30 bytes each), year (4),
/// comment (30 bytes; with a track number its last two bytes are a zero and
/// the track), genre byte. Short texts are filled with zeros.
std::string Id3v1(const std::string& title, const std::string& artist, const std::string& album,
                  const std::string& year, const std::string& comment, int track, int genre) {
    const auto field = [](std::string text, std::size_t size) {
        text.resize(size, '\0');
        return text;
    };
    std::string tail = track >= 0
                           ? field(comment, 28) + Byte(0) + Byte(static_cast<uint32_t>(track))
                           : field(comment, 30);
    return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) + tail +
           Byte(static_cast<uint32_t>(genre));
}

// Text encodings of ID3v2 frames.
constexpr int kLatin1 = 0;
constexpr int kUtf16 = 1;
constexpr int kUtf8 = 3;

/// UTF-16 little endian with its byte-order mark, of ASCII and Latin-1 text
/// given as code points below 256.
std::string Utf16(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes += Byte(c) + Byte(static_cast<uint32_t>(c) >> 8);
    }
    return bytes;
}

/// The body of a text frame: encoding byte and text.
std::string TextBody(const std::string& text, int encoding = kLatin1) {
    return Byte(static_cast<uint32_t>(encoding)) + text;
}

/// The body of a comment frame: encoding, language, description, zero, text.
std::string CommentBody(const std::string& description, const std::string& text) {
    return Byte(kLatin1) + "eng" + description + Byte(0) + text;
}

/// A frame of an ID3v2.3 (size in plain bytes) or 2.4 (synchsafe size) tag:
/// ID, size, two flag bytes, body. An ID3v2.2 frame: 3-byte ID and size.
std::string Id3v2Frame(int version, const std::string& id, const std::string& body,
                       uint32_t flags = 0) {
    const auto size = static_cast<uint32_t>(body.size());
    if (version == 2) {
        return id + Be24(size) + body;
    }
    return id + (version == 4 ? SyncSafe32(size) : Be32(size)) + Be16(flags) + body;
}

/// An ID3v2 tag: "ID3", version, revision 0, no flags, synchsafe size.
std::string Id3v2(int version, const std::string& frames) {
    return "ID3" + Byte(static_cast<uint32_t>(version)) + Byte(0) + Byte(0) +
           SyncSafe32(static_cast<uint32_t>(frames.size())) + frames;
}

// ---- what a reading gives ------------------------------------------------------

/// The tag texts of a reading: empty and 0 where the file has none.
struct CTexts {
    std::string title{};
    std::string artist{};
    std::string album{};
    std::string year{};
    std::string comment{};
    std::string trackText{};
    int32_t trackNumber = 0;
    std::string genre{};
};

/// The stream facts of a reading: empty and 0 where there is no stream.
struct CStream {
    int32_t bitRate = 0;
    int32_t vbrBitRate = 0;
    int32_t sampleRate = 0;
    int32_t lengthSeconds = 0;
    std::string layerText{};
    std::string versionText{};
    std::string channelText{};
};

/// The result of a reading and every field of CMp3Info but the file name.
struct CReading {
    bool result = false;
    bool loaded = false;
    bool hasV1Tag = false;
    bool hasV2Tag = false;
    CTexts texts{};
    CStream stream{};
};

void ExpectReading(bool result, const CMp3Info& info, const CReading& expected) {
    EXPECT_EQ(result, expected.result);
    EXPECT_EQ(info.loaded, expected.loaded);
    EXPECT_EQ(info.hasV1Tag, expected.hasV1Tag);
    EXPECT_EQ(info.hasV2Tag, expected.hasV2Tag);
    EXPECT_EQ(info.title, expected.texts.title);
    EXPECT_EQ(info.artist, expected.texts.artist);
    EXPECT_EQ(info.album, expected.texts.album);
    EXPECT_EQ(info.year, expected.texts.year);
    EXPECT_EQ(info.comment, expected.texts.comment);
    EXPECT_EQ(info.trackText, expected.texts.trackText);
    EXPECT_EQ(info.trackNumber, expected.texts.trackNumber);
    EXPECT_EQ(info.genre, expected.texts.genre);
    EXPECT_EQ(info.bitRate, expected.stream.bitRate);
    EXPECT_EQ(info.vbrBitRate, expected.stream.vbrBitRate);
    EXPECT_EQ(info.sampleRate, expected.stream.sampleRate);
    EXPECT_EQ(info.lengthSeconds, expected.stream.lengthSeconds);
    EXPECT_EQ(info.layerText, expected.stream.layerText);
    EXPECT_EQ(info.versionText, expected.stream.versionText);
    EXPECT_EQ(info.channelText, expected.stream.channelText);
}

/// MPEG 1 Layer III, joint stereo, 48000 Hz: the stream of Frame48k.
CStream Stream48k(int32_t bitRate, int32_t vbrBitRate = 0, int32_t lengthSeconds = 6) {
    return {bitRate, vbrBitRate, 48000, lengthSeconds, "Layer III", "MPEG 1", "Joint Stereo"};
}

/// Audio without tags.
CReading Audio(const CStream& stream) {
    return {true, true, false, false, {}, stream};
}

/// Audio with tags; by default the 6 seconds of ConstantStream.
CReading Tagged(bool hasV1Tag, bool hasV2Tag, const CTexts& texts,
                const CStream& stream = Stream48k(128000)) {
    return {true, true, hasV1Tag, hasV2Tag, texts, stream};
}

/// An ID3v1 tag without audio: the tag alone, and nothing counts as loaded.
CReading Id3v1Alone(const CTexts& texts) {
    return {true, false, true, false, texts, {}};
}

/// Nothing usable: false, every field empty.
const CReading kNothing{};

/// One file and what reading it gives.
struct CReadCase {
    std::string name; ///< names the test
    std::string bytes;
    CReading expected;
};

void PrintTo(const CReadCase& c, std::ostream* out) {
    *out << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<CReadCase>& info) {
    return info.param.name;
}

// ---- the stream ----------------------------------------------------------------

/// 250 frames of one kind.
std::string Frames250(int version, int layer, int kbps, int hz, int mode, bool crc) {
    return Repeat(Frame(version, layer, kbps, hz, mode, false, {}, crc), 250);
}

/// 128 kbit/s at 44100 Hz: 417 bytes a frame, 418 with the padding byte, two
/// frames of three padded. 441 frames of 1152 samples are 11.52 s.
std::string PaddedStream() {
    std::string stream;
    for (int i = 0; i < 441; ++i) {
        stream += Frame(kMpeg1, kLayer3, 128, 44100, kStereo, i % 3 != 0);
    }
    return stream;
}

std::vector<CReadCase> StreamCases() {
    const std::string half = Repeat(Frame48k(128), 125);
    return {
        {"ConstantRateStreamWithoutVbrHeader", ConstantStream(), Audio(Stream48k(128000))},
        // The header counts the 250 frames after it and their 96000 bytes.
        {"XingHeaderMarksAVariableRate", VbrHeaderFrame("Xing", 250, 96000) + VariableStream(),
         Audio(Stream48k(128000, 128000))},
        // 500 frames of 1152 samples are 12 s; 144000 bytes in 12 s are 96000 bit/s.
        {"XingHeaderGivesRateAndLengthFromItsCounts",
         VbrHeaderFrame("Xing", 500, 144000) + VariableStream(),
         Audio(Stream48k(96000, 96000, 12))},
        // Encoders write the same header as "Info" into constant-rate streams:
        // the rate is the frame header's, whatever the byte count says; the
        // length still comes from the frame count.
        {"InfoHeaderIsAConstantRate", VbrHeaderFrame("Info", 250, 99999) + ConstantStream(),
         Audio(Stream48k(128000))},
        {"VbriHeaderMarksAVariableRate", VbrHeaderFrame("VBRI", 250, 96000) + VariableStream(),
         Audio(Stream48k(128000, 128000))},
        // The first frame says 64 kbit/s; taken alone it would make the 96000
        // bytes last 12 s. The frames say 6 s at an average of 128000 bit/s.
        {"VariableRateWithoutVbrHeaderIsFoundFromEveryFrame", VariableStream(),
         Audio(Stream48k(128000, 128000))},
        // 125 frames, 100 bytes that are no frame, 125 frames: still 250 frames.
        {"BytesBetweenFramesArePassedOver", half + Zeros(100) + half, Audio(Stream48k(128000))},
        // Layer I: 384 samples a frame; 250 × 384 / 48000 = 2 s. With a CRC:
        // without one the second header byte is 0xFF, which the tag library
        // never takes for a frame.
        {"LayerIMpeg1Stereo", Frames250(kMpeg1, kLayer1, 128, 48000, kStereo, true),
         Audio({128000, 0, 48000, 2, "Layer I", "MPEG 1", "Stereo"})},
        // Layer II: 1152 samples; 250 × 1152 / 48000 = 6 s.
        {"LayerIIMpeg1DualChannel", Frames250(kMpeg1, kLayer2, 192, 48000, kDual, false),
         Audio({192000, 0, 48000, 6, "Layer II", "MPEG 1", "Dual Channel"})},
        // MPEG 2 and 2.5 Layer III: 576 samples; 250 × 576 / 24000 = 6 s,
        // 250 × 576 / 12000 = 12 s.
        {"LayerIIIMpeg2SingleChannel", Frames250(kMpeg2, kLayer3, 64, 24000, kMono, false),
         Audio({64000, 0, 24000, 6, "Layer III", "MPEG 2", "Single Channel"})},
        {"LayerIIIMpeg25JointStereo", Frames250(kMpeg25, kLayer3, 32, 12000, kJoint, true),
         Audio({32000, 0, 12000, 12, "Layer III", "MPEG 2.5", "Joint Stereo"})},
        // 250 × 1152 / 32000 = 9 s.
        {"LayerIIIMpeg1Stereo", Frames250(kMpeg1, kLayer3, 320, 32000, kStereo, false),
         Audio({320000, 0, 32000, 9, "Layer III", "MPEG 1", "Stereo"})},
        {"PaddedFramesKeepAConstantRate", PaddedStream(),
         Audio({128000, 0, 44100, 11, "Layer III", "MPEG 1", "Stereo"})},
    };
}

// ---- ID3v1 ---------------------------------------------------------------------

std::vector<CReadCase> Id3v1Cases() {
    const std::string song = Id3v1("Song", "Band", "Record", "1999", "Fine", 5, 17);
    const CTexts songTexts{"Song", "Band", "Record", "1999", "Fine", "5", 5, "Rock"};
    // ID3v1.0: a 30-byte comment whose last bytes are text, never a track.
    const std::string fullComment = "abcdefghijklmnopqrstuvwxyz1234";
    // Padding blanks stay in a tag read without audio, as they stand; after
    // audio the tag is read as the library reads it, without them.
    const std::string padded = Id3v1("Padded   ", "100% <N>", "", "", "", -1, 255);
    std::vector<CReadCase> cases = {
        {"Id3v1WithoutAudioGivesTheTagAlone", song, Id3v1Alone(songTexts)},
        // The tag is not counted as audio: still 6 seconds.
        {"Id3v1AfterAudio", ConstantStream() + song, Tagged(true, false, songTexts)},
        {"Id3v10CommentEndsInText", Id3v1("T", "", "", "", fullComment, -1, 255),
         Id3v1Alone({.title = "T", .comment = fullComment})},
        // ID3v1.1: a zero byte and the track; tracks above 127 too.
        {"Id3v11Track200", Id3v1("T", "", "", "", "note", 200, 255),
         Id3v1Alone({.title = "T", .comment = "note", .trackText = "200", .trackNumber = 200})},
        // A zero track byte is no track.
        {"Id3v11TrackZeroIsNoTrack", Id3v1("T", "", "", "", "note", 0, 255),
         Id3v1Alone({.title = "T", .comment = "note"})},
        {"Id3v1BlanksStayWithoutAudio", padded,
         Id3v1Alone({.title = "Padded   ", .artist = "100% <N>"})},
        {"Id3v1BlanksGoAfterAudio", ConstantStream() + padded,
         Tagged(true, false, {.title = "Padded", .artist = "100% <N>"})},
        // Windows-1252 bytes: 0x80 the euro sign, 0xE9 é; bytes that are valid
        // UTF-8 already stay as they are.
        {"Id3v1TextsBecomeUtf8",
         ConstantStream() + Id3v1("Caf\xE9 \x80", "Caf\xC3\xA9", "", "", "", -1, 255),
         Tagged(true, false, {.title = "Caf\xC3\xA9 \xE2\x82\xAC", .artist = "Caf\xC3\xA9"})},
    };
    // Genre numbers, with and without audio: 0 to 147 have names (one with
    // its trailing blank), others none.
    const std::pair<int, const char*> genres[] = {
        {0, "Blues"},      {17, "Rock"}, {141, "Christian Rock "},
        {147, "Synthpop"}, {148, ""},    {255, ""}};
    for (const auto& [number, name] : genres) {
        const std::string tag = Id3v1("T", "", "", "", "", -1, number);
        const CTexts texts{.title = "T", .genre = name};
        const std::string genre = "Id3v1Genre" + std::to_string(number);
        cases.push_back({genre + "Alone", tag, Id3v1Alone(texts)});
        cases.push_back({genre + "AfterAudio", ConstantStream() + tag, Tagged(true, false, texts)});
    }
    return cases;
}

// ---- ID3v2 ---------------------------------------------------------------------

std::string FullV23Tag() {
    return Id3v2(
        3, Id3v2Frame(3, "TIT2", TextBody("Title")) +
               Id3v2Frame(3, "TPE1", TextBody("Artist 100%")) +
               Id3v2Frame(3, "TALB", TextBody("Album")) + Id3v2Frame(3, "TYER", TextBody("2004")) +
               Id3v2Frame(3, "TDAT", TextBody("0907")) + Id3v2Frame(3, "TCON", TextBody("(17)")) +
               Id3v2Frame(3, "TRCK", TextBody("09/15")) +
               Id3v2Frame(3, "COMM", CommentBody("", "First")) +
               Id3v2Frame(3, "COMM", CommentBody("more", "Second")));
}

/// ID3v2.3 compression (flag 0x0080) of the title: the frame body is the
/// size of the inflated body and the zlib stream of it.
std::string CompressedTitleTag() {
    const std::string body = TextBody("Packed title, packed title, packed title");
    std::string packed(compressBound(static_cast<uLong>(body.size())), '\0');
    uLongf packedSize = static_cast<uLongf>(packed.size());
    EXPECT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                       reinterpret_cast<const Bytef*>(body.data()),
                       static_cast<uLong>(body.size())),
              Z_OK);
    packed.resize(packedSize);
    return Id3v2(3,
                 Id3v2Frame(3, "TIT2", Be32(static_cast<uint32_t>(body.size())) + packed, 0x0080) +
                     Id3v2Frame(3, "TPE1", TextBody("Plain")));
}

std::string TagOf(int version, const std::string& id, const std::string& text) {
    return Id3v2(version, Id3v2Frame(version, id, TextBody(text)));
}

std::vector<CReadCase> Id3v2Cases() {
    std::vector<CReadCase> cases = {
        // The year as stored, not joined with the day; the genre as stored;
        // the first comment frame.
        {"Id3v23Frames", FullV23Tag() + ConstantStream(),
         Tagged(false, true,
                {"Title", "Artist 100%", "Album", "2004", "First", "09/15", 9, "(17)"})},
        // ID3v2.2 and 2.3 years stay as written, whatever their length; an
        // ID3v2.4 recording time gives its year.
        {"Id3v22YearAsStored", TagOf(2, "TYE", "ca. 1990") + ConstantStream(),
         Tagged(false, true, {.year = "ca. 1990"})},
        {"Id3v23YearAsStored", TagOf(3, "TYER", "ca. 1990") + ConstantStream(),
         Tagged(false, true, {.year = "ca. 1990"})},
        {"Id3v24YearOfTheRecordingTime", TagOf(4, "TDRC", "1990-05") + ConstantStream(),
         Tagged(false, true, {.year = "1990"})},
        {"Id3v24Frames",
         Id3v2(4, Id3v2Frame(4, "TIT2", TextBody("J\xC3\xB3ga", kUtf8)) +
                      Id3v2Frame(4, "TDRC", TextBody("2004-07-09T14:03")) +
                      Id3v2Frame(4, "TCON", TextBody("(17)Rock")) +
                      Id3v2Frame(4, "TRCK", TextBody("3/12")) +
                      Id3v2Frame(4, "TPE1", TextBody(Utf16(u"Bj\u00F8rk"), kUtf16))) +
             ConstantStream(),
         Tagged(false, true,
                {.title = "J\xC3\xB3ga",
                 .artist = "Bj\xC3\xB8rk",
                 .year = "2004",
                 .trackText = "3/12",
                 .trackNumber = 3,
                 .genre = "(17)Rock"})},
        {"Id3v22Frames",
         Id3v2(2, Id3v2Frame(2, "TT2", TextBody("Old")) + Id3v2Frame(2, "TP1", TextBody("Band")) +
                      Id3v2Frame(2, "TYE", TextBody("1999")) +
                      Id3v2Frame(2, "TCO", TextBody("(12)")) +
                      Id3v2Frame(2, "TRK", TextBody("08/15"))) +
             ConstantStream(),
         Tagged(false, true,
                {.title = "Old",
                 .artist = "Band",
                 .year = "1999",
                 .trackText = "08/15",
                 .trackNumber = 8,
                 .genre = "(12)"})},
        // The ID3v2 texts win; a field the ID3v2 tag lacks comes from ID3v1,
        // the genre as the ID3v1 genre's name.
        {"Utf16TextsBesideAnId3v1Tag",
         Id3v2(3, Id3v2Frame(3, "TIT2", TextBody(Utf16(u"Caf\u00E9"), kUtf16)) +
                      Id3v2Frame(3, "TPE1", TextBody(Utf16(u"Na\u00EFve"), kUtf16))) +
             ConstantStream() + Id3v1("Cafe", "Naive", "Record", "1999", "", 4, 17),
         Tagged(true, true, {"Caf\xC3\xA9", "Na\xC3\xAFve", "Record", "1999", "", "4", 4, "Rock"})},
        {"CompressedFrame", CompressedTitleTag() + ConstantStream(),
         Tagged(false, true,
                {.title = "Packed title, packed title, packed title", .artist = "Plain"})},
        {"TextsAreNotInterpreted",
         Id3v2(3, Id3v2Frame(3, "TIT2", TextBody("50% %s %d <N>")) +
                      Id3v2Frame(3, "TRCK", TextBody(" 7 of 9"))) +
             ConstantStream(),
         Tagged(false, true, {.title = "50% %s %d <N>", .trackText = " 7 of 9", .trackNumber = 7})},
        {"MissingAndEmptyFramesAreAbsent",
         Id3v2(3, Id3v2Frame(3, "TIT2", TextBody("")) + Id3v2Frame(3, "TRCK", TextBody("none")) +
                      Id3v2Frame(3, "WXXX", TextBody("x") + Byte(0) + "http://x")) +
             ConstantStream(),
         Tagged(false, true, {.trackText = "none"})},
        // Only the ID3v1 tag is read without an audio stream.
        {"Id3v2WithoutAudioFails", FullV23Tag(), kNothing},
        {"Id3v2WithoutAudioGivesTheId3v1TagAlone",
         FullV23Tag() + Id3v1("One", "", "", "", "", -1, 255), Id3v1Alone({.title = "One"})},
    };
    // The genre text as stored, in ID3v2.3 and 2.4.
    const std::pair<const char*, const char*> genres[] = {
        {"Number", "(17)"},   {"Name", "Rock"},     {"NumberAndName", "(17)Rock"},
        {"BareNumber", "17"}, {"NoGenre", "(255)"}, {"UnknownName", "Norvik Folk"}};
    for (const auto& [what, genre] : genres) {
        for (const int version : {3, 4}) {
            cases.push_back({"Id3v2" + std::to_string(version) + "Genre" + what,
                             TagOf(version, "TCON", genre) + ConstantStream(),
                             Tagged(false, true, {.genre = genre})});
        }
    }
    return cases;
}

// ---- files with neither audio nor tag ---------------------------------------------

std::vector<CReadCase> FailureCases() {
    return {
        {"EmptyFile", "", kNothing},
        {"Text", "hello", kNothing},
        {"Zeros", Zeros(4096), kNothing},
        // Nothing follows that confirms it.
        {"LoneFrame", Frame48k(128), kNothing},
        {"TagOf127Bytes", "TAG" + Zeros(124), kNothing},
        {"SyncBytesWithoutHeader", Repeat("\xFF\x00", 2000), kNothing},
    };
}

// ---- reading each case from a file and from memory ---------------------------------

class Mp3ReadingTest : public ::testing::TestWithParam<CReadCase> {
protected:
    CTempFolder folder;
};

TEST_P(Mp3ReadingTest, FromFileAndFromMemory) {
    const CReadCase& c = GetParam();
    const std::string path = folder.WriteFile("song.mp3", c.bytes);
    CMp3Info info;
    info.title = "left over";
    const bool result = ReadMp3Info(path, info);
    ExpectReading(result, info, c.expected);
    EXPECT_EQ(info.fileName, c.expected.loaded ? path : "");

    SCOPED_TRACE("from memory");
    CMp3Info fromMemory;
    fromMemory.title = "left over";
    const bool memoryResult = ReadMp3InfoFromMemory(c.bytes, fromMemory);
    ExpectReading(memoryResult, fromMemory, c.expected);
    EXPECT_EQ(fromMemory.fileName, "");
}

INSTANTIATE_TEST_SUITE_P(Stream, Mp3ReadingTest, ::testing::ValuesIn(StreamCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Id3v1, Mp3ReadingTest, ::testing::ValuesIn(Id3v1Cases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Id3v2, Mp3ReadingTest, ::testing::ValuesIn(Id3v2Cases()), CaseName);
INSTANTIATE_TEST_SUITE_P(NeitherAudioNorTag, Mp3ReadingTest, ::testing::ValuesIn(FailureCases()),
                         CaseName);

// ---- the file and its cache ------------------------------------------------------

class Mp3ReaderTest : public ::testing::Test {
protected:
    CTempFolder folder;
    int fileNumber = 0;

    /// Writes the bytes to a file of its own and reads it.
    bool Read(const std::string& bytes, CMp3Info& info) {
        const std::string path =
            folder.WriteFile("song" + std::to_string(++fileNumber) + ".mp3", bytes);
        return ReadMp3Info(path, info);
    }
};

TEST_F(Mp3ReaderTest, FolderMissingFileAndPipe) {
    CMp3Info info;
    EXPECT_FALSE(ReadMp3Info(folder.MakeFolder("album.mp3"), info));
    EXPECT_FALSE(ReadMp3Info(folder / "missing.mp3", info));
    const std::string pipe = folder / "pipe.mp3";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ReadMp3Info(pipe, info)); // returns at once, never waits for a writer
}

TEST_F(Mp3ReaderTest, SamePathIsReadOnce) {
    const std::string path = folder.WriteFile("a.mp3", Id3v1("First", "", "", "", "", -1, 255));
    CMp3Info info;
    ASSERT_TRUE(ReadMp3Info(path, info));
    EXPECT_EQ(info.title, "First");
    // The file changes on disk: while it stays the last path, it is not read.
    folder.WriteFile("a.mp3", ConstantStream() + Id3v1("Second", "", "", "", "", -1, 255));
    CMp3Info again;
    ASSERT_TRUE(ReadMp3Info(path, again));
    EXPECT_EQ(again.title, "First");
    EXPECT_EQ(again.bitRate, 0);
    // Another path in between, and it is read afresh.
    const std::string other = folder.WriteFile("b.mp3", ConstantStream());
    ASSERT_TRUE(ReadMp3Info(other, again));
    EXPECT_EQ(again.fileName, other);
    ASSERT_TRUE(ReadMp3Info(path, again));
    EXPECT_EQ(again.title, "Second");
    EXPECT_EQ(again.bitRate, 128000);
    EXPECT_EQ(again.fileName, path);
}

TEST_F(Mp3ReaderTest, FailureIsCachedAndTheKeyIsExact) {
    const std::string path = folder.WriteFile("c.mp3", "nothing");
    CMp3Info info;
    EXPECT_FALSE(ReadMp3Info(path, info));
    folder.WriteFile("c.mp3", ConstantStream());
    EXPECT_FALSE(ReadMp3Info(path, info));
    // The same file under another spelling of its path is another key.
    EXPECT_TRUE(ReadMp3Info(folder.Path() + "./c.mp3", info));
    EXPECT_EQ(info.bitRate, 128000);
}

TEST_F(Mp3ReaderTest, MemoryGivesWhatTheFileGives) {
    const std::string bytes = FullV23Tag() + VariableStream() + Id3v1("x", "", "", "", "", 2, 0);
    CMp3Info fromFile;
    ASSERT_TRUE(Read(bytes, fromFile));
    CMp3Info fromMemory;
    ASSERT_TRUE(ReadMp3InfoFromMemory(bytes, fromMemory));
    EXPECT_EQ(fromMemory.fileName, "");
    EXPECT_EQ(fromMemory.title, fromFile.title);
    EXPECT_EQ(fromMemory.genre, fromFile.genre);
    EXPECT_EQ(fromMemory.year, fromFile.year);
    EXPECT_EQ(fromMemory.trackNumber, fromFile.trackNumber);
    EXPECT_EQ(fromMemory.bitRate, 128000);
    EXPECT_EQ(fromMemory.vbrBitRate, 128000);
    EXPECT_EQ(fromMemory.lengthSeconds, 6);
    EXPECT_FALSE(ReadMp3InfoFromMemory("no audio", fromMemory));
}

// ---- files of real encoders and taggers ------------------------------------------------

/// What a generated file must give; empty texts and negative numbers are
/// not checked, a vbrBitRate of 1 means "a variable rate".
struct CGenerated {
    const char* name;
    int bitRate;
    int vbrBitRate;
    int sampleRate;
    int lengthSeconds;
    const char* layerText;
    const char* versionText;
    const char* channelText;
};

std::ostream& operator<<(std::ostream& out, const CGenerated& c) {
    return out << c.name;
}

const std::string kFixtureFolder = NR_MP3_FIXTURES;

/// The path of a generated file; empty (with the test skipped or failed)
/// when there is none: skipped when its tool is missing, failed when the
/// tool was there and the file was not made.
std::string FixturePath(const std::string& name) {
    namespace fs = std::filesystem;
    if (!fs::exists(kFixtureFolder + "/made")) {
        ADD_FAILURE() << "the fixture script did not run into " << kFixtureFolder;
        return {};
    }
    const std::string path = kFixtureFolder + "/" + name + ".mp3";
    if (fs::exists(path)) {
        return path;
    }
    std::ifstream skipped(kFixtureFolder + "/skipped");
    for (std::string line; std::getline(skipped, line);) {
        if (line == name) {
            return {};
        }
    }
    ADD_FAILURE() << name << ".mp3 was not made although its tools are present";
    return {};
}

#define NR_FIXTURE_OR_SKIP(path, name)                                                             \
    const std::string path = FixturePath(name);                                                    \
    if (path.empty()) {                                                                            \
        if (!HasFailure()) {                                                                       \
            GTEST_SKIP() << "the tool that makes " << (name) << " is not installed";               \
        }                                                                                          \
        return;                                                                                    \
    }

class GeneratedMp3Test : public ::testing::TestWithParam<CGenerated> {};

TEST_P(GeneratedMp3Test, StreamFacts) {
    const CGenerated& c = GetParam();
    NR_FIXTURE_OR_SKIP(path, c.name);
    CMp3Info info;
    ASSERT_TRUE(ReadMp3Info(path, info));
    EXPECT_TRUE(info.loaded);
    EXPECT_EQ(info.fileName, path);
    EXPECT_EQ(info.sampleRate, c.sampleRate);
    EXPECT_EQ(info.lengthSeconds, c.lengthSeconds);
    EXPECT_EQ(info.layerText, c.layerText);
    EXPECT_EQ(info.versionText, c.versionText);
    EXPECT_EQ(info.channelText, c.channelText);
    if (c.vbrBitRate == 0) {
        EXPECT_EQ(info.vbrBitRate, 0);
        EXPECT_EQ(info.bitRate, c.bitRate);
    } else {
        // lame -V 4 on a tone that sounds half of the time: the average lies
        // far below the highest rate and above the lowest one.
        EXPECT_GT(info.vbrBitRate, 32000);
        EXPECT_LT(info.vbrBitRate, 128000);
        EXPECT_EQ(info.bitRate, info.vbrBitRate);
    }
}

// Five seconds of a tone for lame, four for Layer II (see the script).
INSTANTIATE_TEST_SUITE_P(
    Encoders, GeneratedMp3Test,
    ::testing::Values(
        CGenerated{"lame-cbr-joint", 128000, 0, 44100, 5, "Layer III", "MPEG 1", "Joint Stereo"},
        CGenerated{"lame-cbr-stereo", 192000, 0, 48000, 5, "Layer III", "MPEG 1", "Stereo"},
        CGenerated{"lame-cbr-dual", 128000, 0, 44100, 5, "Layer III", "MPEG 1", "Dual Channel"},
        CGenerated{"lame-cbr-mono", 64000, 0, 44100, 5, "Layer III", "MPEG 1", "Single Channel"},
        CGenerated{"lame-cbr-bare", 128000, 0, 44100, 5, "Layer III", "MPEG 1", "Joint Stereo"},
        CGenerated{"lame-vbr", 0, 1, 44100, 5, "Layer III", "MPEG 1", "Joint Stereo"},
        CGenerated{"lame-vbr-bare", 0, 1, 44100, 5, "Layer III", "MPEG 1", "Joint Stereo"},
        CGenerated{"lame-mpeg2", 64000, 0, 22050, 5, "Layer III", "MPEG 2", "Single Channel"},
        CGenerated{"lame-mpeg25", 32000, 0, 11025, 5, "Layer III", "MPEG 2.5", "Stereo"},
        CGenerated{"mp2-stereo", 192000, 0, 48000, 4, "Layer II", "MPEG 1", "Stereo"},
        CGenerated{"mp2-mpeg2-mono", 64000, 0, 24000, 4, "Layer II", "MPEG 2", "Single Channel"},
        CGenerated{"mp2-dual", 256000, 0, 44100, 4, "Layer II", "MPEG 1", "Dual Channel"},
        CGenerated{"mp2-joint", 224000, 0, 44100, 4, "Layer II", "MPEG 1", "Joint Stereo"}),
    [](const ::testing::TestParamInfo<CGenerated>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (c == '-') {
                c = '_';
            }
        }
        return name;
    });

/// What a tagged file of a tagger gives: its tags and texts over lame's
/// 128 kbit/s joint-stereo stream of five seconds.
struct CGeneratedTags {
    const char* name;
    bool hasV1Tag;
    bool hasV2Tag;
    CTexts texts{};
};

std::ostream& operator<<(std::ostream& out, const CGeneratedTags& c) {
    return out << c.name;
}

class GeneratedTagsTest : public ::testing::TestWithParam<CGeneratedTags> {};

TEST_P(GeneratedTagsTest, TagsAndStream) {
    const CGeneratedTags& c = GetParam();
    NR_FIXTURE_OR_SKIP(path, c.name);
    CMp3Info info;
    const bool result = ReadMp3Info(path, info);
    ExpectReading(result, info,
                  Tagged(c.hasV1Tag, c.hasV2Tag, c.texts,
                         {128000, 0, 44100, 5, "Layer III", "MPEG 1", "Joint Stereo"}));
    EXPECT_EQ(info.fileName, path);
}

INSTANTIATE_TEST_SUITE_P(
    Taggers, GeneratedTagsTest,
    ::testing::Values(
        // id3v2 writes an ID3v2.3 tag and an ID3v1 tag.
        CGeneratedTags{"id3v2-both",
                       true,
                       true,
                       {"Title", "Artist 100%", "Album", "2004", "A comment", "09/15", 9, "(17)"}},
        CGeneratedTags{"id3v2-v1",
                       true,
                       false,
                       {.title = "Title",
                        .artist = "Artist",
                        .trackText = "7",
                        .trackNumber = 7,
                        .genre = "Rock"}},
        // eyeD3 writes ID3v2.4 in UTF-8.
        CGeneratedTags{"eyed3-v24",
                       false,
                       true,
                       {"J\xC3\xB3ga", "Bj\xC3\xB8rk \xC7\x84", "Homog\xC3\xA9nic", "2004",
                        "\xC3\x87"
                        "a va 100%",
                        "09/15", 9, "Norvik Folk"}},
        // ID3v2.3 in UTF-16 with "TYER" (without the day of "TDAT"), beside
        // an ID3v1 tag that gives the track and the genre.
        CGeneratedTags{"eyed3-v23",
                       true,
                       true,
                       {.title = "J\xC3\xB3ga",
                        .artist = "Bj\xC3\xB8rk \xC7\x84",
                        .year = "1997",
                        .trackText = "3",
                        .trackNumber = 3,
                        .genre = "Rock"}},
        CGeneratedTags{"eyed3-genre", false, true, {.genre = "(17)Rock"}}),
    [](const ::testing::TestParamInfo<CGeneratedTags>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

} // namespace
