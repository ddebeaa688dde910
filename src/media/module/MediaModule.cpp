// SPDX-License-Identifier: GPL-3.0-or-later
// The module of the readers that need a heavy library. The executable loads
// it on the first tag that reads such a file (media/MediaLibraries.cpp).
#include "media/MediaLibraries.h"
#include "media/VideoDateReader.h"
#include "media/module/Exiv2PixelSize.h"
#include "media/module/Exiv2StillExif.h"

namespace {

class CModuleLibraries final : public CMediaLibraries {
public:
    bool ReadStillExifBlock(const std::string& path, std::vector<uint8_t>& tiff,
                            bool& isPng) const override {
        return ReadExifBlockWithExiv2(path, tiff, isPng);
    }
    bool ReadRawPixelSize(const uint8_t* bytes, std::size_t size, uint32_t& width, uint32_t& height,
                          bool& standIn) const override {
        return ReadRawPixelSizeWithExiv2(bytes, size, width, height, standIn);
    }
    bool ReadVideoExif(const std::string& path, CExifInfo& info) const override {
        uint64_t bytesRead = 0;
        return ReadVideoExifInfoCounted(path, info, bytesRead);
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) const CMediaLibraries* NrMediaLibraries() {
    static const CModuleLibraries libraries;
    return &libraries;
}
