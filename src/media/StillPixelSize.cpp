// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/StillPixelSize.h"

#include "media/FileHead.h"
#include "media/MediaLibraries.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

/// The first front read: the directories of a RAW file lie in its first
/// kilobytes, its preview and image data behind.
constexpr std::size_t kFirstFront = 256 * 1024;

/// Up to limit bytes from the front of the file; whole tells whether they
/// are all of it.
bool ReadFront(const std::string& path, std::size_t limit, std::vector<uint8_t>& bytes,
               bool& whole) {
    const std::lock_guard<std::mutex> lock(CFileHead::Lock());
    CFileHead& head = CFileHead::Shared();
    int error = 0;
    if (!head.Hold(path, error)) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(std::min<uint64_t>(head.Size(), limit)));
    bytes.resize(head.ReadAt(0, bytes.data(), bytes.size()));
    whole = bytes.size() == head.Size();
    head.CloseFile();
    return !bytes.empty();
}

} // namespace

bool ReadStillPixelSize(const std::string& path, uint32_t& width, uint32_t& height) {
    const CMediaLibraries* libraries = MediaLibraries();
    if (libraries == nullptr) {
        return false;
    }
    for (const std::size_t limit : {kFirstFront, CFileHead::kMaxKept}) {
        std::vector<uint8_t> bytes;
        bool whole = false;
        if (!ReadFront(path, limit, bytes, whole)) {
            return false;
        }
        uint32_t w = 0;
        uint32_t h = 0;
        bool standIn = false;
        const bool read = libraries->ReadRawPixelSize(bytes.data(), bytes.size(), w, h, standIn);
        // The main image's directory may lie behind the first front: only
        // all the front kept decides that a stand-in, or nothing, is all.
        if (read && (!standIn || whole || limit == CFileHead::kMaxKept)) {
            width = w;
            height = h;
            return true;
        }
        if (whole) {
            return false;
        }
    }
    return false;
}
