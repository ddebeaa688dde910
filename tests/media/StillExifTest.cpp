// SPDX-License-Identifier: GPL-3.0-or-later
// The EXIF facts of still images that are not JPEG files (HEIF, AVIF, CR3,
// WebP, PNG, JPEG XL, RAW), found by Exiv2 and read by the JPEG rules,
// compared with ExifTool's `exiftool -j -n` readings of the real files of
// the shared test data ($NR_TESTDATA/modern; without it those tests skip).
#include "media/PngRawProfile.h"
#include "media/StillExifReader.h"

#include "FlatJsonReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using testdata::CFlatJsonReader;
using testdata::CRecord;
using testdata::ReadText;

std::string ModernFolder() {
    const char* folder = std::getenv("NR_TESTDATA");
    if (folder == nullptr || !std::filesystem::is_directory(std::string(folder) + "/modern")) {
        return {};
    }
    return folder;
}

bool IsStillFile(const std::string& name) {
    for (const char* folder : {"modern/avif/", "modern/heif/", "modern/jxl/", "modern/png/",
                               "modern/raw/", "modern/webp/"}) {
        if (name.rfind(folder, 0) == 0) {
            return true;
        }
    }
    return false;
}

/// The files where our reading and ExifTool's differ, and why.
const std::map<std::string, std::string> kDifferences = {
    {"modern/raw/exiftool_CanonRaw.cr3",
     "Exiv2 0.27 finds this stripped CR3 file's metadata corrupt and reads none of it"},
    {"modern/raw/exiftool_SigmaDP2.x3f", "Exiv2 does not read Sigma's X3F files"},
};

/// Compares one field where the reference gives it; counts the comparisons.
class CComparison {
public:
    CComparison(const std::string& name, const CRecord& reference)
        : name(name), reference(reference) {}

    void Text(const char* key, const std::string& ours) {
        const auto found = reference.find(key);
        if (found == reference.end()) {
            return;
        }
        ++compared;
        // The tag's text is trimmed, as ExifTool's is: RAW files pad the
        // camera's name with blanks.
        const std::size_t end = ours.find_last_not_of(" \t");
        EXPECT_EQ(ours.substr(0, end == std::string::npos ? 0 : end + 1), found->second)
            << name << " " << key;
    }

    void Number(const char* key, double ours) {
        const auto found = reference.find(key);
        if (found == reference.end()) {
            return;
        }
        ++compared;
        const double theirs = std::stod(found->second);
        EXPECT_NEAR(ours, theirs, std::abs(theirs) * 1e-5 + 1e-9) << name << " " << key;
    }

    int compared = 0;

private:
    const std::string& name;
    const CRecord& reference;
};

TEST(StillExifTest, AgreesWithExifToolOnRealStills) {
    const std::string data = ModernFolder();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    std::vector<CRecord> exifTool;
    ASSERT_TRUE(CFlatJsonReader(ReadText(data + "/modern-exiftool.json")).ReadArray(exifTool));
    int files = 0;
    int withDate = 0;
    int compared = 0;
    for (const CRecord& r : exifTool) {
        const std::string name = r.at("SourceFile");
        if (!IsStillFile(name)) {
            continue;
        }
        ++files;
        CExifInfo info;
        const bool found = ReadStillExifInfo(data + "/" + name, info);
        if (kDifferences.count(name) != 0) {
            // Still the file is read without a fault, and it gives nothing.
            EXPECT_EQ(info.dateTime, "") << name << ": " << kDifferences.at(name);
            continue;
        }
        if (r.count("EXIF:DateTimeOriginal") + r.count("EXIF:Make") + r.count("EXIF:Model") == 0) {
            // No EXIF reading: whatever the file holds, no date and camera.
            EXPECT_EQ(info.dateTime, "") << name;
            continue;
        }
        if (!found || info.exifPresent != 1) {
            ADD_FAILURE() << name << ": no EXIF block read";
            continue;
        }
        CComparison compare(name, r);
        compare.Text("EXIF:DateTimeOriginal", info.dateTime);
        compare.Text("EXIF:Make", info.cameraMake);
        compare.Text("EXIF:Model", info.cameraModel);
        compare.Number("EXIF:ExposureTime", info.exposureTime);
        compare.Number("EXIF:FNumber", info.apertureFNumber);
        compare.Number("EXIF:FocalLength", info.focalLength);
        compare.Number("EXIF:Orientation", info.orientation);
        if (r.count("EXIF:ISO") != 0) {
            // The JPEG rule: a speed below 50 is taken as in units of 200.
            const int iso = std::stoi(r.at("EXIF:ISO"));
            EXPECT_EQ(info.isoEquivalent, iso < 50 ? iso * 200 : iso) << name << " ISO";
            ++compare.compared;
        }
        compared += compare.compared;
        withDate += info.dateTime.empty() ? 0 : 1;
    }
    EXPECT_GE(files, 40);
    EXPECT_GE(withDate, 25);
    std::cout << "stills: " << files << " files, " << withDate << " dates, " << compared
              << " fields compared, " << kDifferences.size() << " files differ (named)\n";
}

TEST(StillExifTest, TruncatedFilesGiveNothingAndNeverFail) {
    const std::string data = ModernFolder();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("nr-still-exif-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (const char* name :
         {"heif/exiv2_IMG_3578.heic", "raw/exiftool_CanonRaw.cr3", "webp/immich_denali.webp",
          "png/nomexif_exif.png", "raw/bep_sample.nef", "jxl/exiv2_Reagan.jxl"}) {
        const std::string text = ReadText(data + "/modern/" + name);
        ASSERT_GT(text.size(), 64u) << name;
        for (const std::size_t size :
             {std::size_t{0}, std::size_t{12}, std::size_t{40}, text.size() / 8, text.size() / 2}) {
            const std::filesystem::path cut = folder / std::filesystem::path(name).filename();
            std::ofstream(cut, std::ios::binary | std::ios::trunc)
                .write(text.data(), static_cast<std::streamsize>(size));
            CExifInfo info;
            info.cameraMake = "stale";
            ReadStillExifInfo(cut.string(), info);
            // What a cut file gives may be a part of its facts, never a fault,
            // and never the text of another call.
            EXPECT_NE(info.cameraMake, "stale") << name << " cut at " << size;
            if (size <= 12) {
                EXPECT_EQ(info.exifPresent, 0) << name << " cut at " << size;
            }
        }
    }
    std::filesystem::remove_all(folder);
}

TEST(StillExifTest, RawProfileTextGivesItsBytes) {
    const std::string text = "\nexif\n       5\n45786966\n00\n";
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(
        DecodeRawProfile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{'E', 'x', 'i', 'f', 0}));
    for (const std::string bad : {"\nexif\n       6\n45786966\n00\n", "\nexif\n  0\n00", "\nexif\n",
                                  "exif 2 0000", "\nexif\n  x\n0000"}) {
        EXPECT_FALSE(
            DecodeRawProfile(reinterpret_cast<const uint8_t*>(bad.data()), bad.size(), bytes))
            << bad;
    }
}

TEST(StillExifTest, JpegFilesAreLeftToTheJpegReader) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("nr-still-jpeg-" + std::to_string(getpid()) + ".heic");
    // A JPEG file under another name: its start makes it the JPEG reader's.
    const unsigned char bytes[] = {0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x06, 'h',
                                   'e',  'l',  'o',  0xFF, 0xDA, 0x00, 0x02};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    std::vector<uint8_t> tiff;
    EXPECT_FALSE(ReadStillExifBlock(path.string(), tiff));
    CExifInfo info;
    EXPECT_TRUE(ReadStillExifInfo(path.string(), info));
    EXPECT_EQ(info.comments, "helo");
    std::filesystem::remove(path);
}

TEST(StillExifTest, FilesExiv2DoesNotKnowGiveNothing) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("nr-still-text-" + std::to_string(getpid()) + ".png");
    std::ofstream(path) << "not an image at all\n";
    std::vector<uint8_t> tiff;
    EXPECT_FALSE(ReadStillExifBlock(path.string(), tiff));
    EXPECT_TRUE(tiff.empty());
    CExifInfo info;
    EXPECT_FALSE(ReadStillExifInfo(path.string(), info));
    EXPECT_EQ(info.exifPresent, 0);
    std::filesystem::remove(path);
    EXPECT_FALSE(ReadStillExifInfo(path.string(), info)) << "a missing file";
}

} // namespace
