#include "media/ImageReader.h"

// Not read yet: the header readers of the image formats come later. Until
// then no file is read and every reading fails.

bool ReadImageInfo(const std::string& /*path*/, CImageInfo& info) {
    // Not read yet.
    info = CImageInfo{};
    return false;
}
