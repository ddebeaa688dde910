// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/SharedFolder.h"
#include "platform/FileSystem.h"
#include "platform/FindRecord.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

/// What lstat tells of an entry besides its name and kind: the attribute
/// bits (read-only among them), the size (0 for a folder) and the times.
struct CEntryFacts {
    uint32_t attributes = 0;
    uint64_t size = 0;
    uint64_t creationTime = 0;
    uint64_t lastWriteTime = 0;
    uint64_t lastAccessTime = 0;
};

/// One listed file or folder. Created by the scan, owned by the catalogue,
/// discarded by the next refresh. What the folder listing gives is there
/// from the start: the name, whether the entry is a folder, a link or
/// something other than a file, and whether it is hidden (its name). What
/// only lstat gives (size, times, the read-only attribute) is fetched once,
/// when a filter, a cell, a sort or a tag first asks for it, so that work
/// which needs none of it makes no lstat at all. The entries of one folder
/// share its path; the facts and the type name are kept apart, made when
/// first needed, so that an entry of a batch run stays small.
///
/// Entries belong to the GUI thread (the main thread of a batch run):
/// Facts() fills a mutable field without a lock, so no other thread may call
/// any accessor of an entry.
class CFileEntry {
public:
    CFileEntry() = default;
    CFileEntry(const CFileEntry& other);
    CFileEntry& operator=(const CFileEntry& other);
    CFileEntry(CFileEntry&&) noexcept = default;
    CFileEntry& operator=(CFileEntry&&) noexcept = default;
    ~CFileEntry() = default;
    /// An entry of folder (ending in "/"), as the listing reports it.
    CFileEntry(CSharedFolder folder, std::string longName,
               platform::EntryType type);

    /// The folder that holds the entry, always ending in "/".
    const std::string& Folder() const { return folder ? *folder : EmptyText(); }
    /// The long name, exactly the bytes the file system holds.
    const std::string& LongName() const { return name; }
    /// The long name up to its last dot (all of it when it has none).
    std::string_view BaseName() const;
    /// The long name after its last dot, without the dot.
    std::string_view Extension() const;
    std::string FullPath() const { return Folder() + name; }
    bool IsFolder() const { return isFolder; }

    /// The attribute bits, as lstat gives them (fetched on first use).
    uint32_t Attributes() const { return Facts().attributes; }
    /// The attribute bits known without lstat (folder, link, system,
    /// hidden), or all of them once the facts are there.
    uint32_t ListedAttributes() const;
    /// Hidden (a name that starts with a dot) and system (neither a file, a
    /// folder nor a link) come from the listing; read-only needs lstat.
    bool IsHidden() const;
    bool IsSystem() const;
    bool IsReadOnly() const { return (Attributes() & platform::kAttrReadOnly) != 0; }
    /// The size in bytes, 0 for a folder (fetched on first use); 0 too
    /// when it is not known (see AreFactsKnown).
    uint64_t FileSize() const { return Facts().size; }
    uint64_t CreationTime() const { return Facts().creationTime; }
    uint64_t LastWriteTime() const { return Facts().lastWriteTime; }
    uint64_t LastAccessTime() const { return Facts().lastAccessTime; }
    /// Every fact lstat gives, fetched on first use (lstat is asked once).
    /// An entry whose lstat failed (gone since the listing, or out of reach)
    /// keeps what the listing told: its attributes, no size, no times.
    const CEntryFacts& Facts() const;
    /// Fetches the facts on first use; false when lstat failed, so that size
    /// and times are unknown and must not be shown as 0.
    bool AreFactsKnown() const;
    /// The errno of the failed lstat; 0 when it succeeded or was not asked.
    int FactsError() const { return details ? details->factsError : 0; }
    /// True once the facts are there (fetched or set); asks for nothing.
    bool HasFacts() const { return details && details->factsKnown; }
    /// Asks the processor for the facts' memory ahead of a loop that reads
    /// them; changes nothing.
    void PrefetchFacts() const {
        if (details) {
            __builtin_prefetch(details.get());
        }
    }

    /// For entries made without a scan: the folder (ending in "/"), the
    /// name, and the facts, whose attributes also give the entry's type
    /// (whether it is a folder), as fetched facts do.
    void SetFolder(std::string path);
    void SetLongName(std::string longName);
    void SetFacts(const CEntryFacts& newFacts);

    /// The desktop's description of the type; empty until looked up.
    const std::string& TypeName() const { return details ? details->typeName : EmptyText(); }
    bool IsTypeNameKnown() const { return details && details->typeNameKnown; }
    /// Stores the description; known tells whether it was looked up.
    void SetTypeName(std::string text, bool known = true);

private:
    struct CDetails {
        CEntryFacts facts;
        std::string typeName;
        int factsError = 0;
        bool factsKnown = false;
        // lstat was asked (or the facts were set): it is not asked again.
        bool factsFetched = false;
        bool typeNameKnown = false;
    };

    static const std::string& EmptyText();
    CDetails& Details() const;
    void FetchFacts() const;
    // Takes facts that lstat gave or a caller set, and the entry's type from
    // their attributes.
    void TakeFacts(const CEntryFacts& newFacts) const;

    CSharedFolder folder;
    std::string name;
    mutable std::unique_ptr<CDetails> details;
    /// Where the extension starts in name (after the dot); npos: no dot.
    uint32_t extensionStart = kNoExtension;
    // Mutable: the first lstat may find that the entry's type has changed
    // since the listing.
    mutable platform::EntryType type = platform::EntryType::File;
    mutable bool isFolder = false;

    static constexpr uint32_t kNoExtension = ~0u;
};
