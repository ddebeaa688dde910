// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few facts of a QuickTime or ISO file (MOV, MP4, 3GP) that are read
// from its boxes directly, beside what libavformat gives.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

/// Copies up to count bytes of the file from offset on into out and returns
/// how many it copied: fewer only at the end of the file or on an error.
using MovieBytesReader =
    std::function<std::size_t(uint64_t offset, uint8_t* out, std::size_t count)>;

/// What the walk over the boxes found.
struct CMovieBoxFacts {
    /// The movie box (moov) lies whole inside the file, and so does every
    /// box before it.
    bool movieFits = false;
    /// The text of the 'date' box of the movie's user data (udta), which
    /// Samsung phones write as the local start time of the recording
    /// ("2018-02-07T10:15:08-0500"); at most kMaxUserDate bytes, empty when
    /// there is none.
    std::string userDate;
};

/// At most this many boxes are passed on one level in search of a box.
constexpr int kMaxBoxesPerLevel = 4096;
/// At most this many bytes of the user data's 'date' box are read.
constexpr std::size_t kMaxUserDate = 64;

/// Walks the top-level boxes of a file of size bytes to its movie box, and
/// the movie box to its user data's 'date' box. Only box heads and the date
/// text are read; every size is checked against the box that holds it.
CMovieBoxFacts ReadMovieBoxFacts(const MovieBytesReader& read, uint64_t size);
