// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Crc32.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> RandomBytes(std::size_t size, uint32_t seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes) {
        b = static_cast<uint8_t>(byte(generator));
    }
    return bytes;
}

std::string AsText(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

uint32_t ZlibCrc(const void* data, std::size_t size) {
    return static_cast<uint32_t>(crc32_z(0, static_cast<const Bytef*>(data), size));
}

/// What the progress callback saw, and when it cancels.
struct CProgressLog {
    std::vector<uint64_t> totals;
    std::size_t cancelAtCall = 0; ///< 1-based; 0 never cancels
    std::function<void()> onFirstCall;

    static bool Callback(uint64_t bytesRead, void* context) {
        auto& log = *static_cast<CProgressLog*>(context);
        log.totals.push_back(bytesRead);
        if (log.totals.size() == 1 && log.onFirstCall) {
            log.onFirstCall();
        }
        return log.cancelAtCall != 0 && log.totals.size() >= log.cancelAtCall;
    }
};

TEST(Crc32Test, CheckValueAndEmptyInput) {
    const CCrc32 crc;
    const std::string check = "123456789";
    EXPECT_EQ(crc.Update(0, check.data(), check.size()), 0xCBF43926u);
    EXPECT_EQ(crc.UpdateBytewise(0, check.data(), check.size()), 0xCBF43926u);

    EXPECT_EQ(crc.Update(0, nullptr, 0), 0u);
    EXPECT_EQ(crc.UpdateBytewise(0, nullptr, 0), 0u);
    // Nothing more to add leaves a running value as it is.
    EXPECT_EQ(crc.Update(0xCBF43926u, check.data(), 0), 0xCBF43926u);
    EXPECT_EQ(crc.UpdateBytewise(0xCBF43926u, check.data(), 0), 0xCBF43926u);

    // Known values of single bytes and a text, as zlib gives them.
    const uint8_t zero = 0;
    EXPECT_EQ(crc.Update(0, &zero, 1), 0xD202EF8Du);
    EXPECT_EQ(crc.UpdateBytewise(0, &zero, 1), 0xD202EF8Du);
    const std::string fox = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(crc.Update(0, fox.data(), fox.size()), 0x414FA339u);
}

TEST(Crc32Test, FastPathBytewiseAndZlibAgreeOnEveryLengthAndAlignment) {
    const CCrc32 crc;
    const std::vector<uint8_t> bytes = RandomBytes((1u << 20) + 64, 20240601);
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 300; ++n) {
        lengths.push_back(n);
    }
    for (std::size_t n : {511u, 512u, 513u, 1023u, 1024u, 4095u, 4096u, 4097u, 32767u, 32768u,
                          32769u, 65536u + 7u, (1u << 20) - 1u, 1u << 20}) {
        lengths.push_back(n);
    }
    for (const std::size_t length : lengths) {
        for (std::size_t offset = 0; offset < 16; ++offset) {
            const uint8_t* data = bytes.data() + offset;
            const uint32_t expected = ZlibCrc(data, length);
            ASSERT_EQ(crc.Update(0, data, length), expected)
                << "length " << length << " offset " << offset;
            ASSERT_EQ(crc.UpdateBytewise(0, data, length), expected)
                << "length " << length << " offset " << offset;
        }
    }
}

TEST(Crc32Test, IncrementalUpdatesChainLikeOneUpdate) {
    const CCrc32 crc;
    const std::vector<uint8_t> bytes = RandomBytes(200000, 7);
    const uint32_t whole = ZlibCrc(bytes.data(), bytes.size());
    std::mt19937 generator(99);
    for (int round = 0; round < 50; ++round) {
        std::uniform_int_distribution<std::size_t> piece(0, round % 2 == 0 ? 100 : 40000);
        uint32_t fast = 0;
        uint32_t mixed = 0;
        std::size_t pos = 0;
        bool bytewiseTurn = round % 3 == 0;
        while (pos < bytes.size()) {
            const std::size_t n = std::min(piece(generator), bytes.size() - pos);
            fast = crc.Update(fast, bytes.data() + pos, n);
            mixed = bytewiseTurn ? crc.UpdateBytewise(mixed, bytes.data() + pos, n)
                                 : crc.Update(mixed, bytes.data() + pos, n);
            bytewiseTurn = !bytewiseTurn;
            pos += n;
        }
        ASSERT_EQ(fast, whole) << "round " << round;
        ASSERT_EQ(mixed, whole) << "round " << round;
    }
}

class FileCrc32Test : public ::testing::Test {
protected:
    CTempFolder folder;
    CCrc32 crc;
};

TEST_F(FileCrc32Test, FileLongerThanOneBlockWithProgressAfterEveryBlock) {
    const std::vector<uint8_t> bytes = RandomBytes(3 * CCrc32::kBlockSize + 1696, 3);
    const std::string path = folder.WriteFile("data.bin", AsText(bytes));
    CProgressLog log;
    uint32_t value = 0;
    ASSERT_TRUE(crc.FileCrc32(path, &CProgressLog::Callback, &log, value));
    EXPECT_EQ(value, ZlibCrc(bytes.data(), bytes.size()));
    EXPECT_EQ(log.totals, (std::vector<uint64_t>{32768, 65536, 98304, 100000}));

    // Without a callback the value is the same.
    uint32_t quiet = 0;
    ASSERT_TRUE(crc.FileCrc32(path, nullptr, nullptr, quiet));
    EXPECT_EQ(quiet, value);
}

TEST_F(FileCrc32Test, FileOfWholeBlocksEndsWithAnEmptyRead) {
    const std::vector<uint8_t> bytes = RandomBytes(2 * CCrc32::kBlockSize, 4);
    const std::string path = folder.WriteFile("blocks.bin", AsText(bytes));
    CProgressLog log;
    uint32_t value = 0;
    ASSERT_TRUE(crc.FileCrc32(path, &CProgressLog::Callback, &log, value));
    EXPECT_EQ(value, ZlibCrc(bytes.data(), bytes.size()));
    EXPECT_EQ(log.totals, (std::vector<uint64_t>{32768, 65536, 65536}));
}

TEST_F(FileCrc32Test, SmallAndEmptyFiles) {
    uint32_t value = 1;
    CProgressLog log;
    ASSERT_TRUE(crc.FileCrc32(folder.WriteFile("check.txt", "123456789"), &CProgressLog::Callback,
                              &log, value));
    EXPECT_EQ(value, 0xCBF43926u);
    EXPECT_EQ(log.totals, (std::vector<uint64_t>{9}));

    CProgressLog emptyLog;
    value = 1;
    ASSERT_TRUE(
        crc.FileCrc32(folder.WriteFile("empty.txt"), &CProgressLog::Callback, &emptyLog, value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(emptyLog.totals, (std::vector<uint64_t>{0}));
}

TEST_F(FileCrc32Test, LinkToAFileReadsTheFile) {
    const std::string target = folder.WriteFile("target.txt", "123456789");
    std::filesystem::create_symlink(target, folder / "link.txt");
    uint32_t value = 0;
    ASSERT_TRUE(crc.FileCrc32(folder / "link.txt", nullptr, nullptr, value));
    EXPECT_EQ(value, 0xCBF43926u);
}

TEST_F(FileCrc32Test, CancellingStopsAfterTheCurrentBlockAndFails) {
    const std::vector<uint8_t> bytes = RandomBytes(5 * CCrc32::kBlockSize + 10, 5);
    const std::string path = folder.WriteFile("long.bin", AsText(bytes));

    CProgressLog first;
    first.cancelAtCall = 1;
    uint32_t value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(path, &CProgressLog::Callback, &first, value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(first.totals, (std::vector<uint64_t>{32768}));

    CProgressLog third;
    third.cancelAtCall = 3;
    value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(path, &CProgressLog::Callback, &third, value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(third.totals, (std::vector<uint64_t>{32768, 65536, 98304}));

    // Cancelled at the very last block: everything was read, still no CRC.
    CProgressLog last;
    last.cancelAtCall = 6;
    value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(path, &CProgressLog::Callback, &last, value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(last.totals.size(), 6u);
    EXPECT_EQ(last.totals.back(), bytes.size());
}

TEST_F(FileCrc32Test, WhatIsNotAReadableFileFails) {
    CProgressLog log;
    uint32_t value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(folder.MakeFolder("sub"), &CProgressLog::Callback, &log, value));
    EXPECT_EQ(value, 0u);
    value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(folder.Path(), &CProgressLog::Callback, &log, value));
    EXPECT_EQ(value, 0u);
    value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(folder / "missing.bin", &CProgressLog::Callback, &log, value));
    EXPECT_EQ(value, 0u);
    value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32("", &CProgressLog::Callback, &log, value));
    EXPECT_EQ(value, 0u);
    std::filesystem::create_symlink(folder / "missing.bin", folder / "dangling");
    EXPECT_FALSE(crc.FileCrc32(folder / "dangling", &CProgressLog::Callback, &log, value));

    // A named pipe without writer neither blocks the open nor is read.
    const std::string pipe = folder / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(pipe, &CProgressLog::Callback, &log, value));
    EXPECT_EQ(value, 0u);

    EXPECT_TRUE(log.totals.empty()) << "nothing was read, so no progress was reported";
}

TEST_F(FileCrc32Test, FileThatChangesSizeWhileReadFails) {
    const std::vector<uint8_t> bytes = RandomBytes(4 * CCrc32::kBlockSize + 100, 6);
    const std::string shrinking = folder.WriteFile("shrinking.bin", AsText(bytes));
    CProgressLog shrink;
    shrink.onFirstCall = [&] { std::filesystem::resize_file(shrinking, 40000); };
    uint32_t value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(shrinking, &CProgressLog::Callback, &shrink, value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(shrink.totals, (std::vector<uint64_t>{32768, 40000}));

    const std::string growing = folder.WriteFile("growing.bin", AsText(bytes));
    CProgressLog grow;
    grow.onFirstCall = [&] {
        std::ofstream out(growing, std::ios::binary | std::ios::app);
        out << "more bytes";
    };
    value = 0x12345678u;
    EXPECT_FALSE(crc.FileCrc32(growing, &CProgressLog::Callback, &grow, value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(grow.totals.back(), bytes.size() + 10);
}

TEST_F(FileCrc32Test, SparseFileLargerThanFourGibibytes) {
    // Sizes past 2^32 must neither wrap nor be cut: the bytes at the end lie
    // beyond any 32-bit offset.
    const std::string tail = "tail!";
    const uint64_t size = (uint64_t{1} << 32) + 3 * CCrc32::kBlockSize + 12345;
    const std::string path = folder / "sparse.bin";
    {
        std::ofstream out(path, std::ios::binary);
        out.seekp(static_cast<std::streamoff>(size - tail.size()));
        out << tail;
        out.close();
        std::error_code error;
        if (!out || std::filesystem::file_size(path, error) != size) {
            GTEST_SKIP() << "the file system refuses a sparse file of " << size << " bytes";
        }
    }

    // The expected value from zlib: a chunk of zeros, joined chunk by chunk.
    const std::size_t chunk = 1u << 20;
    const std::vector<uint8_t> zeros(chunk, 0);
    const uLong zeroChunkCrc = crc32_z(0, zeros.data(), chunk);
    uLong expected = 0;
    uint64_t left = size - tail.size();
    while (left >= chunk) {
        expected = crc32_combine(expected, zeroChunkCrc, static_cast<z_off_t>(chunk));
        left -= chunk;
    }
    expected = crc32_z(expected, zeros.data(), static_cast<std::size_t>(left));
    expected = crc32_z(expected, reinterpret_cast<const Bytef*>(tail.data()), tail.size());

    CProgressLog log;
    uint32_t value = 0;
    ASSERT_TRUE(crc.FileCrc32(path, &CProgressLog::Callback, &log, value));
    EXPECT_EQ(value, static_cast<uint32_t>(expected));
    EXPECT_EQ(log.totals.size(), size / CCrc32::kBlockSize + 1);
    EXPECT_EQ(log.totals.back(), size);
}

} // namespace
