// SPDX-License-Identifier: GPL-3.0-or-later
// The recording date and camera of video files, read through libavformat:
// files built here byte by byte, and the real videos of the shared test data
// ($NR_TESTDATA/modern/video; without it those tests skip) compared with
// ExifTool's `exiftool -j -n` readings. Each test fixes the time zone.
#include "media/VideoDateReader.h"

#include "FlatJsonReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using testdata::CFlatJsonReader;
using testdata::CRecord;
using testdata::ReadText;

// ---- boxes of the ISO and QuickTime files -----------------------------------

std::string Be32(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>((value >> 16) & 0xFF),
            static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

std::string Box(const std::string& type, const std::string& payload) {
    return Be32(static_cast<uint32_t>(payload.size() + 8)) + type + payload;
}

/// The seconds from 1904-01-01 (the QuickTime epoch) to 1970-01-01.
constexpr uint32_t k1904To1970 = 2082844800u;

const std::string kFileType = Box("ftyp", "isom" + Be32(512) + "isomiso2mp41");

/// A movie header (version 0) with the given creation time, seconds since 1904.
std::string MovieHeader(uint32_t created) {
    std::string payload = Be32(0) + Be32(created) + Be32(created) + Be32(1000) + Be32(1000);
    payload += Be32(0x00010000) + std::string("\x01\x00", 2) + std::string(10, '\0');
    for (const uint32_t value : {0x00010000u, 0u, 0u, 0u, 0x00010000u, 0u, 0u, 0u, 0x40000000u}) {
        payload += Be32(value);
    }
    payload += std::string(24, '\0') + Be32(2);
    return Box("mvhd", payload);
}

/// A text of a metadata item list.
std::string DataBox(const std::string& text) {
    return Box("data", Be32(1) + Be32(0) + text);
}

/// Apple's keyed metadata: a meta box with the mdta handler, the keys and
/// their values.
std::string AppleKeys(const std::vector<std::pair<std::string, std::string>>& items) {
    std::string keys = Be32(0) + Be32(static_cast<uint32_t>(items.size()));
    std::string list;
    uint32_t index = 1;
    for (const auto& [key, value] : items) {
        keys += Be32(static_cast<uint32_t>(key.size() + 8)) + "mdta" + key;
        list += Box(Be32(index++), DataBox(value));
    }
    const std::string handler =
        Box("hdlr", Be32(0) + Be32(0) + "mdta" + std::string(12, '\0') + std::string(1, '\0'));
    return Box("meta", handler + Box("keys", keys) + Box("ilst", list));
}

/// A QuickTime user-data text (©mak, ©mod, ...): length, language, text.
std::string UserText(const char* type, const std::string& text) {
    const std::string size = {static_cast<char>(text.size() >> 8),
                              static_cast<char>(text.size() & 0xFF)};
    return Box(std::string("\xA9") + type, size + std::string("\x15\xC7", 2) + text);
}

std::string Movie(const std::string& children) {
    return Box("moov", children);
}

// ---- reading ------------------------------------------------------------------

struct CReading {
    bool read = false;
    CExifInfo info;
    uint64_t bytes = 0;
};

CReading ReadBytes(const std::string& bytes) {
    CReading reading;
    reading.read = ReadVideoExifInfoFromMemory(reinterpret_cast<const uint8_t*>(bytes.data()),
                                               bytes.size(), reading.info, reading.bytes);
    return reading;
}

CReading ReadFile(const std::string& path) {
    CReading reading;
    reading.read = ReadVideoExifInfoCounted(path, reading.info, reading.bytes);
    return reading;
}

/// Sets the process's time zone for one test and restores it after.
class VideoDateTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        hadZone = zone != nullptr;
        oldZone = hadZone ? zone : "";
        SetZone("UTC0");
    }
    void TearDown() override {
        if (hadZone) {
            setenv("TZ", oldZone.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    static void SetZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    bool hadZone = false;
    std::string oldZone;
};

/// 2021-07-04 16:30:00 UTC in seconds since 1904.
constexpr uint32_t kJuly2021 = 1625416200u + k1904To1970;

// ---- files built here -------------------------------------------------------------

TEST_F(VideoDateTest, MovieHeaderTimeIsShownInTheLocalZone) {
    const std::string file = kFileType + Movie(MovieHeader(kJuly2021));
    CReading reading = ReadBytes(file);
    ASSERT_TRUE(reading.read);
    EXPECT_EQ(reading.info.dateTime, "2021:07:04 16:30:00");
    EXPECT_EQ(reading.info.exifPresent, 1);
    EXPECT_EQ(reading.info.cameraMake, "");
    SetZone("XST-9");
    EXPECT_EQ(ReadBytes(file).info.dateTime, "2021:07:05 01:30:00");
    // New York in summer time: four hours behind.
    SetZone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(ReadBytes(file).info.dateTime, "2021:07:04 12:30:00");
}

TEST_F(VideoDateTest, AppleCreationDateIsTheWallClockTimeWritten) {
    const std::string file =
        kFileType +
        Movie(MovieHeader(kJuly2021) +
              AppleKeys({{"com.apple.quicktime.make", "Apple"},
                         {"com.apple.quicktime.creationdate", "2019-02-12T15:27:12+0800"},
                         {"com.apple.quicktime.model", "iPhone X"}}));
    for (const char* zone : {"UTC0", "XST-9", "EST5EDT,M3.2.0,M11.1.0"}) {
        SetZone(zone);
        const CReading reading = ReadBytes(file);
        ASSERT_TRUE(reading.read) << zone;
        EXPECT_EQ(reading.info.dateTime, "2019:02:12 15:27:12") << zone;
        EXPECT_EQ(reading.info.cameraMake, "Apple");
        EXPECT_EQ(reading.info.cameraModel, "iPhone X");
        EXPECT_EQ(reading.info.exifPresent, 1);
        EXPECT_EQ(reading.info.width, 0);
        EXPECT_EQ(reading.info.version, "");
    }
    // A date Apple's way with a colon in the offset, or a bad one that gives
    // way to the movie header.
    SetZone("UTC0");
    EXPECT_EQ(ReadBytes(kFileType + Movie(MovieHeader(kJuly2021) +
                                          AppleKeys({{"com.apple.quicktime.creationdate",
                                                      "2014-12-19T07:39:06+07:00"}})))
                  .info.dateTime,
              "2014:12:19 07:39:06");
    for (const char* bad : {"2019-02-12", "2019-02-12T15:2x:12+0800", "yesterday", ""}) {
        EXPECT_EQ(
            ReadBytes(kFileType + Movie(MovieHeader(kJuly2021) +
                                        AppleKeys({{"com.apple.quicktime.creationdate", bad}})))
                .info.dateTime,
            "2021:07:04 16:30:00")
            << bad;
    }
}

TEST_F(VideoDateTest, UserDataDateComesAfterApplesAndBeforeTheMovieHeader) {
    const std::string date = Box("date", "2018-02-07T10:15:08-0500");
    const std::string file = kFileType + Movie(MovieHeader(kJuly2021) + Box("udta", date));
    for (const char* zone : {"UTC0", "XST-9"}) {
        SetZone(zone);
        EXPECT_EQ(ReadBytes(file).info.dateTime, "2018:02:07 10:15:08") << zone;
    }
    SetZone("UTC0");
    EXPECT_EQ(ReadBytes(kFileType + Movie(MovieHeader(kJuly2021) + Box("udta", date) +
                                          AppleKeys({{"com.apple.quicktime.creationdate",
                                                      "2019-02-12T15:27:12+0800"}})))
                  .info.dateTime,
              "2019:02:12 15:27:12");
    // A date box elsewhere than in the movie's user data, or an unreadable
    // one, leaves the movie header's time.
    for (const std::string& other :
         {Movie(MovieHeader(kJuly2021) + Box("trak", Box("udta", date))),
          Movie(MovieHeader(kJuly2021)) + Box("udta", date),
          Movie(MovieHeader(kJuly2021) + Box("udta", Box("date", "07.02.2018 10:15")))}) {
        EXPECT_EQ(ReadBytes(kFileType + other).info.dateTime, "2021:07:04 16:30:00");
    }
}

TEST_F(VideoDateTest, ZeroDateGivesNoDate) {
    const CReading reading = ReadBytes(kFileType + Movie(MovieHeader(0)));
    EXPECT_TRUE(reading.read);
    EXPECT_EQ(reading.info.dateTime, "");
    EXPECT_EQ(reading.info.exifPresent, 0);
}

TEST_F(VideoDateTest, CameraFromUserDataTextsAndLimitedAsInExif) {
    const std::string longModel(60, 'M');
    const CReading reading =
        ReadBytes(kFileType + Movie(MovieHeader(0) + Box("udta", UserText("mak", "Pentax") +
                                                                     UserText("mod", longModel))));
    ASSERT_TRUE(reading.read);
    EXPECT_EQ(reading.info.cameraMake, "Pentax");
    EXPECT_EQ(reading.info.cameraModel, std::string(CExifInfo::kMaxCameraModel, 'M'));
    EXPECT_EQ(reading.info.dateTime, "");
    EXPECT_EQ(reading.info.exifPresent, 1) << "a camera name alone is EXIF data";
    // Apple's keys come before the user-data texts.
    const CReading both =
        ReadBytes(kFileType + Movie(MovieHeader(0) + Box("udta", UserText("mak", "Pentax")) +
                                    AppleKeys({{"com.apple.quicktime.make", "Apple"}})));
    EXPECT_EQ(both.info.cameraMake, "Apple");
}

TEST_F(VideoDateTest, OtherFormatsAndHostileBytesGiveNothing) {
    const std::vector<std::string> others = {
        "",
        "\xFF\xD8\xFF\xE0",
        "ID3\x03\x00\x00\x00\x00\x00\x00" + std::string(200, '\xFF'),
        std::string(5000, '\0'),
        "RIFF\x24\x00\x00\x00WAVEfmt ",
    };
    for (const std::string& bytes : others) {
        const CReading reading = ReadBytes(bytes);
        EXPECT_FALSE(reading.read);
        EXPECT_EQ(reading.info.exifPresent, 0);
    }
    // A movie box that claims more than the file holds, and boxes that claim
    // to be smaller than their header.
    const std::vector<std::string> hostile = {
        kFileType + Be32(0x7FFFFFF0) + "moov" + MovieHeader(kJuly2021),
        kFileType + Be32(4) + "moov" + MovieHeader(kJuly2021),
        kFileType + Be32(1) + "moov" + std::string(8, '\xFF') + MovieHeader(kJuly2021),
        kFileType + Movie(Be32(3) + "mvhd" + std::string(100, '\x7F')),
        kFileType +
            Movie(MovieHeader(kJuly2021) + Box("meta", Box("keys", Be32(0) + Be32(0xFFFFFFFF)))),
    };
    for (const std::string& bytes : hostile) {
        const CReading reading = ReadBytes(bytes);
        EXPECT_TRUE(reading.info.dateTime.empty() ||
                    reading.info.dateTime == "2021:07:04 16:30:00");
        EXPECT_LT(reading.bytes, 1u << 20);
    }
}

TEST_F(VideoDateTest, EveryCutOfABuiltFileEndsCleanly) {
    const std::string file =
        kFileType +
        Movie(MovieHeader(kJuly2021) + Box("udta", UserText("mak", "Maker")) +
              AppleKeys({{"com.apple.quicktime.creationdate", "2019-02-12T15:27:12+0800"}}));
    for (std::size_t size = 0; size <= file.size(); ++size) {
        const CReading reading = ReadBytes(file.substr(0, size));
        const std::string& date = reading.info.dateTime;
        EXPECT_TRUE(date.empty() || date == "2019:02:12 15:27:12" || date == "2021:07:04 16:30:00")
            << size << ": " << date;
        // The demuxer reads the bytes once, the walk over the top-level boxes
        // their heads again; nothing beyond the end counts.
        EXPECT_LE(reading.bytes, 2 * size);
    }
    EXPECT_EQ(ReadBytes(file).info.dateTime, "2019:02:12 15:27:12");
}

/// A 200 MB file whose media data is a hole, the movie box before or after
/// it: only the boxes' heads and the movie box are read, never the data.
TEST_F(VideoDateTest, LargeFileIsReadOnlyAroundItsMovieBox) {
    constexpr uint32_t kMediaSize = 200u << 20;
    const std::string movie = Movie(MovieHeader(kJuly2021) + Box("udta", UserText("mak", "Big")));
    CTempFolder temp;
    for (const bool movieFirst : {false, true}) {
        const std::string path = temp / (movieFirst ? "first.mp4" : "last.mp4");
        {
            std::ofstream out(path, std::ios::binary);
            out << kFileType << (movieFirst ? movie : "") << Be32(kMediaSize) << "mdat";
        }
        const uint64_t mediaEnd =
            kFileType.size() + (movieFirst ? movie.size() : 0) + uint64_t{kMediaSize};
        std::filesystem::resize_file(path, mediaEnd);
        if (!movieFirst) {
            std::ofstream out(path, std::ios::binary | std::ios::app);
            out << movie;
        }
        const CReading reading = ReadFile(path);
        ASSERT_TRUE(reading.read) << path;
        EXPECT_EQ(reading.info.dateTime, "2021:07:04 16:30:00");
        EXPECT_EQ(reading.info.cameraMake, "Big");
        EXPECT_LT(reading.bytes, 1u << 20) << path;
        std::cout << "200 MB MP4, movie box " << (movieFirst ? "first" : "last") << ": "
                  << reading.bytes << " bytes read\n";
    }
}

TEST_F(VideoDateTest, MissingFileGivesNothing) {
    CTempFolder temp;
    CExifInfo info;
    info.cameraMake = "stale";
    EXPECT_FALSE(ReadVideoExifInfo(temp / "none.mov", info));
    EXPECT_EQ(info.cameraMake, "");
    EXPECT_FALSE(ReadVideoExifInfo(temp.Path(), info)) << "a folder";
}

TEST_F(VideoDateTest, KeptResultFollowsTheFile) {
    CTempFolder temp;
    const std::string path = temp.WriteFile("clip.mov", kFileType + Movie(MovieHeader(kJuly2021)));
    CExifInfo info;
    ASSERT_TRUE(ReadVideoExifInfo(path, info));
    EXPECT_EQ(info.dateTime, "2021:07:04 16:30:00");
    // Another file at the path (another size) is read anew.
    temp.WriteFile("clip.mov", kFileType + Movie(MovieHeader(kJuly2021) +
                                                 Box("udta", UserText("mak", "Later"))));
    ASSERT_TRUE(ReadVideoExifInfo(path, info));
    EXPECT_EQ(info.cameraMake, "Later");
}

// ---- the real videos ------------------------------------------------------------

std::string ModernFolder() {
    const char* folder = std::getenv("NR_TESTDATA");
    if (folder == nullptr ||
        !std::filesystem::is_directory(std::string(folder) + "/modern/video")) {
        return {};
    }
    return folder;
}

/// What ExifTool's reading implies for our date (in UTC) and camera: Apple's
/// creation date or the user data's date as written, else the movie header's
/// UTC time (none when zero), else Matroska's DateUTC.
struct CExpected {
    std::string dateTime;
    std::string make;
    std::string model;
};

std::string Value(const CRecord& record, const char* key) {
    const auto found = record.find(key);
    return found == record.end() ? std::string() : found->second;
}

CExpected ExpectedFrom(const CRecord& record) {
    CExpected expected;
    std::string date = Value(record, "QuickTime:CreationDate");
    if (date.empty()) {
        date = Value(record, "QuickTime:DateTimeOriginal");
    }
    if (date.empty()) {
        date = Value(record, "QuickTime:CreateDate");
    }
    if (date.empty()) {
        date = Value(record, "Matroska:DateTimeOriginal");
    }
    if (date.size() >= 19 && date.compare(0, 19, "0000:00:00 00:00:00") != 0) {
        expected.dateTime = date.substr(0, 19);
    }
    expected.make = Value(record, "QuickTime:Make");
    expected.model = Value(record, "QuickTime:Model");
    return expected;
}

/// The files where our reading differs from what ExifTool's implies: why,
/// and what we give instead (in UTC).
struct CDifference {
    std::string reason;
    CExpected ours;
};

const std::map<std::string, CDifference> kDifferences = {
    {"modern/video/exiftool_Matroska.mkv",
     {"a 507-byte head cut inside its first elements: libavformat's Matroska reader stops at the "
      "end of the file and opens nothing, ExifTool finds DateUTC 2010:02:03 21:17:48 in it",
      {}}},
    {"modern/video/exiftool_QuickTime.mov",
     {"the camera's name 'PENTAX DIGITAL CAMERA' is only in Pentax's own TAGS box (and an ©inf "
      "text), which libavformat does not read; the date is the movie header's",
      {"2005:08:11 14:03:54", "", ""}}},
};

TEST_F(VideoDateTest, AgreesWithExifToolOnRealVideos) {
    const std::string data = ModernFolder();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    std::vector<CRecord> exifTool;
    ASSERT_TRUE(CFlatJsonReader(ReadText(data + "/modern-exiftool.json")).ReadArray(exifTool));
    int files = 0;
    int withDate = 0;
    for (const CRecord& record : exifTool) {
        const std::string name = Value(record, "SourceFile");
        if (name.rfind("modern/video/", 0) != 0) {
            continue;
        }
        ++files;
        const auto difference = kDifferences.find(name);
        const CExpected expected =
            difference != kDifferences.end() ? difference->second.ours : ExpectedFrom(record);
        const CReading reading = ReadFile(data + "/" + name);
        const std::string why = difference != kDifferences.end() ? difference->second.reason : "";
        EXPECT_EQ(reading.info.dateTime, expected.dateTime) << name << " " << why;
        EXPECT_EQ(reading.info.cameraMake, expected.make) << name << " " << why;
        EXPECT_EQ(reading.info.cameraModel, expected.model) << name << " " << why;
        const bool found = !expected.dateTime.empty() || !expected.make.empty();
        EXPECT_EQ(reading.info.exifPresent, found ? 1 : 0) << name;
        EXPECT_LT(reading.bytes, 1u << 20) << name;
        withDate += reading.info.dateTime.empty() ? 0 : 1;
        std::cout << name << ": " << reading.bytes << " bytes read of a file of "
                  << std::filesystem::file_size(data + "/" + name) << ", date ["
                  << reading.info.dateTime << "]\n";
    }
    EXPECT_EQ(files, 17);
    EXPECT_EQ(withDate, 14);
    EXPECT_EQ(kDifferences.size(), 2u);
}

TEST_F(VideoDateTest, RealVideosInAnotherZone) {
    const std::string data = ModernFolder();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    // New York: winter and summer time; Apple's dates stay as written.
    SetZone("EST5EDT,M3.2.0,M11.1.0");
    const std::map<std::string, std::string> expected = {
        {"nomexif_meta.mov", "2019:02:12 15:27:12"},
        {"gen_ffmpeg_keys.mov", "2021:07:04 18:30:00"},
        {"filetype_fixture.mov", "2014:12:19 07:39:06"},
        {"filetype_fixture2.3gp", "2018:02:07 10:15:08"},
        {"gen_ffmpeg.mp4", "2022:03:15 05:41:27"},
        {"gen_ffmpeg.mkv", "2018:02:28 18:59:58"},
        {"gen_ffmpeg.webm", "2017:08:01 08:00:00"},
        {"nomexif_sony-a7-xavc.MP4", "2026:04:26 05:25:15"},
        {"exiv2_small_video.mp4", ""},
    };
    for (const auto& [name, date] : expected) {
        EXPECT_EQ(ReadFile(data + "/modern/video/" + name).info.dateTime, date) << name;
    }
}

TEST_F(VideoDateTest, CutRealVideosGiveAPartOrNothing) {
    const std::string data = ModernFolder();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    // A cut file may lose Apple's keys and give the movie header's time.
    const std::map<std::string, std::vector<std::string>> dates = {
        {"nomexif_meta.mov", {"2019:02:12 15:27:12", "2024:02:02 08:09:57"}},
        {"gen_ffmpeg_keys.mov", {"2021:07:04 18:30:00", "2021:07:04 16:30:00"}},
        {"gen_ffmpeg.mkv", {"2018:02:28 23:59:58"}},
        {"filetype_fixture2.3gp", {"2018:02:07 10:15:08"}},
        {"gen_ffmpeg.webm", {"2017:08:01 12:00:00"}},
        {"nomexif_sony-a7-xavc.MP4", {"2026:04:26 09:25:15"}},
    };
    for (const auto& [name, allowed] : dates) {
        const std::string text = ReadText(data + "/modern/video/" + name);
        EXPECT_EQ(ReadFile(data + "/modern/video/" + name).info.dateTime, allowed[0]) << name;
        for (std::size_t size = 0; size < text.size(); size += 1 + size / 4) {
            const std::string date = ReadBytes(text.substr(0, size)).info.dateTime;
            EXPECT_TRUE(date.empty() || date == allowed[0] || date == allowed.back())
                << name << " cut at " << size << ": " << date;
        }
    }
}

} // namespace
