// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of audio formats besides MP3 on any bytes: the tag library's
// FLAC, Ogg Vorbis, Opus, MP4, ASF, WAV, AIFF, APE and WavPack parsing,
// through the in-memory entry point, which runs the same reading as a file
// does. The first byte chooses the format (by the extension the bytes are
// read under); the seeds under corpus/audio_fuzz begin with it.
#include "media/AudioTagReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view kExtensions[] = {"flac", "ogg",  "opus", "m4a", "wma",
                                            "wav",  "aiff", "ape",  "wv"};
constexpr std::size_t kFormatCount = sizeof(kExtensions) / sizeof(kExtensions[0]);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view extension = kExtensions[data[0] % kFormatCount];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    CMp3Info info;
    const bool read = ReadAudioInfoFromMemory(bytes, extension, info);
    // A failed reading leaves nothing behind; the MPEG facts stay empty.
    if (!read && (!info.title.empty() || info.bitRate != 0 || info.loaded)) {
        std::abort();
    }
    if (!info.layerText.empty() || !info.versionText.empty() || info.vbrBitRate != 0) {
        std::abort();
    }
    if (info.bitRate < 0 || info.lengthSeconds < 0 || info.sampleRate < 0) {
        std::abort();
    }
    return 0;
}
