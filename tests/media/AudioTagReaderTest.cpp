// SPDX-License-Identifier: GPL-3.0-or-later
// The audio reader for formats other than MP3 on files written here byte by
// byte: WAV files with LIST/INFO and ID3 chunks, FLAC files with comment
// blocks and an ID3v2 tag in front, so that every expected value follows
// from the bytes. Also: what it opens, how much of a large file it reads,
// and that cut or scrambled files give nothing rather than a fault.
#include "media/AudioTagReader.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

// ---- bytes -----------------------------------------------------------------

std::string Byte(uint32_t v) {
    return std::string(1, static_cast<char>(v & 0xFF));
}
std::string Le16(uint32_t v) {
    return Byte(v) + Byte(v >> 8);
}
std::string Le32(uint32_t v) {
    return Le16(v) + Le16(v >> 16);
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
std::string Size32(std::size_t size) {
    return Le32(static_cast<uint32_t>(size));
}

using CFields = std::vector<std::pair<std::string, std::string>>;

// ---- ID3v2.3 ---------------------------------------------------------------

/// An ID3v2.3 tag of Latin-1 text frames ("TIT2", "TPE1", "TRCK", ...).
std::string Id3v23(const CFields& frames) {
    std::string body;
    for (const auto& [id, text] : frames) {
        const std::string content = Byte(0) + text;
        body += id + Be32(static_cast<uint32_t>(content.size())) + Be16(0) + content;
    }
    const auto size = static_cast<uint32_t>(body.size());
    return "ID3" + Byte(3) + Byte(0) + Byte(0) + Byte(size >> 21 & 0x7F) + Byte(size >> 14 & 0x7F) +
           Byte(size >> 7 & 0x7F) + Byte(size & 0x7F) + body;
}

// ---- WAV -------------------------------------------------------------------

std::string RiffChunk(const std::string& id, const std::string& body) {
    return id + Size32(body.size()) + body + (body.size() % 2 != 0 ? Byte(0) : "");
}

/// 8-bit PCM at 8000 Hz: 8000 bytes a second, 64 kbit/s.
std::string PcmFormat(uint32_t channels) {
    return RiffChunk("fmt ", Le16(1) + Le16(channels) + Le32(8000) + Le32(8000 * channels) +
                                 Le16(channels) + Le16(8));
}

std::string InfoList(const CFields& fields) {
    std::string body = "INFO";
    for (const auto& [id, text] : fields) {
        body += RiffChunk(id, text + Byte(0));
    }
    return RiffChunk("LIST", body);
}

/// A WAV file of seconds of silence and the further chunks given.
std::string Wav(uint32_t channels, uint32_t seconds, const std::string& chunks) {
    const std::string body = "WAVE" + PcmFormat(channels) +
                             RiffChunk("data", std::string(8000 * channels * seconds, '\x80')) +
                             chunks;
    return "RIFF" + Size32(body.size()) + body;
}

// ---- FLAC ------------------------------------------------------------------

constexpr int kStreamInfo = 0;
constexpr int kPadding = 1;
constexpr int kVorbisComment = 4;

std::string FlacBlock(int type, bool last, const std::string& body) {
    return Byte((last ? 0x80U : 0U) | static_cast<uint32_t>(type)) +
           Be24(static_cast<uint32_t>(body.size())) + body;
}

/// STREAMINFO of 16-bit samples: rate, channels and the number of samples.
std::string StreamInfo(uint32_t sampleRate, uint32_t channels, uint64_t samples) {
    const uint64_t packed =
        uint64_t{sampleRate} << 44 | uint64_t{channels - 1} << 41 | uint64_t{15} << 36 | samples;
    return Be16(4096) + Be16(4096) + Be24(0) + Be24(0) + Be32(static_cast<uint32_t>(packed >> 32)) +
           Be32(static_cast<uint32_t>(packed)) + std::string(16, '\0');
}

std::string VorbisComment(const CFields& fields) {
    std::string body = Size32(6) + "tester" + Size32(fields.size());
    for (const auto& [key, value] : fields) {
        const std::string field = key + "=" + value;
        body += Size32(field.size()) + field;
    }
    return body;
}

/// A FLAC file at 48000 Hz of two seconds: the blocks after STREAMINFO,
/// and 25000 bytes of "frames" (100 kbit/s over two seconds).
std::string Flac(uint32_t channels, const std::vector<std::string>& blocks) {
    std::string file = "fLaC";
    file += FlacBlock(kStreamInfo, blocks.empty(), StreamInfo(48000, channels, 96000));
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        file += Byte(static_cast<uint8_t>(blocks[i][0]) | (i + 1 == blocks.size() ? 0x80U : 0U)) +
                blocks[i].substr(1);
    }
    return file + std::string(25000, '\x55');
}

std::string CommentBlock(const CFields& fields) {
    return FlacBlock(kVorbisComment, false, VorbisComment(fields));
}

// ---- APE ---------------------------------------------------------------------

/// An APEv2 tag of text items, with its footer only.
std::string ApeTag(const CFields& items) {
    std::string body;
    for (const auto& [key, value] : items) {
        body += Size32(value.size()) + Le32(0) + key + Byte(0) + value;
    }
    return body + "APETAGEX" + Le32(2000) + Size32(body.size() + 32) + Size32(items.size()) +
           Le32(0) + std::string(8, '\0');
}

/// A Monkey's Audio file (version 3.99 header) of one frame of 16000
/// samples at 8000 Hz, mono: two seconds; 4000 bytes of "frames".
std::string Ape(const std::string& tag) {
    const std::string descriptor = "MAC " + Le16(3990) + Le16(0) + Le32(52) + Le32(24) + Le32(0) +
                                   Le32(0) + Le32(4000) + Le32(0) + Le32(0) + std::string(16, '\0');
    const std::string header = Le16(2000) + Le16(0) + Le32(73728) + Le32(16000) + Le32(1) +
                               Le16(16) + Le16(1) + Le32(8000);
    return descriptor + header + std::string(4000, '\x11') + tag;
}

CMp3Info FromMemory(const std::string& bytes, const char* extension) {
    CMp3Info info;
    EXPECT_TRUE(ReadAudioInfoFromMemory(bytes, extension, info)) << extension;
    return info;
}

/// Bytes this process has read through system calls so far, or 0 where
/// the system does not count them.
uint64_t BytesReadSoFar() {
    std::ifstream in("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (in >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return 0;
}

} // namespace

// ---------------------------------------------------------------------------

TEST(AudioTagReaderTest, WavInfoListGivesTheTagAndTheFormatChunkTheStream) {
    const std::string wav = Wav(1, 3,
                                InfoList({{"INAM", "Sinus"},
                                          {"IART", "Ensemble"},
                                          {"IPRD", "Corpus"},
                                          {"ICMT", "quiet"},
                                          {"IGNR", "Ambient"},
                                          {"ICRD", "2021"},
                                          {"IPRT", "3/12"}}));
    const CMp3Info info = FromMemory(wav, "wav");
    EXPECT_EQ(info.title, "Sinus");
    EXPECT_EQ(info.artist, "Ensemble");
    EXPECT_EQ(info.album, "Corpus");
    EXPECT_EQ(info.comment, "quiet");
    EXPECT_EQ(info.genre, "Ambient");
    EXPECT_EQ(info.year, "2021");
    // The library reads the INFO list's track as a number.
    EXPECT_EQ(info.trackText, "3");
    EXPECT_EQ(info.trackNumber, 3);
    EXPECT_EQ(info.bitRate, 64000);
    EXPECT_EQ(info.sampleRate, 8000);
    EXPECT_EQ(info.lengthSeconds, 3);
    EXPECT_EQ(info.channelText, "Single Channel");
    // No MPEG stream: its facts stay empty.
    EXPECT_EQ(info.layerText, "");
    EXPECT_EQ(info.versionText, "");
    EXPECT_EQ(info.vbrBitRate, 0);
    EXPECT_FALSE(info.hasV1Tag);
    EXPECT_FALSE(info.hasV2Tag);
    EXPECT_EQ(info.fileName, "");
}

TEST(AudioTagReaderTest, WavIdChunkWinsOverTheInfoListWhole) {
    const std::string chunks = InfoList({{"INAM", "Info title"}, {"IGNR", "Info genre"}}) +
                               RiffChunk("id3 ", Id3v23({{"TIT2", "Id3 title"}}));
    const CMp3Info info = FromMemory(Wav(2, 1, chunks), "wav");
    EXPECT_EQ(info.title, "Id3 title");
    // The INFO list is not read for the fields the ID3 chunk lacks.
    EXPECT_EQ(info.genre, "");
    EXPECT_EQ(info.channelText, "Stereo");
    EXPECT_EQ(info.bitRate, 128000);
}

TEST(AudioTagReaderTest, FlacCommentBlockFieldsAndStreamInfo) {
    const std::string flac = Flac(2, {CommentBlock({{"TITLE", "Flac title"},
                                                    {"artist", "Lower-case key"},
                                                    {"DATE", "2021-07-04"},
                                                    {"TRACKNUMBER", " 07"},
                                                    {"COMMENT", "made here"}})});
    const CMp3Info info = FromMemory(flac, "flac");
    EXPECT_EQ(info.title, "Flac title");
    EXPECT_EQ(info.artist, "Lower-case key");
    EXPECT_EQ(info.year, "2021-07-04"); // as stored
    EXPECT_EQ(info.trackText, " 07");
    EXPECT_EQ(info.trackNumber, 7);
    EXPECT_EQ(info.comment, "made here");
    EXPECT_EQ(info.sampleRate, 48000);
    EXPECT_EQ(info.lengthSeconds, 2);
    EXPECT_EQ(info.bitRate, 100000);
    EXPECT_EQ(info.channelText, "Stereo");
}

TEST(AudioTagReaderTest, SeveralValuesAreJoinedInStoredOrder) {
    const std::string flac = Flac(
        2,
        {CommentBlock({{"ARTIST", "piman"}, {"ARTIST", ""}, {"ARTIST", "jzig"}, {"GENRE", "A"}})});
    const CMp3Info info = FromMemory(flac, "flac");
    EXPECT_EQ(info.artist, "piman, jzig");
    EXPECT_EQ(info.genre, "A");
}

TEST(AudioTagReaderTest, ApeFileWithApeTag) {
    const CMp3Info info = FromMemory(Ape(ApeTag({{"Title", "Ape title"},
                                                 {"Track", "5/9"},
                                                 {"Year", "1999"},
                                                 {"Artist", std::string("One\0Two", 7)}})),
                                     "ape");
    EXPECT_EQ(info.title, "Ape title");
    EXPECT_EQ(info.trackText, "5/9");
    EXPECT_EQ(info.trackNumber, 5);
    EXPECT_EQ(info.year, "1999");
    EXPECT_EQ(info.artist, "One, Two"); // APE keeps several values apart by a zero byte
    EXPECT_EQ(info.sampleRate, 8000);
    EXPECT_EQ(info.lengthSeconds, 2);
    EXPECT_EQ(info.channelText, "Single Channel");
}

TEST(AudioTagReaderTest, ChannelCountsBeyondTwoAreGivenAsNumbers) {
    EXPECT_EQ(FromMemory(Flac(6, {}), "flac").channelText, "6");
    EXPECT_EQ(FromMemory(Flac(1, {}), "flac").channelText, "Single Channel");
    EXPECT_EQ(FromMemory(Wav(3, 1, {}), "wav").channelText, "3");
}

TEST(AudioTagReaderTest, FlacFirstCommentBlockWinsAndTheId3v2TagIsAFallback) {
    const std::string id3 = Id3v23({{"TIT2", "Id3 title"}, {"TRCK", "2/10"}});
    const std::string first = CommentBlock({{"TITLE", "First"}});
    const std::string second = CommentBlock({{"TITLE", "Second"}, {"ALBUM", "Second album"}});
    const CMp3Info both = FromMemory(id3 + Flac(2, {first, second}), "flac");
    EXPECT_EQ(both.title, "First");
    EXPECT_EQ(both.album, "");
    EXPECT_EQ(both.trackText, "");
    const CMp3Info onlyId3 =
        FromMemory(id3 + Flac(2, {FlacBlock(kPadding, false, std::string(8, '\0'))}), "flac");
    EXPECT_EQ(onlyId3.title, "Id3 title");
    EXPECT_EQ(onlyId3.trackText, "2/10");
    EXPECT_EQ(onlyId3.trackNumber, 2);
}

TEST(AudioTagReaderTest, TheExtensionPicksTheFormatAndTheContentsDecideOtherwise) {
    const std::string wav = Wav(1, 1, InfoList({{"INAM", "Wave"}}));
    // A WAV file named as an Ogg file is still found by its contents.
    EXPECT_EQ(FromMemory(wav, "ogg").title, "Wave");
    CMp3Info info;
    info.title = "left over";
    EXPECT_FALSE(ReadAudioInfoFromMemory("not a sound at all", "flac", info));
    EXPECT_EQ(info.title, "");
    // The library takes any bytes for a WAV or APE file; with nothing read
    // from them they count as unread.
    EXPECT_FALSE(ReadAudioInfoFromMemory({}, "wav", info));
    EXPECT_FALSE(ReadAudioInfoFromMemory(std::string(5000, '\0'), "wav", info));
    EXPECT_FALSE(ReadAudioInfoFromMemory(std::string(5000, '\0'), "ape", info));
    EXPECT_FALSE(ReadAudioInfoFromMemory(std::string(5000, '\x55'), "wv", info));
}

TEST(AudioTagReaderTest, CutAndScrambledFilesGiveNothingOrTheirFacts) {
    const std::vector<std::pair<std::string, const char*>> files = {
        {Wav(2, 1, InfoList({{"INAM", "Wave"}}) + RiffChunk("id3 ", Id3v23({{"TIT2", "T"}}))),
         "wav"},
        {Id3v23({{"TIT2", "T"}}) + Flac(2, {CommentBlock({{"TITLE", "Flac"}})}), "flac"}};
    for (const auto& [bytes, extension] : files) {
        for (std::size_t size = 0; size < 400; ++size) {
            CMp3Info info;
            if (!ReadAudioInfoFromMemory(std::string_view(bytes).substr(0, size), extension,
                                         info)) {
                EXPECT_EQ(info.title, "") << extension << " " << size;
            }
            EXPECT_GE(info.bitRate, 0);
            EXPECT_GE(info.lengthSeconds, 0);
        }
        // Every byte in turn set to 0xFF.
        for (std::size_t at = 0; at < 300; ++at) {
            std::string scrambled = bytes;
            scrambled[at] = '\xFF';
            CMp3Info info;
            ReadAudioInfoFromMemory(scrambled, extension, info);
            EXPECT_GE(info.sampleRate, 0);
        }
    }
}

TEST(AudioTagReaderTest, FileIsReadOnceAndAgainWhenItChanges) {
    CTempFolder temp;
    const std::string path = temp.WriteFile("song.wav", Wav(1, 1, InfoList({{"INAM", "One"}})));
    CMp3Info info;
    ASSERT_TRUE(ReadAudioInfo(path, info));
    EXPECT_EQ(info.title, "One");
    EXPECT_EQ(info.fileName, path);
    temp.WriteFile("song.wav", Wav(1, 2, InfoList({{"INAM", "Two"}})));
    ASSERT_TRUE(ReadAudioInfo(path, info));
    EXPECT_EQ(info.title, "Two");
    EXPECT_EQ(info.lengthSeconds, 2);
    std::filesystem::remove(path);
    EXPECT_FALSE(ReadAudioInfo(path, info));
    EXPECT_EQ(info.title, "");
}

TEST(AudioTagReaderTest, OnlyRegularFilesAreOpened) {
    CTempFolder temp;
    CMp3Info info;
    EXPECT_FALSE(ReadAudioInfo(temp.MakeFolder("folder.flac"), info));
    const std::string pipe = temp / "pipe.wav";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ReadAudioInfo(pipe, info)); // would block if it were opened
    EXPECT_FALSE(ReadAudioInfo("/dev/zero", info));
    EXPECT_FALSE(ReadAudioInfo(temp / "missing.ogg", info));
}

TEST(AudioTagReaderTest, LargeFilesAreReadByTheirHeadersOnly) {
    if (BytesReadSoFar() == 0) {
        GTEST_SKIP() << "the system does not count the bytes read";
    }
    CTempFolder temp;
    constexpr uintmax_t kLarge = 200 * 1024 * 1024;
    // Sparse files: the tail of zeros takes no room on the disk.
    const std::string wav = temp.WriteFile("long.wav", Wav(2, 1, InfoList({{"INAM", "Long"}})));
    std::filesystem::resize_file(wav, kLarge);
    const std::string flac =
        temp.WriteFile("long.flac", Flac(2, {CommentBlock({{"TITLE", "Long"}})}));
    std::filesystem::resize_file(flac, kLarge);
    for (const std::string& path : {wav, flac}) {
        CMp3Info info;
        const uint64_t before = BytesReadSoFar();
        EXPECT_TRUE(ReadAudioInfo(path, info));
        EXPECT_EQ(info.title, "Long");
        EXPECT_LT(BytesReadSoFar() - before, 256U * 1024) << path;
    }
    // Zeros with an Ogg name: the library would search all of them for a
    // page; the reader stops at its limit.
    const std::string noise = temp.WriteFile("noise.ogg");
    std::filesystem::resize_file(noise, kLarge);
    CMp3Info info;
    const uint64_t before = BytesReadSoFar();
    EXPECT_FALSE(ReadAudioInfo(noise, info));
    EXPECT_LT(BytesReadSoFar() - before, kAudioReadLimit + 1024 * 1024);
}
