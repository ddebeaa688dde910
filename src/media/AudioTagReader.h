// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/Mp3Reader.h"

#include <string>
#include <string_view>

/// The tag texts and stream facts of an audio file of another format than
/// MP3 (FLAC, Ogg Vorbis, Opus, MP4 audio, ASF, WAV, AIFF, APE, WavPack),
/// read through the tag library's format-independent interface into the
/// fields the MP3 tags show:
/// - title, artist, album, comment, genre and year are the tag's TITLE,
///   ARTIST, ALBUM, COMMENT, GENRE and DATE as stored ("2021", or
///   "2021-07-04" when the date is stored so); a field with several values
///   gives them all in stored order, joined by ", ";
/// - trackText is TRACKNUMBER as stored ("3/12"), trackNumber its leading
///   integer (a WAV file's INFO list passes its track and year through the
///   library as numbers: "3" for "3/12");
/// - bitRate is the library's kilobits per second times 1000; sampleRate,
///   lengthSeconds (whole seconds, cut) as the library reads them;
///   channelText is "Single Channel" for one channel, "Stereo" for two and
///   the number for more ("6");
/// - layerText and versionText stay empty, vbrBitRate 0, hasV1Tag and
///   hasV2Tag false: they are facts of an MPEG stream.
/// Where a file holds several tags, the library's choice stands: in a WAV
/// file the first ID3 chunk, the INFO list only when there is none; in an
/// AIFF file the first ID3 chunk; in a FLAC file the first comment block,
/// an ID3v2 tag in front of the stream only when there is none.
/// True when the library recognised the file, by its extension or else by
/// its contents, and found a tag field or a stream in it; on false info is
/// cleared. No more than kAudioReadLimit bytes are read from a file:
/// a file that needs more (a damaged one the library would search through)
/// gives what was found before, or false. Only regular files are opened: a
/// folder, a device or a pipe gives false. The result for the last path
/// and its file stamp is kept, so asking again does not read the file.
bool ReadAudioInfo(const std::string& path, CMp3Info& info);

/// The same reading for bytes held in memory, as if they were a whole file
/// with the given extension ("flac", "ogg", ...); fileName stays empty and
/// nothing is cached.
bool ReadAudioInfoFromMemory(std::string_view bytes, std::string_view extension, CMp3Info& info);

/// The most bytes read from one file: enough for the headers and tags of
/// any file with cover pictures, far less than a long recording.
inline constexpr unsigned long kAudioReadLimit = 32UL * 1024 * 1024;
