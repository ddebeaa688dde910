// SPDX-License-Identifier: GPL-3.0-or-later
// The EXIF reader on any bytes. The first byte picks how the rest is used:
// even as a whole file, odd as the TIFF block of an EXIF section in a small
// JPEG file (so that the directory walk is reached at once). Reading never
// reads out of bounds and always ends; the record it gives keeps its own
// rules: flags are 0 or 1, the orientation is 0..8, texts keep their
// limits, the error text is one of the reader's, and the same bytes read
// twice give the same record.
#include "media/ExifReader.h"
#include "platform/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kErrors[] = {"",
                                        "Too many sections in jpg file",
                                        "invalid marker",
                                        "Could not allocate memory",
                                        "Premature end of file?",
                                        "Incorrect Exif header",
                                        "Invalid Exif alignment marker.",
                                        "Invalid Exif start (1)",
                                        "Suspicious offset of first IFD value",
                                        "Illegally sized directory",
                                        "Illegal format code in EXIF dir",
                                        "Illegal pointer offset value in EXIF.",
                                        "Illegal subdirectory link",
                                        "Undefined rotation value"};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool KnownError(const std::string& error) {
    for (std::string_view known : kErrors) {
        if (error == known) {
            return true;
        }
    }
    return false;
}

bool Same(const CExifInfo& a, const CExifInfo& b) {
    auto sameReal = [](float x, float y) { return x == y || (x != x && y != y); };
    return a.version == b.version && a.cameraMake == b.cameraMake &&
           a.cameraModel == b.cameraModel && a.dateTime == b.dateTime && a.height == b.height &&
           a.width == b.width && a.orientation == b.orientation && a.isColor == b.isColor &&
           a.process == b.process && a.flashUsed == b.flashUsed &&
           sameReal(a.focalLength, b.focalLength) && sameReal(a.exposureTime, b.exposureTime) &&
           sameReal(a.apertureFNumber, b.apertureFNumber) && sameReal(a.distance, b.distance) &&
           sameReal(a.ccdWidth, b.ccdWidth) && sameReal(a.exposureBias, b.exposureBias) &&
           a.whiteBalance == b.whiteBalance && a.meteringMode == b.meteringMode &&
           a.exposureProgram == b.exposureProgram && a.isoEquivalent == b.isoEquivalent &&
           a.compressionLevel == b.compressionLevel &&
           sameReal(a.focalPlaneXRes, b.focalPlaneXRes) &&
           sameReal(a.focalPlaneYRes, b.focalPlaneYRes) &&
           sameReal(a.focalPlaneUnits, b.focalPlaneUnits) &&
           sameReal(a.xResolution, b.xResolution) && sameReal(a.yResolution, b.yResolution) &&
           sameReal(a.resolutionUnit, b.resolutionUnit) && sameReal(a.brightness, b.brightness) &&
           a.comments == b.comments && a.exifPresent == b.exifPresent;
}

void ReadAndCheck(const std::string& bytes) {
    std::istringstream first(bytes);
    CExifInfo info;
    CExifReader reader(&info);
    const bool read = reader.ReadSections(first);
    Check(KnownError(reader.LastError()));

    Check(info.exifPresent <= 1);
    Check(info.flashUsed == 0 || info.flashUsed == 1);
    Check(info.isColor == 0 || info.isColor == 1);
    Check(info.orientation >= 0 && info.orientation <= 8);
    Check(info.height >= 0 && info.height <= 65535 && info.width >= 0 && info.width <= 65535);
    Check(utf8::CountChars(info.version) <= CExifInfo::kMaxVersion);
    Check(utf8::CountChars(info.cameraMake) <= CExifInfo::kMaxCameraMake);
    Check(utf8::CountChars(info.cameraModel) <= CExifInfo::kMaxCameraModel);
    Check(utf8::CountChars(info.dateTime) <= CExifInfo::kMaxDateTime);
    Check(utf8::CountChars(info.comments) <= CExifInfo::kMaxComments);
    Check(info.version.find('\0') == std::string::npos &&
          info.cameraMake.find('\0') == std::string::npos &&
          info.comments.find('\0') == std::string::npos);
    // Reals are never "not a number".
    Check(info.exposureTime == info.exposureTime && info.ccdWidth == info.ccdWidth &&
          info.exposureBias == info.exposureBias);

    std::istringstream second(bytes);
    CExifInfo again;
    CExifReader rereader(&again);
    Check(rereader.ReadSections(second) == read);
    Check(rereader.LastError() == reader.LastError());
    Check(Same(info, again));
}

std::string Be16(std::size_t value) {
    return std::string{static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((data[0] & 1) == 0) {
        ReadAndCheck(rest);
        return 0;
    }
    // An EXIF section holds at most 65535 - 8 bytes of TIFF block.
    const std::string tiff = rest.substr(0, 65535 - 8);
    const std::string file = std::string("\xFF\xD8\xFF\xE1", 4) + Be16(tiff.size() + 8) +
                             std::string("Exif\0\0", 6) + tiff +
                             std::string("\xFF\xC0\x00\x0B\x08\x00\x10\x00\x20\x01\x01\x11\x00"
                                         "\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00",
                                         23);
    ReadAndCheck(file);
    return 0;
}
