// SPDX-License-Identifier: GPL-3.0-or-later
// The tags that read file contents through the media readers: image
// header facts, the tags and stream facts of MP3 and other audio files,
// EXIF camera data (of videos: the recording date and camera).

#include "catalogue/FileCatalogue.h"
#include "engine/ComputationContext.h"
#include "engine/MediaReaders.h"
#include "engine/TagExpander.h"
#include "engine/TagFunctions.h"

using tags::CTagParams;

namespace {

bool IsJpegExtension(std::string_view extension) {
    return tags::EqualsIgnoringAsciiCase(extension, "jpg") ||
           tags::EqualsIgnoringAsciiCase(extension, "jpeg");
}

/// The still formats whose EXIF block Exiv2 finds: ISO-BMFF (HEIF, AVIF,
/// CR3), WebP, PNG, JPEG XL, the TIFF-based RAW formats and RAF.
bool IsStillExifExtension(std::string_view extension) {
    static constexpr std::string_view kExtensions[] = {
        "heic", "heif", "hif", "avif", "cr3", "webp", "png", "jxl", "cr2", "nef", "nrw",
        "arw",  "srf",  "sr2", "dng",  "orf", "rw2",  "pef", "srw", "iiq", "raf"};
    for (const std::string_view known : kExtensions) {
        if (tags::EqualsIgnoringAsciiCase(extension, known)) {
            return true;
        }
    }
    return false;
}

/// The video formats whose recording date and camera the video reader
/// gives: QuickTime and its ISO relatives, Matroska and WebM.
bool IsVideoExtension(std::string_view extension) {
    static constexpr std::string_view kExtensions[] = {"mp4", "mov", "m4v", "3gp",
                                                       "qt",  "mkv", "webm"};
    for (const std::string_view known : kExtensions) {
        if (tags::EqualsIgnoringAsciiCase(extension, known)) {
            return true;
        }
    }
    return false;
}

/// The integer fields of CExifInfo by their lower-case names.
const int32_t* ExifIntegerField(const CExifInfo& info, const std::string& name) {
    if (name == "width") {
        return &info.width;
    }
    if (name == "height") {
        return &info.height;
    }
    if (name == "orientation") {
        return &info.orientation;
    }
    if (name == "process") {
        return &info.process;
    }
    if (name == "whitebalance") {
        return &info.whiteBalance;
    }
    if (name == "meteringmode") {
        return &info.meteringMode;
    }
    if (name == "exposureprogram") {
        return &info.exposureProgram;
    }
    if (name == "isoequivalent") {
        return &info.isoEquivalent;
    }
    if (name == "compressionlevel") {
        return &info.compressionLevel;
    }
    return nullptr;
}

/// The real fields of CExifInfo by their lower-case names.
const float* ExifRealField(const CExifInfo& info, const std::string& name) {
    if (name == "focallength") {
        return &info.focalLength;
    }
    if (name == "exposuretime") {
        return &info.exposureTime;
    }
    if (name == "aperturefnumber") {
        return &info.apertureFNumber;
    }
    if (name == "distance") {
        return &info.distance;
    }
    if (name == "ccdwidth") {
        return &info.ccdWidth;
    }
    if (name == "exposurebias") {
        return &info.exposureBias;
    }
    if (name == "focalplanexres") {
        return &info.focalPlaneXRes;
    }
    if (name == "focalplaneyres") {
        return &info.focalPlaneYRes;
    }
    if (name == "focalplaneunits") {
        return &info.focalPlaneUnits;
    }
    if (name == "xresolution") {
        return &info.xResolution;
    }
    if (name == "yresolution") {
        return &info.yResolution;
    }
    if (name == "resolutionunit") {
        return &info.resolutionUnit;
    }
    if (name == "brightness") {
        return &info.brightness;
    }
    return nullptr;
}

std::string ExifField(const CExifInfo& info, const std::string& name, CTagParams& params) {
    if (name == "version") {
        return info.version;
    }
    if (name == "cameramake") {
        return info.cameraMake;
    }
    if (name == "cameramodel") {
        return info.cameraModel;
    }
    if (name == "comments") {
        return info.comments;
    }
    if (name == "datetime") {
        platform::CCalendarTime time;
        if (!tags::ExifDateToCalendar(info.dateTime, time)) {
            return {};
        }
        std::string_view format;
        if (!params.NextParam(format)) {
            format = {};
        }
        return tags::FormatDateField(time, format);
    }
    if (const int32_t* field = ExifIntegerField(info, name)) {
        int32_t base = 10;
        int32_t zeroFill = 1;
        tags::ParseBaseZero(params, base, zeroFill);
        return tags::FormatNumber(*field, base, zeroFill);
    }
    if (name == "iscolor" || name == "flashused") {
        const int32_t value = name == "iscolor" ? info.isColor : info.flashUsed;
        std::string_view yes;
        std::string_view no;
        if (params.NextParam(yes) && params.NextParam(no)) {
            return std::string(value == 1 ? yes : no);
        }
        return tags::FormatNumber(value, 10, 0);
    }
    if (const float* field = ExifRealField(info, name)) {
        return tags::FormatReal3(*field);
    }
    return {};
}

/// The audio formats besides MP3 whose tags the MP3 tags show, read by
/// the tag library's format-independent interface. Files of raw AAC
/// (ADTS) are not among them: the library does not read them.
bool IsOtherAudioExtension(std::string_view extension) {
    static constexpr std::string_view kExtensions[] = {"flac", "ogg",  "oga", "opus", "m4a",
                                                       "m4b",  "wma",  "asf", "wav",  "aif",
                                                       "aiff", "aifc", "ape", "wv"};
    for (const std::string_view known : kExtensions) {
        if (tags::EqualsIgnoringAsciiCase(extension, known)) {
            return true;
        }
    }
    return false;
}

std::string LengthText(int32_t seconds) {
    const std::string rest = std::to_string(seconds % 60);
    return std::to_string(seconds / 60) + "'" + (rest.size() < 2 ? "0" + rest : rest);
}

} // namespace

std::string CTagExpander::ImageTag(CTagParams& params) {
    const CFileEntry* entry = owner.GetState().entry;
    CImageInfo info;
    if (entry == nullptr || !readers->ReadImage(entry->FullPath(), info)) {
        return {};
    }
    std::string_view param;
    if (!params.NextParam(param)) {
        return std::to_string(info.width) + "x" + std::to_string(info.height) + "x" +
               tags::ColourAbbreviation(info.bitsPerPixel);
    }
    uint32_t value = 0;
    switch (param[0]) {
    case 'W':
    case 'w':
        value = info.width;
        break;
    case 'H':
    case 'h':
        value = info.height;
        break;
    case 'B':
    case 'b':
        value = info.bitsPerPixel;
        break;
    case 'C':
        value = info.colourCount;
        break;
    case 'c':
        return tags::ColourAbbreviation(info.bitsPerPixel);
    default:
        return {};
    }
    int32_t base = 10;
    int32_t zeroFill = 0;
    tags::ParseBaseZero(params, base, zeroFill);
    return tags::FormatUnsignedNumber(value, base, zeroFill);
}

std::string CTagExpander::Mp3Tag(CTagParams& params) {
    const CFileEntry* entry = owner.GetState().entry;
    if (entry == nullptr) {
        return {};
    }
    const bool mp3 = tags::EqualsIgnoringAsciiCase(entry->Extension(), "mp3");
    if (!mp3 && !IsOtherAudioExtension(entry->Extension())) {
        return {};
    }
    CMp3Info info;
    const bool read = mp3 ? readers->ReadMp3(entry->FullPath(), info)
                          : readers->ReadAudio(entry->FullPath(), info);
    if (!read) {
        return {};
    }
    std::string_view param;
    if (!params.NextParam(param)) {
        return std::to_string(info.bitRate / 1000) + " Kbits";
    }
    const std::string field = tags::AsciiLower(param);
    if (field == "t" || field == "title") {
        return info.title;
    }
    if (field == "a" || field == "artist") {
        return info.artist;
    }
    if (field == "al" || field == "album") {
        return info.album;
    }
    if (field == "y" || field == "year") {
        return info.year;
    }
    if (field == "cm" || field == "comments") {
        return info.comment;
    }
    if (field == "trk" || field == "track") {
        if (info.trackText.empty()) {
            return {};
        }
        int32_t base = 10;
        int32_t zeroFill = 1;
        tags::ParseBaseZero(params, base, zeroFill);
        return tags::FormatNumber(info.trackNumber, base, zeroFill);
    }
    if (field == "g" || field == "genre") {
        return info.genre;
    }
    if (field == "b" || field == "bitrate") {
        return std::to_string(info.bitRate / 1000);
    }
    if (field == "sr" || field == "samplerate") {
        return std::to_string(info.sampleRate);
    }
    if (field == "l" || field == "length") {
        return LengthText(info.lengthSeconds);
    }
    // The MPEG layer and version, and below the bitrate type, are facts of
    // an MPEG stream: the other formats have none.
    if (field == "ml" || field == "mpeglayer") {
        return mp3 ? info.layerText : std::string();
    }
    if (field == "mv" || field == "mpegversion") {
        return mp3 ? info.versionText : std::string();
    }
    if (field == "c" || field == "channel") {
        return info.channelText;
    }
    if (field == "s" || field == "seconds") {
        int32_t base = 10;
        int32_t zeroFill = 0;
        tags::ParseBaseZero(params, base, zeroFill);
        return tags::FormatNumber(info.lengthSeconds, base, zeroFill);
    }
    if (field == "bt" || field == "bitratetype") {
        if (!mp3) {
            return {};
        }
        return info.vbrBitRate > 0 ? "VBR" : "CBR";
    }
    return {};
}

std::string CTagExpander::ExifTag(CTagParams& params) {
    const CFileEntry* entry = owner.GetState().entry;
    std::string_view param;
    if (entry == nullptr) {
        return {};
    }
    const bool jpeg = IsJpegExtension(entry->Extension());
    const bool video = !jpeg && IsVideoExtension(entry->Extension());
    if ((!jpeg && !video && !IsStillExifExtension(entry->Extension())) ||
        !params.NextParam(param)) {
        return {};
    }
    CExifInfo info;
    const bool read = jpeg    ? readers->ReadExif(entry->FullPath(), info)
                      : video ? readers->ReadVideo(entry->FullPath(), info)
                              : readers->ReadStillExif(entry->FullPath(), info);
    if (!read || info.exifPresent != 1) {
        return {};
    }
    return std::string(tags::TrimWhiteSpace(ExifField(info, tags::AsciiLower(param), params)));
}
