// SPDX-License-Identifier: GPL-3.0-or-later
// The image header reader on files whose every byte is written here: each
// format and its variants, the extension that picks the format, short and
// garbage files, walks over many or huge segments and chunks, and the cache
// of the last request.
#include "media/ImageReader.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>
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
std::string Be32(uint32_t v) {
    return Be16(v >> 16) + Be16(v);
}
std::string Zeros(std::size_t count) {
    return std::string(count, '\0');
}

constexpr uint32_t kMaxCount = 4294967295u;

using Fields = std::array<uint32_t, 4>; // width, height, bits per pixel, colour count

Fields Of(const CImageInfo& info) {
    return {info.width, info.height, info.bitsPerPixel, info.colourCount};
}

// ---- fixtures ----------------------------------------------------------------

/// BMP: the 14-byte file header ("BM", file size, reserved, pixel offset) and
/// the 40-byte Windows information header (size 40, width, height, planes,
/// bit count, compression, image size, resolutions, colours used/important).
std::string Bmp(int32_t width, int32_t height, uint32_t bits) {
    return "BM" + Le32(54) + Le32(0) + Le32(54) + Le32(40) + Le32(static_cast<uint32_t>(width)) +
           Le32(static_cast<uint32_t>(height)) + Le16(1) + Le16(bits) + Le32(0) + Le32(0) +
           Le32(2835) + Le32(2835) + Le32(0) + Le32(0);
}

/// BMP of OS/2 1.x: the 12-byte core header (size 12, 16-bit width and
/// height, planes, bit count) followed by a 3-byte palette entry and pixels.
std::string BmpCore(uint32_t width, uint32_t height, uint32_t bits) {
    return "BM" + Le32(32) + Le32(0) + Le32(26) + Le32(12) + Le16(width) + Le16(height) + Le16(1) +
           Le16(bits) + "\x11\x22\x33" + Zeros(3);
}

/// GIF: "GIF89a", the logical screen (width, height, packed fields,
/// background index, aspect ratio).
std::string Gif(uint32_t width, uint32_t height, uint32_t packed) {
    return "GIF89a" + Le16(width) + Le16(height) + Byte(packed) + Byte(0) + Byte(0);
}

/// PNG: the signature and the IHDR chunk (length 13, "IHDR", width, height,
/// bit depth, colour type, compression, filter, interlace, CRC).
std::string Png(uint32_t width, uint32_t height, uint32_t bitDepth, uint32_t colourType) {
    return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
           Byte(bitDepth) + Byte(colourType) + Zeros(3) + Be32(0x12345678);
}

/// A JPEG segment: the marker, the length (counting its own two bytes) and
/// the data.
std::string Segment(uint32_t code, const std::string& data) {
    return "\xFF" + Byte(code) + Be16(static_cast<uint32_t>(data.size()) + 2) + data;
}

/// The JFIF application segment: "JFIF", version 1.1, no units, 1:1, no
/// thumbnail.
std::string Jfif() {
    return Segment(0xE0,
                   std::string("JFIF\0", 5) + "\x01\x01" + Byte(0) + Be16(1) + Be16(1) + Zeros(2));
}

/// A frame header: precision, lines, samples per line, then per component
/// its id, sampling factors and quantisation table.
std::string Frame(uint32_t code, uint32_t precision, uint32_t height, uint32_t width,
                  uint32_t components) {
    std::string data = Byte(precision) + Be16(height) + Be16(width) + Byte(components);
    for (uint32_t c = 1; c <= components; ++c) {
        data += Byte(c) + "\x11" + Byte(0);
    }
    return Segment(code, data);
}

const std::string kSoi = "\xFF\xD8";
const std::string kEoi = "\xFF\xD9";

/// A baseline JPEG: start of image, JFIF, a quantisation table, the frame,
/// a Huffman table, the scan header and the end of the image.
std::string Jpeg(uint32_t width, uint32_t height, uint32_t components, uint32_t precision = 8) {
    return kSoi + Jfif() + Segment(0xDB, Byte(0) + std::string(64, '\x01')) +
           Frame(0xC0, precision, height, width, components) + Segment(0xC4, Byte(0) + Zeros(16)) +
           Segment(0xDA, Byte(1) + std::string("\x01\x00", 2) + Zeros(3)) + kEoi;
}

/// ICO and CUR: the directory (reserved 0, type, image count) and its first
/// 16-byte entry (width, height, colour count, reserved, planes or hot spot
/// x, bit count or hot spot y, data size, data offset).
std::string Icon(uint32_t type, uint32_t count, uint32_t width, uint32_t height, uint32_t colours,
                 uint32_t planes, uint32_t bitCount) {
    return Le16(0) + Le16(type) + Le16(count) + Byte(width) + Byte(height) + Byte(colours) +
           Byte(0) + Le16(planes) + Le16(bitCount) + Le32(40) + Le32(22);
}

/// Targa: id length, colour map type, image type, colour map (first, length,
/// entry size), origin x and y, width, height, depth, descriptor.
std::string Targa(uint32_t width, uint32_t height, uint32_t depth, uint32_t imageType = 2) {
    return Byte(0) + Byte(0) + Byte(imageType) + Le16(0) + Le16(0) + Byte(0) + Le16(0) + Le16(0) +
           Le16(width) + Le16(height) + Byte(depth) + Byte(0x20);
}

/// Photoshop: "8BPS", version, 6 reserved bytes, channels, height, width,
/// depth per channel, colour mode.
std::string Psd(uint32_t channels, uint32_t height, uint32_t width, uint32_t depth,
                uint32_t version = 1) {
    return "8BPS" + Be16(version) + Zeros(6) + Be16(channels) + Be32(height) + Be32(width) +
           Be16(depth) + Be16(3);
}

/// PCX: maker 10, version 5, run-length encoding, bits per plane, the window
/// Xmin Ymin Xmax Ymax, resolutions, 48-byte palette, reserved, planes,
/// bytes per line, palette type, screen size, filler to 128 bytes.
std::string Pcx(uint32_t xMin, uint32_t yMin, uint32_t xMax, uint32_t yMax, uint32_t bitsPerPlane,
                uint32_t planes) {
    std::string header = Byte(10) + Byte(5) + Byte(1) + Byte(bitsPerPlane) + Le16(xMin) +
                         Le16(yMin) + Le16(xMax) + Le16(yMax) + Le16(72) + Le16(72) + Zeros(48) +
                         Byte(0) + Byte(planes) + Le16(xMax - xMin + 1) + Le16(1) + Le16(0) +
                         Le16(0);
    return header + Zeros(128 - header.size());
}

/// An IFF chunk: identifier, size, data and the pad byte of an odd size.
std::string Chunk(const std::string& id, const std::string& data) {
    return id + Be32(static_cast<uint32_t>(data.size())) + data +
           (data.size() % 2 != 0 ? Zeros(1) : "");
}

/// The bitmap header: width, height, x, y, planes, masking, compression,
/// pad, transparent colour, aspect x and y, page width and height.
std::string Bmhd(uint32_t width, uint32_t height, uint32_t planes) {
    return Chunk("BMHD", Be16(width) + Be16(height) + Be16(0) + Be16(0) + Byte(planes) + Byte(0) +
                             Byte(1) + Byte(0) + Be16(0) + Byte(10) + Byte(11) + Be16(width) +
                             Be16(height));
}

/// "FORM", the size of what follows, the form type and the chunks.
std::string Form(const std::string& type, const std::string& chunks) {
    return "FORM" + Be32(static_cast<uint32_t>(4 + chunks.size())) + type + chunks;
}

std::string Ilbm(uint32_t width, uint32_t height, uint32_t planes) {
    return Form("ILBM",
                Bmhd(width, height, planes) + Chunk("CMAP", Zeros(6)) + Chunk("BODY", Zeros(8)));
}

// ---- the reader under test ---------------------------------------------------

class ImageReaderTest : public ::testing::Test {
protected:
    /// Writes bytes as name into the fresh folder and reads the file. The
    /// same bytes in memory under the same extension must give the same.
    bool Read(const std::string& name, const std::string& bytes, CImageInfo& info) {
        const std::string path = folder.WriteFile(name, bytes);
        const bool fromFile = ReadImageInfo(path, info);
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos) {
            CImageInfo inMemory;
            EXPECT_EQ(ReadImageInfoFromBytes(bytes, name.substr(dot + 1), inMemory), fromFile)
                << name;
            if (fromFile) {
                EXPECT_EQ(Of(inMemory), Of(info)) << name;
            }
        }
        return fromFile;
    }

    /// The fields of a file that must be read.
    Fields Expect(const std::string& name, const std::string& bytes) {
        CImageInfo info;
        EXPECT_TRUE(Read(name, bytes, info)) << name;
        return Of(info);
    }

    /// True when the file is read at all.
    bool Reads(const std::string& name, const std::string& bytes) {
        CImageInfo info;
        return Read(name, bytes, info);
    }

    CTempFolder folder;
};

// ---- formats -----------------------------------------------------------------

TEST_F(ImageReaderTest, BmpWindowsHeader) {
    EXPECT_EQ(Expect("a.bmp", Bmp(640, 480, 8)), (Fields{640, 480, 8, 256}));
    EXPECT_EQ(Expect("b.bmp", Bmp(23, 42, 24)), (Fields{23, 42, 24, 16777216}));
    EXPECT_EQ(Expect("c.bmp", Bmp(1, 1, 1)), (Fields{1, 1, 1, 2}));
    EXPECT_EQ(Expect("d.bmp", Bmp(16, 16, 32)), (Fields{16, 16, 32, kMaxCount}));
    // Pixels stored as JPEG or PNG data have a bit count of 0: no colours
    // can be told from the header.
    EXPECT_EQ(Expect("e.bmp", Bmp(8, 8, 0)), (Fields{8, 8, 0, 0}));
    // The version 5 header has the same fields at the same places.
    std::string v5 = Bmp(100, 50, 24);
    v5.replace(14, 4, Le32(124));
    EXPECT_EQ(Expect("v5.bmp", v5 + Zeros(84)), (Fields{100, 50, 24, 16777216}));
}

TEST_F(ImageReaderTest, BmpTopDownWideAndNegativeSizes) {
    // A negative height stores the rows from the top down: the image is as
    // high as its magnitude, not 65536 minus it.
    EXPECT_EQ(Expect("top.bmp", Bmp(640, -480, 24)), (Fields{640, 480, 24, 16777216}));
    EXPECT_EQ(Expect("min.bmp", Bmp(1, INT32_MIN, 8)), (Fields{1, 2147483648u, 8, 256}));
    // Sizes above 65535 keep all their 32 bits.
    EXPECT_EQ(Expect("wide.bmp", Bmp(70000, 65536, 8)), (Fields{70000, 65536, 8, 256}));
    // A negative width is no image.
    EXPECT_FALSE(Reads("neg.bmp", Bmp(-5, 10, 8)));
}

TEST_F(ImageReaderTest, BmpCoreHeaderOfOs2) {
    // Size 12: 16-bit sizes at 18 and 20, bit count at 24 (the Windows layout
    // would read the plane count 1 as the height).
    EXPECT_EQ(Expect("core.bmp", BmpCore(320, 200, 8)), (Fields{320, 200, 8, 256}));
    EXPECT_EQ(Expect("core24.bmp", BmpCore(1, 1, 24)), (Fields{1, 1, 24, 16777216}));
}

TEST_F(ImageReaderTest, BmpRejects) {
    std::string notBm = Bmp(640, 480, 8);
    notBm[1] = 'A';
    EXPECT_FALSE(Reads("ba.bmp", notBm));
    EXPECT_FALSE(Reads("short.bmp", Bmp(640, 480, 8).substr(0, 29)));
    EXPECT_TRUE(Reads("exact.bmp", Bmp(640, 480, 8).substr(0, 30)));
}

TEST_F(ImageReaderTest, GifScreenDescriptor) {
    // The depth is the size field of the global colour table (low 3 bits + 1).
    EXPECT_EQ(Expect("a.gif", Gif(640, 480, 0xF7)), (Fields{640, 480, 8, 256}));
    EXPECT_EQ(Expect("sorted.gif", Gif(640, 480, 0xFF)), (Fields{640, 480, 8, 256}));
    EXPECT_EQ(Expect("mono.gif", Gif(100, 30, 0x80)), (Fields{100, 30, 1, 2}));
    EXPECT_EQ(Expect("sixteen.gif", Gif(807, 606, 0xF3)), (Fields{807, 606, 4, 16}));
    // No global table: the size field still counts.
    EXPECT_EQ(Expect("notable.gif", Gif(1, 1, 0x00)), (Fields{1, 1, 1, 2}));
    // The version is not tested; a width of 0 is reported as it stands.
    std::string odd = Gif(0, 32, 0x81);
    odd.replace(3, 3, "xyz");
    EXPECT_EQ(Expect("odd.gif", odd), (Fields{0, 32, 2, 4}));
    EXPECT_EQ(Expect("big.gif", Gif(65535, 65535, 0x87)), (Fields{65535, 65535, 8, 256}));

    EXPECT_FALSE(Reads("gih.gif", "GIH89a" + Gif(1, 1, 0).substr(6)));
    EXPECT_FALSE(Reads("short.gif", Gif(1, 1, 0).substr(0, 11)));
}

TEST_F(ImageReaderTest, PngDepthByColourType) {
    EXPECT_EQ(Expect("grey1.png", Png(16, 16, 1, 0)), (Fields{16, 16, 1, 2}));
    EXPECT_EQ(Expect("grey16.png", Png(16, 16, 16, 0)), (Fields{16, 16, 16, 65536}));
    EXPECT_EQ(Expect("palette.png", Png(200, 32, 8, 3)), (Fields{200, 32, 8, 256}));
    EXPECT_EQ(Expect("palette4.png", Png(200, 32, 4, 3)), (Fields{200, 32, 4, 16}));
    EXPECT_EQ(Expect("greyalpha.png", Png(200, 32, 8, 4)), (Fields{200, 32, 8, 256}));
    // True colour with or without alpha: 24 bits at 8 bits a sample, else 32.
    EXPECT_EQ(Expect("rgb.png", Png(23, 42, 8, 2)), (Fields{23, 42, 24, 16777216}));
    EXPECT_EQ(Expect("rgb16.png", Png(23, 42, 16, 2)), (Fields{23, 42, 32, kMaxCount}));
    EXPECT_EQ(Expect("rgba.png", Png(200, 32, 8, 6)), (Fields{200, 32, 24, 16777216}));
    EXPECT_EQ(Expect("rgba16.png", Png(200, 32, 16, 6)), (Fields{200, 32, 32, kMaxCount}));
    // Colour types 1, 5 and above 6 do not exist.
    EXPECT_FALSE(Reads("type1.png", Png(16, 16, 8, 1)));
    EXPECT_FALSE(Reads("type5.png", Png(16, 16, 8, 5)));
    EXPECT_FALSE(Reads("type7.png", Png(16, 16, 8, 7)));
    EXPECT_FALSE(Reads("type255.png", Png(16, 16, 8, 255)));
}

TEST_F(ImageReaderTest, PngSizesAndRejects) {
    // The 32-bit sizes are read whole.
    EXPECT_EQ(Expect("huge.png", Png(100000, 70000, 8, 0)), (Fields{100000, 70000, 8, 256}));
    EXPECT_EQ(Expect("max.png", Png(0xFFFFFFFF, 1, 8, 0)), (Fields{0xFFFFFFFF, 1, 8, 256}));

    std::string signature = Png(16, 16, 8, 0);
    signature[4] = '\n';
    EXPECT_FALSE(Reads("sig.png", signature));
    std::string notFirst = Png(16, 16, 8, 0);
    notFirst.replace(12, 4, "gAMA");
    EXPECT_FALSE(Reads("gama.png", notFirst));
    EXPECT_FALSE(Reads("short.png", Png(16, 16, 8, 0).substr(0, 25)));
    EXPECT_TRUE(Reads("exact.png", Png(16, 16, 8, 0).substr(0, 26)));
}

TEST_F(ImageReaderTest, JpegFrameHeader) {
    EXPECT_EQ(Expect("colour.jpg", Jpeg(640, 480, 3)), (Fields{640, 480, 24, 16777216}));
    EXPECT_EQ(Expect("grey.jpg", Jpeg(640, 480, 1)), (Fields{640, 480, 8, 256}));
    EXPECT_EQ(Expect("cmyk.jpeg", Jpeg(100, 200, 4)), (Fields{100, 200, 32, kMaxCount}));
    EXPECT_EQ(Expect("twelve.jpg", Jpeg(8, 8, 3, 12)), (Fields{8, 8, 36, kMaxCount}));
    EXPECT_EQ(Expect("max.jpg", Jpeg(65535, 65535, 1)), (Fields{65535, 65535, 8, 256}));
    // A frame that has no lines or no columns is not read.
    EXPECT_FALSE(Reads("nowidth.jpg", Jpeg(0, 480, 3)));
    EXPECT_FALSE(Reads("noheight.jpg", Jpeg(640, 0, 3)));
}

TEST_F(ImageReaderTest, JpegEveryFrameKind) {
    // Baseline, extended, progressive, lossless and the hierarchical and
    // arithmetic variants are frame headers.
    for (uint32_t code : {0xC0u, 0xC1u, 0xC2u, 0xC3u, 0xC5u, 0xC6u, 0xC7u, 0xC9u, 0xCAu, 0xCBu,
                          0xCDu, 0xCEu, 0xCFu}) {
        const std::string name = "sof" + std::to_string(code) + ".jpg";
        EXPECT_EQ(Expect(name, kSoi + Frame(code, 8, 48, 64, 3) + kEoi),
                  (Fields{64, 48, 24, 16777216}))
            << code;
    }
    // The Huffman table (C4), the extension (C8) and the arithmetic
    // conditioning (CC) are ordinary segments, skipped to the frame behind.
    for (uint32_t code : {0xC4u, 0xC8u, 0xCCu}) {
        const std::string name = "seg" + std::to_string(code) + ".jpg";
        const std::string fake =
            Byte(8) + Be16(1) + Be16(1) + Byte(1) + std::string("\x01\x11\x00", 3);
        EXPECT_EQ(Expect(name, kSoi + Segment(code, fake) + Frame(0xC0, 8, 480, 640, 3)),
                  (Fields{640, 480, 24, 16777216}))
            << code;
    }
}

TEST_F(ImageReaderTest, JpegSegmentWalk) {
    // A Huffman table right after the start, then the frame.
    EXPECT_EQ(
        Expect("dht.jpg", kSoi + Segment(0xC4, Byte(0) + Zeros(16)) + Frame(0xC0, 8, 480, 640, 3)),
        (Fields{640, 480, 24, 16777216}));
    // Empty segments (length 2), a comment, and fill bytes before markers.
    EXPECT_EQ(Expect("fill.jpg", kSoi + "\xFF\xFF\xFF" + Segment(0xE1, "") +
                                     Segment(0xFE, "made here") + "\xFF\xFF" +
                                     Frame(0xC2, 8, 10, 20, 3)),
              (Fields{20, 10, 24, 16777216}));
    // Markers without a segment (restart, TEM) carry no length.
    EXPECT_EQ(Expect("rst.jpg", kSoi + "\xFF\xD0\xFF\x01\xFF\xD7" + Frame(0xC0, 8, 2, 3, 1)),
              (Fields{3, 2, 8, 256}));
    // Three segments of the largest length before the frame.
    const std::string large = Segment(0xE1, std::string(65533, 'x'));
    EXPECT_EQ(Expect("large.jpg", kSoi + large + large + large + Frame(0xC0, 8, 7, 9, 3)),
              (Fields{9, 7, 24, 16777216}));
}

TEST_F(ImageReaderTest, JpegFrameAcrossEveryBlockBoundary) {
    // A file is read in blocks; the frame header lands on every position
    // around the end of the first one.
    for (std::size_t length = 4070; length <= 4100; ++length) {
        const std::string bytes =
            kSoi + Segment(0xE2, std::string(length, 'y')) + Frame(0xC0, 8, 300, 400, 3);
        EXPECT_EQ(Expect("block" + std::to_string(length) + ".jpg", bytes),
                  (Fields{400, 300, 24, 16777216}))
            << length;
    }
}

TEST_F(ImageReaderTest, JpegRejects) {
    EXPECT_FALSE(Reads("png.jpg", Png(16, 16, 8, 0)));
    EXPECT_FALSE(Reads("soi.jpg", kSoi));
    EXPECT_FALSE(Reads("d9.jpg", "\xFF\xD9" + Frame(0xC0, 8, 1, 1, 1)));
    // A byte other than 0xFF where a marker must begin.
    EXPECT_FALSE(Reads("nomarker.jpg",
                       kSoi + Jfif() + std::string("\x00\xC0", 2) + Frame(0xC0, 8, 1, 1, 1)));
    // A length below 2 would walk backwards or stand still.
    EXPECT_FALSE(Reads("len0.jpg", kSoi + "\xFF\xE0" + Be16(0) + Frame(0xC0, 8, 1, 1, 1)));
    EXPECT_FALSE(Reads("len1.jpg", kSoi + "\xFF\xE0" + Be16(1) + Frame(0xC0, 8, 1, 1, 1)));
    // The end of the image or the scan data before any frame.
    EXPECT_FALSE(Reads("eoi.jpg", kSoi + Jfif() + kEoi + Frame(0xC0, 8, 1, 1, 1)));
    EXPECT_FALSE(
        Reads("sos.jpg", kSoi + Segment(0xDA, Byte(1) + std::string("\x01\x00", 2) + Zeros(3)) +
                             Frame(0xC0, 8, 1, 1, 1)));
    // A segment longer than the rest of the file, and a frame cut short.
    EXPECT_FALSE(Reads("past.jpg", kSoi + "\xFF\xE1" + Be16(65535) + std::string(1000, 'z')));
    EXPECT_FALSE(Reads("cut.jpg", kSoi + Frame(0xC0, 8, 1, 1, 1).substr(0, 9)));
}

TEST_F(ImageReaderTest, JpegWalkOverGarbageEnds) {
    // A megabyte of fill bytes, and a quarter of a million markers without
    // segments: the walk reaches the end and gives up.
    EXPECT_FALSE(Reads("ff.jpg", kSoi + std::string(1 << 20, '\xFF')));
    std::string restarts = kSoi;
    for (int i = 0; i < 250000; ++i) {
        restarts += "\xFF\xD3";
    }
    EXPECT_FALSE(Reads("restarts.jpg", restarts));
    EXPECT_EQ(Expect("restarts2.jpg", restarts + Frame(0xC0, 8, 5, 6, 3)),
              (Fields{6, 5, 24, 16777216}));
    // Ten thousand empty segments before the frame.
    std::string empty = kSoi;
    for (int i = 0; i < 10000; ++i) {
        empty += Segment(0xEF, "");
    }
    EXPECT_EQ(Expect("empty.jpg", empty + Frame(0xC0, 8, 5, 6, 1)), (Fields{6, 5, 8, 256}));
}

TEST_F(ImageReaderTest, IconFirstEntry) {
    // Colour count 0: the bit count gives the depth.
    EXPECT_EQ(Expect("a.ico", Icon(1, 1, 16, 16, 0, 1, 32)), (Fields{16, 16, 32, kMaxCount}));
    EXPECT_EQ(Expect("b.ico", Icon(1, 3, 32, 32, 0, 1, 8)), (Fields{32, 32, 8, 256}));
    EXPECT_EQ(Expect("c.ico", Icon(1, 1, 23, 42, 0, 1, 24)), (Fields{23, 42, 24, 16777216}));
    // A non-zero colour count gives the smallest depth that holds it.
    EXPECT_EQ(Expect("two.ico", Icon(1, 1, 16, 16, 2, 1, 1)), (Fields{16, 16, 1, 2}));
    EXPECT_EQ(Expect("sixteen.ico", Icon(1, 1, 16, 16, 16, 1, 4)), (Fields{16, 16, 4, 16}));
    EXPECT_EQ(Expect("three.ico", Icon(1, 1, 16, 16, 3, 1, 0)), (Fields{16, 16, 2, 4}));
    EXPECT_EQ(Expect("one.ico", Icon(1, 1, 16, 16, 1, 1, 0)), (Fields{16, 16, 1, 2}));
    EXPECT_EQ(Expect("many.ico", Icon(1, 1, 16, 16, 255, 1, 32)), (Fields{16, 16, 8, 256}));
    // A size byte of 0 means 256 pixels.
    EXPECT_EQ(Expect("256.ico", Icon(1, 1, 0, 0, 0, 1, 32)), (Fields{256, 256, 32, kMaxCount}));
    EXPECT_EQ(Expect("wide.ico", Icon(1, 1, 0, 48, 0, 1, 8)), (Fields{256, 48, 8, 256}));
}

TEST_F(ImageReaderTest, IconRejects) {
    EXPECT_FALSE(Reads("bits0.ico", Icon(1, 1, 16, 16, 0, 1, 0)));
    EXPECT_FALSE(Reads("bits33.ico", Icon(1, 1, 16, 16, 0, 1, 33)));
    EXPECT_FALSE(Reads("bits65535.ico", Icon(1, 1, 16, 16, 0, 1, 65535)));
    // No image in the directory: the first entry would be other bytes.
    EXPECT_FALSE(Reads("none.ico", Icon(1, 0, 16, 16, 0, 1, 32)));
    EXPECT_FALSE(Reads("none.cur", Icon(2, 0, 16, 16, 0, 1, 32)));
    std::string reserved = Icon(1, 1, 16, 16, 0, 1, 32);
    reserved[1] = 1;
    EXPECT_FALSE(Reads("reserved.ico", reserved));
    EXPECT_FALSE(Reads("short.ico", Icon(1, 1, 16, 16, 0, 1, 32).substr(0, 13)));
    EXPECT_TRUE(Reads("exact.ico", Icon(1, 1, 16, 16, 0, 1, 32).substr(0, 14)));
    // Pillow's cursor file without cursors: 6 bytes of directory only.
    EXPECT_FALSE(Reads("empty.cur", Le16(0) + Le16(2) + Le16(0)));
}

TEST_F(ImageReaderTest, CursorHasNoDepth) {
    // Type 2: the planes and bit count fields hold the hot spot.
    EXPECT_EQ(Expect("a.cur", Icon(2, 1, 32, 32, 0, 5, 7)), (Fields{32, 32, 0, 0}));
    EXPECT_EQ(Expect("b.cur", Icon(2, 1, 1, 4, 2, 0, 0)), (Fields{1, 4, 0, 0}));
    EXPECT_EQ(Expect("c.cur", Icon(2, 1, 0, 0, 0, 0, 0)), (Fields{256, 256, 0, 0}));
    // The type field decides, not the extension.
    EXPECT_EQ(Expect("cursor.ico", Icon(2, 1, 32, 32, 0, 5, 7)), (Fields{32, 32, 0, 0}));
    EXPECT_EQ(Expect("icon.cur", Icon(1, 1, 32, 32, 0, 1, 4)), (Fields{32, 32, 4, 16}));
    EXPECT_EQ(Expect("type7.ico", Icon(7, 1, 32, 32, 0, 1, 4)), (Fields{32, 32, 4, 16}));
}

TEST_F(ImageReaderTest, TargaHeader) {
    EXPECT_EQ(Expect("a.tga", Targa(200, 32, 24)), (Fields{200, 32, 24, 16777216}));
    EXPECT_EQ(Expect("b.targa", Targa(200, 32, 32, 10)), (Fields{200, 32, 32, kMaxCount}));
    EXPECT_EQ(Expect("c.pix", Targa(128, 128, 8, 1)), (Fields{128, 128, 8, 256}));
    EXPECT_EQ(Expect("d.tga", Targa(2, 1, 16)), (Fields{2, 1, 16, 65536}));
    EXPECT_EQ(Expect("e.tga", Targa(65535, 0, 0)), (Fields{65535, 0, 0, 0}));
    // No signature: any 18 bytes are a header.
    EXPECT_EQ(Expect("text.tga", "abcdefghijklmnopqr"), (Fields{0x6E6D, 0x706F, 'q', kMaxCount}));
    EXPECT_FALSE(Reads("short.tga", Targa(1, 1, 8).substr(0, 17)));
}

TEST_F(ImageReaderTest, PhotoshopHeader) {
    EXPECT_EQ(Expect("rgb.psd", Psd(3, 480, 640, 8)), (Fields{640, 480, 24, 16777216}));
    EXPECT_EQ(Expect("rgba.psd", Psd(4, 100, 100, 8)), (Fields{100, 100, 32, kMaxCount}));
    EXPECT_EQ(Expect("grey16.psd", Psd(1, 10, 20, 16)), (Fields{20, 10, 16, 65536}));
    EXPECT_EQ(Expect("bitmap.psd", Psd(1, 10, 20, 1)), (Fields{20, 10, 1, 2}));
    // The 32-bit sizes are read whole.
    EXPECT_EQ(Expect("big.psd", Psd(3, 70000, 300000, 8)), (Fields{300000, 70000, 24, 16777216}));

    EXPECT_FALSE(Reads("v2.psd", Psd(3, 480, 640, 8, 2)));
    EXPECT_FALSE(Reads("v0.psd", Psd(3, 480, 640, 8, 0)));
    EXPECT_FALSE(Reads("v256.psd", Psd(3, 480, 640, 8, 0x0101)));
    std::string signature = Psd(3, 480, 640, 8);
    signature[3] = 'T';
    EXPECT_FALSE(Reads("sig.psd", signature));
    EXPECT_FALSE(Reads("short.psd", Psd(3, 480, 640, 8).substr(0, 23)));
    EXPECT_TRUE(Reads("exact.psd", Psd(3, 480, 640, 8).substr(0, 24)));
}

TEST_F(ImageReaderTest, PcxHeader) {
    EXPECT_EQ(Expect("a.pcx", Pcx(0, 0, 639, 479, 8, 1)), (Fields{640, 480, 8, 256}));
    EXPECT_EQ(Expect("rgb.pcx", Pcx(0, 0, 22, 41, 8, 3)), (Fields{23, 42, 24, 16777216}));
    EXPECT_EQ(Expect("planes.pcx", Pcx(0, 0, 0, 0, 1, 4)), (Fields{1, 1, 4, 16}));
    EXPECT_EQ(Expect("b.pcc", Pcx(10, 20, 19, 29, 1, 1)), (Fields{10, 10, 1, 2}));
    EXPECT_EQ(Expect("full.pcx", Pcx(0, 0, 65535, 65535, 8, 1)), (Fields{65536, 65536, 8, 256}));
    EXPECT_EQ(Expect("noplanes.pcx", Pcx(0, 0, 1, 1, 8, 0)), (Fields{2, 2, 0, 0}));
    // A window that ends before it starts.
    EXPECT_FALSE(Reads("backx.pcx", Pcx(10, 0, 9, 10, 8, 1)));
    EXPECT_FALSE(Reads("backy.pcx", Pcx(0, 10, 10, 9, 8, 1)));
    EXPECT_FALSE(Reads("short.pcx", Pcx(0, 0, 1, 1, 8, 1).substr(0, 65)));
    EXPECT_TRUE(Reads("exact.pcx", Pcx(0, 0, 1, 1, 8, 1).substr(0, 66)));
}

TEST_F(ImageReaderTest, IffBitmapHeader) {
    EXPECT_EQ(Expect("a.iff", Ilbm(320, 200, 5)), (Fields{320, 200, 5, 32}));
    EXPECT_EQ(Expect("deep.iff", Ilbm(640, 400, 24)), (Fields{640, 400, 24, 16777216}));
    EXPECT_EQ(Expect("alpha.iff", Ilbm(16, 16, 32)), (Fields{16, 16, 32, kMaxCount}));
    EXPECT_EQ(Expect("one.iff", Ilbm(1, 1, 1)), (Fields{1, 1, 1, 2}));
    EXPECT_EQ(Expect("pbm.iff", Form("PBM ", Bmhd(640, 480, 8))), (Fields{640, 480, 8, 256}));
    // The two extensions of the same layout.
    EXPECT_EQ(Expect("b.ilbm", Ilbm(320, 256, 4)), (Fields{320, 256, 4, 16}));
    EXPECT_EQ(Expect("c.lbm", Form("PBM ", Bmhd(320, 200, 8))), (Fields{320, 200, 8, 256}));
    // The header is read even when its chunk is cut after 9 bytes.
    EXPECT_EQ(Expect("cut.iff", Ilbm(3, 4, 2).substr(0, 29)), (Fields{3, 4, 2, 4}));
}

TEST_F(ImageReaderTest, IffChunkWalk) {
    // A name chunk of odd size (5 bytes and a pad byte) before the header.
    EXPECT_EQ(Expect("anno.iff", Form("ILBM", Chunk("ANNO", "hello") + Bmhd(320, 400, 6))),
              (Fields{320, 400, 6, 64}));
    // Empty chunks.
    std::string empty;
    for (int i = 0; i < 10000; ++i) {
        empty += Chunk("NAME", "");
    }
    EXPECT_EQ(Expect("empty.iff", Form("ILBM", empty + Bmhd(8, 9, 3))), (Fields{8, 9, 3, 8}));
    // A megabyte of body before the header is skipped.
    EXPECT_EQ(Expect("body.iff",
                     Form("ILBM", Chunk("BODY", std::string((1 << 20) + 1, 'b')) + Bmhd(5, 6, 7))),
              (Fields{5, 6, 7, 128}));
}

TEST_F(ImageReaderTest, IffRejects) {
    EXPECT_FALSE(Reads("acbm.iff", Form("ACBM", Bmhd(320, 200, 5))));
    EXPECT_FALSE(Reads("fork.iff", "FORK" + Ilbm(320, 200, 5).substr(4)));
    EXPECT_FALSE(Reads("lower.iff", Form("ilbm", Bmhd(320, 200, 5))));
    EXPECT_FALSE(Reads("nowidth.iff", Ilbm(0, 200, 5)));
    EXPECT_FALSE(Reads("noheight.iff", Ilbm(320, 0, 5)));
    EXPECT_FALSE(Reads("noplanes.iff", Ilbm(320, 200, 0)));
    EXPECT_FALSE(Reads("planes33.iff", Ilbm(320, 200, 33)));
    EXPECT_FALSE(Reads("nobmhd.iff", Form("ILBM", Chunk("CMAP", Zeros(6)))));
    EXPECT_FALSE(Reads("formonly.iff", "FORM" + Be32(4) + "ILBM"));
    // Chunk sizes that pass the end of the file, the largest one included
    // (rounded up to even it does not fit 32 bits).
    EXPECT_FALSE(
        Reads("huge.iff", "FORM" + Be32(4) + "ILBM" + "ANNO" + Be32(0xFFFFFFFE) + Bmhd(1, 1, 1)));
    EXPECT_FALSE(
        Reads("max.iff", "FORM" + Be32(4) + "ILBM" + "ANNO" + Be32(0xFFFFFFFF) + Bmhd(1, 1, 1)));
    EXPECT_FALSE(Reads("cutbmhd.iff", Ilbm(3, 4, 2).substr(0, 28)));
}

// ---- choosing the format -----------------------------------------------------

TEST_F(ImageReaderTest, ExtensionChoosesTheFormat) {
    // The extension is compared in lower case.
    EXPECT_EQ(Expect("photo.JPG", Jpeg(640, 480, 3)), (Fields{640, 480, 24, 16777216}));
    EXPECT_EQ(Expect("photo.JpEg", Jpeg(640, 480, 1)), (Fields{640, 480, 8, 256}));
    EXPECT_EQ(Expect("image.PNG", Png(1, 2, 8, 3)), (Fields{1, 2, 8, 256}));
    EXPECT_EQ(Expect("art.LBM", Ilbm(1, 2, 3)), (Fields{1, 2, 3, 8}));
    // Only the last dot counts.
    EXPECT_EQ(Expect("photo.png.bmp", Bmp(3, 4, 8)), (Fields{3, 4, 8, 256}));
    // The contents never choose another reader.
    EXPECT_FALSE(Reads("png.jpg", Png(16, 16, 8, 0)));
    EXPECT_FALSE(Reads("bmp.gif", Bmp(16, 16, 8)));
    EXPECT_FALSE(Reads("gif.png", Gif(16, 16, 0xF7)));
    // No extension, an empty one, one that names no format we read.
    EXPECT_FALSE(Reads("photo", Jpeg(640, 480, 3)));
    EXPECT_FALSE(Reads("photo.", Jpeg(640, 480, 3)));
    EXPECT_FALSE(Reads("photo.webp", Png(16, 16, 8, 0)));
    EXPECT_FALSE(Reads("photo.jpgx", Jpeg(640, 480, 3)));
    EXPECT_FALSE(Reads("photo.jp", Jpeg(640, 480, 3)));
    // A dot in a folder name is no extension of the file.
    folder.MakeFolder("pics.png");
    EXPECT_FALSE(Reads("pics.png/photo", Png(16, 16, 8, 0)));
}

TEST_F(ImageReaderTest, EmptyFileOfEveryExtension) {
    for (const char* extension : {"bmp", "png", "gif", "jpg", "jpeg", "ico", "cur", "tga", "targa",
                                  "pix", "psd", "pcx", "pcc", "iff", "ilbm", "lbm"}) {
        EXPECT_FALSE(Reads(std::string("empty.") + extension, "")) << extension;
    }
}

TEST_F(ImageReaderTest, FolderMissingFileAndPipe) {
    CImageInfo info;
    folder.MakeFolder("folder.png");
    EXPECT_FALSE(ReadImageInfo(folder / "folder.png", info));
    EXPECT_FALSE(ReadImageInfo(folder / "missing.png", info));
    EXPECT_FALSE(ReadImageInfo(folder / "nofolder/missing.bmp", info));
    // A named pipe without a writer is not waited for.
    const std::string pipe = folder / "pipe.jpg";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ReadImageInfo(pipe, info));
    EXPECT_FALSE(ReadImageInfo("", info));
}

TEST_F(ImageReaderTest, FailureLeavesInfoAlone) {
    const CImageInfo sentinel{11, 22, 33, 44};
    CImageInfo info = sentinel;
    EXPECT_FALSE(ReadImageInfo(folder / "missing.png", info));
    EXPECT_EQ(Of(info), Of(sentinel));
    // Also when the failure comes from the cache.
    EXPECT_FALSE(ReadImageInfo(folder / "missing.png", info));
    EXPECT_EQ(Of(info), Of(sentinel));
    EXPECT_FALSE(ReadImageInfoFromBytes("GIF", "gif", info));
    EXPECT_FALSE(ReadImageInfoFromBytes(Gif(1, 1, 0), "webp", info));
    EXPECT_EQ(Of(info), Of(sentinel));
}

// ---- the cache of the last request -------------------------------------------

TEST_F(ImageReaderTest, SamePathIsReadOnce) {
    const std::string path = folder.WriteFile("a.bmp", Bmp(640, 480, 8));
    CImageInfo info;
    ASSERT_TRUE(ReadImageInfo(path, info));
    EXPECT_EQ(Of(info), (Fields{640, 480, 8, 256}));
    // Changed or gone on disk: the same path still gives what was read.
    folder.WriteFile("a.bmp", Bmp(800, 600, 24));
    CImageInfo again;
    ASSERT_TRUE(ReadImageInfo(path, again));
    EXPECT_EQ(Of(again), (Fields{640, 480, 8, 256}));
    std::filesystem::remove(path);
    CImageInfo gone;
    ASSERT_TRUE(ReadImageInfo(path, gone));
    EXPECT_EQ(Of(gone), (Fields{640, 480, 8, 256}));
}

TEST_F(ImageReaderTest, AnotherPathReplacesTheCache) {
    const std::string a = folder.WriteFile("a.bmp", Bmp(640, 480, 8));
    const std::string b = folder.WriteFile("b.bmp", Bmp(16, 16, 1));
    CImageInfo info;
    ASSERT_TRUE(ReadImageInfo(a, info));
    ASSERT_TRUE(ReadImageInfo(b, info));
    EXPECT_EQ(Of(info), (Fields{16, 16, 1, 2}));
    folder.WriteFile("a.bmp", Bmp(800, 600, 24));
    ASSERT_TRUE(ReadImageInfo(a, info));
    EXPECT_EQ(Of(info), (Fields{800, 600, 24, 16777216}));
}

TEST_F(ImageReaderTest, FailureIsCachedToo) {
    const std::string path = folder / "late.png";
    CImageInfo info;
    EXPECT_FALSE(ReadImageInfo(path, info));
    folder.WriteFile("late.png", Png(5, 6, 8, 0));
    EXPECT_FALSE(ReadImageInfo(path, info));
    // Another request in between: the file is read now.
    EXPECT_FALSE(ReadImageInfo(folder / "other.png", info));
    ASSERT_TRUE(ReadImageInfo(path, info));
    EXPECT_EQ(Of(info), (Fields{5, 6, 8, 256}));
}

TEST_F(ImageReaderTest, CacheKeyIsTheExactPath) {
    const std::string path = folder.WriteFile("a.gif", Gif(7, 8, 0x80));
    CImageInfo info;
    ASSERT_TRUE(ReadImageInfo(path, info));
    folder.WriteFile("a.gif", Gif(9, 10, 0x81));
    // The same file by another spelling of its path is another request.
    const std::string other = folder.Path() + "./a.gif";
    ASSERT_TRUE(ReadImageInfo(other, info));
    EXPECT_EQ(Of(info), (Fields{9, 10, 2, 4}));
}

// ---- short and garbage data --------------------------------------------------

struct CFixture {
    const char* extension;
    std::string bytes;
    std::size_t needed; ///< the bytes the reader must see to succeed
};

std::vector<CFixture> Fixtures() {
    const std::string jpeg = kSoi + Jfif() + Frame(0xC0, 8, 480, 640, 3);
    const std::string iff = Form("ILBM", Chunk("ANNO", "abc") + Bmhd(320, 200, 5));
    return {
        {"bmp", Bmp(640, 480, 8), 30},
        {"bmp", BmpCore(1, 1, 24), 30},
        {"gif", Gif(1, 1, 0xF7), 12},
        {"png", Png(16, 16, 8, 6), 26},
        // Start, JFIF, marker, length and the 6 bytes up to the component count.
        {"jpg", jpeg, 2 + Jfif().size() + 4 + 6},
        {"ico", Icon(1, 1, 16, 16, 0, 1, 32), 14},
        {"cur", Icon(2, 1, 16, 16, 0, 1, 32), 14},
        {"tga", Targa(1, 1, 8), 18},
        {"psd", Psd(3, 1, 1, 8), 24},
        {"pcx", Pcx(0, 0, 1, 1, 8, 1), 66},
        // Form head, the padded name chunk, the chunk head and 9 bytes.
        {"iff", iff, 12 + 12 + 8 + 9},
    };
}

TEST(ImageReaderBytesTest, EveryShortPrefixFails) {
    for (const CFixture& fixture : Fixtures()) {
        CImageInfo info;
        ASSERT_TRUE(ReadImageInfoFromBytes(fixture.bytes, fixture.extension, info))
            << fixture.extension;
        for (std::size_t length = 0; length < fixture.needed; ++length) {
            EXPECT_FALSE(
                ReadImageInfoFromBytes(fixture.bytes.substr(0, length), fixture.extension, info))
                << fixture.extension << " " << length;
        }
        EXPECT_TRUE(ReadImageInfoFromBytes(fixture.bytes.substr(0, fixture.needed),
                                           fixture.extension, info))
            << fixture.extension;
    }
}

TEST(ImageReaderBytesTest, GarbageNeverGivesInconsistentFields) {
    // Random bytes, some behind a valid start of each format, and every byte
    // of each fixture flipped: whatever is read, the colour count belongs to
    // the depth, and the formats that test their sizes never report a zero.
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    int readCount = 0;
    for (const CFixture& fixture : Fixtures()) {
        std::vector<std::string> inputs;
        for (int i = 0; i < 300; ++i) {
            std::string bytes(static_cast<std::size_t>(byte(random)), '\0');
            for (char& c : bytes) {
                c = static_cast<char>(byte(random));
            }
            inputs.push_back(bytes);
            inputs.push_back(fixture.bytes.substr(0, static_cast<std::size_t>(i) % 16) + bytes);
        }
        for (std::size_t at = 0; at < fixture.bytes.size(); ++at) {
            std::string flipped = fixture.bytes;
            flipped[at] = static_cast<char>(flipped[at] ^ 0xFF);
            inputs.push_back(flipped);
        }
        const std::string extension = fixture.extension;
        for (const std::string& input : inputs) {
            CImageInfo info;
            if (!ReadImageInfoFromBytes(input, extension, info)) {
                continue;
            }
            ++readCount;
            const uint32_t bits = info.bitsPerPixel;
            const uint32_t expected = bits == 0 ? 0 : bits >= 32 ? kMaxCount : 1u << bits;
            EXPECT_EQ(info.colourCount, expected) << extension;
            if (extension == "jpg" || extension == "iff" || extension == "ico") {
                EXPECT_NE(info.width, 0u) << extension;
                EXPECT_NE(info.height, 0u) << extension;
            }
            if (extension == "ico") {
                EXPECT_GE(bits, 1u);
                EXPECT_LE(bits, 32u);
            }
        }
    }
    // Targa and PCX take any bytes, so a good share must have been read.
    EXPECT_GT(readCount, 600);
}

} // namespace
