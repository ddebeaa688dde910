// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The tag texts and stream facts of an MP3 file: the ID3v1 and ID3v2 tags
/// and the first MPEG audio frame header, read through TagLib. An empty text
/// is an absent one: it expands to nothing.
struct CMp3Info {
    bool loaded = false;     ///< a file was loaded through the tag library
    std::string fileName;    ///< the full path that was loaded
    bool hasV1Tag = false;   ///< the file has an ID3v1 tag
    bool hasV2Tag = false;   ///< the file has an ID3v2 tag
    std::string title;       ///< frame "TIT2"
    std::string artist;      ///< frame "TPE1" (lead performer)
    std::string album;       ///< frame "TALB"
    std::string year;        ///< frame "TYER" as stored; in ID3v2.4 the year of "TDRC"
    std::string comment;     ///< the text of the first frame "COMM"
    std::string trackText;   ///< frame "TRCK" as stored ("3/12")
    int32_t trackNumber = 0; ///< the leading integer of trackText (0 when absent)
    std::string genre;       ///< "TCON" (ID3v2 as stored), or the ID3v1 genre's name
    int32_t bitRate = 0;     ///< bits per second: the variable rate when there is one
    int32_t vbrBitRate = 0;  ///< average bits per second of a variable rate, else 0
    int32_t sampleRate = 0;  ///< Hz
    int32_t lengthSeconds = 0;
    std::string layerText;   ///< "Layer I", "Layer II", "Layer III" or "UNDEFINED"
    std::string versionText; ///< "MPEG 1", "MPEG 2" or "MPEG 2.5"
    std::string channelText; ///< "Stereo", "Joint Stereo", "Dual Channel" or "Single Channel"

    /// Every text empty, every number 0, every flag off.
    void Clear() { *this = CMp3Info{}; }
};

/// Number of names in the genre list (0 to 147).
inline constexpr int kMp3GenreCount = 148;

/// The name of an ID3v1 genre number; empty outside 0..147.
std::string_view Mp3GenreName(int number);

/// The texts of the two-bit fields of an MPEG audio frame header; empty for
/// a code that has none (version code 1, a value outside 0..3).
std::string_view Mp3LayerText(int layerCode);     ///< 0 UNDEFINED, 1 III, 2 II, 3 I
std::string_view Mp3VersionText(int versionCode); ///< 0 MPEG 2.5, 2 MPEG 2, 3 MPEG 1
std::string_view Mp3ChannelText(int channelMode); ///< 0 Stereo ... 3 Single Channel

/// The MP3 facts of a file. Keeps the path and the result of the last call,
/// so that asking again for the same path (exact comparison) gives the same
/// answer without reading the file. True when the stream header was read or
/// an ID3v1 tag was found; on false the caller uses nothing of info. Only
/// regular files are opened: a folder, a device or a pipe gives false.
bool ReadMp3Info(const std::string& path, CMp3Info& info);

/// The same reading for bytes held in memory, as if they were the whole
/// file (fileName stays empty). Nothing is cached.
bool ReadMp3InfoFromMemory(std::string_view bytes, CMp3Info& info);
