#pragma once

#include "platform/FindRecord.h"

#include <cstdint>
#include <string>

/// One listed file or folder. Created by the scan, owned by the catalogue,
/// discarded by the next refresh.
struct CFileEntry {
    /// The folder that holds the entry, always ending in "/".
    std::string folder;
    /// The long name up to its last dot (all of it when it has none).
    std::string baseName;
    /// The long name after its last dot, without the dot.
    std::string extension;
    /// The desktop's description of the type; empty until looked up.
    std::string typeName;
    /// The attribute letters; filled when the row is made, or when a cell
    /// of an entry made elsewhere asks for them.
    mutable std::string attributeLetters;
    bool isFolder = false;
    /// Index of the row's small icon; -1 until the list looks it up.
    int32_t iconIndex = -1;
    CFindRecord findData;
    bool typeNameKnown = false;

    const std::string& LongName() const { return findData.cFileName; }
    std::string FullPath() const { return folder + findData.cFileName; }
};
