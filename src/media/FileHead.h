// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SequentialReader.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

/// The front of the last file whose contents a reader asked for, shared by
/// the EXIF and the image reader: a name that holds tags of both reads each
/// file's header once. The bytes read from the front of the file are kept
/// (up to kMaxKept) until another path is asked for, so a second reader
/// parses them from memory. A reader closes the file when it is done
/// (CloseFile), so that no file of a folder the user looked at stays open;
/// a later reader that needs more than the kept bytes opens it again, and
/// reads nothing from it when another file took the path meanwhile. Bytes
/// beyond kMaxKept are read from the file each time.
///
/// The head is used under its lock (see Lock): one reader at a time.
class CFileHead {
public:
    /// At most this many bytes from the front of a file are kept.
    static constexpr std::size_t kMaxKept = 1 << 20;
    /// The first read of a file takes this many bytes; each further read at
    /// least as many as are kept already.
    static constexpr std::size_t kFirstRead = 16 * 1024;

    /// Makes the file at path the one held. The bytes kept are reused when it
    /// is the path held already and the file there is still the same one
    /// (device, inode, size and times); otherwise the file is opened anew.
    /// False and the errno value when it cannot be opened or is no regular
    /// file; nothing is held then.
    bool Hold(const std::string& path, int& error);

    /// The size of the file held when it was opened.
    uint64_t Size() const { return identity.size; }

    /// Copies up to count bytes from offset on into out and returns how many
    /// it copied: fewer only at the end of the file or on a read error.
    std::size_t ReadAt(uint64_t offset, uint8_t* out, std::size_t count);

    /// Closes the file held but keeps its bytes and its identity.
    void CloseFile();
    /// Whether the file held is open at the moment.
    bool IsFileOpen() const { return file.IsOpen(); }

    /// Lets go of the file and the bytes kept.
    void Release();

    /// How many files the head has opened since the program started (a
    /// measure for the benches and tests of the readers).
    uint64_t OpenCount() const { return openCount; }

    /// The head of the program and the lock to hold while using it.
    static CFileHead& Shared();
    static std::mutex& Lock();

private:
    /// Reads on from the end of the bytes kept until at least end bytes are
    /// kept (or the file ends).
    void KeepUpTo(uint64_t end);
    /// Opens the file held again after CloseFile; false when it cannot be
    /// opened or is another file now.
    bool Reopen();
    bool ReadFromFile(uint64_t offset, uint8_t* out, std::size_t count, std::size_t& got);

    /// The path held; empty when none is.
    std::string path;
    platform::CFileIdentity identity;
    platform::CSequentialReader file;
    std::vector<uint8_t> kept;
    bool keptToEnd = false;
    uint64_t openCount = 0;
};
