// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/MovieBoxes.h"

#include <cstring>

namespace {

uint64_t BigEndian(const uint8_t* bytes, std::size_t count) {
    uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

/// A box found: where its contents start and where it ends.
struct CBox {
    uint64_t contents = 0;
    uint64_t end = 0;
};

/// The first box of the given type among the boxes from start to end. False
/// when there is none, or a box before it, or the box itself, does not fit.
bool FindBox(const MovieBytesReader& read, uint64_t start, uint64_t end, const char* type,
             CBox& found) {
    uint64_t offset = start;
    for (int box = 0; box < kMaxBoxesPerLevel && offset < end && end - offset >= 8; ++box) {
        uint8_t head[16];
        const std::size_t wanted = end - offset < sizeof head ? 8 : sizeof head;
        const std::size_t got = read(offset, head, wanted);
        if (got < 8) {
            return false;
        }
        uint64_t boxSize = BigEndian(head, 4);
        uint64_t headSize = 8;
        if (boxSize == 1) {
            if (got < 16) {
                return false;
            }
            boxSize = BigEndian(head + 8, 8);
            headSize = 16;
        } else if (boxSize == 0) {
            // The last box: it runs to the end.
            boxSize = end - offset;
        }
        if (boxSize < headSize || boxSize > end - offset) {
            return false;
        }
        if (std::memcmp(head + 4, type, 4) == 0) {
            found.contents = offset + headSize;
            found.end = offset + boxSize;
            return true;
        }
        offset += boxSize;
    }
    return false;
}

} // namespace

CMovieBoxFacts ReadMovieBoxFacts(const MovieBytesReader& read, uint64_t size) {
    CMovieBoxFacts facts;
    CBox movie;
    if (!FindBox(read, 0, size, "moov", movie)) {
        return facts;
    }
    facts.movieFits = true;
    CBox userData;
    CBox date;
    if (FindBox(read, movie.contents, movie.end, "udta", userData) &&
        FindBox(read, userData.contents, userData.end, "date", date)) {
        const uint64_t length = date.end - date.contents;
        char text[kMaxUserDate];
        const std::size_t wanted = length < kMaxUserDate ? length : kMaxUserDate;
        const std::size_t got = read(date.contents, reinterpret_cast<uint8_t*>(text), wanted);
        facts.userDate.assign(text, got == wanted ? got : 0);
    }
    return facts;
}
