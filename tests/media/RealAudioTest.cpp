// SPDX-License-Identifier: GPL-3.0-or-later
// The audio reader for formats other than MP3 on the real files of the
// shared test data ($NR_TESTDATA/modern/audio; without it these tests
// skip), compared with mutagen's readings (modern-mutagen.json).
#include "media/AudioTagReader.h"

#include "FlatJsonReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using testdata::CFlatJsonReader;
using testdata::CRecord;
using testdata::ReadText;

std::string TestData() {
    const char* folder = std::getenv("NR_TESTDATA");
    if (folder == nullptr ||
        !std::filesystem::is_directory(std::string(folder) + "/modern/audio")) {
        return {};
    }
    return folder;
}

/// Where our reading of a field differs from mutagen's: what we read, and why.
struct CDifference {
    std::string ours;
    const char* reason;
};

constexpr const char* kNominalRate =
    "TagLib averages the audio pages over the length; mutagen gives the header's nominal rate";
constexpr const char* kInfoList =
    "mutagen reads no LIST/INFO chunk; ours are the INFO values ffmpeg wrote";

/// By file name and field ("title", "artist", "album", "track", "year",
/// "genre", "bitrate", "sample_rate", "channels").
const std::map<std::pair<std::string, std::string>, CDifference> kDifferences = {
    {{"exiftool_RIFF.wav", "year"},
     {"2005", "mutagen reads no INFO chunk; ours is the voice memo's ICRD"}},
    {{"exiftool_RIFF.wav", "bitrate"},
     {"0", "the voice memo has no data chunk; TagLib then reads no stream facts"}},
    {{"exiftool_RIFF.wav", "sample_rate"}, {"0", "the same"}},
    {{"exiftool_RIFF.wav", "channels"}, {"", "the same"}},
    {{"gen_ffmpeg.wma", "artist"},
     {"Björk Testensemble",
      "ffmpeg stores the artist twice (description and attribute); TagLib gives it once"}},
    {{"gen_ffmpeg_info.wav", "title"}, {"Sinus à 440 Hz", kInfoList}},
    {{"gen_ffmpeg_info.wav", "artist"}, {"Björk Testensemble", kInfoList}},
    {{"gen_ffmpeg_info.wav", "album"}, {"Modern Corpus", kInfoList}},
    {{"gen_ffmpeg_info.wav", "track"},
     {"3", "mutagen reads no INFO chunk; TagLib reads its IPRT \"3/12\" as the number 3"}},
    {{"gen_ffmpeg_info.wav", "year"}, {"2021", kInfoList}},
    {{"gen_ffmpeg_info.wav", "genre"}, {"Ambient", kInfoList}},
    {{"gen_oggenc.ogg", "bitrate"}, {"20000", kNominalRate}},
    {{"mutagen_multipage-setup.ogg", "bitrate"}, {"140000", kNominalRate}},
    {{"taglib_lowercase-fields.ogg", "bitrate"},
     {"1000", "its audio pages were cut out; mutagen gives the header's nominal rate"}},
};

std::string ChannelText(const std::string& channels) {
    if (channels == "1") {
        return "Single Channel";
    }
    return channels == "2" ? "Stereo" : channels;
}

/// Compares our reading of one file with mutagen's, field by field.
class CComparison {
public:
    CComparison(std::string file, const CRecord& reference)
        : file(std::move(file)), reference(reference) {}

    void Text(const char* key, const std::string& ours) {
        const auto found = reference.find(key);
        Check(key, ours, found == reference.end() ? std::string() : found->second);
    }

    /// A number of mutagen's against ours, off by less than tolerance.
    void Number(const char* key, double ours, double tolerance) {
        const auto found = reference.find(key);
        const auto difference = kDifferences.find({file, key});
        if (difference != kDifferences.end()) {
            ++differences;
            EXPECT_EQ(std::to_string(static_cast<long>(ours)), difference->second.ours)
                << file << " " << key << ": " << difference->second.reason;
            return;
        }
        if (found == reference.end()) {
            return; // mutagen gives none (the sample rate of Opus files)
        }
        ++compared;
        EXPECT_NEAR(ours, std::stod(found->second), tolerance) << file << " " << key;
    }

    void Check(const char* key, const std::string& ours, const std::string& theirs) {
        const auto difference = kDifferences.find({file, key});
        if (difference != kDifferences.end()) {
            ++differences;
            EXPECT_NE(ours, theirs) << file << " " << key << " now agrees with mutagen";
            EXPECT_EQ(ours, difference->second.ours)
                << file << " " << key << ": " << difference->second.reason;
            return;
        }
        ++compared;
        EXPECT_EQ(ours, theirs) << file << " " << key;
    }

    int compared = 0;
    int differences = 0;

private:
    std::string file;
    const CRecord& reference;
};

} // namespace

TEST(RealAudioTest, AgreesWithMutagenOnEveryAudioFile) {
    const std::string data = TestData();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    std::vector<CRecord> mutagen;
    ASSERT_TRUE(CFlatJsonReader(ReadText(data + "/modern-mutagen.json")).ReadArray(mutagen));
    int files = 0;
    int compared = 0;
    int differences = 0;
    for (const CRecord& r : mutagen) {
        const std::string path = r.at("SourceFile");
        const std::string file = path.substr(path.rfind('/') + 1);
        ++files;
        CMp3Info info;
        if (!ReadAudioInfo(data + "/" + path, info)) {
            ADD_FAILURE() << file << ": not read";
            continue;
        }
        CComparison comparison(file, r);
        comparison.Text("title", info.title);
        comparison.Text("artist", info.artist);
        comparison.Text("album", info.album);
        comparison.Text("track", info.trackText);
        comparison.Text("year", info.year);
        comparison.Text("genre", info.genre);
        // Whole seconds, cut; the library's kilobits a second.
        comparison.Number("length", info.lengthSeconds, 1.0);
        comparison.Number("bitrate", info.bitRate, 1000.0);
        comparison.Number("sample_rate", info.sampleRate, 0.0);
        const auto channels = r.find("channels");
        comparison.Check("channels", info.channelText,
                         channels == r.end() ? std::string() : ChannelText(channels->second));
        compared += comparison.compared;
        differences += comparison.differences;
    }
    EXPECT_EQ(files, 23);
    EXPECT_EQ(differences, static_cast<int>(kDifferences.size()));
    EXPECT_GT(compared, 200);
}

TEST(RealAudioTest, WhichOfTwoTagsTheLibraryReads) {
    const std::string data = TestData();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    const std::string audio = data + "/modern/audio/";
    CMp3Info info;
    // WAV: the first of the ID3 chunks ("ID3 " before "id3 "), not the second
    // (Title2); the first INFO list says the same as the first chunk.
    ASSERT_TRUE(ReadAudioInfo(audio + "taglib_duplicate_tags.wav", info));
    EXPECT_EQ(info.title + "|" + info.artist + "|" + info.album, "Title1|Artist1|Album1");
    // WAV: the ID3 chunk ("piman / jzig", "02/10") over INFO ("piman, jzig", "02").
    ASSERT_TRUE(ReadAudioInfo(audio + "mutagen_silence-2s-PCM-16000-08-ID3v23.wav", info));
    EXPECT_EQ(info.artist, "piman / jzig");
    EXPECT_EQ(info.trackText, "02/10");
    EXPECT_EQ(info.trackNumber, 2);
    // AIFF: the first of two ID3 chunks.
    ASSERT_TRUE(ReadAudioInfo(audio + "taglib_duplicate_id3v2.aiff", info));
    EXPECT_EQ(info.title + "|" + info.artist + "|" + info.album, "Title1|Artist1|Album1");
    // FLAC: the first of two comment blocks.
    ASSERT_TRUE(ReadAudioInfo(audio + "taglib_multiple-vc.flac", info));
    EXPECT_EQ(info.artist, "Artist 1");
    // FLAC: the comment block ("2") over the ID3v2 tag in front ("2/10").
    ASSERT_TRUE(ReadAudioInfo(audio + "filetype_fixture-id3v2.flac", info));
    EXPECT_EQ(info.trackText, "2");
    EXPECT_EQ(info.title, "Solid Ground");
}

TEST(RealAudioTest, MpegFactsStayEmptyAndCommentsAreRead) {
    const std::string data = TestData();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    const std::string audio = data + "/modern/audio/";
    for (const auto& entry : std::filesystem::directory_iterator(audio)) {
        CMp3Info info;
        ASSERT_TRUE(ReadAudioInfo(entry.path().string(), info)) << entry.path();
        EXPECT_EQ(info.layerText + info.versionText, "") << entry.path();
        EXPECT_EQ(info.vbrBitRate, 0) << entry.path();
    }
    CMp3Info info;
    ASSERT_TRUE(ReadAudioInfo(audio + "mutagen_multipage-setup.ogg", info));
    EXPECT_EQ(info.comment, "SRCL-6240");
    ASSERT_TRUE(ReadAudioInfo(audio + "gen_ffmpeg_aac.m4a", info));
    EXPECT_EQ(info.trackText, "3/12");
    EXPECT_EQ(info.trackNumber, 3);
    ASSERT_TRUE(ReadAudioInfo(audio + "filetype_fixture.opus", info));
    EXPECT_EQ(info.sampleRate, 48000); // Opus decodes at 48 kHz, whatever went in
}

TEST(RealAudioTest, EveryExtensionOfAFormatReadsIt) {
    const std::string data = TestData();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    // An Ogg file is found by its contents whichever Ogg name it has.
    const std::vector<std::pair<const char*, std::vector<const char*>>> files = {
        {"gen_oggenc.ogg", {"ogg", "oga"}},     {"gen_opusenc.opus", {"opus", "ogg", "oga"}},
        {"gen_ffmpeg.wma", {"wma", "asf"}},     {"gen_ffmpeg_id3.aiff", {"aiff", "aif", "aifc"}},
        {"gen_ffmpeg_aac.m4a", {"m4a", "m4b"}}, {"gen_flac.flac", {"flac"}}};
    for (const auto& [file, extensions] : files) {
        const std::string bytes = ReadText(data + "/modern/audio/" + file);
        for (const char* extension : extensions) {
            CMp3Info info;
            EXPECT_TRUE(ReadAudioInfoFromMemory(bytes, extension, info))
                << file << " " << extension;
            EXPECT_EQ(info.title, "Sinus à 440 Hz") << file << " " << extension;
            EXPECT_EQ(info.lengthSeconds, 1) << file << " " << extension;
        }
    }
}
