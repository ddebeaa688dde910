// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/FileHead.h"

#include <algorithm>
#include <cstring>

bool CFileHead::Hold(const std::string& wanted, int& error) {
    if (!path.empty() && wanted == path) {
        platform::CFileIdentity now;
        if (platform::IdentifyFile(wanted, now, error) && now == identity) {
            return true;
        }
    }
    Release();
    if (!file.Open(wanted, error)) {
        return false;
    }
    ++openCount;
    path = wanted;
    identity = file.GetIdentity();
    return true;
}

bool CFileHead::Reopen() {
    if (file.IsOpen()) {
        return true;
    }
    int error = 0;
    if (!file.Open(path, error)) {
        return false;
    }
    ++openCount;
    if (file.GetIdentity() != identity) {
        // Another file took the path since the bytes were kept: none of it
        // may be mixed with them.
        file.Close();
        return false;
    }
    return true;
}

bool CFileHead::ReadFromFile(uint64_t offset, uint8_t* out, std::size_t count, std::size_t& got) {
    got = 0;
    int error = 0;
    return Reopen() && file.ReadAt(offset, out, count, got, error);
}

void CFileHead::KeepUpTo(uint64_t end) {
    // The size at the open is the end: reading to it takes one call, not a
    // second one that finds nothing.
    const std::size_t limit = static_cast<std::size_t>(std::min<uint64_t>(kMaxKept, identity.size));
    end = std::min<uint64_t>(end, limit);
    while (!keptToEnd && kept.size() < end) {
        const std::size_t have = kept.size();
        const std::size_t want =
            std::min(limit, std::max<std::size_t>(static_cast<std::size_t>(end),
                                                  have + std::max(have, kFirstRead)));
        kept.resize(want);
        std::size_t got = 0;
        ReadFromFile(have, kept.data() + have, want - have, got);
        kept.resize(have + got);
        if (have + got < want || have + got == identity.size) {
            // The end of the file, or a read error: either way nothing more
            // comes from this file while it is held.
            keptToEnd = true;
        }
    }
}

std::size_t CFileHead::ReadAt(uint64_t offset, uint8_t* out, std::size_t count) {
    if (path.empty() || count == 0) {
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
    ReadFromFile(offset + copied, out + copied, count - copied, got);
    return copied + got;
}

void CFileHead::CloseFile() {
    file.Close();
}

void CFileHead::Release() {
    file.Close();
    path.clear();
    identity = platform::CFileIdentity{};
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
