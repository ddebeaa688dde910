// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/MpegStream.h"

#include <taglib/mpegheader.h>
#include <taglib/xingheader.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace mp3 {
namespace {

/// The two-bit header codes of the library's values.
int LayerCode(int layer) {
    return layer >= 1 && layer <= 3 ? 4 - layer : 0;
}
int VersionCode(TagLib::MPEG::Header::Version version) {
    switch (version) {
    case TagLib::MPEG::Header::Version1:
        return 3;
    case TagLib::MPEG::Header::Version2:
        return 2;
    case TagLib::MPEG::Header::Version2_5:
        return 0;
    }
    return 1;
}

/// What a walk over every frame header of the stream found.
struct CFrameWalk {
    uint64_t frames = 0;
    uint64_t bytes = 0;
    int minBitRate = INT_MAX;
    int maxBitRate = 0;
};

/// Walks the frames from the first to the last one the library finds. A
/// stream without a VBR header says nothing of its length or its average
/// rate in its first frame, so every header is read. Frames of another
/// version, layer or sampling rate, and bytes that are no frame, are passed
/// over up to the next frame the library recognises.
CFrameWalk WalkFrames(TagLib::MPEG::File& file, long firstOffset,
                      const TagLib::MPEG::Header& first) {
    CFrameWalk walk;
    const long lastOffset = std::max(file.lastFrameOffset(), firstOffset);
    long offset = firstOffset;
    while (offset >= 0 && offset <= lastOffset) {
        const TagLib::MPEG::Header header(&file, offset, false);
        if (header.isValid() && header.frameLength() > 0 && header.version() == first.version() &&
            header.layer() == first.layer() && header.sampleRate() == first.sampleRate()) {
            ++walk.frames;
            walk.bytes += static_cast<uint64_t>(header.frameLength());
            walk.minBitRate = std::min(walk.minBitRate, header.bitrate());
            walk.maxBitRate = std::max(walk.maxBitRate, header.bitrate());
            offset += header.frameLength();
        } else {
            offset = file.nextFrameOffset(offset + 1);
        }
    }
    return walk;
}

/// Bits per second of bytes played in samples at the sampling rate, rounded.
int32_t AverageBitRate(uint64_t bytes, uint64_t samples, int sampleRate) {
    if (samples == 0) {
        return 0;
    }
    const double rate =
        static_cast<double>(bytes) * 8.0 * sampleRate / static_cast<double>(samples);
    return static_cast<int32_t>(std::min<long long>(std::llround(rate), INT32_MAX));
}

int32_t Seconds(uint64_t samples, int sampleRate) {
    return static_cast<int32_t>(
        std::min<uint64_t>(samples / static_cast<uint64_t>(sampleRate), INT32_MAX));
}

} // namespace

/// The stream facts from the first frame header and, when it carries one,
/// the VBR header inside that frame; false when the library finds no frame.
/// An "Xing" or "VBRI" header marks a variable rate. Encoders write the
/// same header under the name "Info" into constant-rate streams, and the
/// library files both under one type, so the name is read from the frame.
bool ReadStreamFacts(TagLib::MPEG::File& file, CMp3Info& info) {
    const long firstOffset = file.firstFrameOffset();
    if (firstOffset < 0) {
        return false;
    }
    const TagLib::MPEG::Header first(&file, firstOffset, false);
    if (!first.isValid() || first.sampleRate() <= 0 || first.samplesPerFrame() <= 0) {
        return false;
    }
    const int sampleRate = first.sampleRate();
    const auto samplesPerFrame = static_cast<uint64_t>(first.samplesPerFrame());
    const int32_t frameBitRate = first.bitrate() * 1000;

    file.seek(firstOffset);
    const TagLib::ByteVector frame =
        file.readBlock(static_cast<unsigned long>(first.frameLength()));
    const TagLib::MPEG::XingHeader vbrHeader(frame);
    if (vbrHeader.isValid()) {
        const uint64_t samples = uint64_t{vbrHeader.totalFrames()} * samplesPerFrame;
        const bool variable =
            vbrHeader.type() == TagLib::MPEG::XingHeader::VBRI || frame.find("Xing") >= 0;
        info.vbrBitRate = variable ? AverageBitRate(vbrHeader.totalSize(), samples, sampleRate) : 0;
        info.lengthSeconds = Seconds(samples, sampleRate);
    } else {
        const CFrameWalk walk = WalkFrames(file, firstOffset, first);
        const uint64_t samples = walk.frames * samplesPerFrame;
        const bool variable = walk.frames > 0 && walk.minBitRate != walk.maxBitRate;
        info.vbrBitRate = variable ? AverageBitRate(walk.bytes, samples, sampleRate) : 0;
        info.lengthSeconds = Seconds(samples, sampleRate);
    }
    info.bitRate = info.vbrBitRate > 0 ? info.vbrBitRate : frameBitRate;
    info.sampleRate = sampleRate;
    info.layerText = Mp3LayerText(LayerCode(first.layer()));
    info.versionText = Mp3VersionText(VersionCode(first.version()));
    info.channelText = Mp3ChannelText(static_cast<int>(first.channelMode()));
    return true;
}

} // namespace mp3
