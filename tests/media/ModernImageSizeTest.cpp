// The image tags' size of today's still formats: the real HEIF, AVIF, WebP,
// JPEG XL, RAW and PNG files of the shared test data ($NR_TESTDATA/modern;
// without it those tests skip) compared with ExifTool's readings, and the
// header readers of HEIF, AVIF, CR3, WebP, JPEG XL, RAF and X3F on bytes
// written here.
#include "media/ImageReader.h"

#include "FlatJsonReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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

std::string LowerExtension(const std::string& name) {
    std::string extension = name.substr(name.rfind('.') + 1);
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

/// The reference's keys for the width and height we give, by extension; a
/// key that holds both ("4352 1444") is given twice.
std::pair<std::string, std::string> ReferenceKeys(const std::string& extension) {
    if (extension == "webp") {
        return {"RIFF:ImageWidth", "RIFF:ImageHeight"};
    }
    if (extension == "png") {
        return {"PNG:ImageWidth", "PNG:ImageHeight"};
    }
    if (extension == "cr2" || extension == "iiq") {
        // The raw image of these has no size of its own in a TIFF
        // directory; ExifTool too takes the EXIF pixel dimensions.
        return {"EXIF:ExifImageWidth", "EXIF:ExifImageHeight"};
    }
    if (extension == "rw2") {
        return {"EXIF:SensorWidth", "EXIF:SensorHeight"};
    }
    if (extension == "cr3") {
        return {"QuickTime:ImageWidth", "QuickTime:ImageHeight"};
    }
    if (extension == "raf") {
        return {"RAF:RawImageFullSize", "RAF:RawImageFullSize"};
    }
    if (extension == "x3f") {
        return {"SigmaRaw:ImageWidth", "SigmaRaw:ImageHeight"};
    }
    if (extension == "heic" || extension == "heif" || extension == "hif" || extension == "avif" ||
        extension == "jxl") {
        return {"File:ImageWidth", "File:ImageHeight"};
    }
    // The TIFF-based RAW formats: the main raw image's directory.
    return {"EXIF:ImageWidth", "EXIF:ImageHeight"};
}

/// Sizes the reference does not give, from the shared data's notes.
const std::map<std::string, std::string> kKnownSizes = {
    // ExifTool 12.57 without Brotli reads nothing of it; it is encoded from
    // a 480x360 JPEG file.
    {"modern/jxl/gen_cjxl_flower.jxl", "480 360"},
};

/// The files where our size and the reference's differ: our size, and why.
const std::map<std::string, std::pair<std::string, std::string>> kDifferences = {
    {"modern/raw/filetype_fixture-sony-zv-e10.arw",
     {"6000 4000", "the cut ends inside the raw directory, so its size is lost; the EXIF pixel "
                   "dimensions (ExifTool's ExifImageWidth) take its place"}},
};

std::string ReferenceSize(const CRecord& r, const std::string& extension) {
    const auto [widthKey, heightKey] = ReferenceKeys(extension);
    if (r.count(widthKey) == 0 || r.count(heightKey) == 0) {
        return {};
    }
    if (widthKey == heightKey) {
        return r.at(widthKey);
    }
    return r.at(widthKey) + " " + r.at(heightKey);
}

TEST(ModernImageSizeTest, AgreesWithExifToolOnRealStills) {
    const std::string data = ModernFolder();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    std::vector<CRecord> exifTool;
    ASSERT_TRUE(CFlatJsonReader(ReadText(data + "/modern-exiftool.json")).ReadArray(exifTool));
    std::map<std::string, int> matched;
    int files = 0;
    for (const CRecord& r : exifTool) {
        const std::string name = r.at("SourceFile");
        bool still = false;
        for (const char* folder : {"modern/heif/", "modern/avif/", "modern/webp/", "modern/jxl/",
                                   "modern/raw/", "modern/png/"}) {
            still = still || name.rfind(folder, 0) == 0;
        }
        if (!still) {
            continue;
        }
        ++files;
        const std::string extension = LowerExtension(name);
        std::string expected = ReferenceSize(r, extension);
        if (kKnownSizes.count(name) != 0) {
            expected = kKnownSizes.at(name);
        }
        if (kDifferences.count(name) != 0) {
            expected = kDifferences.at(name).first;
        }
        CImageInfo info;
        const bool read = ReadImageInfo(data + "/" + name, info);
        const std::string ours =
            read ? std::to_string(info.width) + " " + std::to_string(info.height) : std::string();
        EXPECT_EQ(ours, expected)
            << name << (kDifferences.count(name) != 0 ? ": " + kDifferences.at(name).second : "");
        if (ours == expected && kDifferences.count(name) == 0) {
            ++matched[extension];
        }
    }
    EXPECT_GE(files, 44);
    std::ostringstream summary;
    for (const auto& [extension, count] : matched) {
        summary << " " << extension << " " << count;
    }
    std::cout << "still sizes: " << files << " files; matched:" << summary.str() << "; "
              << kDifferences.size() << " differ (named)\n";
}

} // namespace
