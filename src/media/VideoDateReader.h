// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The recording facts of video files: the only part of the program that
// uses FFmpeg's libavformat, behind plain C++ functions. The reader is
// built into the media module (MediaLibraries.h); ReadVideoExifInfo, which
// keeps the last result, reaches it there.

#include "media/ExifReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

/// The recording facts of a QuickTime, MP4, M4V or 3GP file, or of a
/// Matroska or WebM file, as the EXIF facts of a JPEG file would give them:
/// dateTime ("YYYY:MM:DD HH:MM:SS") is the local wall-clock time of the
/// recording, cameraMake and cameraModel the camera's names; every other
/// field stays 0 or empty. The date is Apple's creation date
/// (com.apple.quicktime.creationdate), or else the text of the user data's
/// 'date' box (Samsung's), as written, at the offset it states; otherwise
/// the UTC creation time of the movie header (or Matroska's DateUTC) in the
/// process's time zone. A zero (1904) date gives no date. The camera is
/// Apple's make and model keys, or else the user data's ©mak and ©mod texts.
/// info.exifPresent is 1 when a date or a camera name was found. True when
/// the file could be read as one of these formats (a QuickTime file only
/// when its movie box lies whole inside it); info is then filled and
/// otherwise cleared. Only those formats are tried, and at most
/// kMaxVideoBytesRead bytes of a file are read, so a hostile file ends
/// quickly. Keeps the result for the last path and its file stamp, as
/// ReadExifInfo does.
bool ReadVideoExifInfo(const std::string& path, CExifInfo& info);

/// The same without the kept result: the file is read each time, and the
/// number of bytes taken from it is added to bytesRead.
bool ReadVideoExifInfoCounted(const std::string& path, CExifInfo& info, uint64_t& bytesRead);

/// The same for a file's bytes in memory (data is not owned).
bool ReadVideoExifInfoFromMemory(const uint8_t* data, std::size_t size, CExifInfo& info,
                                 uint64_t& bytesRead);

/// At most this many bytes are read from one file.
constexpr uint64_t kMaxVideoBytesRead = 64ull << 20;
