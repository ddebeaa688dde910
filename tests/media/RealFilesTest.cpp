// SPDX-License-Identifier: GPL-3.0-or-later
// The media readers on real files made by cameras and other programs,
// compared with what an independent reader (ExifTool 12.57, `exiftool -j -n`)
// found in the same files. The files live in $NR_TESTDATA; without them the
// tests skip.

#include "media/ExifReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
// EXIF reader
// ---------------------------------------------------------------------------

namespace {

/// One value of the reference: its text (decoded for a JSON string, as
/// written for a number) and whether it was a string.
struct CExifJsonValue {
    std::string text;
    bool isString = false;
};
using CExifJsonObject = std::map<std::string, CExifJsonValue>;

/// Reads the reference file: an array of flat objects whose values are
/// strings or numbers. Returns false on anything else.
class CExifJsonReader {
public:
    explicit CExifJsonReader(std::string source) : text(std::move(source)) {}

    bool ReadArray(std::vector<CExifJsonObject>& objects) {
        if (!Expect('[')) {
            return false;
        }
        if (Peek() == ']') {
            return Expect(']');
        }
        do {
            CExifJsonObject object;
            if (!ReadObject(object)) {
                return false;
            }
            objects.push_back(std::move(object));
        } while (Accept(','));
        return Expect(']');
    }

private:
    char Peek() {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
            ++pos;
        }
        return pos < text.size() ? text[pos] : '\0';
    }
    bool Accept(char c) {
        if (Peek() == c) {
            ++pos;
            return true;
        }
        return false;
    }
    bool Expect(char c) { return Accept(c); }

    bool ReadObject(CExifJsonObject& object) {
        if (!Expect('{')) {
            return false;
        }
        if (Accept('}')) {
            return true;
        }
        do {
            CExifJsonValue key;
            CExifJsonValue value;
            if (!ReadString(key.text) || !Expect(':') || !ReadValue(value)) {
                return false;
            }
            object[key.text] = std::move(value);
        } while (Accept(','));
        return Expect('}');
    }

    bool ReadValue(CExifJsonValue& value) {
        if (Peek() == '"') {
            value.isString = true;
            return ReadString(value.text);
        }
        const std::size_t start = pos;
        while (pos < text.size() &&
               std::string_view("+-.0123456789eE").find(text[pos]) != std::string_view::npos) {
            ++pos;
        }
        value.text = text.substr(start, pos - start);
        return !value.text.empty();
    }

    bool ReadString(std::string& out) {
        if (!Expect('"')) {
            return false;
        }
        out.clear();
        while (pos < text.size() && text[pos] != '"') {
            char c = text[pos++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos >= text.size()) {
                return false;
            }
            c = text[pos++];
            switch (c) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                if (pos + 4 > text.size()) {
                    return false;
                }
                const auto code =
                    static_cast<char32_t>(std::stoul(text.substr(pos, 4), nullptr, 16));
                pos += 4;
                AppendUtf8(out, code);
                break;
            }
            default: // '"', '\\', '/'
                out += c;
                break;
            }
        }
        return Expect('"');
    }

    static void AppendUtf8(std::string& out, char32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::string text;
    std::size_t pos = 0;
};

std::string ExifTestDataFolder() {
    const char* folder = std::getenv("NR_TESTDATA");
    return folder == nullptr ? std::string() : std::string(folder);
}

std::string ExifReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ExifTrimEnd(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) {
        text.pop_back();
    }
    return text;
}

/// The first limit characters (UTF-8 sequences) of text.
std::string ExifFirstChars(const std::string& text, std::size_t limit) {
    std::size_t pos = 0;
    for (std::size_t count = 0; pos < text.size() && count < limit; ++count) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) {
            ++pos;
        }
    }
    return text.substr(0, pos);
}

bool ExifNear(double ours, double reference) {
    return std::fabs(ours - reference) <= 1e-4 * std::max(1.0, std::fabs(reference));
}

/// Counts of one comparison run.
struct CExifTally {
    int files = 0;
    int compared = 0;
    std::vector<std::string> mismatches;
};

class RealExifTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string root = ExifTestDataFolder();
        if (root.empty() || !std::filesystem::exists(root + "/jpeg-exiftool.json")) {
            GTEST_SKIP() << "no test data (NR_TESTDATA)";
        }
        folder = root + "/";
        CExifJsonReader json(ExifReadFile(folder + "jpeg-exiftool.json"));
        ASSERT_TRUE(json.ReadArray(references));
        ASSERT_FALSE(references.empty());
    }

    std::string folder;
    std::vector<CExifJsonObject> references;
};

/// Compares one file's record with its reference, field by field, where our
/// rules and the reference mean the same thing.
void ExifCompare(const std::string& name, const CExifInfo& ours, const CExifJsonObject& reference,
                 CExifTally& tally) {
    auto has = [&](const char* key) { return reference.count(key) != 0; };
    // A text where a number belongs is a maker-note field of the same name
    // (the reference merges them): not the EXIF tag, so not compared.
    auto hasNumber = [&](const char* key) { return has(key) && !reference.at(key).isString; };
    auto text = [&](const char* key) { return reference.at(key).text; };
    auto number = [&](const char* key) { return std::stod(reference.at(key).text); };
    auto check = [&](const char* key, bool same, const std::string& oursText) {
        ++tally.compared;
        if (!same) {
            tally.mismatches.push_back(name + " " + key + ": ours '" + oursText + "', reference '" +
                                       text(key) + "'");
        }
    };
    auto real = [&](const char* key, float value) {
        if (hasNumber(key)) {
            check(key, ExifNear(value, number(key)), std::to_string(value));
        }
    };
    auto integer = [&](const char* key, int32_t value) {
        if (hasNumber(key)) {
            check(key, value == static_cast<int32_t>(number(key)), std::to_string(value));
        }
    };

    // The frame header is read whether or not there is an EXIF block.
    integer("ImageWidth", ours.width);
    integer("ImageHeight", ours.height);
    if (hasNumber("ColorComponents")) {
        check("ColorComponents", ours.isColor == (number("ColorComponents") == 3 ? 1 : 0),
              std::to_string(ours.isColor));
    }
    if (hasNumber("EncodingProcess")) {
        // The reference names the process by the low bits of the marker code.
        check("EncodingProcess", ours.process == 0xC0 + static_cast<int>(number("EncodingProcess")),
              std::to_string(ours.process));
    }
    if (ours.exifPresent != 1) {
        if (has("Comment") && !has("ExifByteOrder")) {
            // Without an EXIF block the comment section is the comment; we
            // drop the carriage return of a CR LF pair.
            std::string expected = text("Comment");
            for (std::size_t pos; (pos = expected.find("\r\n")) != std::string::npos;) {
                expected.erase(pos, 1);
            }
            check("Comment", ours.comments == expected, ours.comments);
        }
        return;
    }

    // Texts: ours holds at most 31, 39 and 19 characters and keeps trailing
    // blanks, which the reference (and our tag output) trims.
    auto limitedText = [&](const char* key, const std::string& value, std::size_t limit) {
        if (has(key)) {
            check(key, ExifTrimEnd(value) == ExifTrimEnd(ExifFirstChars(text(key), limit)), value);
        }
    };
    limitedText("Make", ours.cameraMake, CExifInfo::kMaxCameraMake);
    limitedText("Model", ours.cameraModel, CExifInfo::kMaxCameraModel);
    limitedText("DateTimeOriginal", ours.dateTime, CExifInfo::kMaxDateTime);
    limitedText("ExifVersion", ours.version, CExifInfo::kMaxVersion);

    // Our exposure time and f-number fall back on the APEX values when the
    // direct tags are missing; the reference has a value only from the
    // direct tag, so only files that have it are compared.
    real("ExposureTime", ours.exposureTime);
    real("FNumber", ours.apertureFNumber);
    real("FocalLength", ours.focalLength);
    real("ExposureCompensation", ours.exposureBias);
    real("SubjectDistance", ours.distance);
    real("FocalPlaneXResolution", ours.focalPlaneXRes);
    if (hasNumber("ISO")) {
        // Our rule multiplies a speed below 50 by 200 (old cameras stored it
        // in such units); the reference gives the stored value.
        const auto stored = static_cast<int32_t>(number("ISO"));
        const int32_t expected = stored < 50 ? stored * 200 : stored;
        check("ISO", ours.isoEquivalent == expected, std::to_string(ours.isoEquivalent));
    }
    if (hasNumber("Orientation")) {
        const auto stored = static_cast<int32_t>(number("Orientation"));
        const int32_t expected = stored >= 1 && stored <= 8 ? stored : 0;
        check("Orientation", ours.orientation == expected, std::to_string(ours.orientation));
    }
    if (hasNumber("Flash")) {
        // Ours says only whether the flash fired (the three lowest bits).
        const auto stored = static_cast<int32_t>(number("Flash"));
        check("Flash", ours.flashUsed == ((stored & 7) != 0 ? 1 : 0),
              std::to_string(ours.flashUsed));
    }
    if (hasNumber("FocalPlaneResolutionUnit")) {
        // Ours holds inches per unit, the reference the stored code.
        const auto code = static_cast<int32_t>(number("FocalPlaneResolutionUnit"));
        const float expected = code == 3 ? 0.3937008f : code == 4 ? 0.03937008f : 1.0f;
        check("FocalPlaneResolutionUnit", ExifNear(ours.focalPlaneUnits, expected),
              std::to_string(ours.focalPlaneUnits));
    }
    integer("ExposureProgram", ours.exposureProgram);
    integer("MeteringMode", ours.meteringMode);
    integer("LightSource", ours.whiteBalance);
}

/// Where the reference holds a different value than the EXIF tag we read:
/// checked to still differ, so that the list cannot go stale.
struct CExifKnownDifference {
    const char* file;
    const char* field;
    const char* why;
};
const CExifKnownDifference kExifKnownDifferences[] = {
    // The reference merges fields of the camera's maker note (and of XMP)
    // that have the same name as an EXIF tag, and shows theirs. We read the
    // EXIF tag only; the tag's stored value is given.
    {"Canon.jpg", "MeteringMode", "EXIF 0x9207 holds 1; 5 is the maker note's"},
    {"Canon1DmkIII.jpg", "MeteringMode", "EXIF 0x9207 holds 5; 3 is the maker note's"},
    {"Casio.jpg", "ISO", "no EXIF 0x8827; 64 is the maker note's"},
    {"Casio2.jpg", "ISO", "no EXIF 0x8827; 50 is the maker note's"},
    {"Kodak.jpg", "ExposureTime", "EXIF 0x829A holds 1/180; 0.00464 is the maker note's"},
    {"Kodak.jpg", "FNumber", "EXIF 0x829D holds 67/10; 6.73 is the maker note's"},
    {"Kodak.jpg", "ISO", "no EXIF 0x8827; 108 is the maker note's"},
    {"Kodak.jpg", "MeteringMode", "EXIF 0x9207 holds 1; 0 is the maker note's"},
    {"Pentax.jpg", "ISO", "EXIF 0x8827 holds 100; 6 is the maker note's ISO code"},
    {"Pentax.jpg", "MeteringMode", "EXIF 0x9207 holds 5; 0 is the maker note's"},
    {"Sigma.jpg", "MeteringMode", "EXIF 0x9207 holds 5; 8 is the maker note's"},
    {"pillow_flower.jpg", "ISO", "no EXIF 0x8827; 100 is the maker note's"},
    {"pillow_flower.jpg", "MeteringMode", "EXIF 0x9207 holds 2; 5 is the maker note's"},
    {"pillow_exif_gps_typeerror.jpg", "DateTimeOriginal",
     "no EXIF 0x9003; the reference's date comes from the XMP packet"},
    {"pillow_exif_gps_typeerror.jpg", "ExifVersion", "no EXIF 0x9000; '0 2 2 0' comes from XMP"},
    // The EXIF directory pointer is stored as a 154-byte text, so its value
    // bytes (the first bytes of that text) point outside the block: the
    // link is skipped with the EXIF directory. The reference takes the
    // entry's offset field as the directory instead.
    {"pillow_exif_typeerror.jpg", "DateTimeOriginal",
     "EXIF directory skipped: its pointer is a text; its 0x9003 holds 2010:07:11 13:53:00"},
    {"pillow_exif_typeerror.jpg", "ExifVersion",
     "EXIF directory skipped: its pointer is a text whose bytes point outside the block"},
    // The comment section is "File written by Adobe Photoshop", the byte
    // 0xA8, " 4.0" and a zero byte. We copy bytes of 128 and above as they
    // are and turn bytes below 32 into "?" (so the zero gives "?"); the
    // reference shows the byte that is not UTF-8 as "?" and drops the zero.
    {"pillow_hopper.jpg", "Comment", "0xA8 kept as a byte; the final zero byte becomes ?"},
    {"pillow_hopper_gray.jpg", "Comment", "0xA8 kept as a byte"},
};

/// Files that our rules do not read as a JPEG file at all, though the
/// reference reads them, with the error our reader reports.
struct CExifKnownFailure {
    const char* file;
    const char* error;
    const char* why;
};
const CExifKnownFailure kExifUnreadFiles[] = {
    {"ExifTool.jpg", "Too many sections in jpg file",
     "more than 19 stored sections (APPn, tables) before the start of scan"},
    {"pillow_junk_jpeg_header.jpg", "Premature end of file?",
     "five junk bytes after the comment: the first is taken as a marker code without 0xFF and "
     "the next two as a length that runs past the end"},
    {"pillow_photoshop-200dpi-broken.jpg", "Premature end of file?",
     "the file ends before the start of scan"},
    {"pillow_truncated_app14.jpg", "Premature end of file?",
     "the file ends inside its APP14 section"},
};
/// Files with an EXIF block that the reference reads in part and our rules
/// reject as a whole (any failure inside the block drops it).
const CExifKnownFailure kExifRejectedBlocks[] = {
    {"pillow_exif-ifd-offset.jpg", "Illegal pointer offset value in EXIF.",
     "the link to the second directory points into the middle of other data"},
    {"pillow_hopper_bad_exif.jpg", "Illegally sized directory",
     "the first directory claims 32 entries in a 132-byte block"},
    {"pillow_jfif_unit_cm.jpg", "Invalid Exif alignment marker.",
     "a second APP1 \"Exif\" section holds only the text \"second\"; the last block counts"},
    {"pillow_multiple_exif.jpg", "Invalid Exif alignment marker.",
     "a second APP1 \"Exif\" section holds only the text \"second\"; the last block counts"},
};

template <typename T, std::size_t N>
const T* ExifFind(const T (&list)[N], const std::string& file) {
    for (const T& item : list) {
        if (file == item.file) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace

TEST_F(RealExifTest, AgreesWithReference) {
    CExifTally tally;
    int unread = 0;
    int rejected = 0;
    int blocksRead[2] = {0, 0}; // little-endian, big-endian
    for (const CExifJsonObject& reference : references) {
        const std::string path = reference.at("SourceFile").text;
        const std::string file = path.substr(path.rfind('/') + 1);
        SCOPED_TRACE(file);
        ++tally.files;

        CExifInfo info;
        const bool ok = ReadExifInfo(folder + path, info);
        // The same bytes through the reader itself, for its error text.
        std::istringstream in(ExifReadFile(folder + path));
        CExifInfo direct;
        CExifReader reader(&direct);
        EXPECT_EQ(reader.ReadSections(in), ok);
        const CExifKnownFailure* unreadable = ExifFind(kExifUnreadFiles, file);
        if (!ok) {
            ++unread;
            ASSERT_NE(unreadable, nullptr) << "not read: " << reader.LastError();
            EXPECT_EQ(reader.LastError(), unreadable->error) << unreadable->why;
            continue;
        }
        EXPECT_EQ(unreadable, nullptr) << "read, though listed as unreadable";

        const bool referenceHasExif = reference.count("ExifByteOrder") != 0;
        const CExifKnownFailure* rejection = ExifFind(kExifRejectedBlocks, file);
        if (info.exifPresent == 1) {
            EXPECT_TRUE(referenceHasExif) << "we read an EXIF block the reference does not see";
            EXPECT_EQ(rejection, nullptr) << "read, though listed as rejected";
            ++blocksRead[reference.at("ExifByteOrder").text == "MM" ? 1 : 0];
        } else if (referenceHasExif) {
            ++rejected;
            ASSERT_NE(rejection, nullptr) << "EXIF block rejected: " << reader.LastError();
            EXPECT_EQ(reader.LastError(), rejection->error) << rejection->why;
        }
        ExifCompare(file, info, reference, tally);
    }

    // Every mismatch is a known and explained one, and every known one is
    // still a mismatch.
    std::vector<std::string> explained;
    for (const std::string& mismatch : tally.mismatches) {
        bool known = false;
        for (const CExifKnownDifference& difference : kExifKnownDifferences) {
            const std::string prefix = std::string(difference.file) + " " + difference.field + ":";
            if (mismatch.rfind(prefix, 0) == 0) {
                known = true;
                explained.push_back(prefix);
            }
        }
        EXPECT_TRUE(known) << mismatch;
    }
    for (const CExifKnownDifference& difference : kExifKnownDifferences) {
        const std::string prefix = std::string(difference.file) + " " + difference.field + ":";
        EXPECT_NE(std::find(explained.begin(), explained.end(), prefix), explained.end())
            << prefix << " no longer differs (" << difference.why << ")";
    }
    EXPECT_GT(blocksRead[0], 0);
    EXPECT_GT(blocksRead[1], 0);
    std::cout << "[ EXIF     ] " << tally.files << " files, " << unread << " not read as JPEG, "
              << rejected << " EXIF blocks rejected, " << blocksRead[0] << " II and "
              << blocksRead[1] << " MM blocks read; " << tally.compared << " fields compared, "
              << tally.mismatches.size() << " differ (all explained)\n";
}
