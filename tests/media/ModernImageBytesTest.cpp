// SPDX-License-Identifier: GPL-3.0-or-later
// The header readers of HEIF, AVIF, CR3, WebP, JPEG XL, RAF and X3F on
// bytes written here: grids, thumbnails, every variant of each header, cut
// and hostile data.
#include "media/ImageReader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
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
std::string Le24(uint32_t v) {
    return Le16(v) + Byte(v >> 16);
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

using Fields = std::array<uint32_t, 4>; // width, height, bits per pixel, colour count

/// The fields read from bytes as a file of extension; all 0 when nothing is read.
Fields Read(const std::string& bytes, const std::string& extension) {
    CImageInfo info;
    if (!ReadImageInfoFromBytes(bytes, extension, info)) {
        return {};
    }
    return {info.width, info.height, info.bitsPerPixel, info.colourCount};
}

/// An ISO base media box: size, type, payload.
std::string Box(const std::string& type, const std::string& payload) {
    return Be32(static_cast<uint32_t>(payload.size() + 8)) + type + payload;
}
/// A full box: version and 24 bits of flags before the payload.
std::string FullBox(const std::string& type, uint32_t version, uint32_t flags,
                    const std::string& payload) {
    return Box(type, Byte(version) + Byte(flags >> 16) + Be16(flags) + payload);
}

std::string Ftyp(const std::string& brand) {
    return Box("ftyp", brand + Be32(0) + "mif1" + brand);
}
std::string Ispe(uint32_t width, uint32_t height) {
    return FullBox("ispe", 0, 0, Be32(width) + Be32(height));
}
std::string Pixi(const std::string& bits) {
    return FullBox("pixi", 0, 0, Byte(static_cast<uint32_t>(bits.size())) + bits);
}

/// One ipma entry of version 0 with 8-bit indexes: item, count, indexes (the
/// top bit of each marks it essential).
std::string Association(uint32_t item, const std::string& indexes) {
    return Be16(item) + Byte(static_cast<uint32_t>(indexes.size())) + indexes;
}

/// An iPhone-like HEIC file: the primary item 1 is a grid of four 512x512
/// tiles (items 2 to 5) whose own extents are 1024x768; item 6 is a
/// thumbnail; the grid is rotated (irot) and its tiles carry the depth.
std::string GridHeic() {
    const std::string properties = Box("hvcC", Zeros(4)) + Ispe(512, 512) + Ispe(1024, 768) +
                                   Ispe(320, 240) + Pixi("\x08\x08\x08") + Box("irot", Byte(1));
    // Properties are numbered from 1: hvcC 1, tile ispe 2, grid ispe 3,
    // thumbnail ispe 4, pixi 5, irot 6.
    std::string entries = Association(1, Byte(3) + Byte(0x86));
    for (uint32_t tile = 2; tile <= 5; ++tile) {
        entries += Association(tile, Byte(0x81) + Byte(2) + Byte(5));
    }
    entries += Association(6, Byte(0x81) + Byte(4) + Byte(5));
    const std::string meta = FullBox(
        "meta", 0, 0,
        FullBox("hdlr", 0, 0, Be32(0) + "pict" + Zeros(13)) + FullBox("pitm", 0, 0, Be16(1)) +
            FullBox("iinf", 0, 0, Be16(0)) +
            Box("iprp", Box("ipco", properties) + FullBox("ipma", 0, 0, Be32(6) + entries)));
    return Ftyp("heic") + meta + Box("mdat", Zeros(32));
}

/// A HEIF file with the primary item number and the properties and ipma
/// payload (version and flags given) as written.
std::string Heif(const std::string& pitm, const std::string& properties, uint32_t ipmaVersion,
                 uint32_t ipmaFlags, const std::string& ipma) {
    return Ftyp("avif") +
           FullBox("meta", 0, 0,
                   pitm + Box("iprp", Box("ipco", properties) +
                                          FullBox("ipma", ipmaVersion, ipmaFlags, ipma)));
}

TEST(HeifSizeTest, GridGivesTheWholeImageNotTilesOrThumbnailAndIsNotRotated) {
    EXPECT_EQ(Read(GridHeic(), "heic"), (Fields{1024, 768, 0, 0}));
    EXPECT_EQ(Read(GridHeic(), "HEIF"), (Fields{1024, 768, 0, 0}));
    EXPECT_EQ(Read(GridHeic(), "hif"), (Fields{1024, 768, 0, 0}));
    EXPECT_EQ(Read(GridHeic(), "avif"), (Fields{1024, 768, 0, 0}));
}

TEST(HeifSizeTest, PrimaryItemsDepthAndWideNumbers) {
    const std::string properties = Ispe(64, 48) + Pixi("\x0A\x0A\x0A") + Ispe(8, 6);
    // Version 1: 32-bit item numbers; flag 1: 16-bit property indexes.
    const std::string ipma =
        Be32(2) + Be32(7) + Byte(1) + Be16(3) + Be32(70000) + Byte(2) + Be16(0x8001) + Be16(2);
    EXPECT_EQ(Read(Heif(FullBox("pitm", 1, 0, Be32(70000)), properties, 1, 1, ipma), "avif"),
              (Fields{64, 48, 30, 1u << 30}));
    EXPECT_EQ(Read(Heif(FullBox("pitm", 1, 0, Be32(7)), properties, 1, 1, ipma), "avif"),
              (Fields{8, 6, 0, 0}));
}

TEST(HeifSizeTest, NoPrimaryNoExtentsOrZeroExtentsGiveNothing) {
    const std::string ipma = Be32(1) + Association(1, Byte(1));
    const std::string pitm = FullBox("pitm", 0, 0, Be16(1));
    EXPECT_EQ(Read(Heif(pitm, Ispe(5, 4), 0, 0, ipma), "heic"), (Fields{5, 4, 0, 0}));
    EXPECT_EQ(Read(Heif("", Ispe(5, 4), 0, 0, ipma), "heic"), Fields{});
    EXPECT_EQ(Read(Heif(FullBox("pitm", 0, 0, Be16(2)), Ispe(5, 4), 0, 0, ipma), "heic"), Fields{});
    EXPECT_EQ(Read(Heif(pitm, Box("colr", Zeros(4)), 0, 0, ipma), "heic"), Fields{});
    EXPECT_EQ(Read(Heif(pitm, Ispe(0, 4), 0, 0, ipma), "heic"), Fields{});
    EXPECT_EQ(Read(Heif(pitm, Ispe(5, 0), 0, 0, ipma), "heic"), Fields{});
    // Index 0 stands for no property; an index past the properties is none.
    EXPECT_EQ(
        Read(Heif(pitm, Ispe(5, 4), 0, 0, Be32(1) + Association(1, Byte(0) + Byte(9))), "heic"),
        Fields{});
    // The file must begin with its file type box.
    EXPECT_EQ(Read(Heif(pitm, Ispe(5, 4), 0, 0, ipma).substr(Ftyp("avif").size()), "heic"),
              Fields{});
}

TEST(HeifSizeTest, HostileSizesAndCountsEndTheWalk) {
    const std::string pitm = FullBox("pitm", 0, 0, Be16(1));
    // An entry count far beyond the payload.
    EXPECT_EQ(
        Read(Heif(pitm, Ispe(5, 4), 0, 0, Be32(0xFFFFFFFF) + Association(1, Byte(1))), "heic"),
        (Fields{5, 4, 0, 0}));
    EXPECT_EQ(Read(Heif(pitm, Ispe(5, 4), 0, 0, Be32(0xFFFFFFFF) + Be16(1) + Byte(200)), "heic"),
              Fields{});
    // A meta box of 4 GB, of less than its head, of a 64-bit size of 15.
    const std::string ftyp = Ftyp("heic");
    EXPECT_EQ(Read(ftyp + Be32(0xFFFFFFFF) + "meta" + Zeros(64), "heic"), Fields{});
    EXPECT_EQ(Read(ftyp + Be32(7) + "meta" + Zeros(64), "heic"), Fields{});
    EXPECT_EQ(Read(ftyp + Be32(1) + "meta" + Be32(0) + Be32(15) + Zeros(64), "heic"), Fields{});
    // A box inside meta that claims more than meta holds ends the walk
    // before the properties.
    const std::string grid = GridHeic();
    std::string bad = grid;
    const std::size_t hdlr = bad.find("hdlr") - 4;
    bad.replace(hdlr, 4, Be32(0x7FFFFFFF));
    EXPECT_EQ(Read(bad, "heic"), Fields{});
    // Skipped top-level boxes past the end, and a walk of many empty boxes.
    EXPECT_EQ(Read(ftyp + Be32(0xFFFFFFF0) + "free", "heic"), Fields{});
    std::string many = ftyp;
    for (int i = 0; i < 100; ++i) {
        many += Box("free", "");
    }
    EXPECT_EQ(Read(many + grid.substr(ftyp.size()), "heic"), Fields{});
}

TEST(HeifSizeTest, EveryCutBeforeTheEndOfMetaFails) {
    const std::string grid = GridHeic();
    const std::size_t metaEnd = grid.find("mdat") - 4;
    for (std::size_t length = 0; length < metaEnd; ++length) {
        EXPECT_EQ(Read(grid.substr(0, length), "heic"), Fields{}) << length;
    }
    EXPECT_EQ(Read(grid.substr(0, metaEnd), "heic"), (Fields{1024, 768, 0, 0}));
}

/// A CR3 file: tracks whose first sample entries are Canon raw entries of
/// the sizes given, the first full-size, the last the raw data.
std::string Cr3(const std::vector<std::array<uint32_t, 2>>& sizes) {
    std::string tracks;
    for (const auto& [width, height] : sizes) {
        const std::string entry =
            Box("CRAW", Zeros(6) + Be16(1) + Zeros(16) + Be16(width) + Be16(height) +
                            Be32(0x480000) + Be32(0x480000) + Be32(0) + Be16(1) + Zeros(32) +
                            Be16(24) + Be16(0xFFFF) + Box("JPEG", Zeros(4)));
        tracks +=
            Box("trak",
                FullBox("tkhd", 0, 3, Zeros(80)) +
                    Box("mdia", Box("minf", Box("stbl", FullBox("stsd", 0, 0, Be32(1) + entry)))));
    }
    return Box("ftyp", "crx " + Be32(1) + "crx isom") +
           Box("moov", Box("uuid", Zeros(16)) + FullBox("mvhd", 0, 0, Zeros(96)) + tracks) +
           Box("mdat", Zeros(16));
}

TEST(Cr3SizeTest, FirstCanonRawTrackGivesTheSize) {
    EXPECT_EQ(Read(Cr3({{6000, 4000}, {1624, 1080}, {6288, 4056}}), "cr3"),
              (Fields{6000, 4000, 24, 16777216}));
    EXPECT_EQ(Read(Cr3({{6000, 4000}}), "CR3"), (Fields{6000, 4000, 24, 16777216}));
    EXPECT_EQ(Read(Cr3({{0, 4000}}), "cr3"), Fields{});
    EXPECT_EQ(Read(Cr3({}), "cr3"), Fields{});
    const std::string cr3 = Cr3({{6000, 4000}});
    for (std::size_t length = 0; length < cr3.find("mdat") - 4; ++length) {
        EXPECT_EQ(Read(cr3.substr(0, length), "cr3"), Fields{}) << length;
    }
}

// ---- WebP --------------------------------------------------------------------

std::string Riff(const std::string& chunk, const std::string& payload) {
    return "RIFF" + Le32(static_cast<uint32_t>(payload.size() + 12)) + "WEBP" + chunk +
           Le32(static_cast<uint32_t>(payload.size())) + payload;
}
std::string Vp8(uint32_t width, uint32_t height, uint32_t frameTag = 0x10) {
    return Riff("VP8 ",
                Byte(frameTag) + Zeros(2) + "\x9D\x01\x2A" + Le16(width) + Le16(height) + Zeros(8));
}
std::string Vp8l(uint32_t width, uint32_t height, uint32_t alpha, uint32_t version = 0) {
    return Riff("VP8L", "\x2F" +
                            Le32((width - 1) | (height - 1) << 14 | alpha << 28 | version << 29) +
                            Zeros(8));
}
std::string Vp8x(uint32_t width, uint32_t height, uint32_t flags) {
    return Riff("VP8X", Byte(flags) + Zeros(3) + Le24(width - 1) + Le24(height - 1)) + "VP8 " +
           Le32(0);
}

TEST(WebpSizeTest, LossyLosslessAndExtended) {
    EXPECT_EQ(Read(Vp8(128, 96), "webp"), (Fields{128, 96, 24, 16777216}));
    // The top two bits of each size are a scale, not the size.
    EXPECT_EQ(Read(Vp8(0xC000 | 300, 0x4000 | 200), "webp"), (Fields{300, 200, 24, 16777216}));
    EXPECT_EQ(Read(Vp8l(16384, 1, 0), "WEBP"), (Fields{16384, 1, 24, 16777216}));
    EXPECT_EQ(Read(Vp8l(1024, 640, 1), "webp"), (Fields{1024, 640, 32, 4294967295u}));
    EXPECT_EQ(Read(Vp8x(16777216, 2, 0x10), "webp"), (Fields{16777216, 2, 32, 4294967295u}));
    EXPECT_EQ(Read(Vp8x(600, 315, 0x08), "webp"), (Fields{600, 315, 24, 16777216}));
}

TEST(WebpSizeTest, WrongOrShortHeadersGiveNothing) {
    EXPECT_EQ(Read(Vp8(0, 96), "webp"), Fields{});
    EXPECT_EQ(Read(Vp8(128, 0x4000), "webp"), Fields{});
    EXPECT_EQ(Read(Vp8(128, 96, 0x11), "webp"), Fields{}) << "an interframe first";
    EXPECT_EQ(Read(Vp8l(8, 8, 0, 1), "webp"), Fields{}) << "an unknown version";
    EXPECT_EQ(Read(Riff("ALPH", Zeros(16)), "webp"), Fields{});
    std::string avi = Vp8(8, 8);
    avi.replace(8, 4, "AVI ");
    EXPECT_EQ(Read(avi, "webp"), Fields{});
    for (const auto& [bytes, needed] : std::vector<std::pair<std::string, std::size_t>>{
             {Vp8(8, 8), 30}, {Vp8l(8, 8, 0), 25}, {Vp8x(8, 8, 0), 30}}) {
        for (std::size_t length = 0; length < needed; ++length) {
            EXPECT_EQ(Read(bytes.substr(0, length), "webp"), Fields{}) << length;
        }
        EXPECT_NE(Read(bytes.substr(0, needed), "webp"), Fields{});
    }
}

// ---- JPEG XL -----------------------------------------------------------------

/// Bits written least significant first, as the codestream holds them.
class CBits {
public:
    CBits& Put(uint32_t value, unsigned count) {
        for (unsigned i = 0; i < count; ++i, ++bit) {
            if (bit % 8 == 0) {
                bytes += '\0';
            }
            bytes.back() = static_cast<char>(bytes.back() | (((value >> i) & 1u) << (bit % 8)));
        }
        return *this;
    }
    std::string bytes;

private:
    unsigned bit = 0;
};

/// A codestream: the signature, the size header (a dimension is a 2-bit
/// selector of 9, 13, 18 or 30 bits of the size less one), then a
/// stand-in for the rest.
std::string JxlCodestream(uint32_t height, uint32_t ratio, uint32_t width = 0) {
    CBits bits;
    bits.Put(0, 1).Put(3, 2).Put(height - 1, 30).Put(ratio, 3);
    if (ratio == 0) {
        bits.Put(1, 2).Put(width - 1, 13);
    }
    return "\xFF\x0A" + bits.bytes + Zeros(20);
}
std::string JxlSmall(uint32_t height8, uint32_t width8) {
    return "\xFF\x0A" + CBits().Put(1, 1).Put(height8 - 1, 5).Put(0, 3).Put(width8 - 1, 5).bytes +
           Zeros(20);
}
const std::string kJxlSignature = Be32(12) + "JXL \x0D\x0A\x87\x0A";

TEST(JxlSizeTest, BareCodestreamSizeHeader) {
    EXPECT_EQ(Read(JxlSmall(1, 1), "jxl"), (Fields{8, 8, 0, 0}));
    EXPECT_EQ(Read(JxlSmall(32, 5), "JXL"), (Fields{40, 256, 0, 0}));
    EXPECT_EQ(Read(JxlCodestream(360, 0, 480), "jxl"), (Fields{480, 360, 0, 0}));
    // The ratios 1:1, 12:10, 4:3, 3:2, 16:9, 5:4 and 2:1 of the height.
    const uint32_t widths[] = {360, 432, 480, 540, 640, 450, 720};
    for (uint32_t ratio = 1; ratio <= 7; ++ratio) {
        EXPECT_EQ(Read(JxlCodestream(360, ratio), "jxl"), (Fields{widths[ratio - 1], 360, 0, 0}))
            << ratio;
    }
    EXPECT_EQ(Read(JxlCodestream(1u << 30, 7), "jxl"), (Fields{2147483648u, 1u << 30, 0, 0}));
    EXPECT_EQ(Read("\xFF\x0B" + JxlSmall(1, 1).substr(2), "jxl"), Fields{});
    // The size header is 14 bits here: two bytes behind the signature.
    EXPECT_EQ(Read(JxlSmall(2, 2).substr(0, 3), "jxl"), Fields{});
    EXPECT_EQ(Read(JxlSmall(2, 2).substr(0, 4), "jxl"), (Fields{16, 16, 0, 0}));
    // 51 bits of size header: seven bytes behind the signature.
    const std::string large = JxlCodestream(360, 0, 480);
    EXPECT_EQ(Read(large.substr(0, 9), "jxl"), (Fields{480, 360, 0, 0}));
    for (std::size_t length = 0; length < 9; ++length) {
        EXPECT_EQ(Read(large.substr(0, length), "jxl"), Fields{}) << length;
    }
}

TEST(JxlSizeTest, ContainerWithWholeOrPartedCodestream) {
    const std::string ftyp = Box("ftyp", "jxl " + Be32(0) + "jxl ");
    const std::string codestream = JxlCodestream(130, 0, 200);
    EXPECT_EQ(Read(kJxlSignature + ftyp + Box("jxlc", codestream), "jxl"),
              (Fields{200, 130, 0, 0}));
    // A last box that runs to the end of the file.
    EXPECT_EQ(Read(kJxlSignature + ftyp + Be32(0) + "jxlc" + codestream, "jxl"),
              (Fields{200, 130, 0, 0}));
    // Parts split inside the size header, behind EXIF and a compressed box.
    const std::string parted = kJxlSignature + ftyp + Box("Exif", Zeros(10)) +
                               Box("brob", "Exif" + Zeros(6)) +
                               Box("jxlp", Be32(0) + codestream.substr(0, 3)) +
                               Box("jxlp", Be32(0x80000001) + codestream.substr(3));
    EXPECT_EQ(Read(parted, "jxl"), (Fields{200, 130, 0, 0}));
    // The first part marked the last: the header stops short.
    const std::string stopped = kJxlSignature + ftyp +
                                Box("jxlp", Be32(0x80000000) + codestream.substr(0, 3)) +
                                Box("jxlp", Be32(1) + codestream.substr(3));
    EXPECT_EQ(Read(stopped, "jxl"), Fields{});
    EXPECT_EQ(Read(kJxlSignature + ftyp + Box("jxlp", "\0\0"), "jxl"), Fields{});
    EXPECT_EQ(
        Read(kJxlSignature + ftyp + Be32(0xFFFFFFFF) + "free" + Box("jxlc", codestream), "jxl"),
        Fields{});
    EXPECT_EQ(Read(kJxlSignature.substr(0, 11) + "\x0B" + ftyp + Box("jxlc", codestream), "jxl"),
              Fields{});
    const std::string whole = kJxlSignature + ftyp + Box("jxlc", codestream);
    const std::size_t needed = kJxlSignature.size() + ftyp.size() + 8 + 9;
    for (std::size_t length = 0; length < needed; ++length) {
        EXPECT_EQ(Read(whole.substr(0, length), "jxl"), Fields{}) << length;
    }
}

// ---- RAF and X3F -------------------------------------------------------------

/// A RAF file: the header, an 8x8 stand-in preview, then the RAF directory
/// with the entries given (tag, value).
std::string Raf(const std::vector<std::pair<uint32_t, std::string>>& entries) {
    const std::string preview = Zeros(8);
    std::string directory = Be32(static_cast<uint32_t>(entries.size()));
    for (const auto& [tag, value] : entries) {
        directory += Be16(tag) + Be16(static_cast<uint32_t>(value.size())) + value;
    }
    const uint32_t directoryAt = 100 + static_cast<uint32_t>(preview.size());
    std::string header = "FUJIFILMCCD-RAW 0201FF392201FinePix S5Pro";
    header += Zeros(84 - header.size());
    header += Be32(100) + Be32(static_cast<uint32_t>(preview.size())) + Be32(directoryAt) +
              Be32(static_cast<uint32_t>(directory.size()));
    return header + preview + directory;
}

TEST(RafSizeTest, FullRawImageSizeOfTheDirectory) {
    const std::string raf = Raf({{0x121, Be16(1440) + Be16(4288)},
                                 {0x110, Be16(10) + Be16(48)},
                                 {0x100, Be16(1444) + Be16(4352)}});
    EXPECT_EQ(Read(raf, "raf"), (Fields{4352, 1444, 0, 0}));
    EXPECT_EQ(Read(raf, "RAF"), (Fields{4352, 1444, 0, 0}));
    for (std::size_t length = 0; length < raf.size(); ++length) {
        EXPECT_EQ(Read(raf.substr(0, length), "raf"), Fields{}) << length;
    }
    EXPECT_EQ(Read(Raf({{0x121, Be16(1440) + Be16(4288)}}), "raf"), Fields{});
    EXPECT_EQ(Read(Raf({{0x100, Be16(0) + Be16(4352)}}), "raf"), Fields{});
    EXPECT_EQ(Read(Raf({{0x100, Be16(1444)}}), "raf"), Fields{});
    // A directory before the end of the header, or past the end of the file.
    std::string early = raf;
    early.replace(92, 4, Be32(40));
    EXPECT_EQ(Read(early, "raf"), Fields{});
    std::string late = raf;
    late.replace(92, 4, Be32(0xFFFFFFF0));
    EXPECT_EQ(Read(late, "raf"), Fields{});
}

TEST(X3fSizeTest, ColumnsAndRowsOfTheHeader) {
    const std::string x3f = "FOVb" + Le32(0x00020003) + Zeros(16) + Le32(0) + Le32(2640) +
                            Le32(1760) + Le32(0) + Zeros(64);
    EXPECT_EQ(Read(x3f, "x3f"), (Fields{2640, 1760, 0, 0}));
    EXPECT_EQ(Read(x3f.substr(0, 36), "X3F"), (Fields{2640, 1760, 0, 0}));
    EXPECT_EQ(Read(x3f.substr(0, 35), "x3f"), Fields{});
    EXPECT_EQ(Read("FOVa" + x3f.substr(4), "x3f"), Fields{});
    EXPECT_EQ(Read(x3f.substr(0, 28) + Le32(0) + Le32(1760), "x3f"), Fields{});
}

TEST(ModernImageBytesTest, GarbageAndFlippedBytesNeverGiveInconsistentFields) {
    const std::vector<std::pair<std::string, std::string>> fixtures = {
        {"heic", GridHeic()},
        {"cr3", Cr3({{6000, 4000}, {1624, 1080}})},
        {"webp", Vp8x(8, 8, 0x10)},
        {"webp", Vp8(8, 8)},
        {"jxl", kJxlSignature + Box("jxlp", Be32(0) + JxlCodestream(130, 0, 200).substr(0, 3)) +
                    Box("jxlp", Be32(0x80000001) + JxlCodestream(130, 0, 200).substr(3))},
        {"raf", Raf({{0x100, Be16(1444) + Be16(4352)}})},
    };
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    int readCount = 0;
    for (const auto& [extension, bytes] : fixtures) {
        std::vector<std::string> inputs;
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            for (const int mask : {0xFF, 0x01, 0x80}) {
                std::string flipped = bytes;
                flipped[at] = static_cast<char>(flipped[at] ^ mask);
                inputs.push_back(flipped);
            }
        }
        for (int i = 0; i < 200; ++i) {
            std::string tail(static_cast<std::size_t>(byte(random)), '\0');
            for (char& c : tail) {
                c = static_cast<char>(byte(random));
            }
            inputs.push_back(bytes.substr(0, static_cast<std::size_t>(i) % bytes.size()) + tail);
        }
        for (const std::string& input : inputs) {
            CImageInfo info;
            if (!ReadImageInfoFromBytes(input, extension, info)) {
                continue;
            }
            ++readCount;
            EXPECT_NE(info.width, 0u) << extension;
            EXPECT_NE(info.height, 0u) << extension;
            const uint32_t bits = info.bitsPerPixel;
            EXPECT_EQ(info.colourCount, bits == 0 ? 0 : bits >= 32 ? 4294967295u : 1u << bits);
        }
    }
    EXPECT_GT(readCount, 100);
}

} // namespace
