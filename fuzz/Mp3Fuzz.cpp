// SPDX-License-Identifier: GPL-3.0-or-later
// The MP3 reader on any bytes: the tag library's ID3v1, ID3v2 and MPEG
// frame parsing, the VBR header, the walk over every frame header and the
// reader's own ID3v1 read, all through the in-memory entry point, which
// runs the same reading as a file does.
#include "media/Mp3Reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CMp3Info info;
    const bool read =
        ReadMp3InfoFromMemory(std::string_view(reinterpret_cast<const char*>(data), size), info);
    // A failed reading leaves nothing behind; a stream's facts hang together.
    if (!read && (!info.title.empty() || info.bitRate != 0 || info.hasV1Tag)) {
        std::abort();
    }
    if (info.vbrBitRate > 0 && info.bitRate != info.vbrBitRate) {
        std::abort();
    }
    if (info.bitRate < 0 || info.lengthSeconds < 0 || info.sampleRate < 0) {
        std::abort();
    }
    return 0;
}
