// SPDX-License-Identifier: GPL-3.0-or-later
// The EXIF reader on JPEG files written byte by byte here, so that every
// expected value can be traced to the bytes that give it.

#include "media/ExifReader.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

/// The bytes of a literal, zero bytes included (without the final zero).
template <std::size_t N> std::string B(const char (&text)[N]) {
    return std::string(text, N - 1);
}

/// A 32-bit value in little-endian ("II") order.
std::string U32Le(uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
            static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

// Format codes of directory entries.
constexpr uint16_t kByte = 1;
constexpr uint16_t kAscii = 2;
constexpr uint16_t kShort = 3;
constexpr uint16_t kLong = 4;
constexpr uint16_t kRational = 5;
constexpr uint16_t kSByte = 6;
constexpr uint16_t kUndefined = 7;
constexpr uint16_t kSShort = 8;
constexpr uint16_t kSLong = 9;
constexpr uint16_t kSRational = 10;
constexpr uint16_t kFloat = 11;
constexpr uint16_t kDouble = 12;

/// Writes the TIFF block of an EXIF section: the header ("II" or "MM", 42,
/// the offset of the first directory) and directories laid out one after
/// the other, each followed by the values of its entries that do not fit in
/// the entry's 4 value bytes.
class CTiffWriter {
public:
    explicit CTiffWriter(bool motorola) : motorola(motorola) {}

    /// Adds a directory and returns its number (0 = the first directory).
    int AddDirectory() {
        directories.emplace_back();
        return static_cast<int>(directories.size()) - 1;
    }

    /// An entry with its value bytes, already in the block's byte order.
    void Add(int dir, uint16_t tag, uint16_t format, uint32_t count, std::string value) {
        CEntry entry;
        entry.tag = tag;
        entry.format = format;
        entry.count = count;
        entry.value = std::move(value);
        directories[static_cast<std::size_t>(dir)].entries.push_back(std::move(entry));
    }
    /// An entry whose 4 value bytes are given as they stand (an offset that
    /// may point anywhere, a count that may be anything).
    void AddRaw(int dir, uint16_t tag, uint16_t format, uint32_t count, uint32_t field) {
        CEntry entry;
        entry.tag = tag;
        entry.format = format;
        entry.count = count;
        entry.rawField = true;
        entry.field = field;
        directories[static_cast<std::size_t>(dir)].entries.push_back(std::move(entry));
    }
    void Ascii(int dir, uint16_t tag, const std::string& text) {
        Add(dir, tag, kAscii, static_cast<uint32_t>(text.size() + 1), text + '\0');
    }
    void Short(int dir, uint16_t tag, uint16_t value) { Add(dir, tag, kShort, 1, U16(value)); }
    void Long(int dir, uint16_t tag, uint32_t value) { Add(dir, tag, kLong, 1, U32(value)); }
    void Rational(int dir, uint16_t tag, uint32_t numerator, uint32_t denominator) {
        Add(dir, tag, kRational, 1, U32(numerator) + U32(denominator));
    }
    void SRational(int dir, uint16_t tag, int32_t numerator, int32_t denominator) {
        Add(dir, tag, kSRational, 1,
            U32(static_cast<uint32_t>(numerator)) + U32(static_cast<uint32_t>(denominator)));
    }
    void Undefined(int dir, uint16_t tag, const std::string& bytes) {
        Add(dir, tag, kUndefined, static_cast<uint32_t>(bytes.size()), bytes);
    }
    /// A directory pointer entry (format LONG) to another directory.
    void Link(int dir, uint16_t tag, int target) {
        CEntry entry;
        entry.tag = tag;
        entry.format = kLong;
        entry.count = 1;
        entry.linkTo = target;
        directories[static_cast<std::size_t>(dir)].entries.push_back(std::move(entry));
    }
    /// The next-directory link of dir.
    void Next(int dir, int target) { directories[static_cast<std::size_t>(dir)].next = target; }
    void NextRaw(int dir, uint32_t offset) {
        directories[static_cast<std::size_t>(dir)].next = -1;
        directories[static_cast<std::size_t>(dir)].nextRaw = offset;
    }

    /// Offset of a directory in the block.
    uint32_t OffsetOf(int dir) const {
        Layout();
        return offsets[static_cast<std::size_t>(dir)];
    }

    /// The block; firstOffset is written into the header and the first
    /// directory starts there (after zero bytes).
    std::string Block(uint32_t headerOffset = 8) const {
        start = headerOffset;
        Layout();
        std::string out = motorola ? "MM" : "II";
        out += U16(42);
        out += U32(headerOffset);
        out.resize(start, '\0');
        for (std::size_t d = 0; d < directories.size(); ++d) {
            const CDirectory& dir = directories[d];
            std::string data;
            uint32_t dataOffset =
                offsets[d] + 2 + 12 * static_cast<uint32_t>(dir.entries.size()) + 4;
            out += U16(static_cast<uint16_t>(dir.entries.size()));
            for (const CEntry& entry : dir.entries) {
                out += U16(entry.tag) + U16(entry.format) + U32(entry.count);
                if (entry.rawField) {
                    out += U32(entry.field);
                } else if (entry.linkTo >= 0) {
                    out += U32(offsets[static_cast<std::size_t>(entry.linkTo)]);
                } else if (entry.value.size() <= 4) {
                    out += entry.value + std::string(4 - entry.value.size(), '\0');
                } else {
                    out += U32(dataOffset + static_cast<uint32_t>(data.size()));
                    data += entry.value;
                    if (data.size() % 2 != 0) {
                        data += '\0';
                    }
                }
            }
            if (dir.next >= 0) {
                out += U32(offsets[static_cast<std::size_t>(dir.next)]);
            } else {
                out += U32(dir.nextRaw);
            }
            out += data;
        }
        return out;
    }

    std::string U16(uint16_t v) const {
        const char a = static_cast<char>(v >> 8);
        const char b = static_cast<char>(v & 0xFF);
        return motorola ? std::string{a, b} : std::string{b, a};
    }
    std::string U32(uint32_t v) const {
        const std::string high = U16(static_cast<uint16_t>(v >> 16));
        const std::string low = U16(static_cast<uint16_t>(v & 0xFFFF));
        return motorola ? high + low : low + high;
    }

private:
    struct CEntry {
        uint16_t tag = 0;
        uint16_t format = 0;
        uint32_t count = 0;
        std::string value;
        bool rawField = false;
        uint32_t field = 0;
        int linkTo = -1;
    };
    struct CDirectory {
        std::vector<CEntry> entries;
        int next = -1;
        uint32_t nextRaw = 0;
    };

    void Layout() const {
        offsets.clear();
        uint32_t pos = start;
        for (const CDirectory& dir : directories) {
            offsets.push_back(pos);
            pos += 2 + 12 * static_cast<uint32_t>(dir.entries.size()) + 4;
            for (const CEntry& entry : dir.entries) {
                if (!entry.rawField && entry.linkTo < 0 && entry.value.size() > 4) {
                    pos += static_cast<uint32_t>(entry.value.size() + entry.value.size() % 2);
                }
            }
        }
    }

    bool motorola;
    std::vector<CDirectory> directories;
    mutable std::vector<uint32_t> offsets;
    mutable uint32_t start = 8;
};

std::string Be16(std::size_t v) {
    return std::string{static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}

const std::string kSoi = "\xFF\xD8";

/// A marker section: 0xFF, the marker code, the big-endian length (which
/// counts itself) and the payload.
std::string Section(int marker, const std::string& payload) {
    return std::string{'\xFF', static_cast<char>(marker)} + Be16(payload.size() + 2) + payload;
}
std::string ExifSection(const std::string& tiff) {
    return Section(0xE1, B("Exif\0\0") + tiff);
}
/// A start-of-frame header: precision 8, lines, samples per line, the
/// component count and 3 bytes per component.
std::string Sof(int marker, int height, int width, int components) {
    std::string payload = "\x08" + Be16(static_cast<std::size_t>(height)) +
                          Be16(static_cast<std::size_t>(width)) +
                          std::string(1, static_cast<char>(components));
    for (int c = 1; c <= components; ++c) {
        payload += std::string{static_cast<char>(c), '\x11', '\x00'};
    }
    return Section(marker, payload);
}
std::string Com(const std::string& text) {
    return Section(0xFE, text);
}
/// A start of scan, a little image data and the end of image.
std::string Sos() {
    return Section(0xDA, B("\x01\x01\x00\x00\x3F\x00")) + "\x12\x34\xFF\xD9";
}
std::string Jpeg(const std::string& sections) {
    return kSoi + sections + Sos();
}

struct CRead {
    bool ok = false;
    CExifInfo info;
    std::string error;
};

CRead ReadBytes(const std::string& bytes) {
    CRead result;
    std::istringstream in(bytes);
    CExifReader reader(&result.info);
    result.ok = reader.ReadSections(in);
    result.error = reader.LastError();
    return result;
}

/// A file whose EXIF block holds exactly the given TIFF block.
CRead ReadExif(const std::string& tiff) {
    return ReadBytes(Jpeg(ExifSection(tiff) + Sof(0xC0, 48, 64, 3)));
}

/// A block holding one entry of the given format in the first directory.
CRead ReadOneEntry(bool motorola, uint16_t tag, uint16_t format, uint32_t count,
                   const std::string& value) {
    CTiffWriter tiff(motorola);
    const int ifd0 = tiff.AddDirectory();
    tiff.Add(ifd0, tag, format, count, value);
    return ReadExif(tiff.Block());
}

void ExpectSameInfo(const CExifInfo& a, const CExifInfo& b) {
    EXPECT_EQ(a.version, b.version);
    EXPECT_EQ(a.cameraMake, b.cameraMake);
    EXPECT_EQ(a.cameraModel, b.cameraModel);
    EXPECT_EQ(a.dateTime, b.dateTime);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.orientation, b.orientation);
    EXPECT_EQ(a.isColor, b.isColor);
    EXPECT_EQ(a.process, b.process);
    EXPECT_EQ(a.flashUsed, b.flashUsed);
    EXPECT_EQ(a.focalLength, b.focalLength);
    EXPECT_EQ(a.exposureTime, b.exposureTime);
    EXPECT_EQ(a.apertureFNumber, b.apertureFNumber);
    EXPECT_EQ(a.distance, b.distance);
    EXPECT_EQ(a.ccdWidth, b.ccdWidth);
    EXPECT_EQ(a.exposureBias, b.exposureBias);
    EXPECT_EQ(a.whiteBalance, b.whiteBalance);
    EXPECT_EQ(a.meteringMode, b.meteringMode);
    EXPECT_EQ(a.exposureProgram, b.exposureProgram);
    EXPECT_EQ(a.isoEquivalent, b.isoEquivalent);
    EXPECT_EQ(a.compressionLevel, b.compressionLevel);
    EXPECT_EQ(a.focalPlaneXRes, b.focalPlaneXRes);
    EXPECT_EQ(a.focalPlaneYRes, b.focalPlaneYRes);
    EXPECT_EQ(a.focalPlaneUnits, b.focalPlaneUnits);
    EXPECT_EQ(a.xResolution, b.xResolution);
    EXPECT_EQ(a.yResolution, b.yResolution);
    EXPECT_EQ(a.resolutionUnit, b.resolutionUnit);
    EXPECT_EQ(a.brightness, b.brightness);
    EXPECT_EQ(a.comments, b.comments);
    EXPECT_EQ(a.exifPresent, b.exifPresent);
}

/// A camera's block: IFD0 with the camera and the resolution, the EXIF
/// directory with the exposure facts, an interoperability directory, and
/// IFD1 (the thumbnail's directory) with a resolution of its own.
std::string CameraBlock(bool motorola) {
    CTiffWriter tiff(motorola);
    const int ifd0 = tiff.AddDirectory();
    const int exif = tiff.AddDirectory();
    const int interop = tiff.AddDirectory();
    const int ifd1 = tiff.AddDirectory();

    tiff.Ascii(ifd0, 0x010F, "Canon");
    tiff.Ascii(ifd0, 0x0110, "Canon PowerShot S40");
    tiff.Short(ifd0, 0x0112, 6);                     // orientation: rotate 90
    tiff.Rational(ifd0, 0x011A, 180, 1);             // overwritten by IFD1
    tiff.Rational(ifd0, 0x011B, 180, 1);             // overwritten by IFD1
    tiff.Short(ifd0, 0x0128, 2);                     // inches, overwritten by IFD1
    tiff.Ascii(ifd0, 0x0132, "1999:01:01 00:00:00"); // DateTime: not read
    tiff.Link(ifd0, 0x8769, exif);
    tiff.Next(ifd0, ifd1);

    tiff.Rational(exif, 0x829A, 1, 250); // 0.004 s
    tiff.Rational(exif, 0x829D, 28, 10); // f/2.8
    tiff.Short(exif, 0x8822, 2);         // normal program
    tiff.Short(exif, 0x8827, 400);
    tiff.Undefined(exif, 0x9000, "0220");
    tiff.Ascii(exif, 0x9003, "2004:07:09 14:03:00");
    tiff.Ascii(exif, 0x9004, "2004:07:10 10:00:00"); // DateTimeDigitized: not read
    tiff.Rational(exif, 0x9102, 5, 2);               // 2.5 bits per pixel: 2
    tiff.SRational(exif, 0x9201, 8, 1);              // shutter speed: exposure time given already
    tiff.Rational(exif, 0x9202, 6, 1);               // aperture value: f-number given already
    tiff.SRational(exif, 0x9203, -15, 10);           // brightness -1.5
    tiff.SRational(exif, 0x9204, -2, 3);             // exposure bias -2/3
    tiff.Rational(exif, 0x9205, 3, 1);               // max aperture: f-number given already
    tiff.Rational(exif, 0x9206, 357, 100);           // 3.57 m
    tiff.Short(exif, 0x9207, 5);                     // pattern
    tiff.Short(exif, 0x9208, 1);                     // daylight
    tiff.Short(exif, 0x9209, 25);                    // fired, auto mode: bits 0 and 3 and 4
    tiff.Rational(exif, 0x920A, 2140, 100);          // 21.4 mm
    tiff.Undefined(exif, 0x9286, B("ASCII\0\0\0Holiday"));
    tiff.Long(exif, 0xA002, 2272); // pixel width
    tiff.Long(exif, 0xA003, 1704); // pixel height
    tiff.Link(exif, 0xA005, interop);
    tiff.Rational(exif, 0xA20E, 2272000, 280); // 8114.2857 per unit
    tiff.Rational(exif, 0xA20F, 1704000, 210); // 8114.2857 per unit
    tiff.Short(exif, 0xA210, 2);               // inches: 1.0

    tiff.Ascii(interop, 0x0001, "R98"); // interoperability index: ignored
    tiff.Undefined(interop, 0x0002, "0100");

    tiff.Short(ifd1, 0x0103, 6); // compression of the thumbnail: ignored
    tiff.Rational(ifd1, 0x011A, 72, 1);
    tiff.Rational(ifd1, 0x011B, 96, 1);
    tiff.Short(ifd1, 0x0128, 3); // centimetres: 1 / 2.54 inch per unit
    return tiff.Block();
}

// ---------------------------------------------------------------------------
// The sections of the file
// ---------------------------------------------------------------------------

TEST(ExifSectionsTest, FileThatIsNotJpegFails) {
    const CRead png = ReadBytes(B("\x89PNG\r\n\x1a\n\0\0\0\rIHDR"));
    EXPECT_FALSE(png.ok);
    EXPECT_EQ(png.error, "");
    EXPECT_FALSE(ReadBytes("").ok);
    EXPECT_FALSE(ReadBytes("\xFF").ok);
    EXPECT_FALSE(ReadBytes("\xD8\xFF").ok);
}

TEST(ExifSectionsTest, JpegWithoutExifGivesTheFrameOnly) {
    const CRead baseline = ReadBytes(Jpeg(Section(0xE0, "JFIF") + Sof(0xC0, 480, 640, 3)));
    ASSERT_TRUE(baseline.ok);
    EXPECT_EQ(baseline.info.exifPresent, 0);
    EXPECT_EQ(baseline.info.height, 480);
    EXPECT_EQ(baseline.info.width, 640);
    EXPECT_EQ(baseline.info.isColor, 1);
    EXPECT_EQ(baseline.info.process, 0xC0);
    EXPECT_EQ(baseline.error, "");

    const CRead progressiveGrey = ReadBytes(Jpeg(Sof(0xC2, 1000, 65535, 1)));
    ASSERT_TRUE(progressiveGrey.ok);
    EXPECT_EQ(progressiveGrey.info.height, 1000);
    EXPECT_EQ(progressiveGrey.info.width, 65535);
    EXPECT_EQ(progressiveGrey.info.isColor, 0);
    EXPECT_EQ(progressiveGrey.info.process, 194);
}

TEST(ExifSectionsTest, EveryFrameMarkerIsAFrameHeaderAndTheLastOneCounts) {
    for (int marker :
         {0xC0, 0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
        const CRead read = ReadBytes(Jpeg(Sof(marker, 10, 20, 3)));
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(read.info.process, marker);
        EXPECT_EQ(read.info.width, 20);
    }
    // 0xC4 (Huffman tables), 0xC8 and 0xCC (arithmetic coding) are not frames.
    for (int marker : {0xC4, 0xC8, 0xCC}) {
        const CRead read = ReadBytes(Jpeg(Sof(marker, 10, 20, 3)));
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(read.info.process, 0);
        EXPECT_EQ(read.info.width, 0);
    }
    const CRead two = ReadBytes(Jpeg(Sof(0xC0, 10, 20, 3) + Sof(0xC2, 30, 40, 1)));
    ASSERT_TRUE(two.ok);
    EXPECT_EQ(two.info.height, 30);
    EXPECT_EQ(two.info.width, 40);
    EXPECT_EQ(two.info.isColor, 0);
    EXPECT_EQ(two.info.process, 0xC2);
}

TEST(ExifSectionsTest, ShortFrameHeaderIsReadSafelyAndSaysNothing) {
    // 5 payload bytes: precision, lines, and one byte of the samples.
    const CRead read =
        ReadBytes(Jpeg(Sof(0xC0, 10, 20, 3) + Section(0xC2, B("\x08\x00\x30\x00\x40"))));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.info.height, 10);
    EXPECT_EQ(read.info.width, 20);
    EXPECT_EQ(read.info.process, 0xC0);
    // An empty frame section.
    EXPECT_TRUE(ReadBytes(Jpeg(Section(0xC0, ""))).ok);
}

TEST(ExifSectionsTest, SectionLengthBelowTwoIsAnInvalidMarker) {
    for (const std::string& length : {B("\x00\x01"), B("\x00\x00")}) {
        const CRead read = ReadBytes(kSoi + "\xFF\xE0" + length + "JFIF");
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.error, "invalid marker");
    }
}

TEST(ExifSectionsTest, FileEndingBeforeTheImageDataFails) {
    const std::string whole = Jpeg(ExifSection(CameraBlock(false)) + Sof(0xC0, 48, 64, 3));
    // Cut inside every part: a section, a length, between sections, and
    // inside the start-of-scan header.
    const std::size_t scanData = whole.size() - 4;
    for (std::size_t size = 2; size < scanData; ++size) {
        const CRead read = ReadBytes(whole.substr(0, size));
        EXPECT_FALSE(read.ok) << size;
        EXPECT_EQ(read.error, "Premature end of file?") << size;
    }
    // The image data itself is never read: without it the file still reads.
    EXPECT_TRUE(ReadBytes(whole.substr(0, scanData)).ok);
}

TEST(ExifSectionsTest, EndOfImageBeforeTheScanFailsWithoutText) {
    const CRead read = ReadBytes(kSoi + Sof(0xC0, 10, 20, 3) + "\xFF\xD9" + Be16(2));
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, "");
}

TEST(ExifSectionsTest, AtMostSixPaddingBytesBeforeAMarker) {
    const std::string frame = Sof(0xC0, 10, 20, 3).substr(1); // without its 0xFF
    const CRead six = ReadBytes(kSoi + std::string(6, '\xFF') + frame + Sos());
    ASSERT_TRUE(six.ok);
    EXPECT_EQ(six.info.width, 20);
    const CRead seven = ReadBytes(kSoi + std::string(7, '\xFF') + frame + Sos());
    EXPECT_FALSE(seven.ok);
    EXPECT_EQ(seven.error, "");
    // A marker code without any 0xFF before it is taken as well.
    const CRead none = ReadBytes(kSoi + frame + Sos());
    ASSERT_TRUE(none.ok);
    EXPECT_EQ(none.info.width, 20);
}

TEST(ExifSectionsTest, TwentyStoredSectionsIncludingTheScanAtMost) {
    // Quantisation tables (0xDB) are stored and count.
    const std::string table = Section(0xDB, std::string(65, '\x01'));
    std::string nineteen = Sof(0xC0, 10, 20, 3);
    for (int i = 0; i < 18; ++i) {
        nineteen += table;
    }
    const CRead fits = ReadBytes(Jpeg(nineteen));
    EXPECT_TRUE(fits.ok);
    EXPECT_EQ(fits.error, "");

    const CRead tooMany = ReadBytes(Jpeg(nineteen + table));
    EXPECT_FALSE(tooMany.ok);
    EXPECT_EQ(tooMany.error, "Too many sections in jpg file");

    // APP0 sections, APP1 sections that are not EXIF and every comment
    // section after the first are dropped and do not count.
    std::string dropped;
    for (int i = 0; i < 30; ++i) {
        dropped += Section(0xE0, "JFIF") + Section(0xE1, "http://ns.adobe.com/xap/1.0/") +
                   Com("later comment");
    }
    // The first comment + frame + 17 tables = 19 stored before the scan.
    const std::string eighteen = nineteen.substr(0, nineteen.size() - table.size());
    const CRead droppedFit = ReadBytes(Jpeg(Com("first") + dropped + eighteen));
    EXPECT_TRUE(droppedFit.ok);
    EXPECT_EQ(droppedFit.info.comments, "first");
    const CRead manyDropped = ReadBytes(Jpeg(Com("first") + dropped + nineteen));
    EXPECT_FALSE(manyDropped.ok);
    EXPECT_EQ(manyDropped.error, "Too many sections in jpg file");
}

TEST(ExifSectionsTest, TooManySectionsFailsEvenAfterAGoodExifBlock) {
    std::string sections = ExifSection(CameraBlock(false)) + Sof(0xC0, 48, 64, 3);
    for (int i = 0; i < 18; ++i) {
        sections += Section(0xDB, "x");
    }
    const CRead read = ReadBytes(Jpeg(sections));
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.info.exifPresent, 1);
    EXPECT_EQ(read.error, "Too many sections in jpg file");
}

// ---------------------------------------------------------------------------
// The EXIF block
// ---------------------------------------------------------------------------

TEST(ExifBlockTest, CameraBlockGivesEveryField) {
    const CRead read = ReadBytes(Jpeg(ExifSection(CameraBlock(false)) + Sof(0xC0, 1704, 2272, 3)));
    ASSERT_TRUE(read.ok);
    const CExifInfo& info = read.info;
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(info.exifPresent, 1);
    EXPECT_EQ(info.version, "0220");
    EXPECT_EQ(info.cameraMake, "Canon");
    EXPECT_EQ(info.cameraModel, "Canon PowerShot S40");
    EXPECT_EQ(info.dateTime, "2004:07:09 14:03:00");
    EXPECT_EQ(info.height, 1704);
    EXPECT_EQ(info.width, 2272);
    EXPECT_EQ(info.orientation, 6);
    EXPECT_EQ(info.isColor, 1);
    EXPECT_EQ(info.process, 192);
    EXPECT_EQ(info.flashUsed, 1);
    EXPECT_FLOAT_EQ(info.focalLength, 21.4f);
    EXPECT_FLOAT_EQ(info.exposureTime, 0.004f);
    EXPECT_FLOAT_EQ(info.apertureFNumber, 2.8f);
    EXPECT_FLOAT_EQ(info.distance, 3.57f);
    // 2272 pixels × 1 inch per unit / 8114.2857 pixels per unit.
    EXPECT_FLOAT_EQ(info.ccdWidth, 0.28f);
    EXPECT_FLOAT_EQ(info.exposureBias, -2.0f / 3.0f);
    EXPECT_EQ(info.whiteBalance, 1);
    EXPECT_EQ(info.meteringMode, 5);
    EXPECT_EQ(info.exposureProgram, 2);
    EXPECT_EQ(info.isoEquivalent, 400);
    EXPECT_EQ(info.compressionLevel, 2);
    EXPECT_FLOAT_EQ(info.focalPlaneXRes, 2272000.0f / 280.0f);
    EXPECT_FLOAT_EQ(info.focalPlaneYRes, 1704000.0f / 210.0f);
    EXPECT_FLOAT_EQ(info.focalPlaneUnits, 1.0f);
    // IFD1's resolution overwrites IFD0's.
    EXPECT_FLOAT_EQ(info.xResolution, 72.0f);
    EXPECT_FLOAT_EQ(info.yResolution, 96.0f);
    EXPECT_FLOAT_EQ(info.resolutionUnit, 0.3937008f);
    EXPECT_FLOAT_EQ(info.brightness, -1.5f);
    EXPECT_EQ(info.comments, "Holiday");
}

TEST(ExifBlockTest, BothByteOrdersGiveTheSameRecord) {
    const CRead intel = ReadBytes(Jpeg(ExifSection(CameraBlock(false)) + Sof(0xC0, 1704, 2272, 3)));
    const CRead motorola =
        ReadBytes(Jpeg(ExifSection(CameraBlock(true)) + Sof(0xC0, 1704, 2272, 3)));
    ASSERT_TRUE(intel.ok);
    ASSERT_TRUE(motorola.ok);
    EXPECT_NE(CameraBlock(false), CameraBlock(true));
    EXPECT_EQ(motorola.info.cameraMake, "Canon");
    EXPECT_EQ(motorola.info.xResolution, 72.0f);
    ExpectSameInfo(intel.info, motorola.info);
}

TEST(ExifBlockTest, EveryFormatAsANumber) {
    struct CCase {
        uint16_t format;
        uint32_t count;
        std::string (*value)(const CTiffWriter&);
        float expected;
    };
    const CCase cases[] = {
        {kByte, 1, [](const CTiffWriter&) { return std::string("\xFB"); }, 251.0f},
        {kAscii, 3, [](const CTiffWriter&) { return B("12\0"); }, 0.0f},
        {kShort, 1, [](const CTiffWriter& t) { return t.U16(65000); }, 65000.0f},
        {kLong, 1, [](const CTiffWriter& t) { return t.U32(4000000000u); }, 4e9f},
        {kRational, 1, [](const CTiffWriter& t) { return t.U32(7) + t.U32(2); }, 3.5f},
        {kRational, 1, [](const CTiffWriter& t) { return t.U32(7) + t.U32(0); }, 0.0f},
        {kSByte, 1, [](const CTiffWriter&) { return std::string("\xFB"); }, -5.0f},
        {kUndefined, 4, [](const CTiffWriter&) { return std::string("\x01\x02\x03\x04"); }, 0.0f},
        {kSShort, 1, [](const CTiffWriter& t) { return t.U16(0xFFFE); }, -2.0f},
        {kSLong, 1, [](const CTiffWriter& t) { return t.U32(0xFFFFFFF6u); }, -10.0f},
        {kSRational, 1, [](const CTiffWriter& t) { return t.U32(0xFFFFFFFDu) + t.U32(4); }, -0.75f},
        {kSRational, 1, [](const CTiffWriter& t) { return t.U32(3) + t.U32(0); }, 0.0f},
        // 0x3FC00000 is 1.5 as a 32-bit real.
        {kFloat, 1, [](const CTiffWriter& t) { return t.U32(0x3FC00000u); }, 1.5f},
        // 0xC004000000000000 is -2.5 as a 64-bit real.
        {kDouble, 1, [](const CTiffWriter& t) { return t.U32(0xC0040000u) + t.U32(0); }, -2.5f},
        // Only the first of several components counts.
        {kShort, 3, [](const CTiffWriter& t) { return t.U16(9) + t.U16(8) + t.U16(7); }, 9.0f},
        // No component: 0, and nothing is read.
        {kRational, 0, [](const CTiffWriter&) { return std::string(); }, 0.0f},
        {0, 5, [](const CTiffWriter&) { return std::string(); }, 0.0f},
    };
    for (bool motorola : {false, true}) {
        for (const CCase& c : cases) {
            SCOPED_TRACE(testing::Message() << "format " << c.format << " motorola " << motorola);
            CTiffWriter writer(motorola);
            std::string value = c.value(writer);
            if (c.format == kDouble && !motorola) {
                // Little-endian: the low word comes first.
                value = writer.U32(0) + writer.U32(0xC0040000u);
            }
            // ExposureBiasValue is a plain real field.
            const CRead read = ReadOneEntry(motorola, 0x9204, c.format, c.count, value);
            ASSERT_TRUE(read.ok);
            EXPECT_EQ(read.info.exifPresent, 1);
            EXPECT_FLOAT_EQ(read.info.exposureBias, c.expected);
        }
    }
}

TEST(ExifBlockTest, IntegerFieldsCutTheFraction) {
    // CompressedBitsPerPixel 7/2 = 3.5 gives 3; -7/2 (signed) gives -3.
    EXPECT_EQ(
        ReadOneEntry(false, 0x9102, kRational, 1, B("\x07\0\0\0\x02\0\0\0")).info.compressionLevel,
        3);
    EXPECT_EQ(ReadOneEntry(false, 0x9102, kSRational, 1, B("\xF9\xFF\xFF\xFF\x02\0\0\0"))
                  .info.compressionLevel,
              -3);
    // An unsigned value beyond the 32-bit signed range stays at its top.
    EXPECT_EQ(ReadOneEntry(false, 0x8822, kLong, 1, B("\xFF\xFF\xFF\xFF")).info.exposureProgram,
              2147483647);
}

TEST(ExifBlockTest, ValuesThatARealCannotHoldAreSafe) {
    // A 64-bit real beyond the 32-bit range, an infinite one and a NaN.
    const std::string huge("\0\0\0\0\0\0\xF0\x7F", 8); // +infinity, little-endian
    const std::string nan("\0\0\0\0\0\0\xF8\x7F", 8);
    const std::string big("\0\0\0\0\0\0\xF0\x47", 8); // 2^128
    EXPECT_EQ(ReadOneEntry(false, 0x9204, kDouble, 1, huge).info.exposureBias, FLT_MAX);
    EXPECT_EQ(ReadOneEntry(false, 0x9204, kDouble, 1, big).info.exposureBias, FLT_MAX);
    EXPECT_EQ(ReadOneEntry(false, 0x9204, kDouble, 1, nan).info.exposureBias, 0.0f);
    EXPECT_EQ(ReadOneEntry(false, 0x9207, kDouble, 1, nan).info.meteringMode, 0);
    EXPECT_EQ(ReadOneEntry(false, 0x9207, kDouble, 1, huge).info.meteringMode, 2147483647);
    // ShutterSpeedValue of -1000 (2^1000 seconds) and ISO -2^31 × 200.
    EXPECT_EQ(ReadOneEntry(false, 0x9201, kSLong, 1, B("\x18\xFC\xFF\xFF")).info.exposureTime,
              FLT_MAX);
    EXPECT_EQ(ReadOneEntry(false, 0x8827, kSLong, 1, B("\0\0\0\x80")).info.isoEquivalent,
              -2147483647 - 1);
}

TEST(ExifBlockTest, ExposureAndApertureFromTheApexValues) {
    CTiffWriter tiff(false);
    const int ifd0 = tiff.AddDirectory();
    tiff.SRational(ifd0, 0x9201, 6, 1); // 1 / 2^6
    tiff.Rational(ifd0, 0x9202, 4, 1);  // 2^(4/2)
    const CRead read = ReadExif(tiff.Block());
    ASSERT_TRUE(read.ok);
    EXPECT_FLOAT_EQ(read.info.exposureTime, 0.015625f);
    EXPECT_FLOAT_EQ(read.info.apertureFNumber, 4.0f);

    // MaxApertureValue when neither FNumber nor ApertureValue is there:
    // 2^(5/2) = 5.657.
    CTiffWriter maxOnly(true);
    const int dir = maxOnly.AddDirectory();
    maxOnly.Rational(dir, 0x9205, 5, 1);
    EXPECT_FLOAT_EQ(ReadExif(maxOnly.Block()).info.apertureFNumber, 5.656854f);

    // The first APEX value that fills the field wins; a direct tag that
    // comes later overwrites it.
    CTiffWriter order(false);
    const int o = order.AddDirectory();
    order.Rational(o, 0x9202, 2, 1);  // f/2
    order.Rational(o, 0x9205, 8, 1);  // f-number already there: ignored
    order.SRational(o, 0x9201, 1, 1); // 0.5 s
    order.Rational(o, 0x829A, 1, 60); // ExposureTime out of order: overwrites
    const CRead ordered = ReadExif(order.Block());
    EXPECT_FLOAT_EQ(ordered.info.apertureFNumber, 2.0f);
    EXPECT_FLOAT_EQ(ordered.info.exposureTime, 1.0f / 60.0f);
}

TEST(ExifBlockTest, IsoBelowFiftyIsMultipliedBy200) {
    const std::pair<uint16_t, int32_t> cases[] = {
        {1, 200}, {49, 9800}, {50, 50}, {100, 100}, {0, 0}};
    for (const auto& [stored, expected] : cases) {
        CTiffWriter tiff(true);
        const int dir = tiff.AddDirectory();
        tiff.Short(dir, 0x8827, stored);
        EXPECT_EQ(ReadExif(tiff.Block()).info.isoEquivalent, expected) << stored;
    }
}

TEST(ExifBlockTest, FlashUsedFromTheThreeLowestBits) {
    const std::pair<uint16_t, int32_t> cases[] = {{0, 0}, {16, 0}, {24, 0}, {25, 1},
                                                  {1, 1}, {4, 1},  {7, 1},  {0x58, 0}};
    for (const auto& [stored, expected] : cases) {
        CTiffWriter tiff(false);
        const int dir = tiff.AddDirectory();
        tiff.Short(dir, 0x9209, stored);
        EXPECT_EQ(ReadExif(tiff.Block()).info.flashUsed, expected) << stored;
    }
}

TEST(ExifBlockTest, UnitsAsInchesPerUnit) {
    const std::pair<uint16_t, float> cases[] = {
        {1, 1.0f}, {2, 1.0f}, {3, 0.3937008f}, {4, 0.03937008f}, {5, 0.00003937008f}};
    for (const auto& [code, inches] : cases) {
        CTiffWriter tiff(false);
        const int dir = tiff.AddDirectory();
        tiff.Short(dir, 0x0128, code);
        tiff.Short(dir, 0xA210, code);
        const CRead read = ReadExif(tiff.Block());
        EXPECT_FLOAT_EQ(read.info.resolutionUnit, inches) << code;
        EXPECT_FLOAT_EQ(read.info.focalPlaneUnits, inches) << code;
    }
    // Any other code leaves the field as it was.
    CTiffWriter tiff(false);
    const int dir = tiff.AddDirectory();
    tiff.Short(dir, 0x0128, 3);
    tiff.Short(dir, 0x0128, 0);
    tiff.Short(dir, 0xA210, 6);
    const CRead read = ReadExif(tiff.Block());
    EXPECT_FLOAT_EQ(read.info.resolutionUnit, 0.3937008f);
    EXPECT_EQ(read.info.focalPlaneUnits, 0.0f);
}

TEST(ExifBlockTest, CcdWidthFromTheLargerPixelDimension) {
    // 2000 pixels × 0.3937008 inch per centimetre / 1000 pixels per
    // centimetre = 0.787 inch.
    CTiffWriter tiff(true);
    const int dir = tiff.AddDirectory();
    tiff.Long(dir, 0xA002, 1500);
    tiff.Short(dir, 0xA003, 2000);
    tiff.Rational(dir, 0xA20E, 1000, 1);
    tiff.Short(dir, 0xA210, 3);
    EXPECT_FLOAT_EQ(ReadExif(tiff.Block()).info.ccdWidth, 0.7874016f);

    // Without a focal plane resolution there is no width.
    CTiffWriter none(true);
    const int n = none.AddDirectory();
    none.Long(n, 0xA002, 1500);
    none.Short(n, 0xA210, 3);
    EXPECT_EQ(ReadExif(none.Block()).info.ccdWidth, 0.0f);
}

TEST(ExifBlockTest, UndefinedRotationIsNotAFailure) {
    CTiffWriter tiff(false);
    const int dir = tiff.AddDirectory();
    tiff.Short(dir, 0x0112, 9);
    tiff.Ascii(dir, 0x010F, "NIKON");
    const CRead read = ReadExif(tiff.Block());
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.info.orientation, 0);
    EXPECT_EQ(read.info.cameraMake, "NIKON");
    EXPECT_EQ(read.info.exifPresent, 1);
    EXPECT_EQ(read.error, "Undefined rotation value");

    for (uint16_t value : {uint16_t{1}, uint16_t{8}}) {
        CTiffWriter good(false);
        const int g = good.AddDirectory();
        good.Short(g, 0x0112, value);
        EXPECT_EQ(ReadExif(good.Block()).info.orientation, value);
    }
    CTiffWriter zero(false);
    zero.Short(zero.AddDirectory(), 0x0112, 0);
    EXPECT_EQ(ReadExif(zero.Block()).error, "Undefined rotation value");
}

TEST(ExifBlockTest, TextsStopAtZeroAndAtTheirLimit) {
    CTiffWriter tiff(false);
    const int dir = tiff.AddDirectory();
    tiff.Ascii(dir, 0x010F, std::string(40, 'M'));           // cut to 31
    tiff.Ascii(dir, 0x0110, std::string(50, 'm'));           // cut to 39
    tiff.Ascii(dir, 0x9003, "2004:07:09 14:03:00 and more"); // cut to 19
    tiff.Undefined(dir, 0x9000, "02301");                    // 4 bytes
    const CRead read = ReadExif(tiff.Block());
    EXPECT_EQ(read.info.cameraMake, std::string(31, 'M'));
    EXPECT_EQ(read.info.cameraModel, std::string(39, 'm'));
    EXPECT_EQ(read.info.dateTime, "2004:07:09 14:03:00");
    EXPECT_EQ(read.info.version, "0230");

    // A zero byte ends the text; a short text sits in the entry itself; a
    // text without zero ends with its byte count (never reads past it).
    CTiffWriter shortTexts(true);
    const int s = shortTexts.AddDirectory();
    shortTexts.Add(s, 0x010F, kAscii, 8, B("Ab\0cdefg"));
    shortTexts.Add(s, 0x0110, kAscii, 3, "XYZ");
    shortTexts.Add(s, 0x9003, kAscii, 0, "");
    const CRead texts = ReadExif(shortTexts.Block());
    EXPECT_EQ(texts.info.cameraMake, "Ab");
    EXPECT_EQ(texts.info.cameraModel, "XYZ");
    EXPECT_EQ(texts.info.dateTime, "");
    EXPECT_EQ(texts.info.exifPresent, 1);

    // Characters, not bytes: 31 two-byte letters fit, the 32nd is cut.
    std::string accents;
    for (int i = 0; i < 32; ++i) {
        accents += "\xC3\xA9"; // é
    }
    CTiffWriter utf8(false);
    utf8.Ascii(utf8.AddDirectory(), 0x010F, accents);
    EXPECT_EQ(ReadExif(utf8.Block()).info.cameraMake, accents.substr(0, 62));

    // Texts are taken whatever the format code says.
    CTiffWriter undefined(false);
    undefined.Add(undefined.AddDirectory(), 0x0110, kByte, 6, "Pentax");
    EXPECT_EQ(ReadExif(undefined.Block()).info.cameraModel, "Pentax");
}

TEST(ExifBlockTest, UserCommentRules) {
    auto comment = [](const std::string& value) {
        CTiffWriter tiff(false);
        tiff.Undefined(tiff.AddDirectory(), 0x9286, value);
        return ReadExif(tiff.Block()).info.comments;
    };
    // The ASCII character code, then the text; trailing blanks go.
    EXPECT_EQ(comment(B("ASCII\0\0\0Hello world   ")), "Hello world");
    // The text begins at the first of positions 5 to 9 that is neither
    // zero nor blank.
    EXPECT_EQ(comment(B("ASCII  \0\0Hi")), "Hi");
    EXPECT_EQ(comment(B("ASCIIxyz")), "xyz");
    EXPECT_EQ(comment(B("ASCII\0\0\0\0\0after ten")), "");
    // Another character code: taken from the first byte, up to a zero.
    EXPECT_EQ(comment(B("UNICODE\0H\0i\0")), "UNICODE");
    EXPECT_EQ(comment(B("\0\0\0\0\0\0\0\0text")), "");
    EXPECT_EQ(comment(B("Just text")), "Just text");
    // At most 199 characters.
    EXPECT_EQ(comment("ASCII\0\0\0" + std::string(300, 'c')), std::string(199, 'c'));
    EXPECT_EQ(comment(std::string(250, 'd')), std::string(199, 'd'));
    // Only blanks: nothing.
    EXPECT_EQ(comment(std::string(20, ' ')), "");

    // A comment of only a character code and blanks leaves an earlier one.
    CTiffWriter tiff(false);
    const int dir = tiff.AddDirectory();
    tiff.Undefined(dir, 0x9286, B("ASCII\0\0\0First"));
    tiff.Undefined(dir, 0x9286, B("ASCII\0\0\0        "));
    EXPECT_EQ(ReadExif(tiff.Block()).info.comments, "First");
}

TEST(ExifBlockTest, CommentSectionRules) {
    const CRead read = ReadBytes(Jpeg(
        Com(B("line 1\r\nline 2\rtab\there\x01\x1F\n\xA9 caf\xC3\xA9\0")) + Sof(0xC0, 1, 1, 3)));
    ASSERT_TRUE(read.ok);
    // CR before LF dropped, a lone CR and other bytes below 32 become "?",
    // tab and LF stay, bytes of 128 and above are copied, the zero is "?".
    EXPECT_EQ(read.info.comments, "line 1\nline 2?tab\there??\n\xA9 caf\xC3\xA9?");

    // At most 998 characters (the section from offset 2 up to offset 1000).
    const CRead longer = ReadBytes(Jpeg(Com(std::string(1200, 'x'))));
    EXPECT_EQ(longer.info.comments, std::string(998, 'x'));

    // Only the first comment section counts.
    const CRead two = ReadBytes(Jpeg(Com("first") + Com("second")));
    EXPECT_EQ(two.info.comments, "first");
}

TEST(ExifBlockTest, CommentSectionAndUserCommentOrder) {
    CTiffWriter tiff(false);
    tiff.Undefined(tiff.AddDirectory(), 0x9286, B("ASCII\0\0\0From EXIF"));
    const std::string exif = ExifSection(tiff.Block());
    // The usual order, EXIF block first: the comment section wins.
    EXPECT_EQ(ReadBytes(Jpeg(exif + Com("From COM"))).info.comments, "From COM");
    // Comment section first: the EXIF block empties it and fills its own.
    EXPECT_EQ(ReadBytes(Jpeg(Com("From COM") + exif)).info.comments, "From EXIF");
    CTiffWriter empty(false);
    empty.Short(empty.AddDirectory(), 0x0112, 1);
    EXPECT_EQ(ReadBytes(Jpeg(Com("From COM") + ExifSection(empty.Block()))).info.comments, "");
}

TEST(ExifBlockTest, HeaderErrors) {
    const std::string good = CameraBlock(false);
    struct CCase {
        std::string payload; // the APP1 payload after "Exif"
        const char* error;
    };
    const CCase cases[] = {
        {B("\0\x01") + good, "Incorrect Exif header"},
        {B("\0"), "Incorrect Exif header"},
        {B("\0\0"), "Invalid Exif alignment marker."},
        {B("\0\0IM") + good.substr(2), "Invalid Exif alignment marker."},
        {B("\0\0MI") + good.substr(2), "Invalid Exif alignment marker."},
        {B("\0\0II"), "Invalid Exif start (1)"},
        {B("\0\0II\x2B\0") + good.substr(4), "Invalid Exif start (1)"},
        {B("\0\0MM\x2A\0") + good.substr(4), "Invalid Exif start (1)"},
        {B("\0\0II\x2A\0"), "Suspicious offset of first IFD value"},
        // Inside the header, and at or beyond the end of the block.
        {B("\0\0II\x2A\0\x07\0\0\0") + good.substr(8), "Suspicious offset of first IFD value"},
        {B("\0\0II\x2A\0") + U32Le(static_cast<uint32_t>(good.size())) + good.substr(8),
         "Suspicious offset of first IFD value"},
        {B("\0\0II\x2A\0\xFF\xFF\xFF\xFF") + good.substr(8),
         "Suspicious offset of first IFD value"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.error);
        const CRead read =
            ReadBytes(Jpeg(Section(0xE1, "Exif" + c.payload) + Sof(0xC0, 48, 64, 3)));
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(read.info.exifPresent, 0);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.info.width, 64);
    }
    // "Exif" with fewer than four bytes, or another APP1 text: not an EXIF
    // block at all.
    const CRead xmp = ReadBytes(Jpeg(Section(0xE1, "Exi")));
    EXPECT_TRUE(xmp.ok);
    EXPECT_EQ(xmp.error, "");
}

TEST(ExifBlockTest, FirstDirectoryWhereTheHeaderSaysItIs) {
    // An offset of 12: four filler bytes after the header, then the
    // directory. Cameras put it beyond offset 16 too: anywhere in the block
    // is valid.
    CTiffWriter tiff(true);
    tiff.Ascii(tiff.AddDirectory(), 0x010F, "Leica");
    for (uint32_t offset : {8u, 12u, 16u, 17u, 20u, 300u, 4000u}) {
        const CRead read = ReadExif(tiff.Block(offset));
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(read.info.exifPresent, 1) << offset;
        EXPECT_EQ(read.info.cameraMake, "Leica") << offset;
    }
}

TEST(ExifBlockTest, DirectoryErrorsKeepWhatWasReadBefore) {
    struct CCase {
        const char* error;
        void (*build)(CTiffWriter&, int);
    };
    const CCase cases[] = {
        {"Illegal format code in EXIF dir",
         [](CTiffWriter& t, int d) { t.AddRaw(d, 0x0110, 13, 1, 0); }},
        {"Illegal pointer offset value in EXIF.",
         [](CTiffWriter& t, int d) { t.AddRaw(d, 0x0110, kAscii, 10, 0xFFFFFFF0u); }},
        {"Illegal pointer offset value in EXIF.",
         [](CTiffWriter& t, int d) { t.AddRaw(d, 0x0110, kAscii, 0xFFFFFFFFu, 8); }},
        // 2^32 - 1 components of 8 bytes.
        {"Illegal pointer offset value in EXIF.",
         [](CTiffWriter& t, int d) { t.AddRaw(d, 0x9204, kDouble, 0xFFFFFFFFu, 8); }},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.error);
        CTiffWriter tiff(false);
        const int dir = tiff.AddDirectory();
        tiff.Ascii(dir, 0x010F, "Olympus"); // read before the fault
        c.build(tiff, dir);
        tiff.Ascii(dir, 0x9003, "2004:07:09 14:03:00"); // after it: never read
        const CRead read = ReadExif(tiff.Block());
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(read.info.exifPresent, 0);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.info.cameraMake, "Olympus");
        EXPECT_EQ(read.info.dateTime, "");
        EXPECT_EQ(read.info.height, 48);
    }
}

TEST(ExifBlockTest, BrokenSubDirectoryLinksSkipTheirDirectory) {
    // IFD0 links to the EXIF directory; the broken link (of IFD0 or of the
    // EXIF directory) comes after the fields of both.
    const auto build = [](bool motorola, uint16_t tag, uint32_t offset) {
        CTiffWriter tiff(motorola);
        const int ifd0 = tiff.AddDirectory();
        const int exif = tiff.AddDirectory();
        tiff.Ascii(ifd0, 0x010F, "Olympus");
        tiff.Link(ifd0, 0x8769, exif);
        tiff.Ascii(exif, 0x9003, "2004:07:09 14:03:00");
        tiff.AddRaw(tag == 0x8769 ? ifd0 : exif, tag, kLong, 1, offset);
        tiff.Ascii(ifd0, 0x0110, "E-10"); // after the link in IFD0
        return tiff.Block();
    };
    struct CCase {
        const char* error;
        uint16_t tag;
        uint32_t offset; ///< 0: the end of the block, where a directory does not fit
    };
    const CCase cases[] = {{"Illegal subdirectory link", 0x8769, 0x10000},
                           {"Illegal subdirectory link", 0xA005, 0xFFFFFFFFu},
                           {"Illegally sized directory", 0xA005, 0}};
    for (bool motorola : {false, true}) {
        for (const CCase& c : cases) {
            SCOPED_TRACE(std::string(c.error) + (motorola ? " MM" : " II"));
            std::string block = build(motorola, c.tag, c.offset);
            if (c.offset == 0) {
                // Two bytes at the end of the block: a count of five entries
                // that cannot follow. The link's value does not move anything.
                const auto end = static_cast<uint32_t>(block.size());
                block = build(motorola, c.tag, end);
                ASSERT_EQ(block.size(), end);
                block += motorola ? B("\0\x05") : B("\x05\0");
            }
            const CRead read = ReadExif(block);
            EXPECT_TRUE(read.ok);
            EXPECT_EQ(read.info.exifPresent, 1);
            EXPECT_EQ(read.error, c.error);
            EXPECT_EQ(read.info.cameraMake, "Olympus");
            EXPECT_EQ(read.info.cameraModel, "E-10");
            EXPECT_EQ(read.info.dateTime, "2004:07:09 14:03:00");
        }
    }
}

TEST(ExifBlockTest, NextLinkOutsideTheBlockIsSkipped) {
    CTiffWriter tiff(true);
    const int dir = tiff.AddDirectory();
    tiff.Ascii(dir, 0x010F, "Olympus");
    tiff.Ascii(dir, 0x9003, "2004:07:09 14:03:00");
    const std::size_t size = tiff.Block().size();
    struct CCase {
        uint32_t offset;
        const char* error;
    };
    // At the block's size or beyond: outside; at its last byte: the entry
    // count does not fit.
    const CCase cases[] = {{60000, "Illegal subdirectory link"},
                           {0xFFFFFFFFu, "Illegal subdirectory link"},
                           {static_cast<uint32_t>(size), "Illegal subdirectory link"},
                           {static_cast<uint32_t>(size - 1), "Illegally sized directory"}};
    for (const CCase& c : cases) {
        tiff.NextRaw(dir, c.offset);
        const CRead read = ReadExif(tiff.Block());
        EXPECT_EQ(read.error, c.error) << c.offset;
        EXPECT_EQ(read.info.exifPresent, 1);
        // The link comes after the entries, which were all read.
        EXPECT_EQ(read.info.cameraMake, "Olympus");
        EXPECT_EQ(read.info.dateTime, "2004:07:09 14:03:00");
    }
}

TEST(ExifBlockTest, DirectoryMustFitInTheBlock) {
    // A count of 100 entries in a block of a few bytes.
    const std::string header = B("II\x2A\0\x08\0\0\0");
    const CRead read = ReadExif(header + B("\x64\0") + std::string(20, '\0'));
    EXPECT_EQ(read.error, "Illegally sized directory");
    EXPECT_EQ(read.info.exifPresent, 0);
    // A block that ends right after the header: the first directory lies
    // outside it.
    EXPECT_EQ(ReadExif(header).error, "Suspicious offset of first IFD value");
    EXPECT_EQ(ReadExif(header + B("\0")).error, "Illegally sized directory");
    // A directory of 0 entries with no room for its next link reads.
    const CRead empty = ReadExif(header + B("\0\0"));
    EXPECT_EQ(empty.info.exifPresent, 1);
    EXPECT_EQ(empty.error, "");
}

TEST(ExifBlockTest, NextLinkPartlyOutsideTheBlockEndsTheChain) {
    CTiffWriter tiff(true);
    tiff.Ascii(tiff.AddDirectory(), 0x0110, "EOS");
    std::string block = tiff.Block();
    // The block: header 8, count 2, one entry 12, link 4, nothing more.
    ASSERT_EQ(block.size(), 26u);
    block.resize(24); // two bytes of the next link are missing
    const CRead read = ReadExif(block);
    EXPECT_EQ(read.info.exifPresent, 1);
    EXPECT_EQ(read.info.cameraModel, "EOS");
    EXPECT_EQ(read.error, "");
}

TEST(ExifBlockTest, DirectoryLoopsEnd) {
    // IFD0 → EXIF → IFD0 again; IFD0's next link → IFD1 → next link IFD1
    // itself; EXIF's next link → IFD0.
    for (bool motorola : {false, true}) {
        CTiffWriter tiff(motorola);
        const int ifd0 = tiff.AddDirectory();
        const int exif = tiff.AddDirectory();
        const int ifd1 = tiff.AddDirectory();
        tiff.Ascii(ifd0, 0x010F, "Loop");
        tiff.Link(ifd0, 0x8769, exif);
        tiff.Next(ifd0, ifd1);
        tiff.Short(exif, 0x8827, 100);
        tiff.Link(exif, 0x8769, ifd0);
        tiff.Link(exif, 0xA005, exif);
        tiff.Next(exif, ifd0);
        tiff.Rational(ifd1, 0x011A, 300, 1);
        tiff.Next(ifd1, ifd1);
        const CRead read = ReadExif(tiff.Block());
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(read.info.exifPresent, 1);
        EXPECT_EQ(read.info.cameraMake, "Loop");
        EXPECT_EQ(read.info.isoEquivalent, 100);
        EXPECT_EQ(read.info.xResolution, 300.0f);
    }
}

TEST(ExifBlockTest, AtMost32DirectoriesPerBlock) {
    // A chain of 40 directories, each with its own ISO speed 100 + n: the
    // 32nd directory (n = 31) is the last one read.
    CTiffWriter tiff(false);
    for (int n = 0; n < 40; ++n) {
        const int dir = tiff.AddDirectory();
        tiff.Short(dir, 0x8827, static_cast<uint16_t>(100 + n));
        if (n > 0) {
            tiff.Next(n - 1, dir);
        }
    }
    const CRead read = ReadExif(tiff.Block());
    EXPECT_EQ(read.info.exifPresent, 1);
    EXPECT_EQ(read.info.isoEquivalent, 131);
    static_assert(CExifReader::kMaxDirectories == 32);
}

TEST(ExifBlockTest, AtMost4096EntriesPerBlock) {
    // IFD0 with 4096 entries, the last being Make; IFD1 with Model is not
    // reached.
    CTiffWriter tiff(true);
    const int ifd0 = tiff.AddDirectory();
    const int ifd1 = tiff.AddDirectory();
    for (int i = 0; i < 4095; ++i) {
        tiff.Short(ifd0, 0x0103, 1);
    }
    tiff.Ascii(ifd0, 0x010F, "Big");
    tiff.Next(ifd0, ifd1);
    tiff.Ascii(ifd1, 0x0110, "Model");
    const std::string block = tiff.Block();
    ASSERT_LE(block.size() + 8, 65535u);
    const CRead read = ReadExif(block);
    EXPECT_EQ(read.info.exifPresent, 1);
    EXPECT_EQ(read.info.cameraMake, "Big");
    EXPECT_EQ(read.info.cameraModel, "");
    static_assert(CExifReader::kMaxEntries == 4096);
}

TEST(ExifBlockTest, TheLastExifBlockDecidesExifPresent) {
    CTiffWriter tiff(false);
    tiff.Ascii(tiff.AddDirectory(), 0x010F, "Sony");
    const std::string good = ExifSection(tiff.Block());
    const std::string broken = Section(0xE1, B("Exif\0\0second"));

    const CRead goodThenBroken = ReadBytes(Jpeg(good + broken));
    EXPECT_EQ(goodThenBroken.info.exifPresent, 0);
    EXPECT_EQ(goodThenBroken.info.cameraMake, "Sony");
    EXPECT_EQ(goodThenBroken.error, "Invalid Exif alignment marker.");

    const CRead brokenThenGood = ReadBytes(Jpeg(broken + good));
    EXPECT_EQ(brokenThenGood.info.exifPresent, 1);
}

TEST(ExifBlockTest, FlashAndPixelSizeStartAgainInEveryBlock) {
    CTiffWriter first(false);
    const int a = first.AddDirectory();
    first.Short(a, 0x9209, 1);
    first.Long(a, 0xA002, 4000);
    first.Rational(a, 0xA20E, 1000, 1);
    first.Short(a, 0xA210, 2);
    CTiffWriter second(false);
    const int b = second.AddDirectory();
    second.Long(b, 0xA002, 1000);
    second.Ascii(b, 0x010F, "Two");
    const CRead read = ReadBytes(Jpeg(ExifSection(first.Block()) + ExifSection(second.Block())));
    EXPECT_EQ(read.info.flashUsed, 0);
    EXPECT_EQ(read.info.cameraMake, "Two");
    // The second block keeps the focal plane facts of the first and uses
    // its own pixel width: 1000 × 1 / 1000.
    EXPECT_FLOAT_EQ(read.info.ccdWidth, 1.0f);
}

TEST(ExifBlockTest, ReaderWithItsOwnRecord) {
    std::istringstream in(Jpeg(ExifSection(CameraBlock(true)) + Sof(0xC0, 5, 6, 3)));
    CExifReader reader;
    EXPECT_EQ(reader.Info().exifPresent, 0);
    ASSERT_TRUE(reader.ReadSections(in));
    EXPECT_EQ(reader.Info().cameraMake, "Canon");
    EXPECT_EQ(reader.Info().width, 6);
    EXPECT_EQ(reader.LastError(), "");
}

TEST(ExifBlockTest, GarbageNeverReadsOutside) {
    // Every byte of a camera block replaced by each of a few values, every
    // prefix of it, and random-looking blocks: the reader ends each one.
    const std::string block = CameraBlock(false);
    for (std::size_t pos = 0; pos < block.size(); ++pos) {
        for (char value : {'\0', '\x01', '\x7F', '\x80', '\xFF'}) {
            std::string changed = block;
            changed[pos] = value;
            const CRead read = ReadExif(changed);
            EXPECT_TRUE(read.ok);
        }
    }
    for (std::size_t size = 0; size <= block.size(); ++size) {
        EXPECT_TRUE(ReadExif(block.substr(0, size)).ok);
    }
    uint32_t state = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string noise =
            std::string(round % 2 == 0 ? "II\x2A\0\x08\0\0\0" : "MM\0\x2A\0\0\0\x08", 8);
        for (int i = 0; i < 300; ++i) {
            state = state * 1103515245u + 12345u;
            noise += static_cast<char>((state >> 16) & 0x0F);
        }
        EXPECT_TRUE(ReadExif(noise).ok);
    }
}

// ---------------------------------------------------------------------------
// Reading a file by its path
// ---------------------------------------------------------------------------

TEST(ReadExifInfoTest, ReadsAFile) {
    CTempFolder folder;
    const std::string path = folder.WriteFile(
        "IMG_0001.JPG", Jpeg(ExifSection(CameraBlock(true)) + Sof(0xC0, 1704, 2272, 3)));
    CExifInfo info;
    ASSERT_TRUE(ReadExifInfo(path, info));
    const CRead direct = ReadBytes(ReadWholeFile(path));
    ExpectSameInfo(info, direct.info);
    EXPECT_EQ(info.cameraModel, "Canon PowerShot S40");
}

TEST(ReadExifInfoTest, FilesThatCannotBeReadGiveACleanRecord) {
    CTempFolder folder;
    const std::string exif = folder.WriteFile("exif.jpg", Jpeg(ExifSection(CameraBlock(false))));
    const std::string png = folder.WriteFile("fake.jpg", B("\x89PNG\r\n\x1a\n"));
    const std::string empty = folder.WriteFile("empty.jpg", "");
    const std::string sub = folder.MakeFolder("folder.jpg");
    for (const std::string& path : {png, empty, sub, folder / "missing.jpg"}) {
        CExifInfo info;
        ASSERT_TRUE(ReadExifInfo(exif, info));
        EXPECT_EQ(info.cameraMake, "Canon");
        EXPECT_FALSE(ReadExifInfo(path, info)) << path;
        ExpectSameInfo(info, CExifInfo{});
    }
}

TEST(ReadExifInfoTest, FileWithoutExifAfterOneWithExif) {
    CTempFolder folder;
    const std::string exif = folder.WriteFile("a.jpg", Jpeg(ExifSection(CameraBlock(false))));
    const std::string plain = folder.WriteFile("b.jpg", Jpeg(Sof(0xC0, 10, 20, 1)));
    CExifInfo info;
    ASSERT_TRUE(ReadExifInfo(exif, info));
    EXPECT_EQ(info.exifPresent, 1);
    ASSERT_TRUE(ReadExifInfo(plain, info));
    EXPECT_EQ(info.exifPresent, 0);
    EXPECT_EQ(info.cameraMake, "");
    EXPECT_EQ(info.width, 20);
    EXPECT_EQ(info.isColor, 0);
}

TEST(ReadExifInfoTest, TwentySectionsFailEvenWithExif) {
    CTempFolder folder;
    std::string sections = ExifSection(CameraBlock(false));
    for (int i = 0; i < 19; ++i) {
        sections += Section(0xDB, "q");
    }
    CExifInfo info;
    EXPECT_FALSE(ReadExifInfo(folder.WriteFile("many.jpg", Jpeg(sections)), info));
    EXPECT_EQ(info.exifPresent, 0);
    EXPECT_EQ(info.cameraMake, "");
}

TEST(ReadExifInfoTest, SamePathIsReadOnceWhileTheFileStaysTheSame) {
    CTempFolder folder;
    CTiffWriter first(false);
    first.Ascii(first.AddDirectory(), 0x010F, "First");
    CTiffWriter second(false);
    second.Ascii(second.AddDirectory(), 0x010F, "Other");
    const std::string firstBytes = Jpeg(ExifSection(first.Block()));
    const std::string secondBytes = Jpeg(ExifSection(second.Block()));
    ASSERT_EQ(firstBytes.size(), secondBytes.size());

    const std::string path = folder.WriteFile("photo.jpg", firstBytes);
    const std::string other = folder.WriteFile("other.jpg", Jpeg(""));
    CExifInfo info;
    ASSERT_TRUE(ReadExifInfo(path, info));
    EXPECT_EQ(info.cameraMake, "First");
    info = CExifInfo{};

    // New content of the same size under the old time: not read again, the
    // remembered answer comes back.
    const auto time = std::filesystem::last_write_time(path);
    folder.WriteFile("photo.jpg", secondBytes);
    std::filesystem::last_write_time(path, time);
    ASSERT_TRUE(ReadExifInfo(path, info));
    EXPECT_EQ(info.cameraMake, "First");

    // A changed time: the file is read again.
    std::filesystem::last_write_time(path, time + std::chrono::seconds(2));
    ASSERT_TRUE(ReadExifInfo(path, info));
    EXPECT_EQ(info.cameraMake, "Other");

    // Another path in between: reading the first again reads it anew.
    ASSERT_TRUE(ReadExifInfo(other, info));
    EXPECT_EQ(info.exifPresent, 0);
    ASSERT_TRUE(ReadExifInfo(path, info));
    EXPECT_EQ(info.cameraMake, "Other");

    // The file gone: failure, also for a second question.
    std::filesystem::remove(path);
    EXPECT_FALSE(ReadExifInfo(path, info));
    EXPECT_FALSE(ReadExifInfo(path, info));
    EXPECT_EQ(info.cameraMake, "");

    // Another file put in its place (a rename in the other direction): read.
    folder.WriteFile("photo.jpg", firstBytes);
    ASSERT_TRUE(ReadExifInfo(path, info));
    EXPECT_EQ(info.cameraMake, "First");
}

} // namespace
