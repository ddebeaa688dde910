#include "media/FileHead.h"

#include <algorithm>
#include <cstring>

bool CFileHead::Hold(const std::string& wanted, int& error) {
    if (file.IsOpen() && wanted == path) {
        platform::CFileIdentity now;
        if (platform::IdentifyFile(wanted, now, error) && now == file.GetIdentity()) {
            return true;
        }
    }
    Release();
    if (!file.Open(wanted, error)) {
        return false;
    }
    ++openCount;
    path = wanted;
    return true;
}

void CFileHead::KeepUpTo(uint64_t end) {
    // The size at the open is the end: reading to it takes one call, not a
    // second one that finds nothing.
    const std::size_t limit =
        static_cast<std::size_t>(std::min<uint64_t>(kMaxKept, file.GetSize()));
    end = std::min<uint64_t>(end, limit);
    while (!keptToEnd && kept.size() < end) {
        const std::size_t have = kept.size();
        const std::size_t want =
            std::min(limit, std::max<std::size_t>(static_cast<std::size_t>(end),
                                                  have + std::max(have, kFirstRead)));
        kept.resize(want);
        std::size_t got = 0;
        int error = 0;
        file.ReadAt(have, kept.data() + have, want - have, got, error);
        kept.resize(have + got);
        if (have + got < want || have + got == file.GetSize()) {
            // The end of the file, or a read error: either way nothing more
            // comes from this file while it is held.
            keptToEnd = true;
        }
    }
}

std::size_t CFileHead::ReadAt(uint64_t offset, uint8_t* out, std::size_t count) {
    if (!file.IsOpen() || count == 0) {
        return 0;
    }
    if (offset < kMaxKept) {
        KeepUpTo(offset + count);
    }
    std::size_t copied = 0;
    if (offset < kept.size()) {
        copied = std::min<std::size_t>(count, kept.size() - static_cast<std::size_t>(offset));
        std::memcpy(out, kept.data() + offset, copied);
        if (copied == count || keptToEnd) {
            return copied;
        }
    } else if (keptToEnd) {
        return 0;
    }
    std::size_t got = 0;
    int error = 0;
    file.ReadAt(offset + copied, out + copied, count - copied, got, error);
    return copied + got;
}

void CFileHead::Release() {
    file.Close();
    path.clear();
    kept.clear();
    keptToEnd = false;
}

CFileHead& CFileHead::Shared() {
    static CFileHead head;
    return head;
}

std::mutex& CFileHead::Lock() {
    static std::mutex lock;
    return lock;
}
