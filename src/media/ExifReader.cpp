#include "media/ExifReader.h"

// Not read yet: the JPEG section walk and the EXIF block come later. Until
// then no file is read and every reading fails with a cleared record.

CExifReader::CExifReader(CExifInfo* target)
    : ownedInfo(target == nullptr ? std::make_unique<CExifInfo>() : nullptr),
      info(target == nullptr ? ownedInfo.get() : target) {}

CExifReader::~CExifReader() = default;

bool CExifReader::ReadSections(std::istream& /*file*/) {
    // Not read yet.
    *info = CExifInfo{};
    sections.clear();
    exifImageWidth = 0;
    motorolaOrder = false;
    lastError = "not read yet";
    return false;
}

bool ReadExifInfo(const std::string& /*path*/, CExifInfo& info) {
    // Not read yet.
    info = CExifInfo{};
    return false;
}
