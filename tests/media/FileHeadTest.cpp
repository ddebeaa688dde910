// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/FileHead.h"
#include "media/ExifReader.h"
#include "media/ImageReader.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>
#include <string>

namespace {

std::string Be16(std::size_t v) {
    return std::string{static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}

std::string Section(int marker, const std::string& payload) {
    return std::string{'\xFF', static_cast<char>(marker)} + Be16(payload.size() + 2) + payload;
}

/// A JPEG file whose frame header comes after the given sections.
std::string JpegAfter(const std::string& sections, int height, int width) {
    const std::string sof =
        Section(0xC0, "\x08" + Be16(static_cast<std::size_t>(height)) +
                          Be16(static_cast<std::size_t>(width)) +
                          std::string("\x03\x01\x11\x00\x02\x11\x00\x03\x11\x00", 10));
    const std::string sos =
        Section(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6)) + "\x12\x34\xFF\xD9";
    return "\xFF\xD8" + sections + sof + sos;
}

/// An EXIF section with an empty first directory, filled up to size bytes.
std::string BigExifSection(std::size_t size) {
    std::string payload = std::string("Exif\0\0MM\0\x2A\0\0\0\x08\0\0\0\0\0\0", 20);
    payload.resize(size, '\x55');
    return Section(0xE1, payload);
}

std::string Pattern(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

std::string ReadThroughHead(CFileHead& head, uint64_t offset, std::size_t count) {
    std::string out(count, '\0');
    out.resize(head.ReadAt(offset, reinterpret_cast<uint8_t*>(out.data()), count));
    return out;
}

/// How many descriptors of this process are open on path.
int OpenDescriptorsOf(const std::string& path) {
    int count = 0;
    for (const auto& item : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const auto target = std::filesystem::read_symlink(item.path(), error);
        if (!error && target == path) {
            ++count;
        }
    }
    return count;
}

} // namespace

TEST(FileHeadTest, ReadsEveryRangeOfTheFileWithinAndBeyondTheKeptFront) {
    CTempFolder folder;
    const std::size_t size = CFileHead::kMaxKept + CFileHead::kMaxKept / 2 + 123;
    const std::string bytes = Pattern(size, 7);
    const std::string path = folder.WriteFile("data.bin", bytes);

    CFileHead head;
    int error = -1;
    ASSERT_TRUE(head.Hold(path, error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(head.Size(), size);

    // Out of order on purpose: far beyond the kept front first, then ranges
    // that grow the kept bytes, straddle its limit or run past the end.
    const std::pair<uint64_t, std::size_t> ranges[] = {
        {size - 10, 10},
        {0, 1},
        {5, 4000},
        {CFileHead::kFirstRead - 3, 9},
        {100000, 70000},
        {CFileHead::kMaxKept - 100, 300},
        {CFileHead::kMaxKept + 5, 1000},
        {size - 50, 200},
        {size, 10},
        {size + 1000, 10},
        {0, size},
    };
    for (const auto& [offset, count] : ranges) {
        const std::string expected =
            offset >= size ? std::string() : bytes.substr(static_cast<std::size_t>(offset), count);
        EXPECT_EQ(ReadThroughHead(head, offset, count), expected) << offset << "+" << count;
    }
    std::mt19937 random(11);
    for (int i = 0; i < 300; ++i) {
        const uint64_t offset = random() % (size + 100);
        const std::size_t count = random() % 20000;
        const std::string expected =
            offset >= size ? std::string() : bytes.substr(static_cast<std::size_t>(offset), count);
        ASSERT_EQ(ReadThroughHead(head, offset, count), expected) << offset << "+" << count;
    }
    EXPECT_EQ(head.OpenCount(), 1u);
}

TEST(FileHeadTest, TheSameFileIsOpenedOnceAndAChangedOrReplacedOneAgain) {
    CTempFolder folder;
    const std::string path = folder.WriteFile("a.bin", "first contents");
    const std::string other = folder.WriteFile("b.bin", "other file");

    CFileHead head;
    int error = 0;
    ASSERT_TRUE(head.Hold(path, error));
    EXPECT_EQ(ReadThroughHead(head, 0, 100), "first contents");
    ASSERT_TRUE(head.Hold(path, error));
    EXPECT_EQ(ReadThroughHead(head, 6, 100), "contents");
    EXPECT_EQ(head.OpenCount(), 1u);

    // Another file moved onto the path: a new inode, read anew.
    const std::string replacement = folder.WriteFile("c.bin", "replacement");
    ASSERT_EQ(std::rename(replacement.c_str(), path.c_str()), 0);
    ASSERT_TRUE(head.Hold(path, error));
    EXPECT_EQ(ReadThroughHead(head, 0, 100), "replacement");
    EXPECT_EQ(head.OpenCount(), 2u);

    // Changed in place: the same inode with another size.
    folder.WriteFile("a.bin", "changed in place, longer");
    ASSERT_TRUE(head.Hold(path, error));
    EXPECT_EQ(ReadThroughHead(head, 0, 100), "changed in place, longer");
    EXPECT_EQ(head.OpenCount(), 3u);

    ASSERT_TRUE(head.Hold(other, error));
    EXPECT_EQ(ReadThroughHead(head, 0, 100), "other file");
    ASSERT_TRUE(head.Hold(path, error));
    EXPECT_EQ(ReadThroughHead(head, 0, 7), "changed");
    EXPECT_EQ(head.OpenCount(), 5u);
}

TEST(FileHeadTest, WhatCannotBeHeldHoldsNothing) {
    CTempFolder folder;
    const std::string path = folder.WriteFile("a.bin", "contents");
    CFileHead head;
    int error = 0;
    ASSERT_TRUE(head.Hold(path, error));

    EXPECT_FALSE(head.Hold(folder / "missing.bin", error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(ReadThroughHead(head, 0, 10), "");
    EXPECT_FALSE(head.Hold(folder.MakeFolder("sub"), error));
    EXPECT_EQ(error, EISDIR);

    // A file deleted while held is not served from the bytes kept.
    ASSERT_TRUE(head.Hold(path, error));
    ASSERT_EQ(std::remove(path.c_str()), 0);
    EXPECT_FALSE(head.Hold(path, error));
    EXPECT_EQ(error, ENOENT);
}

TEST(FileHeadTest, ExifAndImageTagsOfOneFileOpenItOnce) {
    CTempFolder folder;
    // The frame header lies behind a large EXIF section, past the first read.
    const std::string first =
        folder.WriteFile("first.jpg", JpegAfter(BigExifSection(60000), 480, 640));
    const std::string second =
        folder.WriteFile("second.jpg", JpegAfter(BigExifSection(30000), 600, 800));

    const auto opens = [] {
        const std::lock_guard<std::mutex> lock(CFileHead::Lock());
        return CFileHead::Shared().OpenCount();
    };
    const uint64_t before = opens();
    for (const std::string& path : {first, second}) {
        CExifInfo exif;
        ASSERT_TRUE(ReadExifInfo(path, exif)) << path;
        CImageInfo image;
        ASSERT_TRUE(ReadImageInfo(path, image)) << path;
        ASSERT_TRUE(ReadExifInfo(path, exif)) << path;
        if (path == first) {
            EXPECT_EQ(exif.width, 640);
            EXPECT_EQ(exif.height, 480);
            EXPECT_EQ(image.width, 640u);
            EXPECT_EQ(image.height, 480u);
        } else {
            EXPECT_EQ(exif.width, 800);
            EXPECT_EQ(image.width, 800u);
            EXPECT_EQ(image.height, 600u);
        }
        EXPECT_EQ(image.bitsPerPixel, 24u);
    }
    EXPECT_EQ(opens() - before, 2u);
}

TEST(FileHeadTest, ImageWalkReachesAFrameHeaderBeyondTheKeptFront) {
    CTempFolder folder;
    std::string sections;
    while (sections.size() <= CFileHead::kMaxKept + 100000) {
        sections += Section(0xE2, std::string(65000, '\x20'));
    }
    const std::string bytes = JpegAfter(sections, 123, 456);
    const std::string path = folder.WriteFile("deep.jpg", bytes);

    CImageInfo fromFile;
    ASSERT_TRUE(ReadImageInfo(path, fromFile));
    CImageInfo fromBytes;
    ASSERT_TRUE(ReadImageInfoFromBytes(bytes, "jpg", fromBytes));
    EXPECT_EQ(fromFile.width, 456u);
    EXPECT_EQ(fromFile.height, 123u);
    EXPECT_EQ(fromFile.width, fromBytes.width);
    EXPECT_EQ(fromFile.height, fromBytes.height);
    EXPECT_EQ(fromFile.bitsPerPixel, fromBytes.bitsPerPixel);

    // Cut before the frame header: the walk fails rather than read stale bytes.
    const std::string cut = folder.WriteFile("cut.jpg", bytes.substr(0, sections.size() - 1000));
    CImageInfo none;
    EXPECT_FALSE(ReadImageInfo(cut, none));
}

TEST(FileHeadTest, AClosedFileIsOpenedAgainOnlyWhileItIsTheSameFile) {
    CTempFolder folder;
    const std::size_t size = 200000;
    const std::string bytes = Pattern(size, 3);
    const std::string path = folder.WriteFile("big.bin", bytes);

    CFileHead head;
    int error = 0;
    ASSERT_TRUE(head.Hold(path, error));
    EXPECT_EQ(ReadThroughHead(head, 0, 10), bytes.substr(0, 10));
    head.CloseFile();
    EXPECT_FALSE(head.IsFileOpen());
    EXPECT_EQ(OpenDescriptorsOf(path), 0);

    // Within the kept bytes nothing is opened; beyond them the file is.
    EXPECT_EQ(ReadThroughHead(head, 100, 50), bytes.substr(100, 50));
    EXPECT_EQ(head.OpenCount(), 1u);
    EXPECT_EQ(ReadThroughHead(head, 150000, 100), bytes.substr(150000, 100));
    EXPECT_EQ(head.OpenCount(), 2u);
    head.CloseFile();

    // Another file of the same size moved onto the path: its bytes are never
    // mixed with the kept ones of the first.
    const std::string other = folder.WriteFile("other.bin", Pattern(size, 4));
    ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
    EXPECT_EQ(ReadThroughHead(head, 190000, 100), "");
    EXPECT_EQ(ReadThroughHead(head, 5, 5), bytes.substr(5, 5));
    EXPECT_FALSE(head.IsFileOpen());
    // Asked for again, the path is the new file.
    ASSERT_TRUE(head.Hold(path, error));
    EXPECT_EQ(ReadThroughHead(head, 190000, 100), Pattern(size, 4).substr(190000, 100));
}

TEST(FileHeadTest, TheReadersLeaveNoFileOpen) {
    CTempFolder folder;
    const std::string path =
        folder.WriteFile("photo.jpg", JpegAfter(BigExifSection(20000), 30, 40));
    CExifInfo exif;
    ASSERT_TRUE(ReadExifInfo(path, exif));
    EXPECT_EQ(OpenDescriptorsOf(path), 0);
    CImageInfo image;
    ASSERT_TRUE(ReadImageInfo(path, image));
    EXPECT_EQ(image.width, 40u);
    EXPECT_EQ(OpenDescriptorsOf(path), 0);
}
