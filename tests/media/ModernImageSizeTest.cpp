// SPDX-License-Identifier: GPL-3.0-or-later
// The image tags' size of today's still formats: the real HEIF, AVIF, WebP,
// JPEG XL, RAW and PNG files of the shared test data ($NR_TESTDATA/modern;
// without it those tests skip) compared with ExifTool's readings, and the
// TIFF-based RAW files that Exiv2 reads, written here. The byte readers'
// own cases are in ModernImageBytesTest.cpp.
#include "media/ImageReader.h"

#include "FlatJsonReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <utility>
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
        EXPECT_EQ(ours, expected) << name
                                  << (kDifferences.count(name) != 0
                                          ? ": " + kDifferences.at(name).second
                                          : "");
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
std::string Zeros(std::size_t count) {
    return std::string(count, '\0');
}

using Fields = std::array<uint32_t, 4>; // width, height, bits per pixel, colour count

/// The fields read from bytes as a file of extension; all 0 when nothing is read.
Fields Read(const std::string& bytes, const std::string& extension) {
    CImageInfo info;
    if (!ReadImageInfoFromBytes(bytes, extension, info)) {
        return {};
    }
    return {info.width, info.height, info.bitsPerPixel, info.colourCount};
}

// ---- the TIFF-based RAW files, read by Exiv2 from the file -------------------

/// A TIFF directory of LONG entries (tag, value) in ascending order, with
/// no next directory.
std::string Ifd(const std::vector<std::pair<uint32_t, uint32_t>>& entries) {
    std::string ifd = Le16(static_cast<uint32_t>(entries.size()));
    for (const auto& [tag, value] : entries) {
        ifd += Le16(tag) + Le16(4) + Le32(1) + Le32(value);
    }
    return ifd + Le32(0);
}
constexpr std::size_t kIfdEntries3 = 2 + 3 * 12 + 4;

/// A NEF-like file: a 160x120 thumbnail in IFD0 and the raw image (subfile
/// type 0) in its sub-directory, both at offset at.
std::string NefLike(uint32_t at) {
    const std::string ifd0 = Ifd({{0xFE, 1},
                                  {0x100, 160},
                                  {0x101, 120},
                                  {0x14A, at + static_cast<uint32_t>(2 + 4 * 12 + 4)}});
    return "II*" + Byte(0) + Le32(at) + Zeros(at - 8) + ifd0 +
           Ifd({{0xFE, 0}, {0x100, 3040}, {0x101, 2014}});
}

TEST(TiffRawSizeTest, MainRawImageNotTheThumbnail) {
    const CTempFolder folder;
    CImageInfo info{1, 2, 3, 4};
    ASSERT_TRUE(ReadImageInfo(folder.WriteFile("a.NEF", NefLike(8)), info));
    EXPECT_EQ((Fields{info.width, info.height, info.bitsPerPixel, info.colourCount}),
              (Fields{3040, 2014, 0, 0}));
    // From bytes in memory no RAW file is read: Exiv2 reads files only.
    EXPECT_EQ(Read(NefLike(8), "nef"), Fields{});
}

TEST(TiffRawSizeTest, PlaceholderImageGivesTheExifPixelDimensions) {
    const CTempFolder folder;
    const std::string iiq = "II*" + Byte(0) + Le32(8) +
                            Ifd({{0x100, 1}, {0x101, 1}, {0x8769, 8 + kIfdEntries3}}) +
                            Ifd({{0xA002, 7320}, {0xA003, 5484}});
    CImageInfo info;
    ASSERT_TRUE(ReadImageInfo(folder.WriteFile("a.iiq", iiq), info));
    EXPECT_EQ(info.width, 7320u);
    EXPECT_EQ(info.height, 5484u);
}

TEST(TiffRawSizeTest, OnlyTheFrontOfTheFileIsRead) {
    // The directories of a RAW file lie in its first megabyte; one past it
    // is not looked for.
    const CTempFolder folder;
    CImageInfo info;
    ASSERT_TRUE(ReadImageInfo(folder.WriteFile("near.dng", NefLike(1000000)), info));
    EXPECT_EQ(info.width, 3040u);
    EXPECT_FALSE(ReadImageInfo(folder.WriteFile("far.dng", NefLike(1100000)), info));
}

TEST(TiffRawSizeTest, RawDirectoryBehindTheFirstFrontIsStillFound) {
    // The thumbnail and the EXIF pixel dimensions at the start, the raw
    // image's directory behind the first 256 KiB: the EXIF size does not
    // stand in for the raw image's while more of the front is to be read.
    const uint32_t rawAt = 500000;
    const uint32_t exifAt = 8 + 2 + 5 * 12 + 4;
    const std::string ifd0 =
        Ifd({{0xFE, 1}, {0x100, 160}, {0x101, 120}, {0x14A, rawAt}, {0x8769, exifAt}});
    const std::string exif = Ifd({{0xA002, 6000}, {0xA003, 4000}});
    std::string file = "II*" + Byte(0) + Le32(8) + ifd0 + exif;
    const std::string start = file;
    file += Zeros(rawAt - file.size()) + Ifd({{0xFE, 0}, {0x100, 3040}, {0x101, 2014}});
    const CTempFolder folder;
    CImageInfo info;
    ASSERT_TRUE(ReadImageInfo(folder.WriteFile("a.arw", file), info));
    EXPECT_EQ(info.width, 3040u);
    EXPECT_EQ(info.height, 2014u);
    // Without the raw directory the EXIF size is the one there is.
    ASSERT_TRUE(ReadImageInfo(folder.WriteFile("b.arw", start + Zeros(rawAt)), info));
    EXPECT_EQ(info.width, 6000u);
    EXPECT_EQ(info.height, 4000u);
}

TEST(TiffRawSizeTest, EmptyFileOfEveryNewExtension) {
    const CTempFolder folder;
    for (const char* extension :
         {"heic", "heif", "hif", "avif", "webp", "jxl", "cr3", "raf", "x3f", "cr2", "nef",
          "nrw",  "arw",  "srf", "sr2",  "dng",  "orf", "rw2", "pef", "srw", "iiq", "mrw"}) {
        CImageInfo info{1, 2, 3, 4};
        EXPECT_FALSE(ReadImageInfo(folder.WriteFile(std::string("empty.") + extension), info))
            << extension;
        EXPECT_EQ(info.width, 1u) << extension;
    }
}

TEST(TiffRawSizeTest, GarbageAndCutFilesGiveNothingOrASizeNeverAFault) {
    const CTempFolder folder;
    CImageInfo info;
    EXPECT_FALSE(ReadImageInfo(folder.WriteFile("text.cr2", "not a raw file\n"), info));
    EXPECT_FALSE(ReadImageInfo(folder.WriteFile("empty.arw", ""), info));
    EXPECT_FALSE(ReadImageInfo(folder / "missing.orf", info));
    const std::string nef = NefLike(8);
    // The raw directory's entries end 4 bytes before the file (the offset of
    // a next directory is missing then, which does no harm).
    const std::size_t rawEntriesEnd = nef.size() - 4;
    for (std::size_t length = 0; length <= nef.size(); ++length) {
        // Cut inside the raw image's directory: neither its size nor the
        // thumbnail's.
        const bool read = ReadImageInfo(
            folder.WriteFile("cut" + std::to_string(length) + ".nef", nef.substr(0, length)), info);
        EXPECT_EQ(read, length >= rawEntriesEnd) << length;
        if (read) {
            EXPECT_EQ(info.width, 3040u) << length;
        }
    }
    const std::string data = ModernFolder();
    if (data.empty()) {
        return;
    }
    for (const auto& entry : std::filesystem::directory_iterator(data + "/modern/raw")) {
        const std::string text = ReadText(entry.path().string());
        for (const std::size_t size : {std::size_t{16}, std::size_t{200}, text.size() / 3}) {
            const std::string path =
                folder.WriteFile("cut" + std::to_string(size) + entry.path().filename().string(),
                                 text.substr(0, size));
            CImageInfo cut;
            if (ReadImageInfo(path, cut)) {
                EXPECT_NE(cut.width, 0u) << path;
                EXPECT_NE(cut.height, 0u) << path;
            }
        }
    }
}

} // namespace
