// SPDX-License-Identifier: GPL-3.0-or-later
// The image header reader on real files made by other programs (the shared
// test data), compared with two independent readers: ExifTool's
// `exiftool -j -n` output for BMP, GIF, PNG, ICO, CUR, PSD, PCX and JPEG, and
// what `file` says of the Targa and IFF files, which ExifTool cannot read.
// Only what our rules and the reference mean alike is compared; each format
// below says which fields those are and why the others differ.
#include "media/ImageReader.h"

#include "FlatJsonReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testdata::CFlatJsonReader;
using testdata::CRecord;
using testdata::ReadText;

std::string TestDataFolder() {
    const char* folder = std::getenv("NR_TESTDATA");
    if (folder == nullptr || !std::filesystem::is_directory(std::string(folder) + "/images")) {
        return {};
    }
    return folder;
}

TEST(FlatJsonReaderTest, ReadsStringsAndNumbers) {
    std::vector<CRecord> records;
    ASSERT_TRUE(CFlatJsonReader(R"([{"A": "x\"y", "B": 12},
                                     {"C": -1.5}])")
                    .ReadArray(records));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]["A"], "x\"y");
    EXPECT_EQ(records[0]["B"], "12");
    EXPECT_EQ(records[1]["C"], "-1.5");
    EXPECT_FALSE(CFlatJsonReader(R"([{"A": 1,}])").ReadArray(records));
    records.clear();
    ASSERT_TRUE(CFlatJsonReader(R"([{"L": ["a", 2], "E": [], "T": true}])").ReadArray(records));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]["L"], "a, 2");
    EXPECT_EQ(records[0]["E"], "");
    EXPECT_EQ(records[0]["T"], "true");
    EXPECT_FALSE(CFlatJsonReader(R"([{"L": ["a",]}])").ReadArray(records));
}

// ---- the comparison ------------------------------------------------------------

/// The agreement figures of one run.
struct CAgreement {
    int files = 0;
    int fields = 0;
    int explained = 0; ///< files where our rule and the reference differ, for the reason given
    std::vector<std::string> mismatches;

    void Compare(const std::string& file, const char* field, uint32_t ours,
                 const std::string& reference) {
        ++fields;
        if (std::to_string(ours) != reference) {
            mismatches.push_back(file + " " + field + ": ours " + std::to_string(ours) +
                                 ", reference " + reference);
        }
    }

    void Report(const char* what) const {
        std::cout << what << ": " << files << " files, " << fields << " fields compared, "
                  << mismatches.size() << " mismatches, " << explained
                  << " files whose difference is explained\n";
        for (const std::string& mismatch : mismatches) {
            ADD_FAILURE() << mismatch;
        }
    }
};

std::string Extension(const std::string& name) {
    std::string extension = name.substr(name.rfind('.') + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

/// The first run of count decimal numbers joined by " x " in text, as
/// `file` writes sizes ("200 x 32 x 24").
bool FindNumbersJoinedByX(const std::string& text, std::size_t count,
                          std::vector<std::string>& numbers) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t start = 0; start < text.size(); ++start) {
        if (!isDigit(text[start]) || (start > 0 && isDigit(text[start - 1]))) {
            continue;
        }
        numbers.clear();
        std::size_t at = start;
        while (true) {
            const std::size_t begin = at;
            while (at < text.size() && isDigit(text[at])) {
                ++at;
            }
            numbers.push_back(text.substr(begin, at - begin));
            if (numbers.size() == count) {
                return true;
            }
            if (text.compare(at, 3, " x ") != 0 || at + 3 >= text.size() ||
                !isDigit(text[at + 3])) {
                break;
            }
            at += 3;
        }
    }
    return false;
}

TEST(FindNumbersJoinedByXTest, FindsTheFirstRun) {
    std::vector<std::string> numbers;
    ASSERT_TRUE(FindNumbersJoinedByX("Targa - RLE 200 x 32 x 24 +32 - top", 3, numbers));
    EXPECT_EQ(numbers, (std::vector<std::string>{"200", "32", "24"}));
    ASSERT_TRUE(FindNumbersJoinedByX("Map (256) 12 x 3", 2, numbers));
    EXPECT_EQ(numbers, (std::vector<std::string>{"12", "3"}));
    EXPECT_FALSE(FindNumbersJoinedByX("IFF data, 320 x", 2, numbers));
    EXPECT_FALSE(FindNumbersJoinedByX("IFF data", 2, numbers));
}

/// The depth our PNG rule gives for the reference's colour type and bit
/// depth per sample.
std::string PngDepth(const CRecord& r) {
    const int type = std::stoi(r.at("ColorType"));
    const int depth = std::stoi(r.at("BitDepth"));
    if (type == 2 || type == 6) {
        return depth == 8 ? "24" : "32";
    }
    return std::to_string(depth);
}

std::string Product(const CRecord& r, const char* a, const char* b) {
    return std::to_string(std::stoi(r.at(a)) * std::stoi(r.at(b)));
}

TEST(RealImagesTest, AgreesWithExifToolAndFile) {
    const std::string data = TestDataFolder();
    if (data.empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    std::vector<CRecord> exifTool;
    ASSERT_TRUE(CFlatJsonReader(ReadText(data + "/images-exiftool.json")).ReadArray(exifTool));
    std::map<std::string, CRecord> byFile;
    for (const CRecord& record : exifTool) {
        byFile[record.at("SourceFile")] = record;
    }
    std::map<std::string, std::string> fileSays;
    std::istringstream tsv(ReadText(data + "/images-file.tsv"));
    for (std::string line; std::getline(tsv, line);) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            fileSays[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }
    ASSERT_FALSE(fileSays.empty());

    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(data + "/images")) {
        names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 100u);

    CAgreement agreement;
    int withoutReference = 0;
    for (const std::string& name : names) {
        const std::string key = "images/" + name;
        const std::string extension = Extension(name);
        CImageInfo info;
        const bool read = ReadImageInfo(data + "/images/" + name, info);
        ++agreement.files;
        const auto found = byFile.find(key);
        ASSERT_NE(found, byFile.end()) << name << " has no ExifTool record";
        const CRecord& r = found->second;

        if (extension == "tga") {
            // ExifTool has no Targa reader and names some of these files
            // CUR or ACR by their first bytes; `file` reads the header.
            std::vector<std::string> m;
            const std::string says = fileSays[key];
            ASSERT_TRUE(FindNumbersJoinedByX(says, 3, m)) << name << ": " << says;
            EXPECT_TRUE(read) << name;
            agreement.Compare(name, "width", info.width, m[0]);
            agreement.Compare(name, "height", info.height, m[1]);
            agreement.Compare(name, "bits", info.bitsPerPixel, m[2]);
            continue;
        }
        if (extension == "iff" || extension == "lbm") {
            // `file` gives only the size, and only when the bitmap header is
            // the first chunk; three files have other chunks before it.
            EXPECT_TRUE(read) << name;
            std::vector<std::string> m;
            const std::string says = fileSays[key];
            if (!FindNumbersJoinedByX(says, 2, m)) {
                ++withoutReference;
                continue;
            }
            agreement.Compare(name, "width", info.width, m[0]);
            agreement.Compare(name, "height", info.height, m[1]);
            continue;
        }
        if (r.count("ImageWidth") == 0 && extension == "pcx") {
            // A file of Pillow's fuzzing with maker 10 but version 0: ExifTool
            // wants a known version, our PCX rule tests no signature and
            // reads any 66 bytes as a header.
            EXPECT_TRUE(read) << name;
            ++agreement.explained;
            continue;
        }
        if (r.count("ImageWidth") == 0) {
            // Pillow's cursor file with an image count of 0: nothing to read.
            EXPECT_FALSE(read) << name;
            agreement.Compare(name, "result", read ? 1 : 0, "0");
            continue;
        }
        ASSERT_TRUE(read) << name;
        agreement.Compare(name, "width", info.width, r.at("ImageWidth"));
        agreement.Compare(name, "height", info.height, r.at("ImageHeight"));
        if (extension == "bmp") {
            agreement.Compare(name, "bits", info.bitsPerPixel, r.at("BitDepth"));
        } else if (extension == "gif") {
            // Both read the size field of the global colour table.
            agreement.Compare(name, "bits", info.bitsPerPixel, r.at("BitsPerPixel"));
        } else if (extension == "png") {
            // The reference gives bits per sample and the colour type; our
            // rule turns true colour into 24 or 32 bits and takes the bit
            // depth of the others.
            agreement.Compare(name, "bits", info.bitsPerPixel, PngDepth(r));
        } else if (extension == "ico") {
            agreement.Compare(name, "bits", info.bitsPerPixel, r.at("BitsPerPixel"));
        } else if (extension == "cur") {
            // A cursor has no depth of ours, and ExifTool gives none.
            agreement.Compare(name, "bits", info.bitsPerPixel, "0");
        } else if (extension == "psd") {
            // Depth per channel times channels.
            agreement.Compare(name, "bits", info.bitsPerPixel,
                              Product(r, "BitDepth", "NumChannels"));
        } else if (extension == "pcx") {
            // ExifTool's BitsPerPixel is per plane.
            agreement.Compare(name, "bits", info.bitsPerPixel,
                              Product(r, "BitsPerPixel", "ColorPlanes"));
        } else {
            ADD_FAILURE() << name << ": no rule for this extension";
        }
    }
    agreement.Report("images");
    std::cout << "images: " << withoutReference << " IFF files read without a reference size\n";
}

/// The JPEG files whose segment walk runs into bytes that are no marker.
const std::map<std::string, std::string> kBrokenSegments = {
    {"jpeg/pillow_junk_jpeg_header.jpg", "5 bytes of junk behind the comment"},
    {"jpeg/pillow_photoshop-200dpi-broken.jpg", "Photoshop segment length 14 bytes short"},
    {"jpeg/pillow_truncated_app14.jpg", "Adobe segment length 1 byte short"},
};

TEST(RealImagesTest, JpegFrameAgreesWithExifTool) {
    const std::string data = TestDataFolder();
    if (data.empty() || !std::filesystem::is_directory(data + "/jpeg")) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    std::vector<CRecord> exifTool;
    ASSERT_TRUE(CFlatJsonReader(ReadText(data + "/jpeg-exiftool.json")).ReadArray(exifTool));
    ASSERT_GE(exifTool.size(), 50u);
    CAgreement agreement;
    for (const CRecord& r : exifTool) {
        const std::string name = r.at("SourceFile");
        CImageInfo info;
        const bool read = ReadImageInfo(data + "/" + name, info);
        ++agreement.files;
        // Broken files: ExifTool searches for the next marker, our walk
        // gives up where a marker does not begin with 0xFF.
        if (kBrokenSegments.count(name) != 0) {
            EXPECT_FALSE(read) << name << ": " << kBrokenSegments.at(name);
            ++agreement.explained;
            continue;
        }
        if (!read) {
            ADD_FAILURE() << name << " not read";
            continue;
        }
        // ExifTool's ImageWidth and ImageHeight of a JPEG file are those of
        // the frame header, as ours.
        agreement.Compare(name, "width", info.width, r.at("ImageWidth"));
        agreement.Compare(name, "height", info.height, r.at("ImageHeight"));
        // Our depth is precision times components; the reference gives the
        // components and the process. A baseline frame (process 0) always
        // has 8-bit samples; the others may have 8 or 12.
        const uint32_t components = static_cast<uint32_t>(std::stoi(r.at("ColorComponents")));
        if (r.at("EncodingProcess") == "0") {
            agreement.Compare(name, "bits", info.bitsPerPixel, std::to_string(8 * components));
        } else {
            const bool eightOrTwelve =
                info.bitsPerPixel == 8 * components || info.bitsPerPixel == 12 * components;
            agreement.Compare(name, "bits", eightOrTwelve ? 1 : 0, "1");
        }
    }
    agreement.Report("jpeg");
}

} // namespace
