// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/VideoDateReader.h"

#include "media/ExifParseValues.h"
#include "media/MovieBoxes.h"
#include "platform/SequentialReader.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string_view>

namespace {

/// The demuxers that may read a file: QuickTime and its ISO relatives, and
/// Matroska. Nothing else is probed for or opened.
constexpr const char* kFormatWhitelist = "mov,mp4,m4a,3gp,3g2,mj2,matroska,webm";
/// The bytes the format probe may look at.
constexpr const char* kProbeBytes = "32768";
/// The buffer of the reading context: each read from the file takes at most
/// this many bytes.
constexpr int kBufferSize = 4096;
/// AVERROR_EOF, written out: FFmpeg's macro casts the C way.
constexpr int kEndOfFile = -('E' | ('O' << 8) | ('F' << 16) | (' ' << 24));

/// Where the reading context takes its bytes from.
class CByteSource {
public:
    virtual ~CByteSource() = default;
    virtual uint64_t Size() const = 0;
    /// Copies up to count bytes from offset on; fewer at the end or on an error.
    virtual std::size_t ReadAt(uint64_t offset, uint8_t* out, std::size_t count) = 0;
};

class CFileSource : public CByteSource {
public:
    bool Open(const std::string& path) {
        int error = 0;
        return file.Open(path, error);
    }
    uint64_t Size() const override { return file.GetSize(); }
    std::size_t ReadAt(uint64_t offset, uint8_t* out, std::size_t count) override {
        std::size_t got = 0;
        int error = 0;
        file.ReadAt(offset, out, count, got, error);
        return got;
    }

private:
    platform::CSequentialReader file;
};

class CMemorySource : public CByteSource {
public:
    CMemorySource(const uint8_t* data, std::size_t size) : data(data), size(size) {}
    uint64_t Size() const override { return size; }
    std::size_t ReadAt(uint64_t offset, uint8_t* out, std::size_t count) override {
        if (offset >= size || count == 0) {
            return 0;
        }
        const std::size_t got = std::min<uint64_t>(count, size - offset);
        std::memcpy(out, data + offset, got);
        return got;
    }

private:
    const uint8_t* data;
    std::size_t size;
};

/// The position of the reading context in its source, and the bytes taken.
struct CReadState {
    CByteSource* source = nullptr;
    uint64_t position = 0;
    uint64_t bytesRead = 0;
};

int ReadPacket(void* opaque, uint8_t* buffer, int size) {
    auto* state = static_cast<CReadState*>(opaque);
    if (size <= 0 || state->bytesRead >= kMaxVideoBytesRead) {
        return kEndOfFile;
    }
    const std::size_t wanted =
        std::min<uint64_t>(static_cast<uint64_t>(size), kMaxVideoBytesRead - state->bytesRead);
    const std::size_t got = state->source->ReadAt(state->position, buffer, wanted);
    if (got == 0) {
        return kEndOfFile;
    }
    state->position += got;
    state->bytesRead += got;
    return static_cast<int>(got);
}

int64_t SeekSource(void* opaque, int64_t offset, int whence) {
    auto* state = static_cast<CReadState*>(opaque);
    const auto size = static_cast<int64_t>(state->source->Size());
    int64_t base = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        base = static_cast<int64_t>(state->position);
        break;
    case SEEK_END:
        base = size;
        break;
    default:
        return -EINVAL;
    }
    // Offsets come from the file: no sum may overflow, no position be negative.
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0) {
        return -EINVAL;
    }
    state->position = static_cast<uint64_t>(base + offset);
    return base + offset;
}

/// "YYYY?MM?DD?HH?MM?SS" at the front of text, each field digits and each
/// separator one of the given ones: the six numbers.
bool ReadDateFields(std::string_view text, std::string_view separators, int fields[6]) {
    static constexpr std::size_t kStarts[] = {0, 5, 8, 11, 14, 17};
    if (text.size() < 19) {
        return false;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t start = kStarts[i];
        const std::size_t length = i == 0 ? 4 : 2;
        int value = 0;
        for (std::size_t at = start; at < start + length; ++at) {
            if (text[at] < '0' || text[at] > '9') {
                return false;
            }
            value = value * 10 + (text[at] - '0');
        }
        fields[i] = value;
        if (i > 0 && text[start - 1] != separators[i - 1]) {
            return false;
        }
    }
    return true;
}

std::string ExifDateText(int year, int month, int day, int hour, int minute, int second) {
    if (year < 0 || year > 9999) {
        return {};
    }
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", year,
                                     month, day, hour, minute, second);
    if (length != static_cast<int>(CExifInfo::kMaxDateTime)) {
        return {};
    }
    return std::string(text, static_cast<std::size_t>(length));
}

/// Apple's creation date, "2019-02-12T15:27:12+08:00": the wall-clock time
/// written, whatever offset follows it.
std::string WallClockDate(std::string_view text) {
    int f[6];
    if (!ReadDateFields(text, "--T::", f) && !ReadDateFields(text, "-- ::", f)) {
        return {};
    }
    return ExifDateText(f[0], f[1], f[2], f[3], f[4], f[5]);
}

/// A UTC time as FFmpeg writes it ("2014-12-19T00:39:23.000000Z") in the
/// local time zone.
std::string LocalDate(std::string_view text) {
    int f[6];
    if (!ReadDateFields(text, "--T::", f)) {
        return {};
    }
    using namespace std::chrono;
    const year_month_day date{year{f[0]}, month{static_cast<unsigned>(f[1])},
                              day{static_cast<unsigned>(f[2])}};
    if (!date.ok() || f[3] > 23 || f[4] > 59 || f[5] > 60) {
        return {};
    }
    const sys_seconds moment = sys_days{date} + hours{f[3]} + minutes{f[4]} + seconds{f[5]};
    const time_t utc = static_cast<time_t>(moment.time_since_epoch().count());
    struct tm local;
    if (localtime_r(&utc, &local) == nullptr) {
        return {};
    }
    return ExifDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
}

const char* FindValue(const AVDictionary* metadata, const char* key) {
    const AVDictionaryEntry* entry = av_dict_get(metadata, key, nullptr, 0);
    return entry != nullptr && entry->value != nullptr ? entry->value : nullptr;
}

/// The camera's name under the first key that has one.
std::string CameraText(const AVDictionary* metadata, const char* appleKey, const char* key,
                       std::size_t maxChars) {
    for (const char* name : {appleKey, key}) {
        if (const char* value = FindValue(metadata, name)) {
            const std::string text = exif::CopyText(reinterpret_cast<const uint8_t*>(value),
                                                    std::strlen(value), maxChars);
            if (!text.empty()) {
                return text;
            }
        }
    }
    return {};
}

/// The facts of a file's metadata; userDate is the text of the user data's
/// 'date' box of a QuickTime file (ReadMovieBoxFacts).
void FillInfo(const AVDictionary* metadata, const std::string& userDate, CExifInfo& info) {
    if (const char* apple = FindValue(metadata, "com.apple.quicktime.creationdate")) {
        info.dateTime = WallClockDate(apple);
    }
    if (info.dateTime.empty()) {
        info.dateTime = WallClockDate(userDate);
    }
    if (info.dateTime.empty()) {
        if (const char* created = FindValue(metadata, "creation_time")) {
            info.dateTime = LocalDate(created);
        }
    }
    info.cameraMake =
        CameraText(metadata, "com.apple.quicktime.make", "make", CExifInfo::kMaxCameraMake);
    info.cameraModel =
        CameraText(metadata, "com.apple.quicktime.model", "model", CExifInfo::kMaxCameraModel);
    const bool found =
        !info.dateTime.empty() || !info.cameraMake.empty() || !info.cameraModel.empty();
    info.exifPresent = found ? 1 : 0;
}

void SetUpFfmpeg() {
    static std::once_flag once;
    // A reader never shows a message; FFmpeg would print its complaints.
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

/// Opens the source with the whitelisted demuxers through a reading context
/// of our own, and reads the header's metadata into info.
bool ReadFromSource(CByteSource& source, CExifInfo& info, uint64_t& bytesRead) {
    info = CExifInfo();
    SetUpFfmpeg();
    CReadState state;
    state.source = &source;
    auto* buffer = static_cast<uint8_t*>(av_malloc(kBufferSize));
    if (buffer == nullptr) {
        return false;
    }
    AVIOContext* io =
        avio_alloc_context(buffer, kBufferSize, 0, &state, ReadPacket, nullptr, SeekSource);
    if (io == nullptr) {
        av_free(buffer);
        return false;
    }
    AVFormatContext* context = avformat_alloc_context();
    bool opened = false;
    if (context != nullptr) {
        context->pb = io;
        context->flags |= AVFMT_FLAG_CUSTOM_IO;
        AVDictionary* options = nullptr;
        av_dict_set(&options, "format_whitelist", kFormatWhitelist, 0);
        av_dict_set(&options, "formatprobesize", kProbeBytes, 0);
        av_dict_set(&options, "probesize", kProbeBytes, 0);
        // Chapter titles would be read from the media data.
        av_dict_set(&options, "ignore_chapters", "1", 0);
        // On failure the context is freed, though not the reading context.
        opened = avformat_open_input(&context, "", nullptr, &options) == 0;
        av_dict_free(&options);
        if (opened) {
            CMovieBoxFacts boxes;
            if (std::string_view(context->iformat->name).substr(0, 3) == "mov") {
                // libavformat reads the fields of a cut movie box as zero
                // bytes, which would make a date of their own.
                boxes = ReadMovieBoxFacts(
                    [&state](uint64_t offset, uint8_t* out, std::size_t count) {
                        const std::size_t got = state.source->ReadAt(offset, out, count);
                        state.bytesRead += got;
                        return got;
                    },
                    source.Size());
                opened = boxes.movieFits;
            }
            if (opened) {
                FillInfo(context->metadata, boxes.userDate, info);
            }
            avformat_close_input(&context);
        }
    }
    // FFmpeg may have replaced the buffer: free the one the context holds.
    av_freep(&io->buffer);
    avio_context_free(&io);
    bytesRead += state.bytesRead;
    return opened;
}

} // namespace

bool ReadVideoExifInfoCounted(const std::string& path, CExifInfo& info, uint64_t& bytesRead) {
    CFileSource source;
    if (!source.Open(path)) {
        info = CExifInfo();
        return false;
    }
    return ReadFromSource(source, info, bytesRead);
}

bool ReadVideoExifInfoFromMemory(const uint8_t* data, std::size_t size, CExifInfo& info,
                                 uint64_t& bytesRead) {
    CMemorySource source(data, size);
    return ReadFromSource(source, info, bytesRead);
}
