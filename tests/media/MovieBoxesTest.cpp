// SPDX-License-Identifier: GPL-3.0-or-later
// The walk over the boxes of a QuickTime or ISO file to its movie box and
// the user data's date, on files built here.
#include "media/MovieBoxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

std::string Be32(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>((value >> 16) & 0xFF),
            static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

std::string Box(const std::string& type, const std::string& payload) {
    return Be32(static_cast<uint32_t>(payload.size() + 8)) + type + payload;
}

/// A file of the given bytes, followed by zero bytes up to size (a hole),
/// followed by tail; counts the bytes read.
struct CSparseFile {
    std::string head;
    uint64_t holeEnd = 0;
    std::string tail;
    uint64_t bytesRead = 0;

    uint64_t Size() const { return std::max<uint64_t>(head.size(), holeEnd) + tail.size(); }

    MovieBytesReader Reader() {
        return [this](uint64_t offset, uint8_t* out, std::size_t count) {
            const uint64_t size = Size();
            const uint64_t tailStart = size - tail.size();
            std::size_t got = 0;
            for (; got < count && offset + got < size; ++got) {
                const uint64_t at = offset + got;
                out[got] = static_cast<uint8_t>(at < head.size()  ? head[at]
                                                : at >= tailStart ? tail[at - tailStart]
                                                                  : 0);
            }
            bytesRead += got;
            return got;
        };
    }
};

CMovieBoxFacts Facts(const std::string& bytes) {
    CSparseFile file;
    file.head = bytes;
    return ReadMovieBoxFacts(file.Reader(), file.Size());
}

const std::string kFileType = Box("ftyp", "qt  " + Be32(0) + "qt  ");
const std::string kDate = Box("date", "2018-02-07T10:15:08-0500");

TEST(MovieBoxesTest, FindsTheUserDataDateOfTheMovie) {
    const CMovieBoxFacts facts =
        Facts(kFileType + Box("moov", Box("mvhd", std::string(100, '\0')) +
                                          Box("trak", Box("udta", Box("date", "in a track"))) +
                                          Box("udta", Box("\xA9xyz", "+1+2/") + kDate)));
    EXPECT_TRUE(facts.movieFits);
    EXPECT_EQ(facts.userDate, "2018-02-07T10:15:08-0500");
}

TEST(MovieBoxesTest, MovieBoxAfterLargeMediaDataReadsOnlyHeads) {
    // A 10 GB media data box with a 64-bit size, then the movie box.
    const uint64_t mediaSize = 10ull << 30;
    CSparseFile file;
    file.head = kFileType + Be32(1) + "mdat";
    for (int shift = 56; shift >= 0; shift -= 8) {
        file.head += static_cast<char>((mediaSize >> shift) & 0xFF);
    }
    file.holeEnd = kFileType.size() + mediaSize;
    file.tail = Box("moov", Box("udta", kDate));
    const CMovieBoxFacts facts = ReadMovieBoxFacts(file.Reader(), file.Size());
    EXPECT_TRUE(facts.movieFits);
    EXPECT_EQ(facts.userDate, "2018-02-07T10:15:08-0500");
    EXPECT_LT(file.bytesRead, 200u);
}

TEST(MovieBoxesTest, LastBoxOfSizeZeroRunsToTheEnd) {
    EXPECT_TRUE(Facts(kFileType + Be32(0) + "moov" + Box("udta", kDate)).movieFits);
    EXPECT_EQ(Facts(kFileType + Be32(0) + "moov" + Box("udta", kDate)).userDate,
              "2018-02-07T10:15:08-0500");
}

TEST(MovieBoxesTest, CutOrBrokenBoxesFindNoMovie) {
    const std::string movie = Box("moov", Box("udta", kDate));
    EXPECT_FALSE(Facts(kFileType).movieFits);
    EXPECT_FALSE(Facts("").movieFits);
    // The movie box cut at every byte.
    for (std::size_t cut = 0; cut < movie.size(); ++cut) {
        EXPECT_FALSE(Facts(kFileType + movie.substr(0, cut)).movieFits) << cut;
    }
    // A box before it that claims more than the file, or less than its head.
    EXPECT_FALSE(Facts(kFileType + Be32(1000) + "free" + movie).movieFits);
    EXPECT_FALSE(Facts(kFileType + Be32(7) + "free" + movie).movieFits);
    EXPECT_FALSE(Facts(kFileType + Be32(1) + "free" + Be32(0) + Be32(12) + movie).movieFits);
    // More boxes before it than are ever passed.
    std::string many = kFileType;
    for (int i = 0; i < kMaxBoxesPerLevel; ++i) {
        many += Box("free", "");
    }
    EXPECT_FALSE(Facts(many + movie).movieFits);
}

TEST(MovieBoxesTest, DateBoxThatDoesNotFitItsUserDataIsLeftOut) {
    const std::string date = Be32(40) + "date" + "2018-02-07T10:15:08-0500";
    const CMovieBoxFacts facts = Facts(kFileType + Box("moov", Box("udta", date)));
    EXPECT_TRUE(facts.movieFits);
    EXPECT_EQ(facts.userDate, "");
}

TEST(MovieBoxesTest, LongDateTextIsCutToItsLimit) {
    const std::string text(200, '7');
    EXPECT_EQ(Facts(kFileType + Box("moov", Box("udta", Box("date", text)))).userDate,
              text.substr(0, kMaxUserDate));
}

} // namespace
